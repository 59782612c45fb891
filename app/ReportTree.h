// The report of the last command as a tree: one row per kind with its count,
// under it one row per entry with its whole sentence, table and record. A
// filter keeps the entries whose kind, table, record or sentence contains a
// text; kinds without such entries are hidden.
#pragma once

#include "model/Report.h"

#include <QAbstractItemModel>
#include <QWidget>

#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;

namespace corvane {

class ReportTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { KindOrSentence, Count, Record, TableName, ColumnCount };

    explicit ReportTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    // Groups the report's entries by kind, in the order kinds first appear.
    // The report must outlive the model or be replaced with another call.
    void setReport(const Report* report);
    void setFilter(const QString& text);

    std::size_t totalEntries() const { return report_ ? report_->entries.size() : 0; }
    std::size_t shownEntries() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Group {
        ReportKind kind;
        std::vector<std::uint32_t> all;    // entries of the kind
        std::vector<std::uint32_t> shown;  // those that pass the filter
    };
    void ApplyFilter();
    const Group& GroupAt(int row) const { return groups_[visible_[static_cast<std::size_t>(row)]]; }

    const Report* report_ = nullptr;
    QString filter_;
    std::vector<Group> groups_;
    std::vector<std::uint32_t> visible_;  // groups with entries shown
};

// The report page: filter box, tree, entry count and "Save report…".
class ReportPanel : public QWidget {
    Q_OBJECT
public:
    // Kinds with up to this many entries are shown opened.
    static constexpr int kExpandedKind = 40;

    explicit ReportPanel(QWidget* parent = nullptr);
    void setReport(const Report* report);
    // Shows every entry again: a filter belongs to the model it was typed for.
    void clearFilter();

    ReportTreeModel* model() const { return model_; }
    QTreeView* tree() const { return tree_; }
    QLineEdit* filterBox() const { return filter_; }
    QPushButton* saveButton() const { return save_; }

signals:
    void saveRequested();

private:
    void UpdateCount();

    ReportTreeModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* save_ = nullptr;
    QTimer* filterTimer_ = nullptr;
};

}  // namespace corvane
