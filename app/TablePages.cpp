#include "app/TablePages.h"

#include "app/PathText.h"
#include "app/TableModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QEvent>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

namespace {

const char* CategoryOf(TableId id) {
    if (Describe(id).full) return "Full conversion";
    if (id <= TableId::Releases) return "Geometry";
    if (id <= TableId::AreaAssigns) return "Sections";
    return "Loads";
}

}  // namespace

TablePages::TablePages(const Model* model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("tablePages");
    tableList_ = new QListWidget;
    tableList_->setObjectName("lstTables");
    tableList_->setToolTip("The SAP2000 tables of the model and their rows");
    stack_ = new QStackedWidget;

    const char* category = nullptr;
    for (TableId id : kTableOrder) {
        if (category != CategoryOf(id)) {
            category = CategoryOf(id);
            auto* heading = new QListWidgetItem(category, tableList_);
            heading->setFlags(Qt::ItemIsEnabled);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            if (Describe(id).full) fullHeading_ = heading;
        }
        const ReaderStep* step = ReaderOf(id);
        Page& page = pages_[Index(id)];
        page.caption = step ? ShowText(step->name) : ShowText(Describe(id).name);
        auto* item = new QListWidgetItem(page.caption, tableList_);
        item->setData(Qt::UserRole, stack_->count());
        page.listRow = tableList_->row(item);
        stack_->addWidget(BuildPage(id, step));
    }
    tableList_->setMinimumWidth(100);
    connect(tableList_, &QListWidget::currentRowChanged, this, [this](int row) {
        const QListWidgetItem* item = tableList_->item(row);
        if (item && item->data(Qt::UserRole).isValid()) stack_->setCurrentIndex(item->data(Qt::UserRole).toInt());
    });

    // The list starts wide enough for the longest caption with a count of
    // six figures; the splitter gives its room to the table when wanted.
    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName("splitTables");
    split->setChildrenCollapsible(false);
    split->addWidget(tableList_);
    split->addWidget(stack_);
    split->addWidget(BuildLookup());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setStretchFactor(2, 0);
    const int listWidth = tableList_->sizeHintForColumn(0) + tableList_->fontMetrics().horizontalAdvance(" (000000)") + 24;
    split->setSizes({listWidth, 4 * listWidth, 2 * listWidth / 3});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    UpdateCaptions();
    showTable(TableId::Joints);
}

QWidget* TablePages::BuildPage(TableId id, const ReaderStep* step) {
    Page& page = pages_[Index(id)];
    page.group = new QGroupBox(page.caption);
    page.group->setFlat(true);
    page.group->setObjectName(ShowText(Describe(id).name));
    auto* layout = new QVBoxLayout(page.group);

    auto* top = new QHBoxLayout;
    if (step) {
        auto* button = new QPushButton(ShowText(step->name));
        button->setToolTip("Read this table alone from the SAP2000 file");
        top->addWidget(button);
        buttons_.push_back({id, step, button});
    }
    auto* source = new QLabel("SAP2000 table \"" + ShowText(Describe(id).sapName) + "\"");
    source->setForegroundRole(QPalette::PlaceholderText);
    source->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // never widens the window
    top->addWidget(source, 1);
    layout->addLayout(top);

    page.model = new TableModel(&(*model_)[id], this);
    page.view = new QTableView;
    page.view->setObjectName(ShowText(Describe(id).name) + "View");
    page.view->setModel(page.model);
    page.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    page.view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    page.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    page.view->setAlternatingRowColors(true);
    page.view->setWordWrap(false);
    page.view->verticalHeader()->hide();
    page.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    page.view->verticalHeader()->setDefaultSectionSize(page.view->fontMetrics().height() + 6);
    page.view->horizontalHeader()->setDefaultSectionSize(90);
    page.view->horizontalHeader()->setMinimumSectionSize(60);
    page.view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    page.view->setSortingEnabled(true);
    page.view->setMinimumSize(160, 80);
    page.view->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move within it
    page.view->viewport()->installEventFilter(this);
    const TableModel* model = page.model;
    connect(page.view, &QTableView::clicked, this, [this, id, model](const QModelIndex& index) {
        if (index.isValid()) emit rowClicked(id, model->tableRow(index.row()));
    });

    if (id != TableId::Combinations) {
        layout->addWidget(page.view, 1);
        return page.group;
    }
    auto* split = new QSplitter(Qt::Horizontal);
    split->setChildrenCollapsible(false);
    split->addWidget(page.view);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel("Combinations");
    sideLayout->addWidget(label);
    combinationList_ = new QListView;
    combinationList_->setObjectName("CombinationList");
    combinationList_->setToolTip("Click a combination to list its cases and factors beside the table");
    combinationList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    combinationList_->setUniformItemSizes(true);
    combinationList_->setMinimumWidth(100);
    label->setBuddy(combinationList_);
    combinationModel_ = new CombinationListModel(model_, combinationList_);
    combinationList_->setModel(combinationModel_);
    connect(combinationList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit combinationClicked(static_cast<std::size_t>(index.row()));
    });
    sideLayout->addWidget(combinationList_, 1);
    split->addWidget(side);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    return page.group;
}

void TablePages::showTable(TableId id) { tableList_->setCurrentRow(pages_[Index(id)].listRow); }

TableId TablePages::shownTable() const {
    for (TableId id : kTableOrder)
        if (pages_[Index(id)].group == stack_->currentWidget()) return id;
    return TableId::Joints;
}

void TablePages::beginChange() {
    for (auto& page : pages_) page.model->beginChange();
    combinationModel_->beginChange();
}

void TablePages::endChange() {
    for (auto& page : pages_) {
        page.model->endChange();
        page.view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        page.view->resizeColumnsToContents();
        QHeaderView* header = page.view->horizontalHeader();
        page.natural.assign(static_cast<std::size_t>(header->count()), 0);
        for (int k = 0; k < header->count(); ++k) page.natural[static_cast<std::size_t>(k)] = header->sectionSize(k);
        SpreadColumns(page);
    }
    combinationModel_->endChange();
    UpdateCaptions();
}

void TablePages::SpreadColumns(Page& page) {
    QHeaderView* header = page.view->horizontalHeader();
    const int n = static_cast<int>(page.natural.size());
    if (n == 0 || n != header->count()) return;
    int total = 0;
    for (int w : page.natural) total += w;
    const int room = page.view->viewport()->width();
    const int extra = std::max(0, room - total) / n;
    for (int k = 0; k < n; ++k) {
        const int natural = page.natural[static_cast<std::size_t>(k)];
        header->resizeSection(k, natural + std::min(extra, natural));
    }
}

bool TablePages::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        for (auto& page : pages_)
            if (page.view && watched == page.view->viewport()) SpreadColumns(page);
    return QWidget::eventFilter(watched, event);
}

QWidget* TablePages::BuildLookup() {
    lookupPanel_ = new QWidget;
    lookupPanel_->setObjectName("pnlLookup");
    auto* layout = new QVBoxLayout(lookupPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    lookupCaption_ = new QLabel;
    lookupCaption_->setObjectName("lblLookup");
    lookupCaption_->setWordWrap(true);
    lookup_ = new QTableWidget;
    lookup_->setObjectName("tblLookup");
    lookup_->setToolTip("What the row chosen last refers to");
    lookup_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lookup_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lookup_->setTabKeyNavigation(false);
    lookup_->setAlternatingRowColors(true);
    lookup_->setWordWrap(false);
    lookup_->verticalHeader()->hide();
    lookup_->verticalHeader()->setDefaultSectionSize(lookup_->fontMetrics().height() + 6);
    lookup_->horizontalHeader()->setStretchLastSection(true);
    lookup_->setMinimumWidth(90);
    layout->addWidget(lookupCaption_);
    layout->addWidget(lookup_, 1);
    lookupPanel_->hide();
    return lookupPanel_;
}

void TablePages::showLookup(const QString& caption, const QStringList& headers, const std::vector<QStringList>& rows) {
    lookup_->clear();
    lookup_->setColumnCount(static_cast<int>(headers.size()));
    lookup_->setHorizontalHeaderLabels(headers);
    lookup_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QStringList& row = rows[static_cast<std::size_t>(r)];
        for (int k = 0; k < row.size() && k < headers.size(); ++k) {
            auto* item = new QTableWidgetItem(row[k]);
            bool number = false;
            row[k].toDouble(&number);
            item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
            lookup_->setItem(r, k, item);
        }
    }
    lookup_->resizeColumnsToContents();
    lookupCaption_->setText(caption);
    lookupPanel_->show();
}

void TablePages::clearLookup() {
    lookup_->clear();
    lookup_->setRowCount(0);
    lookup_->setColumnCount(0);
    lookupCaption_->clear();
    lookupPanel_->hide();
}

void TablePages::UpdateCaptions() {
    // The full conversion's own tables are listed when it read the model.
    if (fullHeading_) fullHeading_->setHidden(!model_->full);
    for (TableId id : kTableOrder) {
        Page& page = pages_[Index(id)];
        const Table& table = (*model_)[id];
        tableList_->item(page.listRow)->setHidden(Describe(id).full && !model_->full);
        const QString caption = QString("%1 (%2)").arg(page.caption).arg(table.rows());
        page.group->setTitle(caption);
        QListWidgetItem* item = tableList_->item(page.listRow);
        item->setText(caption);
        item->setToolTip(table.found() ? QString("%1 rows read").arg(table.rows()) : QString("Not read, or not in the file"));
    }
}

}  // namespace corvane
