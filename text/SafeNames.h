// Names as an output format takes them: one rule per format says which
// characters of a name the format would read as syntax, and what they
// become, so that a name never ends a command, continues a line, starts a
// comment or a keyword, or splits a field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum class NameFormat : std::uint8_t {
    // STAAD.Pro: ";" ends a command, a line that ends in "-" goes on in
    // the next one, blanks and tabs split items and a "*" at the start of
    // a line makes it a comment. Each ";", blank, tab and other control
    // character becomes "_", and so does a first "*" and a last "-".
    Staad,
    // Abaqus: a "*" at the start of a line makes a keyword line and "**"
    // a comment; commas split fields and "=" gives a parameter its value.
    // Every character but letters, digits, "_", "-" and "." becomes "_".
    Abaqus,
};

// True when the format takes the name as it stands.
bool IsSafeName(NameFormat format, std::string_view name);

// The name with every character the format would read as syntax replaced.
std::string SafeName(NameFormat format, std::string_view name);

}  // namespace corvane
