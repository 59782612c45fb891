#include "reader/InputText.h"

#include "reader/ItemReader.h"
#include "reader/SignalSafeRegistry.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kTableWord = "TABLE:";

// A file that shrinks while it is mapped takes its pages beyond the new end
// with it, and a read of them raises SIGBUS in whichever thread touches them
// first: a reader, a writer reading a cell, the drawing. The handler of
// SIGBUS asks RepairInputFault whether the address lies in a mapped input;
// if so, zeros are mapped over the vanished pages, the input is marked as
// changed and the read goes on, and the command fails at its end
// (Changed()), before it replaces any output. This was chosen over the
// other ways:
// - sigsetjmp/siglongjmp around the reading cannot cover it: the bytes are
//   read on several threads and long after the readers have ended (table
//   cells are views into the input), and jumping out of C++ code skips its
//   destructors and leaves its locks held;
// - reading the file into memory instead of mapping it copies every byte
//   and holds the whole input twice for a while;
// - checking the size with fstat before reading cannot close the window
//   between the check and the read.
// The repair touches only the registry (no lock, no allocation) and makes
// one mmap system call; zeros are read as any other damaged bytes are.
struct MappedRange {
    const char* begin = nullptr;
    std::size_t size = 0;
    std::atomic<bool> faulted{false};
};
SignalSafeRegistry<MappedRange> g_mapped;
std::atomic<std::uintptr_t> g_pageSize{4096};

// A file mapped read-only into memory: its pages come straight from the
// page cache, nothing is copied. The file stays open, so that a change of
// its size or time since it was mapped can be told.
class MappedSourceText : public SourceText {
public:
    MappedSourceText(void* at, std::size_t size, int fd, const struct stat& st, SignalSafeRegistry<MappedRange>::Handle slot)
        : at_(at), size_(size), fd_(fd), loaded_(st), slot_(slot) {
        bytes_ = std::string_view(static_cast<const char*>(at), size);
    }
    ~MappedSourceText() override {
        g_mapped.Remove(slot_);
        ::munmap(at_, size_);
        ::close(fd_);
    }

    bool Changed() const {
        if (slot_->entry.faulted.load()) return true;
        struct stat now {};
        if (::fstat(fd_, &now) != 0) return true;
        return now.st_size != loaded_.st_size || now.st_mtim.tv_sec != loaded_.st_mtim.tv_sec ||
               now.st_mtim.tv_nsec != loaded_.st_mtim.tv_nsec;
    }

private:
    void* at_;
    std::size_t size_;
    int fd_;
    struct stat loaded_;
    SignalSafeRegistry<MappedRange>::Handle slot_;
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
        g_pageSize.store(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE)));
        void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (at != MAP_FAILED) {
            // Registered before the first byte is read.
            const auto slot = g_mapped.Add([&](MappedRange& r) {
                r.begin = static_cast<const char*>(at);
                r.size = size;
                r.faulted.store(false);
            });
            std::shared_ptr<MappedSourceText> source;
            if (slot) {
                try {
                    source = std::make_shared<MappedSourceText>(at, size, fd, st, slot);
                } catch (const std::bad_alloc&) {
                    g_mapped.Remove(slot);
                }
            }
            if (source) {
                ::madvise(at, size, MADV_SEQUENTIAL);
                return InputText(std::move(source));
            }
            ::munmap(at, size);
            ::close(fd);
            if (error) *error = ENOMEM;
            return std::nullopt;
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

bool InputText::Changed() const { return SourceChanged(*source_); }

bool SourceChanged(const SourceText& source) {
    const auto* mapped = dynamic_cast<const MappedSourceText*>(&source);
    return mapped && mapped->Changed();
}

bool RepairInputFault(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    const std::uintptr_t pageSize = g_pageSize.load();
    return g_mapped.Find([&](MappedRange& r) {
        const auto begin = reinterpret_cast<std::uintptr_t>(r.begin);
        if (at < begin || at - begin >= r.size) return false;
        // Every page from the one that vanished to the end of the mapping
        // lies beyond the file's new end: one mapping of zeros for all.
        const std::uintptr_t page = at & ~(pageSize - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), begin + r.size - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED) return false;
        r.faulted.store(true);
        return true;
    });
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
