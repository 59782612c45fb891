// The main window: the two paths, the commands and their options, what the
// last conversion wrote, the tables of the model with the lookup of a row
// beside its picture, the report, the history and the recent files. Every command runs on a worker thread with a session of its
// own; the window takes over the session's model and report when the
// command has ended, and holds no conversion logic itself.
//
// The parts live in files of their own: TablePages (the tables),
// ReportTree (the report), ResultPanel (what a conversion wrote),
// CommandRunner (the worker), RecentFiles (the recent list);
// WindowLayout.cpp builds the window, WindowMenus.cpp the menu bar, drag
// and drop and help, WindowCommands.cpp runs the commands.
#pragma once

#include "app/PathText.h"
#include "app/QtServices.h"
#include "app/RecentFiles.h"
#include "app/Services.h"
#include "driver/Session.h"
#include "driver/Summary.h"
#include "picture/PictureModel.h"
#include "reader/Readers.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QTextBrowser;

namespace corvane {

class AnalysisPictureWorker;
class CommandRunner;
class ModelView;
class ReportPanel;
class ResultPanel;
class TablePages;
class TextFileView;

// What the window uses from outside; every part defaults to the real one.
struct WindowSetup {
    FileDialogs* dialogs = nullptr;             // Qt's file dialogs
    MessageSink* messages = nullptr;            // Qt's message boxes
    std::optional<RecentFileLocation> recent;   // DefaultRecentFileLocation()
};

class frmCorvaneMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmCorvaneMain(const WindowSetup& setup = {}, QWidget* parent = nullptr);
    ~frmCorvaneMain() override;

    // Picks a model as the input (the output follows it), clears what the
    // window showed of the last one and reads its tables. False while a
    // command runs.
    bool openModel(const std::string& path);
    // Sets the input and output paths only.
    void setInputPath(const std::string& path);
    std::string inputPath() const { return input_->path(); }
    std::string outputPath() const { return output_->path(); }

    bool busy() const;
    const Session& session() const { return session_; }
    const RecentFiles& recentFiles() const { return recent_; }
    // Merges the recent list into its file; a failure is shown.
    bool saveRecentFiles();

    // The parts, for tests and screenshots.
    QLineEdit* inputPathField() const { return input_->edit(); }
    QLineEdit* outputPathField() const { return output_->edit(); }
    QListWidget* historyList() const { return lstHistory_; }
    QListWidget* recentList() const { return lstRecent_; }
    QWidget* recentPanel() const { return grpRecent_; }
    QCheckBox* recentBox() const { return chkRecent_; }
    ResultPanel* resultPanel() const { return result_; }
    QSplitter* mainSplitter() const { return mainSplit_; }
    // The STAAD.Pro file view and the help, once opened.
    TextFileView* staadFileView() const { return staadView_; }
    QTextBrowser* helpBrowser() const { return help_; }
    TablePages* tables() const { return tables_; }
    ModelView* modelView() const { return modelView_; }
    ReportPanel* reportPanel() const { return report_; }
    QTabWidget* leftTabs() const { return tabs_; }
    QProgressBar* progressBar() const { return progress_; }
    // The button with this caption, e.g. "Make Staad" or "Joint Coordinates".
    QAbstractButton* button(const QString& caption) const;
    // The menu action with this text (without its "&" marks).
    QAction* action(const QString& text) const;
    // The lookup beside the tables: a section's members or areas, a
    // combination's cases and factors.
    QTableWidget* lookupResult() const;
    QLabel* printedText() const { return lblPrinted_; }
    QCheckBox* allSectionsBox() const { return chkAllSections_; }
    QCheckBox* renumberBox() const { return chkRenumber_; }
    QCheckBox* fullBox() const { return chkFull_; }
    const std::vector<std::string>& lastSectionFrames() const { return lastSectionFrames_; }
    const std::vector<std::string>& runList() const { return runList_; }

signals:
    // A command has ended and the window shows its outcome.
    void commandFinished(bool ok);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // WindowLayout.cpp
    void BuildWindow();
    QWidget* BuildPathsAndCommands();
    QWidget* BuildHistoryPanel();
    QPushButton* AddButton(const QString& caption, std::function<void()> handler);
    void SetCommandsEnabled(bool enabled);
    void ShowRecentFiles();
    // The full conversion includes the two options before it: ticked and
    // greyed while it is on, as they were when it goes off.
    void FullToggled(bool on);
    void ShowUnits();

    // WindowMenus.cpp
    void BuildMenus();
    QAction* AddAction(QMenu* menu, const QString& text, const QString& caption, const QKeySequence& key = {});
    void FillRecentMenu();
    void ShowHelp();
    void ViewStaadFile(const std::string& path);
    void OpenFolder(const std::string& folder);
    void ShowAbout();

    // WindowMesh.cpp: the picture shows the SAP2000 objects, or with View >
    // Analysis mesh the model as the full conversion meshes it, made on a
    // worker once per model on screen when first asked for.
    void ShowPicture(bool newModel);
    void MakeAnalysisPicture();
    void AnalysisPictureReady(std::uint64_t ticket, std::shared_ptr<const PictureModel> picture, const std::string& failure);

    // WindowCommands.cpp
    ConvertOptions Options() const;
    std::shared_ptr<Session> NewSession() const;
    // Runs a command on the worker; `command` fills the session and tells
    // whether it succeeded. The window then shows the session's model and
    // report (when `takeModel`), its picture, and explains a failure that
    // showed no message.
    using SessionCommand = std::function<bool(Session&, HistoryLog&, MessageSink&, Progress&)>;
    // `knownUnits`, when given, holds the unit names once the command has
    // filled it; else they are read from the input.
    bool RunOnSession(const QString& name, std::shared_ptr<Session> s, SessionCommand command, bool takeModel,
                      std::function<void(bool ok)> after = {}, std::shared_ptr<const UnitNames> knownUnits = nullptr);
    void TakeModel(Session&& s, std::shared_ptr<const PictureModel> picture, const UnitNames& names);
    // Shows what a command wrote: its files, its report by severity and,
    // for a conversion, the counts of the model and of the file.
    void ShowOutcome(const std::vector<std::string>& files, const std::string& staadFile,
                     std::optional<ModelCounts> sap2000, std::optional<ModelCounts> staad);
    void ClearModel();
    void ChooseInput();
    void ChooseOutput();
    void RunMakeStaad();
    void RunMakeAbaqus();
    void RunPreprocessor();
    void RunReader(const ReaderStep& step);
    void RunReadAll();
    void SaveReport();
    void ToggleHistory();
    void ShowRecentPanel(bool on);
    void MakeStaadToSap2000();
    void Command19();
    void Command22();
    void Command26();
    void LookUpRow(TableId table, std::size_t row);
    void ShowCombination(std::size_t combination);
    void AddRecent(const std::string& path);

    Session session_;  // the model and report on screen
    std::unique_ptr<QtMessages> ownMessages_;
    std::unique_ptr<QtFileDialogs> ownDialogs_;
    MessageSink* messages_ = nullptr;
    FileDialogs* dialogs_ = nullptr;
    std::unique_ptr<ListHistory> history_;
    CommandRunner* runner_ = nullptr;
    RecentFiles recent_;

    std::unique_ptr<PathField> input_, output_;
    UnitNames unitNames_;  // the units as the model on screen names them
    QLineEdit* txtForce_ = nullptr;
    QLineEdit* txtLength_ = nullptr;
    QCheckBox* chkAllSections_ = nullptr;
    QCheckBox* chkRenumber_ = nullptr;
    QCheckBox* chkFull_ = nullptr;
    bool optionsBeforeFull_[2] = {false, false};
    QListWidget* lstHistory_ = nullptr;
    QCheckBox* chkRecent_ = nullptr;
    QAction* historyAction_ = nullptr;
    QListWidget* lstRecent_ = nullptr;
    QWidget* grpRecent_ = nullptr;
    QPushButton* cmdHistory_ = nullptr;
    TablePages* tables_ = nullptr;
    ModelView* modelView_ = nullptr;
    ReportPanel* report_ = nullptr;
    ResultPanel* result_ = nullptr;
    TextFileView* staadView_ = nullptr;
    QTextBrowser* help_ = nullptr;
    QSplitter* mainSplit_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblPrinted_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::vector<QAbstractButton*> buttons_;
    std::vector<QAction*> actions_;
    std::vector<QAction*> commandActions_;  // disabled while a command runs

    QAction* meshAction_ = nullptr;
    std::shared_ptr<const PictureModel> objectsPicture_;  // the model on screen as read
    std::shared_ptr<const PictureModel> meshPicture_;     // its analysis model, once made
    std::uint64_t modelTicket_ = 0;  // counts the models put on screen
    std::uint64_t meshTicket_ = 0;   // the model meshPicture_ belongs to
    std::uint64_t meshAsked_ = 0;    // the model whose analysis picture is being made
    std::unique_ptr<AnalysisPictureWorker> meshWorker_;

    std::vector<std::string> runList_;  // the number list the test commands work on
    std::vector<std::string> lastSectionFrames_;
    std::vector<std::string> lastSectionAreas_;
    std::string shownInput_;  // the input of the model on screen
    bool closeWhenDone_ = false;
    bool saved_ = false;
};

}  // namespace corvane
