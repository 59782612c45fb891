#include "reader/InputText.h"

#include "reader/ItemReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

InputText::InputText(std::string_view bytes) : block_(bytes.size()), size_(bytes.size()) {
    if (size_) std::memcpy(block_.data(), bytes.data(), size_);
    if (this->bytes().substr(0, kBom.size()) == kBom) start_ = kBom.size();
}

InputText::InputText(ByteBlock block, std::size_t size) : block_(std::move(block)), size_(size) {
    if (bytes().substr(0, kBom.size()) == kBom) start_ = kBom.size();
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
    // Read straight into the block; a file that grows meanwhile is read on
    // to its end.
    const std::size_t size = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    ByteBlock block(size + 4096);
    std::size_t have = 0;
    for (;;) {
        const std::size_t got = std::fread(block.data() + have, 1, block.capacity() - have, f);
        have += got;
        if (have < block.capacity()) break;
        block = block.Grown(block.capacity() * 2, have);
    }
    const bool failed = std::ferror(f) != 0;
    const int readErrno = errno;
    std::fclose(f);
    if (failed) {
        if (error) *error = readErrno ? readErrno : EIO;
        return std::nullopt;
    }
    return InputText(std::move(block), have);
}

void InputText::BuildIndex() const {
    indexed_ = true;
    const std::string_view all = bytes();
    std::size_t doneUpTo = 0;  // lines before this offset have been indexed
    std::size_t hit = all.find(kTableWord, start_);
    while (hit != std::string_view::npos) {
        if (hit >= doneUpTo) {
            std::size_t lineStart = hit;
            while (lineStart > start_ && all[lineStart - 1] != '\n' && all[lineStart - 1] != '\r') --lineStart;
            ItemReader reader(all, lineStart);
            do {
                const std::size_t itemStart = reader.Position();
                const std::string_view item = reader.ReadItem();
                if (item.size() > kTableWord.size() && item.substr(0, kTableWord.size()) == kTableWord) {
                    headers_.try_emplace(std::string(item), Header{itemStart, reader.Position()});
                    headerStarts_.push_back(itemStart);
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
    if (!h || h->after >= size_) return std::nullopt;
    return h->after;
}

std::size_t InputText::EstimateRows(std::size_t from) const {
    if (!indexed_) BuildIndex();
    const auto next = std::upper_bound(headerStarts_.begin(), headerStarts_.end(), from);
    const std::size_t end = next == headerStarts_.end() ? size_ : *next;
    if (from >= end) return 0;
    const char* d = block_.data();
    const auto lf = static_cast<std::size_t>(std::count(d + from, d + end, '\n'));
    return lf ? lf : static_cast<std::size_t>(std::count(d + from, d + end, '\r'));
}

bool InputText::HasAnyTable() const {
    if (!indexed_) BuildIndex();
    return !headers_.empty();
}

}  // namespace corvane
