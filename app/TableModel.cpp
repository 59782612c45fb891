#include "app/TableModel.h"

#include "app/PathText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <string_view>

namespace corvane {

namespace {

// The value of a cell that is a number as a whole, else NaN.
double NumberOf(std::string_view text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return value;
    double parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error == std::errc() && end == text.data() + text.size()) value = parsed;
    return value;
}

}  // namespace

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(table_->rows()); }

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_->columns());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= table_->rows()) return {};
    const std::size_t row = tableRow(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ShowText(table_->Text(row, index.column()));
    if (role == Qt::TextAlignmentRole) {
        const bool number = !table_->Absent(row, index.column()) && !std::isnan(NumberOf(table_->View(row, index.column())));
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const TableDescriptor& d = table_->descriptor();
    if (section < 0 || static_cast<std::size_t>(section) >= table_->columns()) return {};
    return ShowText(d.columns[section].name);
}

void TableModel::sort(int column, Qt::SortOrder order) {
    const std::size_t rows = table_->rows();
    if (column >= columnCount() || rows > std::numeric_limits<std::uint32_t>::max()) return;
    std::vector<std::uint32_t> next;
    if (column >= 0) {
        // One key per row, made once: the number, or the bytes as a view
        // into the table.
        std::vector<double> numbers(rows);
        std::vector<std::string_view> texts(rows);
        for (std::size_t r = 0; r < rows; ++r) {
            texts[r] = table_->Absent(r, column) ? std::string_view() : table_->View(r, column);
            numbers[r] = NumberOf(texts[r]);
        }
        const auto less = [&](std::uint32_t a, std::uint32_t b) {
            const bool na = !std::isnan(numbers[a]), nb = !std::isnan(numbers[b]);
            if (na != nb) return na;
            if (na) return numbers[a] < numbers[b];
            return texts[a] < texts[b];
        };
        next.resize(rows);
        std::iota(next.begin(), next.end(), 0u);
        if (order == Qt::AscendingOrder) std::stable_sort(next.begin(), next.end(), less);
        else std::stable_sort(next.begin(), next.end(), [&](std::uint32_t a, std::uint32_t b) { return less(b, a); });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selected and current rows stay on the same table rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> tableRows;
    tableRows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& i : before) tableRows.push_back(static_cast<std::uint32_t>(tableRow(i.row())));
    order_ = std::move(next);
    if (!before.isEmpty()) {
        std::vector<std::uint32_t> shownAt(order_.empty() ? 0 : rows);
        for (std::size_t v = 0; v < order_.size(); ++v) shownAt[order_[v]] = static_cast<std::uint32_t>(v);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype k = 0; k < before.size(); ++k) {
            const std::uint32_t r = tableRows[static_cast<std::size_t>(k)];
            after.push_back(index(static_cast<int>(order_.empty() ? r : shownAt[r]), before[k].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CombinationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(model_->combinationStarts.size());
}

QVariant CombinationListModel::data(const QModelIndex& index, int role) const {
    const auto& starts = model_->combinationStarts;
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= starts.size() || role != Qt::DisplayRole) return {};
    return ShowText((*model_)[TableId::Combinations].Text(starts[static_cast<std::size_t>(index.row())], CombinationCol::ComboName));
}

std::size_t CombinationOfRow(const Model& model, std::size_t row) {
    const auto& starts = model.combinationStarts;
    const auto after = std::upper_bound(starts.begin(), starts.end(), row);
    if (after == starts.begin()) return starts.size();
    return static_cast<std::size_t>(after - starts.begin()) - 1;
}

}  // namespace corvane
