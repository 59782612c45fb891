#include "model/Table.h"

#include <cstring>
#include <sys/mman.h>

namespace corvane {

Table::Table(TableId id) : id_(id), columns_(Describe(id).full ? Describe(id).columnCount : Describe(id).classicColumns) {}

void Table::Reset(bool full) {
    Clear();
    const TableDescriptor& d = Describe(id_);
    columns_ = full || d.full ? d.columnCount : d.classicColumns;
}

std::string_view Table::View(Cell c) const {
    if (c.absent()) return {};
    std::uint64_t length = c.shortLength();
    const char* base = c.inArena() ? arena_.data() : base_;
    std::uint64_t offset = c.offset();
    if (length == Cell::kLongLength) {
        // Long texts always live in the arena, after their length.
        std::memcpy(&length, arena_.data() + offset, sizeof length);
        offset += sizeof length;
        base = arena_.data();
    }
    return std::string_view(base + offset, length);
}

void Table::AppendText(std::string& out, std::size_t row, int col) const {
    const Cell c = cell(row, col);
    if (c.absent()) {
        out.append(descriptor().columns[col].absentText);
        return;
    }
    out.append(View(c));
    if (c.quoted()) out.push_back('$');
}

std::string Table::Text(std::size_t row, int col) const {
    std::string s;
    AppendText(s, row, col);
    return s;
}

std::size_t Table::TextSize(std::size_t row, int col) const {
    const Cell c = cell(row, col);
    if (c.absent()) return descriptor().columns[col].absentText.size();
    return View(c).size() + (c.quoted() ? 1 : 0);
}

bool Table::Is(std::size_t row, int col, std::string_view text) const {
    const Cell c = cell(row, col);
    if (c.absent()) return descriptor().columns[col].absentText == text;
    if (c.quoted()) {
        if (text.empty() || text.back() != '$') return false;
        text.remove_suffix(1);
    }
    return View(c) == text;
}

void Table::Clear() {
    cells_.clear();
    cells_.shrink_to_fit();
    arena_.clear();
    arena_.shrink_to_fit();
    found_ = false;
}

void Table::SetSource(SourcePtr source) {
    source_ = std::move(source);
    base_ = source_ ? source_->bytes().data() : nullptr;
    baseSize_ = source_ ? source_->bytes().size() : 0;
}

void Table::Reserve(std::size_t rows) {
    cells_.reserve(rows * columns_);
#if defined(MADV_HUGEPAGE) && !defined(CORVANE_NO_HUGEPAGE)
    // Large tables are backed by huge pages where the system offers them:
    // a few hundred page faults instead of a hundred thousand.
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(cells_.data());
    const std::uintptr_t first = (start + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (start + cells_.capacity() * sizeof(Cell)) & ~(kHuge - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

Cell* Table::AppendRow() {
    const std::size_t at = cells_.size();
    cells_.resize(at + columns_);
    return cells_.data() + at;
}

Cell Table::InputCell(std::string_view bytes, bool quoted) {
    const auto at = reinterpret_cast<std::uintptr_t>(bytes.data());
    const auto base = reinterpret_cast<std::uintptr_t>(base_);
    if (base_ == nullptr || at < base || at - base + bytes.size() > baseSize_ || bytes.size() >= Cell::kLongLength ||
        at - base > Cell::kMaxOffset)
        return TextCell(bytes, quoted);
    return Cell::At(at - base, bytes.size(), false, quoted);
}

Cell Table::TextCell(std::string_view text, bool quoted) {
    const std::uint64_t offset = arena_.size();
    if (text.size() >= Cell::kLongLength) {
        const std::uint64_t length = text.size();
        arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
        arena_.append(text);
        return Cell::At(offset, Cell::kLongLength, true, quoted);
    }
    arena_.append(text);
    return Cell::At(offset, text.size(), true, quoted);
}

Cell Table::CopyCell(const Table& from, Cell c) {
    if (c.absent()) return c;
    if (!c.inArena() && from.source_ == source_ && c.shortLength() != Cell::kLongLength) return c;
    return TextCell(from.View(c), c.quoted());
}

}  // namespace corvane
