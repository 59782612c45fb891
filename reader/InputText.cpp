#include "reader/InputText.h"

#include "reader/ItemReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kTableWord = "TABLE:";

// A file mapped read-only into memory: its pages come straight from the
// page cache, nothing is copied.
class MappedSourceText : public SourceText {
public:
    MappedSourceText(void* at, std::size_t size) : at_(at), size_(size) { bytes_ = std::string_view(static_cast<const char*>(at), size); }
    ~MappedSourceText() override { ::munmap(at_, size_); }

private:
    void* at_;
    std::size_t size_;
};

// Reads what cannot be mapped (pipes, devices) to its end.
bool ReadAll(int fd, std::string* text, int* error) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text->append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got == 0) return true;
        if (errno == EINTR) continue;
        if (error) *error = errno;
        return false;
    }
}

// True when the text holds at least one LF and every LF follows two CRs.
// An ordinary file fails at its first line end.
bool EveryLineFeedAfterTwoReturns(std::string_view all, std::size_t from) {
    bool any = false;
    for (std::size_t at = from; at < all.size(); ++at) {
        const void* lf = std::memchr(all.data() + at, '\n', all.size() - at);
        if (!lf) break;
        at = static_cast<std::size_t>(static_cast<const char*>(lf) - all.data());
        if (at < from + 2 || all[at - 1] != '\r' || all[at - 2] != '\r') return false;
        any = true;
    }
    return any;
}

// The name of the table an item heads: "TABLE:", any run of blanks and
// tabs, and the name in double quotes; nothing for any other item.
std::optional<std::string_view> HeaderName(std::string_view item) {
    if (item.substr(0, kTableWord.size()) != kTableWord) return std::nullopt;
    item.remove_prefix(kTableWord.size());
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    if (item.size() < 2 || item.front() != '"' || item.back() != '"') return std::nullopt;
    return item.substr(1, item.size() - 2);
}

}  // namespace

InputText::InputText(SourcePtr source) : source_(std::move(source)), bytes_(source_->bytes()) {
    if (bytes_.substr(0, kBom.size()) == kBom) start_ = kBom.size();
    doubled_ = EveryLineFeedAfterTwoReturns(bytes_, start_);
    BuildIndex();
}

InputText InputText::FromBytes(std::string_view bytes) {
    return InputText(std::make_shared<OwnedSourceText>(std::string(bytes)));
}

std::optional<InputText> InputText::Load(const std::string& path, int* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = errno;
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        if (error) *error = errno;
        ::close(fd);
        return std::nullopt;
    }
    if (S_ISDIR(st.st_mode)) {
        if (error) *error = EISDIR;
        ::close(fd);
        return std::nullopt;
    }
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
        const auto size = static_cast<std::size_t>(st.st_size);
        void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (at != MAP_FAILED) {
            ::madvise(at, size, MADV_SEQUENTIAL);
            ::close(fd);
            return InputText(std::make_shared<MappedSourceText>(at, size));
        }
    }
    std::string text;
    const bool read = ReadAll(fd, &text, error);
    ::close(fd);
    if (!read) return std::nullopt;
    return InputText(std::make_shared<OwnedSourceText>(std::move(text)));
}

void InputText::BuildIndex() {
    const std::string_view all = bytes_;
    const char* const d = all.data();
    std::size_t doneUpTo = 0;  // lines before this offset have been indexed
    std::size_t from = start_ + kTableWord.size() - 1;
    // Every header holds "TABLE:"; a colon is rare elsewhere, so the search
    // runs from colon to colon.
    while (from < all.size()) {
        const void* found = std::memchr(d + from, ':', all.size() - from);
        if (!found) break;
        const std::size_t colon = static_cast<std::size_t>(static_cast<const char*>(found) - d);
        from = colon + 1;
        const std::size_t hit = colon + 1 - kTableWord.size();
        if (colon + 1 < kTableWord.size() || hit < start_ || all.compare(hit, kTableWord.size(), kTableWord) != 0 || hit < doneUpTo)
            continue;
        // The items of the line that holds the word, read as the readers
        // read them, so that a header after a comma counts too.
        std::size_t lineStart = hit;
        while (lineStart > start_ && d[lineStart - 1] != '\n' && d[lineStart - 1] != '\r') --lineStart;
        ItemReader reader(all, lineStart);
        do {
            const std::size_t itemStart = reader.Position();
            const std::string_view item = reader.ReadItem();
            if (item.substr(0, kTableWord.size()) != kTableWord) continue;
            // Every item that starts with the word ends the table before it.
            hasTableItem_ = true;
            headerStarts_.push_back(itemStart);
            if (const auto name = HeaderName(item)) headers_.try_emplace(std::string(*name), Header{itemStart, reader.Position()});
        } while (!reader.EndedLine() && !reader.AtEnd());
        doneUpTo = reader.Position();
    }
}

const InputText::Header* InputText::Lookup(std::string_view name) const {
    auto it = headers_.find(std::string(name));
    return it == headers_.end() ? nullptr : &it->second;
}

std::optional<std::size_t> InputText::FindTable(std::string_view name, std::string_view otherName) const {
    const Header* h = Lookup(name);
    if (!otherName.empty()) {
        const Header* other = Lookup(otherName);
        if (other && (!h || other->itemStart < h->itemStart)) h = other;
    }
    if (!h || h->after >= bytes_.size()) return std::nullopt;
    return h->after;
}

std::vector<InputText::TableAt> InputText::Tables() const {
    std::vector<std::pair<std::size_t, TableAt>> found;
    found.reserve(headers_.size());
    for (const auto& [name, h] : headers_) found.push_back({h.itemStart, {name, h.after}});
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TableAt> out;
    out.reserve(found.size());
    for (const auto& f : found) out.push_back(f.second);
    return out;
}

std::size_t InputText::TableLimit(std::size_t from) const {
    const auto next = std::upper_bound(headerStarts_.begin(), headerStarts_.end(), from);
    return next == headerStarts_.end() ? bytes_.size() : *next;
}

}  // namespace corvane
