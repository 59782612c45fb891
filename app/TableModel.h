// A model table shown in a QTableView without copying it: the view asks for
// the cells it paints. Sorting keeps an order of row numbers; the table
// itself never changes.
#pragma once

#include "model/Model.h"
#include "model/Table.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace corvane {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(const Table* table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Numbers by value before texts by their bytes, equal cells in table
    // order; column -1 goes back to the table's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The table's row shown at `row`.
    std::size_t tableRow(int row) const { return order_.empty() ? static_cast<std::size_t>(row) : order_[static_cast<std::size_t>(row)]; }
    const Table& table() const { return *table_; }

    // Around a change of the table: the rows go back to the table's order.
    void beginChange() { beginResetModel(); }
    void endChange() {
        order_.clear();
        endResetModel();
    }

private:
    const Table* table_;
    std::vector<std::uint32_t> order_;  // empty: the table's own order
};

// The combinations of the model, one row each: the name at its first row.
class CombinationListModel : public QAbstractListModel {
    Q_OBJECT
public:
    CombinationListModel(const Model* model, QObject* parent) : QAbstractListModel(parent), model_(model) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

private:
    const Model* model_;
};

// The combination (its index in the model's list) that a row of the
// combination table belongs to; the list's size when there is none.
std::size_t CombinationOfRow(const Model& model, std::size_t row);

}  // namespace corvane
