#include "app/ReportTree.h"

#include "app/PathText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <unordered_map>

namespace corvane {

namespace {

// Kind rows carry 0 as internal id; entry rows the row of their kind + 1.
constexpr quintptr kKindRow = 0;

}  // namespace

void ReportTreeModel::setReport(const Report* report) {
    beginResetModel();
    report_ = report;
    groups_.clear();
    if (report_) {
        std::unordered_map<int, std::size_t> groupOf;
        for (std::size_t i = 0; i < report_->entries.size(); ++i) {
            const ReportKind kind = report_->entries[i].kind;
            const auto [it, inserted] = groupOf.try_emplace(static_cast<int>(kind), groups_.size());
            if (inserted) groups_.push_back({kind, {}, {}});
            groups_[it->second].all.push_back(static_cast<std::uint32_t>(i));
        }
    }
    ApplyFilter();
    endResetModel();
}

void ReportTreeModel::setFilter(const QString& text) {
    if (text == filter_) return;
    beginResetModel();
    filter_ = text;
    ApplyFilter();
    endResetModel();
}

void ReportTreeModel::ApplyFilter() {
    visible_.clear();
    const QString needle = filter_.trimmed();
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        Group& group = groups_[g];
        if (needle.isEmpty()) {
            group.shown = group.all;
        } else {
            group.shown.clear();
            const QString kind = ShowText(KindId(group.kind));
            for (std::uint32_t i : group.all) {
                const ReportEntry& e = report_->entries[i];
                const QString hay = kind + '\t' + ShowText(e.table) + '\t' + ShowText(e.name) + '\t' + ShowText(Sentence(e));
                if (hay.contains(needle, Qt::CaseInsensitive)) group.shown.push_back(i);
            }
        }
        if (!group.shown.empty()) visible_.push_back(static_cast<std::uint32_t>(g));
    }
}

std::size_t ReportTreeModel::shownEntries() const {
    std::size_t n = 0;
    for (std::uint32_t g : visible_) n += groups_[g].shown.size();
    return n;
}

QModelIndex ReportTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount) return {};
    if (!parent.isValid()) {
        if (static_cast<std::size_t>(row) >= visible_.size()) return {};
        return createIndex(row, column, kKindRow);
    }
    if (parent.internalId() != kKindRow || static_cast<std::size_t>(row) >= GroupAt(parent.row()).shown.size()) return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex ReportTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kKindRow) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kKindRow);
}

int ReportTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(visible_.size());
    if (parent.internalId() != kKindRow || parent.column() != 0) return 0;
    return static_cast<int>(GroupAt(parent.row()).shown.size());
}

int ReportTreeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant ReportTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    if (index.internalId() == kKindRow) {
        const Group& group = GroupAt(index.row());
        if (index.column() == KindOrSentence) return ShowText(KindId(group.kind));
        if (index.column() == Count && role == Qt::DisplayRole) {
            if (group.shown.size() == group.all.size()) return QString::number(group.all.size());
            return QString("%1 of %2").arg(group.shown.size()).arg(group.all.size());
        }
        return {};
    }
    const Group& group = GroupAt(static_cast<int>(index.internalId() - 1));
    const ReportEntry& e = report_->entries[group.shown[static_cast<std::size_t>(index.row())]];
    switch (index.column()) {
        case KindOrSentence: return ShowText(Sentence(e));
        case TableName: return ShowText(e.table);
        case Record: return ShowText(e.name);
        default: return {};
    }
}

QVariant ReportTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case KindOrSentence: return QString("Kind / entry");
        case Count: return QString("Count");
        case TableName: return QString("SAP2000 table");
        case Record: return QString("Record");
        default: return {};
    }
}

ReportPanel::ReportPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("reportPanel");
    model_ = new ReportTreeModel(this);

    auto* filterLabel = new QLabel("Fi&lter:");
    filter_ = new QLineEdit;
    filter_->setObjectName("txtReportFilter");
    filter_->setPlaceholderText("kind, table, record or words of the sentence");
    filter_->setClearButtonEnabled(true);
    filterLabel->setBuddy(filter_);
    count_ = new QLabel;
    count_->setObjectName("lblReportCount");
    save_ = new QPushButton("S&ave report\u2026");
    save_->setObjectName("cmdSaveReport");
    save_->setToolTip("Write every entry to a file: tab-separated, or JSON when the name ends in .json");

    tree_ = new QTreeView;
    tree_->setObjectName("treeReport");
    tree_->setModel(model_);
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The sentence is never cut: its column is as wide as the longest one
    // near the rows shown, and the tree scrolls sideways when it must.
    tree_->header()->setStretchLastSection(true);
    tree_->header()->setSectionResizeMode(ReportTreeModel::KindOrSentence, QHeaderView::ResizeToContents);
    tree_->header()->resizeSection(ReportTreeModel::Count, 70);
    tree_->header()->resizeSection(ReportTreeModel::TableName, 150);
    tree_->header()->resizeSection(ReportTreeModel::Record, 90);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setMinimumSize(160, 80);

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filter_, 1);
    top->addWidget(count_);
    top->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(tree_, 1);

    // Large reports are filtered once the typing pauses.
    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(200);
    connect(filter_, &QLineEdit::textChanged, filterTimer_, qOverload<>(&QTimer::start));
    connect(filterTimer_, &QTimer::timeout, this, [this] {
        model_->setFilter(filter_->text());
        if (!filter_->text().trimmed().isEmpty() && model_->rowCount() <= 5) tree_->expandAll();
        UpdateCount();
    });
    connect(save_, &QPushButton::clicked, this, &ReportPanel::saveRequested);
    UpdateCount();
}

void ReportPanel::setReport(const Report* report) {
    model_->setReport(report);
    // Small kinds open at once, so their sentences can be read.
    for (int r = 0; r < model_->rowCount(); ++r) {
        const QModelIndex kind = model_->index(r, 0);
        if (model_->rowCount(kind) <= kExpandedKind) tree_->expand(kind);
    }
    UpdateCount();
}

void ReportPanel::clearFilter() {
    filterTimer_->stop();
    filter_->clear();
    filterTimer_->stop();  // clearing the text started it again
    model_->setFilter(QString());
    UpdateCount();
}

void ReportPanel::UpdateCount() {
    const std::size_t total = model_->totalEntries(), shown = model_->shownEntries();
    count_->setText(shown == total ? QString("%1 entries").arg(total) : QString("%1 of %2 entries").arg(shown).arg(total));
    save_->setEnabled(total > 0);
}

}  // namespace corvane
