// Memory hints for the large blocks of a big model.
#pragma once

#include <cstddef>

namespace corvane {

// Asks the system to back the whole 2 MB pages inside [p, p + bytes) with
// huge pages, so that filling a large table or input costs a few hundred
// page faults instead of hundreds of thousands. Only a hint: nothing
// changes where the system does not offer it.
void AdviseHugePages(const void* p, std::size_t bytes);

// A block of bytes that is not filled with zeros first (the input is read
// straight into it), backed by huge pages where possible.
class ByteBlock {
public:
    ByteBlock() = default;
    explicit ByteBlock(std::size_t capacity);
    ~ByteBlock();
    ByteBlock(ByteBlock&& other) noexcept;
    ByteBlock& operator=(ByteBlock&& other) noexcept;
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;

    char* data() const { return data_; }
    std::size_t capacity() const { return capacity_; }
    // A larger block holding the first `used` bytes of this one.
    ByteBlock Grown(std::size_t capacity, std::size_t used) const;

private:
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

}  // namespace corvane
