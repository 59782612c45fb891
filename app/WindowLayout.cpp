// The window's parts and where they stand: paths and units on top, the
// commands and options under them, the tables and the report on the left
// beside the picture of the model, the history and recent files under the
// picture, the test commands and the lookup at the bottom.
#include "app/CommandRunner.h"
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"
#include "driver/Files.h"

#include <QCheckBox>
#include <QComboBox>
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

void frmCorvaneMain::BuildWindow() {
    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);
    root->addWidget(BuildPathsAndCommands());

    tables_ = new TablePages(&session_.model);
    for (const auto& [step, b] : tables_->readerButtons()) {
        const ReaderStep* reader = step;
        connect(b, &QPushButton::clicked, this, [this, reader] { RunReader(*reader); });
        buttons_.push_back(b);
    }
    connect(tables_, &TablePages::rowClicked, this, &frmCorvaneMain::LookUpRow);
    connect(tables_, &TablePages::combinationClicked, this, &frmCorvaneMain::ShowCombination);

    report_ = new ReportPanel;
    report_->setReport(&session_.report);
    connect(report_, &ReportPanel::saveRequested, this, &frmCorvaneMain::SaveReport);

    tabs_ = new QTabWidget;
    tabs_->setObjectName("tabTables");
    tabs_->addTab(tables_, "Ta&bles");
    tabs_->addTab(report_, "Re&port (0)");

    modelView_ = new ModelView;
    auto* right = new QSplitter(Qt::Vertical);
    right->setObjectName("splitRight");
    right->setChildrenCollapsible(false);
    right->addWidget(modelView_);
    right->addWidget(BuildHistoryPanel());
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    right->setSizes({620, 380});

    auto* main = new QSplitter(Qt::Horizontal);
    main->setObjectName("splitMain");
    main->setChildrenCollapsible(false);
    main->addWidget(tabs_);
    main->addWidget(right);
    main->setStretchFactor(0, 1);
    main->setStretchFactor(1, 1);
    main->setSizes({540, 460});
    root->addWidget(main, 1);
    root->addWidget(BuildToolRow());
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

    // Tab goes through the paths, the units and the commands in reading order.
    const QList<QWidget*> order{input_->edit(),       button("Sap2000 File"), output_->edit(),       button("Staad File"),
                                txtForce_,            txtLength_,             button("Unit"),        button("Make Staad"),
                                button("Make ABAQUS "), button("Make Ansys"), button("Preprocessor"), button("Exit"),
                                chkAllSections_,      chkRenumber_,           chkFull_,              tabs_};
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
    auto* staadLabel = new QLabel("Staa&d File");
    staadLabel->setBuddy(txtStaadFile);
    paths->addWidget(sapLabel, 0, 0);
    paths->addWidget(txtSapFile, 0, 1);
    paths->addWidget(AddButton("Sap2000 File", [this] { ChooseInput(); }), 0, 2);
    paths->addWidget(staadLabel, 1, 0);
    paths->addWidget(txtStaadFile, 1, 1);
    paths->addWidget(AddButton("Staad File", [this] { ChooseOutput(); }), 1, 2);

    txtForce_ = new QLineEdit(" ");
    txtForce_->setObjectName("txtForce");
    txtForce_->setMaximumWidth(70);
    txtForce_->setToolTip("The model's force unit; kept for the next input when it has none");
    txtLength_ = new QLineEdit(" ");
    txtLength_->setObjectName("txtLength");
    txtLength_->setMaximumWidth(70);
    txtLength_->setToolTip("The model's length unit; kept for the next input when it has none");
    auto* forceLabel = new QLabel("F&orce");
    forceLabel->setBuddy(txtForce_);
    auto* lengthLabel = new QLabel("Le&ngth");
    lengthLabel->setBuddy(txtLength_);
    paths->addWidget(forceLabel, 0, 3);
    paths->addWidget(txtForce_, 0, 4);
    paths->addWidget(lengthLabel, 1, 3);
    paths->addWidget(txtLength_, 1, 4);
    auto* unit = AddButton("Unit", nullptr);
    unit->setToolTip("Read the units alone from the SAP2000 file");
    for (std::size_t i = 0; i < kReaderStepCount; ++i)
        if (kReaderSteps[i].read == ReadUnits) connect(unit, &QPushButton::clicked, this, [this, i] { RunReader(kReaderSteps[i]); });
    paths->addWidget(unit, 0, 5);
    paths->setColumnStretch(1, 1);
    v->addLayout(paths);
    // Enter in the input field opens what was typed.
    connect(txtSapFile, &QLineEdit::returnPressed, this, [this] { openModel(inputPath()); });

    auto* commands = new QHBoxLayout;
    auto* make = AddButton("Make Staad", [this] { RunMakeStaad(); });
    make->setToolTip("Convert the SAP2000 file to the STAAD.Pro file (Ctrl+R)");
    commands->addWidget(make);
    AddButton("Make ABAQUS ", [this] { RunMakeAbaqus(); })->setToolTip("Write the shell part as an Abaqus deck beside the SAP2000 file");
    commands->addWidget(buttons_.back());
    AddButton("Make Ansys", nullptr)->setToolTip("Not available");
    commands->addWidget(buttons_.back());
    AddButton("Preprocessor", [this] { RunPreprocessor(); })->setToolTip("Write a cleaned copy of the SAP2000 file beside it (.tmp)");
    commands->addWidget(buttons_.back());
    commands->addStretch(1);
    AddButton("Exit", [this] { close(); });
    commands->addWidget(buttons_.back());
    v->addLayout(commands);

    auto* options = new QHBoxLayout;
    chkAllSections_ = new QCheckBox("Convert every section shape");
    chkAllSections_->setObjectName("chkAllSections");
    chkAllSections_->setToolTip("Give members of every section shape a property from the section's computed properties");
    chkRenumber_ = new QCheckBox("Renumber for STAAD.Pro");
    chkRenumber_->setObjectName("chkRenumber");
    chkRenumber_->setToolTip("Give joints, members and shells whole numbers STAAD.Pro accepts; the number map goes beside the output");
    chkFull_ = new QCheckBox("Full conversion");
    chkFull_->setObjectName("chkFull");
    chkFull_->setToolTip("Carry across everything the converter knows (includes the two options before)");
    options->addWidget(chkAllSections_);
    options->addWidget(chkRenumber_);
    options->addWidget(chkFull_);
    options->addStretch(1);
    v->addLayout(options);
    return box;
}

QWidget* frmCorvaneMain::BuildHistoryPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("pnlHistory");
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);

    auto* top = new QHBoxLayout;
    auto* caption = new QLabel("Histor&y");
    top->addWidget(caption, 1);
    // "History" in these captions means the recent-file list.
    cmdHistory_ = AddButton("Hide History", [this] { ToggleHistory(); });
    cmdHistory_->setToolTip("Show or hide the list of recent files");
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
    lstRecent_->setToolTip("Double click a file to open it");
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

QWidget* frmCorvaneMain::BuildToolRow() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(AddButton("Make Staad to Sap2000", [this] { MakeStaadToSap2000(); }));
    h->addWidget(AddButton("Command19", [this] { Command19(); }));
    h->addWidget(AddButton("Command22", [this] { Command22(); }));
    h->addWidget(AddButton("Command26", [this] { Command26(); }));
    lblPrinted_ = new QLabel;
    lblPrinted_->setObjectName("lblPrinted");
    lblPrinted_->setMinimumWidth(50);
    h->addWidget(lblPrinted_);
    auto* lookupLabel = new QLabel("Loo&kup:");
    h->addWidget(lookupLabel);
    cboLookup_ = new QComboBox;
    cboLookup_->setObjectName("cboLookup");
    cboLookup_->setToolTip("The members of the section or the cases of the combination clicked last");
    cboLookup_->setMinimumWidth(90);
    cboLookup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboLookup_->setMinimumContentsLength(8);
    lookupLabel->setBuddy(cboLookup_);
    h->addWidget(cboLookup_, 1);
    return row;
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
    for (const auto& path : recent_.entries()) {
        auto* item = new QListWidgetItem(ShowPath(path), lstRecent_);
        item->setData(Qt::UserRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
        item->setToolTip(ShowPath(path));
    }
    FillRecentMenu();
}

void frmCorvaneMain::ToggleHistory() {
    const bool hide = grpRecent_->isVisibleTo(this);
    grpRecent_->setVisible(!hide);
    cmdHistory_->setText(hide ? "Show History" : "Hide History");
}

}  // namespace corvane
