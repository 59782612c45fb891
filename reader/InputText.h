// The loaded input, with the positions of its table headers indexed once,
// so that every reader starts at its own table. The bytes are mapped from
// the file (or held in memory) and stay alive as long as any table that
// points into them.
#pragma once

#include "model/SourceText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class InputText {
public:
    explicit InputText(SourcePtr source);
    // A copy of the bytes, held in memory (tests, the fuzz target).
    static InputText FromBytes(std::string_view bytes);

    // Maps the whole file (or reads it, when it cannot be mapped); on
    // failure returns nothing and sets *error to the errno of the failing
    // call. A mapped file stays open while its bytes are in use, so that
    // Changed() can tell; a file that is read is closed at once.
    static std::optional<InputText> Load(const std::string& path, int* error);

    const SourcePtr& source() const { return source_; }
    std::string_view bytes() const { return bytes_; }
    // Where reading starts: after a UTF-8 byte-order mark, if there is one.
    std::size_t start() const { return start_; }

    // The reading position just after the header item of the named table
    // (the first item equal to either header when two names are given), or
    // nothing when the table is not found. A header that is the very last
    // item of the file counts as not found.
    std::optional<std::size_t> FindTable(std::string_view name, std::string_view otherName = {}) const;

    // Every table the input names, in file order: its name and the reading
    // position after its header (the first header of a name that repeats).
    struct TableAt {
        std::string_view name;
        std::size_t after;
    };
    std::vector<TableAt> Tables() const;

    // True when the input has at least one header item of any table.
    bool HasAnyTable() const { return !headers_.empty(); }
    // True when at least one item begins with "TABLE:", whatever follows:
    // the mark of a SAP2000 table export.
    bool HasTableItem() const { return hasTableItem_; }

    // Whether every line of the file ends in CR CR LF (its line ends were
    // converted twice): then that is one line end.
    bool doubledLineEnds() const { return doubled_; }

    // True when the file was changed after it was mapped: it shrank under
    // the mapping (the vanished bytes read as zeros, see RepairInputFault),
    // grew, or was written to. What the commands made of it is then not
    // the file's content, and they fail. Bytes held in memory never change.
    bool Changed() const;

    // Where the table that starts at `from` ends at the latest: the start of
    // the next header item, or the end of the input.
    std::size_t TableLimit(std::size_t from) const;

private:
    struct Header {
        std::size_t itemStart;
        std::size_t after;
    };
    void BuildIndex();
    const Header* Lookup(std::string_view name) const;

    SourcePtr source_;
    std::string_view bytes_;
    std::size_t start_ = 0;
    std::unordered_map<std::string, Header> headers_;  // by table name
    std::vector<std::size_t> headerStarts_;  // every item that starts with "TABLE:", in file order
    bool hasTableItem_ = false;
    bool doubled_ = false;
};

// Changed() for the bytes under a table.
bool SourceChanged(const SourceText& source);

// For the handler of SIGBUS, and safe in it: when `address` lies in a mapped
// input whose file has shrunk, maps zeros over the pages that vanished,
// marks the input as changed and returns true, so that the read that
// faulted goes on; false for any other address.
bool RepairInputFault(const void* address);

}  // namespace corvane
