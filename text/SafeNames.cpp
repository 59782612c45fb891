#include "text/SafeNames.h"

namespace corvane {

namespace {

constexpr char kReplacement = '_';

bool Control(unsigned char c) { return c <= ' ' || c == 0x7F; }

bool AbaqusWord(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

// Whether the character at `at` of a name of `size` characters is syntax
// to the format.
bool Special(NameFormat format, unsigned char c, std::size_t at, std::size_t size) {
    if (format == NameFormat::Abaqus) return !AbaqusWord(c);
    return c == ';' || Control(c) || (at == 0 && c == '*') || (at + 1 == size && c == '-');
}

}  // namespace

bool IsSafeName(NameFormat format, std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i)
        if (Special(format, static_cast<unsigned char>(name[i]), i, name.size())) return false;
    return true;
}

std::string SafeName(NameFormat format, std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i)
        if (Special(format, static_cast<unsigned char>(out[i]), i, out.size())) out[i] = kReplacement;
    return out;
}

}  // namespace corvane
