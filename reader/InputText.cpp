#include "reader/InputText.h"

#include "reader/ItemReader.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace corvane {

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kTableWord = "TABLE:";
}  // namespace

std::string HeaderItem(std::string_view tableName) {
    std::string h = "TABLE:  \"";
    h += tableName;
    h += '"';
    return h;
}

InputText::InputText(std::string bytes) : data_(std::move(bytes)) {
    if (std::string_view(data_).substr(0, kBom.size()) == kBom) start_ = kBom.size();
}

std::optional<InputText> InputText::Load(const std::string& path, int* error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (error) *error = errno;
        return std::nullopt;
    }
    if (S_ISDIR(st.st_mode)) {
        if (error) *error = EISDIR;
        return std::nullopt;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (error) *error = errno;
        return std::nullopt;
    }
    std::string bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buf, 1, sizeof buf, f);
        bytes.append(buf, got);
        if (got < sizeof buf) break;
    }
    const bool failed = std::ferror(f) != 0;
    const int readErrno = errno;
    std::fclose(f);
    if (failed) {
        if (error) *error = readErrno ? readErrno : EIO;
        return std::nullopt;
    }
    return InputText(std::move(bytes));
}

void InputText::BuildIndex() const {
    indexed_ = true;
    const std::string_view all(data_);
    std::size_t doneUpTo = 0;  // lines before this offset have been indexed
    std::size_t hit = all.find(kTableWord, start_);
    while (hit != std::string_view::npos) {
        if (hit >= doneUpTo) {
            std::size_t lineStart = hit;
            while (lineStart > start_ && all[lineStart - 1] != '\n' && all[lineStart - 1] != '\r') --lineStart;
            ItemReader reader(all, lineStart);
            do {
                const std::size_t itemStart = reader.Position();
                const std::string_view item = reader.Next();
                if (item.size() > kTableWord.size() && item.substr(0, kTableWord.size()) == kTableWord) {
                    headers_.try_emplace(std::string(item), Header{itemStart, reader.Position()});
                }
            } while (!reader.EndedLine() && !reader.AtEnd());
            doneUpTo = reader.Position();
        }
        hit = all.find(kTableWord, hit + kTableWord.size());
    }
}

const InputText::Header* InputText::Lookup(std::string_view name) const {
    if (!indexed_) BuildIndex();
    auto it = headers_.find(HeaderItem(name));
    return it == headers_.end() ? nullptr : &it->second;
}

std::optional<std::size_t> InputText::FindTable(std::string_view name, std::string_view otherName) const {
    const Header* h = Lookup(name);
    if (!otherName.empty()) {
        const Header* other = Lookup(otherName);
        if (other && (!h || other->itemStart < h->itemStart)) h = other;
    }
    if (!h || h->after >= data_.size()) return std::nullopt;
    return h->after;
}

bool InputText::HasAnyTable() const {
    if (!indexed_) BuildIndex();
    return !headers_.empty();
}

}  // namespace corvane
