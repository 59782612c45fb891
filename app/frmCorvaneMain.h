// The main window: the two paths, the units, the history, the recent files,
// one group of lists per table beside the button that reads it, and every
// command of the converter.
#pragma once

#include "app/QtServices.h"
#include "app/Services.h"
#include "driver/Session.h"
#include "reader/Readers.h"

#include <QAbstractListModel>
#include <QMainWindow>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace corvane {

// A list of texts held elsewhere, shown without copying: the view asks for
// a row's text when it paints it. Refresh() after the texts changed.
class TextListModel : public QAbstractListModel {
public:
    explicit TextListModel(QObject* parent) : QAbstractListModel(parent) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void Refresh() {
        beginResetModel();
        endResetModel();
    }

protected:
    virtual std::size_t Size() const = 0;
    virtual std::string Text(std::size_t row) const = 0;
    // Shown under Qt::UserRole; empty when the list has no detail.
    virtual std::string Detail(std::size_t) const { return {}; }
};

// One column of a model table.
class ColumnModel : public TextListModel {
public:
    ColumnModel(const Table* table, int col, QObject* parent) : TextListModel(parent), table_(table), col_(col) {}

private:
    std::size_t Size() const override { return table_->rows(); }
    std::string Text(std::size_t row) const override { return table_->Text(row, col_); }
    const Table* table_;
    int col_;
};

// The list of combinations: the name at each combination's first row.
class CombinationListModel : public TextListModel {
public:
    CombinationListModel(const Model* model, QObject* parent) : TextListModel(parent), model_(model) {}

private:
    std::size_t Size() const override { return model_->combinationStarts.size(); }
    std::string Text(std::size_t row) const override {
        return (*model_)[TableId::Combinations].Text(model_->combinationStarts[row], CombinationCol::ComboName);
    }
    const Model* model_;
};

// The report entries: "kind: name" per line, the sentence as detail.
class ReportModel : public TextListModel {
public:
    ReportModel(const Report* report, QObject* parent) : TextListModel(parent), report_(report) {}

private:
    std::size_t Size() const override { return report_->entries.size(); }
    std::string Text(std::size_t row) const override;
    std::string Detail(std::size_t row) const override { return Sentence(report_->entries[row]); }
    const Report* report_;
};

class frmCorvaneMain : public QMainWindow {
    Q_OBJECT
public:
    // Dialogs and messages default to Qt's; tests pass their own.
    explicit frmCorvaneMain(FileDialogs* dialogs = nullptr, MessageSink* messages = nullptr, QWidget* parent = nullptr);
    ~frmCorvaneMain() override;

    Session& session() { return session_; }
    QLineEdit* inputPathField() const { return txtSapFile_; }
    QLineEdit* outputPathField() const { return txtStaadFile_; }
    QListWidget* historyList() const { return lstHistory_; }
    QListWidget* recentList() const { return lstRecent_; }
    QListView* reportList() const { return lstReport_; }
    QGroupBox* reportGroup() const { return grpReport_; }
    QPushButton* button(const QString& caption) const;
    QListView* columnList(const QString& table, const QString& column) const;
    QComboBox* lookupResult() const { return cboLookup_; }
    QLabel* printedText() const { return lblPrinted_; }
    QCheckBox* allSectionsBox() const { return chkAllSections_; }
    QCheckBox* renumberBox() const { return chkRenumber_; }
    const std::vector<std::string>& lastSectionFrames() const { return lastSectionFrames_; }
    const std::vector<std::string>& runList() const { return runList_; }

    // Writes "corvane.dat" in the working folder; a failure is shown.
    bool saveRecentFiles();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct TableView {
        QString table;
        std::vector<ColumnModel*> models;
        std::vector<QListView*> lists;
    };

    void BuildWindow();
    QWidget* BuildHistoryPanel();
    QWidget* BuildTableGroup(const QString& caption, const QString& buttonCaption, const QString& table,
                             void (*reader)(ReadContext&));
    QPushButton* AddButton(const QString& caption, void (frmCorvaneMain::*handler)());

    void ChooseInput();
    void ChooseOutput();
    void RunMakeStaad();
    void RunMakeAbaqus();
    void RunPreprocessor();
    void RunReader(void (*reader)(ReadContext&));
    void ToggleHistory();
    void ExitProgram();
    void MakeStaadToSap2000();
    void Command19();
    void Command22();
    void Command26();
    void ShowAbout();
    void ShowFrameSectionFrames(const QModelIndex& index);
    void ShowAreaSectionAreas(const QModelIndex& index);
    void ShowComboCases(const QModelIndex& index);
    void ShowLookup(const std::vector<std::string>& items);

    void SyncUnitsToSession();
    void RefreshTables();
    void RefreshReport();
    void SetCommandsEnabled(bool enabled);
    std::string InputPath() const;
    std::string OutputPath() const;
    void SetInputPath(const std::string& path);

    Session session_;
    std::unique_ptr<QtMessages> ownMessages_;
    std::unique_ptr<QtFileDialogs> ownDialogs_;
    MessageSink* messages_ = nullptr;
    FileDialogs* dialogs_ = nullptr;
    std::unique_ptr<ListHistory> history_;

    QLineEdit* txtSapFile_ = nullptr;
    QLineEdit* txtStaadFile_ = nullptr;
    QLineEdit* txtForce_ = nullptr;
    QLineEdit* txtLength_ = nullptr;
    QListWidget* lstHistory_ = nullptr;
    QListWidget* lstRecent_ = nullptr;
    QListView* lstReport_ = nullptr;
    ReportModel* reportModel_ = nullptr;
    QGroupBox* grpReport_ = nullptr;
    QPushButton* cmdHistory_ = nullptr;
    QComboBox* cboLookup_ = nullptr;
    QLabel* lblPrinted_ = nullptr;
    QCheckBox* chkAllSections_ = nullptr;
    QCheckBox* chkRenumber_ = nullptr;
    QListView* lstCombinationList_ = nullptr;
    CombinationListModel* combinationListModel_ = nullptr;
    std::vector<std::string> runList_;  // the number list the test commands work on
    std::vector<QPushButton*> buttons_;
    std::vector<TableView> tableViews_;
    std::vector<std::string> lastSectionFrames_;
    std::vector<std::string> lastSectionAreas_;
    bool saved_ = false;
};

}  // namespace corvane
