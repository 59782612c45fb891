// One table of the model: rows of cells appended whole, so every column has
// the same number of rows. A cell is a view into the input the table was
// read from or into the table's own arena; it is shown the way the
// converter has always shown it: a missing field as its column's absent
// text, a quoted value with "$" after it.
#pragma once

#include "model/Cell.h"
#include "model/SourceText.h"
#include "model/Tables.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Table {
public:
    explicit Table(TableId id = TableId::Joints);

    TableId id() const { return id_; }
    const TableDescriptor& descriptor() const { return Describe(id_); }
    std::size_t rows() const { return columns_ ? cells_.size() / columns_ : 0; }
    std::size_t columns() const { return columns_; }
    bool empty() const { return cells_.empty(); }

    Cell cell(std::size_t row, int col) const { return cells_[row * columns_ + static_cast<std::size_t>(col)]; }
    // The bytes of a cell without its markers ("" when the field is missing).
    std::string_view View(Cell c) const;
    std::string_view View(std::size_t row, int col) const { return View(cell(row, col)); }
    bool Absent(std::size_t row, int col) const { return cell(row, col).absent(); }
    bool Quoted(std::size_t row, int col) const { return cell(row, col).quoted(); }

    // The cell as shown: absent text, or the bytes and "$" when quoted.
    void AppendText(std::string& out, std::size_t row, int col) const;
    std::string Text(std::size_t row, int col) const;
    std::size_t TextSize(std::size_t row, int col) const;
    // True when the shown text of the cell equals `text`, without building it.
    bool Is(std::size_t row, int col, std::string_view text) const;

    // Whether the table's header was found in the input when it was last read.
    bool found() const { return found_; }

    // Building (readers and the link pass).
    void Clear();
    // Empties the table and gives it the columns of the conversion that
    // reads it: the classic ones, or every column for the full conversion.
    void Reset(bool full);
    void SetSource(SourcePtr source);
    const SourcePtr& source() const { return source_; }
    void SetFound(bool found) { found_ = found; }
    void Reserve(std::size_t rows);
    // Appends a row of missing fields and returns its first cell.
    Cell* AppendRow();
    void PopRow() { cells_.resize(cells_.size() - columns_); }
    Cell& at(std::size_t row, int col) { return cells_[row * columns_ + static_cast<std::size_t>(col)]; }
    // Keeps the rows for which keep(row) is true, in order.
    template <class Keep>
    void KeepRows(Keep keep);

    // A cell for bytes that lie inside the table's source.
    Cell InputCell(std::string_view bytes, bool quoted = false);
    // A cell for a text the reader made; the text is copied into the arena.
    Cell TextCell(std::string_view text, bool quoted = false);
    // The same cell content, usable in this table (copied when it lives in
    // the other table's arena).
    Cell CopyCell(const Table& from, Cell c);

private:
    TableId id_;
    std::size_t columns_ = 0;
    std::vector<Cell> cells_;
    std::string arena_;
    SourcePtr source_;
    const char* base_ = nullptr;
    std::size_t baseSize_ = 0;
    bool found_ = false;
};

template <class Keep>
void Table::KeepRows(Keep keep) {
    const std::size_t n = rows();
    std::size_t out = 0;
    for (std::size_t r = 0; r < n; ++r) {
        if (!keep(r)) continue;
        if (out != r)
            for (std::size_t k = 0; k < columns_; ++k) cells_[out * columns_ + k] = cells_[r * columns_ + k];
        ++out;
    }
    cells_.resize(out * columns_);
}

}  // namespace corvane
