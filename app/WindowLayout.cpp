// The window's parts and where they stand: paths and units on top, the
// commands and options under them, what the last conversion wrote under
// those, the tables (with the lookup) and the report on the left beside the
// picture of the model, the history and recent files under the picture.
// The test commands live in the Tools menu only.
#include "app/AnalysisPicture.h"
#include "app/CommandRunner.h"
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/ResultPanel.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"
#include "driver/Files.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

QString WithoutMarks(QString text) { return text.remove('&'); }

}  // namespace

frmCorvaneMain::frmCorvaneMain(const WindowSetup& setup, QWidget* parent)
    : QMainWindow(parent), recent_(setup.recent ? *setup.recent : DefaultRecentFileLocation()) {
    setObjectName("frmCorvaneMain");
    setWindowTitle("Corvane Converter");
    messages_ = setup.messages;
    if (!messages_) {
        ownMessages_ = std::make_unique<QtMessages>(this);
        messages_ = ownMessages_.get();
    }
    dialogs_ = setup.dialogs;
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<QtFileDialogs>(this);
        dialogs_ = ownDialogs_.get();
    }
    BuildWindow();
    history_ = std::make_unique<ListHistory>(lstHistory_);
    runner_ = new CommandRunner(*history_, *messages_, this);
    connect(runner_, &CommandRunner::busyChanged, this, [this](bool busy) {
        SetCommandsEnabled(!busy);
        progress_->setVisible(busy);
        if (busy) lblStatus_->setText(runner_->current() + "\u2026");
    });
    connect(runner_, &CommandRunner::progressed, this, [this](int done, int total) {
        progress_->setRange(0, total);
        progress_->setValue(done);
    });
    BuildMenus();
    setAcceptDrops(true);

    recent_.Load();
    ShowRecentFiles();
    // The paths start at the newest recent file that still exists.
    if (!recent_.entries().empty() && IsExistingFile(recent_.entries().back())) setInputPath(recent_.entries().back());
    resize(1280, 800);
}

frmCorvaneMain::~frmCorvaneMain() {
    // The worker goes first: it may still hand lines to the history list.
    delete runner_;
    runner_ = nullptr;
    meshWorker_.reset();
    // Then the views, which read the session's model and report until they
    // are gone (closing the window repaints what is shown).
    report_->setReport(nullptr);
    delete takeCentralWidget();
}

QPushButton* frmCorvaneMain::AddButton(const QString& caption, std::function<void()> handler) {
    auto* b = new QPushButton(caption);
    if (handler) connect(b, &QPushButton::clicked, this, std::move(handler));
    buttons_.push_back(b);
    return b;
}

QAbstractButton* frmCorvaneMain::button(const QString& caption) const {
    for (auto* b : buttons_)
        if (WithoutMarks(b->text()) == caption) return b;
    return nullptr;
}

QAction* frmCorvaneMain::action(const QString& text) const {
    for (auto* a : actions_)
        if (WithoutMarks(a->text()) == text) return a;
    return nullptr;
}

QTableWidget* frmCorvaneMain::lookupResult() const { return tables_->lookupTable(); }

void frmCorvaneMain::BuildWindow() {
    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);
    root->addWidget(BuildPathsAndCommands());

    tables_ = new TablePages(&session_.model);
    for (const TablePages::ReaderButton& rb : tables_->readerButtons()) {
        const ReaderStep* reader = rb.step;
        connect(rb.button, &QPushButton::clicked, this, [this, reader] { RunReader(*reader); });
        buttons_.push_back(rb.button);
    }
    connect(tables_, &TablePages::rowClicked, this, &frmCorvaneMain::LookUpRow);
    connect(tables_, &TablePages::combinationClicked, this, &frmCorvaneMain::ShowCombination);

    report_ = new ReportPanel;
    report_->setReport(&session_.report);
    connect(report_, &ReportPanel::saveRequested, this, &frmCorvaneMain::SaveReport);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("tabTables");
    // The tabs are switched with Ctrl+1 and Ctrl+2 (View menu); their
    // letters are left to the buttons.
    tabs_->addTab(tables_, "Tables");
    tabs_->addTab(report_, "Report (0)");

    modelView_ = new ModelView;
    auto* right = new QSplitter(Qt::Vertical);
    right->setObjectName("splitRight");
    right->setChildrenCollapsible(false);
    right->addWidget(modelView_);
    right->addWidget(BuildHistoryPanel());
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    right->setSizes({620, 380});

    // The tables get three fifths of the width, the picture and the history
    // the rest; both grow with the window in that proportion.
    mainSplit_ = new QSplitter(Qt::Horizontal);
    mainSplit_->setObjectName("splitMain");
    mainSplit_->setChildrenCollapsible(false);
    mainSplit_->addWidget(tabs_);
    mainSplit_->addWidget(right);
    mainSplit_->setStretchFactor(0, 3);
    mainSplit_->setStretchFactor(1, 2);
    mainSplit_->setSizes({600, 400});
    root->addWidget(mainSplit_, 1);
    setCentralWidget(central);

    lblStatus_ = new QLabel;
    lblStatus_->setObjectName("lblStatus");
    statusBar()->addWidget(lblStatus_, 1);
    progress_ = new QProgressBar;
    progress_->setObjectName("barProgress");
    progress_->setMaximumWidth(220);
    progress_->setTextVisible(false);
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
    // What the test commands print.
    lblPrinted_ = new QLabel;
    lblPrinted_->setObjectName("lblPrinted");
    statusBar()->addPermanentWidget(lblPrinted_);

    // Tab goes through the paths, the units and the commands in reading order.
    const QList<QWidget*> order{input_->edit(),         button("Sap2000 File"), output_->edit(), button("Staad File"),
                                txtForce_,              txtLength_,             button("Unit"),  button("Make Staad"),
                                button("Make ABAQUS "), button("Preprocessor"), button("Exit"),  chkAllSections_,
                                chkRenumber_,           chkFull_,               tabs_};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* frmCorvaneMain::BuildPathsAndCommands() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    auto* paths = new QGridLayout;
    auto* txtSapFile = new QLineEdit;
    txtSapFile->setObjectName("txtSapFile");
    txtSapFile->setPlaceholderText("The SAP2000 text export to read (.s2k, .$2k); drop one on the window");
    txtSapFile->setAcceptDrops(false);
    input_ = std::make_unique<PathField>(txtSapFile);
    auto* txtStaadFile = new QLineEdit;
    txtStaadFile->setObjectName("txtStaadFile");
    txtStaadFile->setPlaceholderText("The STAAD.Pro file to write; follows the SAP2000 file");
    txtStaadFile->setAcceptDrops(false);
    output_ = std::make_unique<PathField>(txtStaadFile);
    auto* sapLabel = new QLabel("&Sap File");
    sapLabel->setBuddy(txtSapFile);
    auto* staadLabel = new QLabel("Staad File");
    staadLabel->setBuddy(txtStaadFile);
    paths->addWidget(sapLabel, 0, 0);
    paths->addWidget(txtSapFile, 0, 1);
    paths->addWidget(AddButton("Sap&2000 File", [this] { ChooseInput(); }), 0, 2);
    paths->addWidget(staadLabel, 1, 0);
    paths->addWidget(txtStaadFile, 1, 1);
    paths->addWidget(AddButton("Staa&d File", [this] { ChooseOutput(); }), 1, 2);

    // The units as the model names them; read from the model, never typed.
    txtForce_ = new QLineEdit;
    txtForce_->setObjectName("txtForce");
    txtForce_->setReadOnly(true);
    txtForce_->setMaximumWidth(70);
    txtForce_->setToolTip("The model's force unit (read from the model; kept for the next input when it has none)");
    txtLength_ = new QLineEdit;
    txtLength_->setObjectName("txtLength");
    txtLength_->setReadOnly(true);
    txtLength_->setMaximumWidth(70);
    txtLength_->setToolTip("The model's length unit (read from the model; kept for the next input when it has none)");
    for (QLineEdit* unit : {txtForce_, txtLength_}) {
        QPalette grey = unit->palette();
        grey.setColor(QPalette::Base, grey.color(QPalette::Window));
        unit->setPalette(grey);
    }
    auto* forceLabel = new QLabel("Force");
    forceLabel->setBuddy(txtForce_);
    auto* lengthLabel = new QLabel("Length");
    lengthLabel->setBuddy(txtLength_);
    paths->addWidget(forceLabel, 0, 3);
    paths->addWidget(txtForce_, 0, 4);
    paths->addWidget(lengthLabel, 1, 3);
    paths->addWidget(txtLength_, 1, 4);
    auto* unit = AddButton("U&nit", nullptr);
    unit->setToolTip("Read the units alone from the SAP2000 file");
    connect(unit, &QPushButton::clicked, this, [this] { RunReader(UnitsReader()); });
    paths->addWidget(unit, 0, 5);
    paths->setColumnStretch(1, 1);
    v->addLayout(paths);
    // Enter in the input field opens what was typed.
    connect(txtSapFile, &QLineEdit::returnPressed, this, [this] { openModel(inputPath()); });

    auto* commands = new QHBoxLayout;
    auto* make = AddButton("Ma&ke Staad", [this] { RunMakeStaad(); });
    make->setToolTip("Convert the SAP2000 file to the STAAD.Pro file (Ctrl+R)");
    commands->addWidget(make);
    AddButton("Make A&BAQUS ", [this] { RunMakeAbaqus(); })->setToolTip("Write the shell part as an Abaqus deck beside the SAP2000 file");
    commands->addWidget(buttons_.back());
    AddButton("&Preprocessor", [this] { RunPreprocessor(); })->setToolTip("Write a cleaned copy of the SAP2000 file beside it (.tmp)");
    commands->addWidget(buttons_.back());
    commands->addStretch(1);
    AddButton("E&xit", [this] { close(); });
    commands->addWidget(buttons_.back());
    v->addLayout(commands);

    auto* options = new QHBoxLayout;
    chkAllSections_ = new QCheckBox("C&onvert every section shape");
    chkAllSections_->setObjectName("chkAllSections");
    chkAllSections_->setToolTip("Give members of every section shape a property from the section's computed properties");
    chkRenumber_ = new QCheckBox("Renu&mber for STAAD.Pro");
    chkRenumber_->setObjectName("chkRenumber");
    chkRenumber_->setToolTip("Give joints, members and shells whole numbers STAAD.Pro accepts; the number map goes beside the output");
    chkFull_ = new QCheckBox("F&ull conversion");
    chkFull_->setObjectName("chkFull");
    chkFull_->setToolTip("Carry across everything the converter knows (includes the two options before)");
    connect(chkFull_, &QCheckBox::toggled, this, &frmCorvaneMain::FullToggled);
    options->addWidget(chkAllSections_);
    options->addWidget(chkRenumber_);
    options->addWidget(chkFull_);
    options->addStretch(1);
    v->addLayout(options);

    result_ = new ResultPanel;
    connect(result_, &ResultPanel::openFolderRequested, this, &frmCorvaneMain::OpenFolder);
    connect(result_, &ResultPanel::viewFileRequested, this, &frmCorvaneMain::ViewStaadFile);
    connect(result_, &ResultPanel::reportRequested, this, [this] { tabs_->setCurrentWidget(report_); });
    v->addWidget(result_);
    return box;
}

QWidget* frmCorvaneMain::BuildHistoryPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("pnlHistory");
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);

    auto* top = new QHBoxLayout;
    auto* caption = new QLabel("History");
    top->addWidget(caption, 1);
    // The recent-file list has its own switch; "Hide History" hides the
    // history, as it says.
    chkRecent_ = new QCheckBox("Sho&w recent files");
    chkRecent_->setObjectName("chkRecent");
    chkRecent_->setChecked(true);
    chkRecent_->setToolTip("Show or hide the list of recent files");
    connect(chkRecent_, &QCheckBox::toggled, this, &frmCorvaneMain::ShowRecentPanel);
    top->addWidget(chkRecent_);
    cmdHistory_ = AddButton("Hide Histor&y", [this] { ToggleHistory(); });
    cmdHistory_->setToolTip("Show or hide the history of the last command");
    top->addWidget(cmdHistory_);
    v->addLayout(top);

    auto* lists = new QHBoxLayout;
    lstHistory_ = new QListWidget;
    lstHistory_->setObjectName("lstHistory");
    lstHistory_->setTextElideMode(Qt::ElideNone);  // long lines scroll sideways, never cut
    lstHistory_->setMinimumSize(120, 60);
    caption->setBuddy(lstHistory_);
    lists->addWidget(lstHistory_, 2);

    auto* recentBox = new QGroupBox("Recent files");
    recentBox->setObjectName("grpRecent");
    auto* rv = new QVBoxLayout(recentBox);
    rv->setContentsMargins(4, 4, 4, 4);
    lstRecent_ = new QListWidget;
    lstRecent_->setObjectName("lstRecent");
    lstRecent_->setToolTip("Newest first; double click a file to open it");
    lstRecent_->setMinimumSize(100, 40);
    rv->addWidget(lstRecent_);
    grpRecent_ = recentBox;
    connect(lstRecent_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
        openModel(bytes.toStdString());
    });
    lists->addWidget(recentBox, 1);
    v->addLayout(lists, 1);
    return panel;
}

void frmCorvaneMain::SetCommandsEnabled(bool enabled) {
    for (auto* b : buttons_)
        if (b != cmdHistory_ && b != button("Exit")) b->setEnabled(enabled);
    for (auto* a : commandActions_) a->setEnabled(enabled);
    lstRecent_->setEnabled(enabled);
    if (recentMenu_) recentMenu_->setEnabled(enabled);
}

void frmCorvaneMain::ShowRecentFiles() {
    lstRecent_->clear();
    // Newest first, as File > Open recent; the name, with its folder as the tip.
    const auto& entries = recent_.entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const QString shown = ShowPath(*it);
        auto* item = new QListWidgetItem(shown.section('/', -1), lstRecent_);
        item->setData(Qt::UserRole, QByteArray(it->data(), static_cast<qsizetype>(it->size())));
        const QString folder = ShowPath(FolderOf(*it));
        item->setToolTip(folder.isEmpty() ? shown : folder);
    }
    FillRecentMenu();
}

void frmCorvaneMain::ToggleHistory() {
    const bool hide = lstHistory_->isVisibleTo(this);
    lstHistory_->setVisible(!hide);
    cmdHistory_->setText(hide ? "Show Histor&y" : "Hide Histor&y");
    if (historyAction_) historyAction_->setChecked(!hide);
}

void frmCorvaneMain::ShowRecentPanel(bool on) {
    grpRecent_->setVisible(on);
    if (chkRecent_->isChecked() != on) chkRecent_->setChecked(on);
}

void frmCorvaneMain::FullToggled(bool on) {
    QCheckBox* included[2] = {chkAllSections_, chkRenumber_};
    for (int k = 0; k < 2; ++k) {
        if (on) {
            optionsBeforeFull_[k] = included[k]->isChecked();
            included[k]->setChecked(true);
        } else {
            included[k]->setChecked(optionsBeforeFull_[k]);
        }
        included[k]->setEnabled(!on);
        if (QAction* a = action(WithoutMarks(included[k]->text()))) a->setEnabled(!on);
    }
}

}  // namespace corvane
