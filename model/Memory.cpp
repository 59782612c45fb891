#include "model/Memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace corvane {

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kMapFrom = std::size_t(4) << 20;  // smaller blocks come from malloc
}  // namespace

void AdviseHugePages(const void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (start + bytes) & ~(kHugePage - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

ByteBlock::ByteBlock(std::size_t capacity) : capacity_(capacity) {
    if (capacity >= kMapFrom) {
        void* p = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p != MAP_FAILED) {
            data_ = static_cast<char*>(p);
            mapped_ = true;
            AdviseHugePages(data_, capacity);
            return;
        }
    }
    data_ = static_cast<char*>(std::malloc(capacity ? capacity : 1));
    if (!data_) throw std::bad_alloc();
}

ByteBlock::~ByteBlock() {
    if (mapped_) ::munmap(data_, capacity_);
    else std::free(data_);
}

ByteBlock::ByteBlock(ByteBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), capacity_(std::exchange(other.capacity_, 0)), mapped_(std::exchange(other.mapped_, false)) {}

ByteBlock& ByteBlock::operator=(ByteBlock&& other) noexcept {
    if (this != &other) {
        this->~ByteBlock();
        new (this) ByteBlock(std::move(other));
    }
    return *this;
}

ByteBlock ByteBlock::Grown(std::size_t capacity, std::size_t used) const {
    ByteBlock bigger(capacity);
    if (used) std::memcpy(bigger.data_, data_, used);
    return bigger;
}

}  // namespace corvane
