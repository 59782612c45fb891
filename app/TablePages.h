// The SAP2000 tables of the model, one page each: a list of the tables
// (grouped as geometry, sections and loads, each with its row count) beside
// the page of the chosen table, and beside it the lookup of the row chosen
// last (a section's members, a combination's cases and factors). A page is
// a group captioned with the table and its row count, the button of the
// table's reader, and one table view over the model's table; its columns
// share out the width the view has. The combinations page also lists the
// combinations.
#pragma once

#include "model/Model.h"
#include "reader/Readers.h"

#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QListView;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;

namespace corvane {

class CombinationListModel;
class TableModel;

class TablePages : public QWidget {
    Q_OBJECT
public:
    // Shows the tables of `model`, which outlives the pages.
    TablePages(const Model* model, QWidget* parent = nullptr);

    QTableView* view(TableId id) const { return pages_[Index(id)].view; }
    QGroupBox* group(TableId id) const { return pages_[Index(id)].group; }
    TableModel* tableModel(TableId id) const { return pages_[Index(id)].model; }
    QListView* combinationList() const { return combinationList_; }
    QListWidget* tableList() const { return tableList_; }
    // The reader buttons, one per table, with the table and the reader
    // that fills it.
    struct ReaderButton {
        TableId id;
        const ReaderStep* step;
        QPushButton* button;
    };
    const std::vector<ReaderButton>& readerButtons() const { return buttons_; }

    void showTable(TableId id);
    TableId shownTable() const;

    // The lookup beside the table: a caption, column headers and rows.
    void showLookup(const QString& caption, const QStringList& headers, const std::vector<QStringList>& rows);
    void clearLookup();
    QTableWidget* lookupTable() const { return lookup_; }
    QLabel* lookupCaption() const { return lookupCaption_; }

    // Around any change of the model: views, captions and counts follow.
    void beginChange();
    void endChange();

signals:
    // A row of a table was clicked, given as the table's own row.
    void rowClicked(TableId id, std::size_t row);
    void combinationClicked(std::size_t combination);

private:
    static std::size_t Index(TableId id) { return static_cast<std::size_t>(id); }
    struct Page {
        QGroupBox* group = nullptr;
        QTableView* view = nullptr;
        TableModel* model = nullptr;
        QString caption;
        int listRow = -1;  // its row in the list of tables
        std::vector<int> natural;  // the columns' widths for their contents
    };
    QWidget* BuildPage(TableId id, const ReaderStep* step);
    QWidget* BuildLookup();
    void UpdateCaptions();
    // Gives the columns of a page the view's width: each its contents'
    // width and a share of what is left, at most twice as wide.
    void SpreadColumns(Page& page);
    bool eventFilter(QObject* watched, QEvent* event) override;

    const Model* model_;
    std::array<Page, kTableCount> pages_;
    QListWidget* tableList_ = nullptr;
    QListWidgetItem* fullHeading_ = nullptr;  // the heading of the full conversion's tables
    QStackedWidget* stack_ = nullptr;
    QListView* combinationList_ = nullptr;
    CombinationListModel* combinationModel_ = nullptr;
    std::vector<ReaderButton> buttons_;
    QWidget* lookupPanel_ = nullptr;
    QLabel* lookupCaption_ = nullptr;
    QTableWidget* lookup_ = nullptr;
};

}  // namespace corvane
