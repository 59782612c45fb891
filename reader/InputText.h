// The input file held in memory, with the positions of its table headers
// indexed once, so that every reader can start at its own table instead of
// reading the file from its start again.
#pragma once

#include "model/Memory.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class InputText {
public:
    explicit InputText(std::string_view bytes);

    // Reads the whole file; on failure returns nothing and sets *error to
    // the errno of the failing call. No file stays open afterwards.
    static std::optional<InputText> Load(const std::string& path, int* error);

    std::string_view bytes() const { return std::string_view(block_.data(), size_); }
    // Where reading starts: after a UTF-8 byte-order mark, if there is one.
    std::size_t start() const { return start_; }

    // The reading position just after the header item of the named table
    // (the first item equal to either header when two names are given), or
    // nothing when the table is not found. A header that is the very last
    // item of the file counts as not found.
    std::optional<std::size_t> FindTable(std::string_view name, std::string_view otherName = {}) const;

    // True when the input has at least one header item of any table.
    bool HasAnyTable() const;

    // About how many records follow a reading position: the line ends up to
    // the next table header. Readers reserve room for their rows with it.
    std::size_t EstimateRows(std::size_t from) const;

private:
    struct Header {
        std::size_t itemStart;
        std::size_t after;
    };
    void BuildIndex() const;
    const Header* Lookup(std::string_view name) const;

    InputText(ByteBlock block, std::size_t size);

    ByteBlock block_;
    std::size_t size_ = 0;
    std::size_t start_ = 0;
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::string, Header> headers_;
    mutable std::vector<std::size_t> headerStarts_;  // every header item, in file order
};

// The header item of a table: TABLE, a colon, two blanks and the quoted name.
std::string HeaderItem(std::string_view tableName);

}  // namespace corvane
