// Reads the input item by item: an item is a line, or a piece of a line
// ended by a comma. CR LF, lone LF and lone CR each end a line.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvane {

class ItemReader {
public:
    ItemReader(std::string_view data, std::size_t pos) : data_(data), pos_(pos) {}

    // The next item, a view into the input. Leading blanks are skipped; an
    // item that starts with a double quote is the text up to the next
    // double quote (or to the end of its line when there is none), and the
    // rest of that piece is passed over; any other item runs up to the next
    // comma or line end, without its trailing blanks.
    std::string_view ReadItem();

    // True as soon as nothing is left to read.
    bool AtEnd() const { return pos_ >= data_.size(); }
    std::size_t Position() const { return pos_; }
    // Whether the item read last was ended by a line end (or the file end)
    // rather than by a comma.
    bool EndedLine() const { return endedLine_; }

private:
    void ConsumeTerminator(std::size_t at);

    std::string_view data_;
    std::size_t pos_;
    bool endedLine_ = false;
};

}  // namespace corvane
