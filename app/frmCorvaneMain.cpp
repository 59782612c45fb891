#include "app/frmCorvaneMain.h"

#include "app/RecentFiles.h"
#include "driver/Files.h"
#include "driver/Lookups.h"
#include "driver/Preprocessor.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

namespace corvane {

namespace {

const char* const kInitialInput = "D:\\Corvane\\Model\\corvane3DFrame.s2k";
const char* const kInitialOutput = "D:\\Corvane\\Model\\corvane3DFrame.std";
const char* const kClickInput = "D:\\Corvane\\Model\\corvane3DFrame1.s2k";
const char* const kClickOutput = "D:\\Corvane\\Model\\corvane3DFrame1.std";
const char* const kContact = "support@corvane-converter.example";

// Positions of the history panel are given in twips; the screen has 15
// twips to a pixel.
constexpr int Px(int twips) { return twips / 15; }

QString ToQt(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<int>(s.size())); }
std::string FromQt(const QString& s) { return s.toLocal8Bit().toStdString(); }

}  // namespace

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Size());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= Size()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) return ToQt(Text(row));
    if (role == Qt::UserRole) return ToQt(Detail(row));
    return {};
}

std::string ReportModel::Text(std::size_t row) const {
    const ReportEntry& e = report_->entries[row];
    return std::string(KindId(e.kind)) + ": " + (e.name.empty() ? std::string(e.table) : e.name);
}

frmCorvaneMain::frmCorvaneMain(FileDialogs* dialogs, MessageSink* messages, QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmCorvaneMain");
    setWindowTitle("Corvane Converter");
    if (!messages) {
        ownMessages_ = std::make_unique<QtMessages>(this);
        messages = ownMessages_.get();
    }
    if (!dialogs) {
        ownDialogs_ = std::make_unique<QtFileDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    messages_ = messages;
    dialogs_ = dialogs;
    BuildWindow();
    history_ = std::make_unique<ListHistory>(lstHistory_);
    resize(1280, 740);
}

frmCorvaneMain::~frmCorvaneMain() = default;

QPushButton* frmCorvaneMain::AddButton(const QString& caption, void (frmCorvaneMain::*handler)()) {
    auto* b = new QPushButton(caption);
    if (handler) connect(b, &QPushButton::clicked, this, handler);
    buttons_.push_back(b);
    return b;
}

QPushButton* frmCorvaneMain::button(const QString& caption) const {
    for (auto* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

QListView* frmCorvaneMain::columnList(const QString& table, const QString& column) const {
    for (const auto& view : tableViews_)
        if (view.table == table)
            for (auto* list : view.lists)
                if (list->objectName() == table + "." + column) return list;
    if (table == "CombinationList") return lstCombinationList_;
    return nullptr;
}

void frmCorvaneMain::BuildWindow() {
    auto* about = menuBar()->addAction("About");
    connect(about, &QAction::triggered, this, &frmCorvaneMain::ShowAbout);

    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);

    auto* paths = new QGridLayout;
    txtSapFile_ = new QLineEdit(kInitialInput);
    txtSapFile_->setObjectName("txtSapFile");
    txtStaadFile_ = new QLineEdit(kInitialOutput);
    txtStaadFile_->setObjectName("txtStaadFile");
    paths->addWidget(new QLabel("Sap File"), 0, 0);
    paths->addWidget(txtSapFile_, 0, 1);
    paths->addWidget(AddButton("Sap2000 File", &frmCorvaneMain::ChooseInput), 0, 2);
    paths->addWidget(new QLabel("Staad File"), 1, 0);
    paths->addWidget(txtStaadFile_, 1, 1);
    paths->addWidget(AddButton("Staad File", &frmCorvaneMain::ChooseOutput), 1, 2);
    root->addLayout(paths);

    auto* commands = new QHBoxLayout;
    commands->addWidget(AddButton("Make Staad", &frmCorvaneMain::RunMakeStaad));
    commands->addWidget(AddButton("Make ABAQUS ", &frmCorvaneMain::RunMakeAbaqus));
    commands->addWidget(AddButton("Make Ansys", nullptr));  // does nothing
    commands->addWidget(AddButton("Preprocessor", &frmCorvaneMain::RunPreprocessor));
    chkAllSections_ = new QCheckBox("Convert every section shape");
    commands->addWidget(chkAllSections_);
    chkRenumber_ = new QCheckBox("Renumber for STAAD.Pro");
    commands->addWidget(chkRenumber_);
    commands->addStretch();
    cmdHistory_ = AddButton("Hide History", &frmCorvaneMain::ToggleHistory);
    commands->addWidget(cmdHistory_);
    commands->addWidget(AddButton("Exit", &frmCorvaneMain::ExitProgram));
    root->addLayout(commands);

    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildHistoryPanel());
    grpReport_ = new QGroupBox("Report (0)");
    auto* reportLayout = new QVBoxLayout(grpReport_);
    lstReport_ = new QListView;
    lstReport_->setObjectName("lstReport");
    lstReport_->setToolTip("What the last command left out; double click an entry to read it");
    lstReport_->setUniformItemSizes(true);
    lstReport_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    reportModel_ = new ReportModel(&session_.report, lstReport_);
    lstReport_->setModel(reportModel_);
    reportLayout->addWidget(lstReport_);
    connect(lstReport_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        messages_->Show(FromQt(index.data(Qt::UserRole).toString()), "Report", false);
    });
    middle->addWidget(grpReport_, 1);
    root->addLayout(middle);

    auto* tabs = new QTabWidget;
    tabs->setObjectName("tabTables");
    const auto page = [&](const QString& title, const std::vector<QWidget*>& groups) {
        auto* inner = new QWidget;
        auto* v = new QVBoxLayout(inner);
        for (auto* g : groups) v->addWidget(g);
        v->addStretch();
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setWidget(inner);
        tabs->addTab(scroll, title);
    };

    auto* unitRow = new QWidget;
    {
        auto* h = new QHBoxLayout(unitRow);
        h->setContentsMargins(0, 0, 0, 0);
        auto* b = AddButton("Unit", nullptr);
        connect(b, &QPushButton::clicked, this, [this] { RunReader(ReadUnits); });
        b->setMinimumWidth(150);
        h->addWidget(b);
        auto* group = new QGroupBox("Unit");
        auto* g = new QHBoxLayout(group);
        txtForce_ = new QLineEdit(" ");
        txtForce_->setObjectName("txtForce");
        txtLength_ = new QLineEdit(" ");
        txtLength_->setObjectName("txtLength");
        g->addWidget(new QLabel("Force"));
        g->addWidget(txtForce_);
        g->addWidget(new QLabel("Length"));
        g->addWidget(txtLength_);
        h->addWidget(group, 1);
    }
    page("Geometry", {unitRow, BuildTableGroup("Joint Coordinates", "Joint Coordinates", "JointTable", ReadJoints),
                      BuildTableGroup("Frame Connectivity", "Frame Connectivity", "FrameTable", ReadFrames),
                      BuildTableGroup("Area Connectivity", "Area Connectivity", "AreaTable", ReadAreas),
                      BuildTableGroup("Support Condition", "Support Condition", "RestraintTable", ReadRestraints),
                      BuildTableGroup("Frame Release", "Frame Release", "FrameReleaseTable", ReadReleases)});
    page("Sections", {BuildTableGroup("Material", "Materials", "MaterialTable", ReadMaterials),
                      BuildTableGroup("Frame Section", "Frame Section", "FrameSectionTable", ReadFrameSections),
                      BuildTableGroup("AreaSection", "Area Section", "AreaSectionTable", ReadAreaSections),
                      BuildTableGroup("Frame15", "Frame Assignment", "FrameSectionAssignTable", ReadFrameSectionAssigns),
                      BuildTableGroup("Frame15", "Area Assignment", "AreaSectionAssignTable", ReadAreaSectionAssigns)});
    page("Loads", {BuildTableGroup("Load Cases", "Load Cases", "LoadPatternTable", ReadLoadPatterns),
                   BuildTableGroup("Frame UDL", "Frame UDL", "FrameDistLoadTable", ReadFrameDistLoads),
                   BuildTableGroup("Frame Point Load", "Frame Point Load", "FramePointLoadTable", ReadFramePointLoads),
                   BuildTableGroup("Joint Load", "Joint Loads", "JointLoadTable", ReadJointLoads),
                   BuildTableGroup("Area Load", "Area Load", "AreaLoadTable", ReadAreaLoads),
                   BuildTableGroup("Load Combination", "Load Combinations", "CombinationTable", ReadCombinations)});
    root->addWidget(tabs, 1);

    auto* tests = new QHBoxLayout;
    tests->addWidget(AddButton("Make Staad to Sap2000", &frmCorvaneMain::MakeStaadToSap2000));
    tests->addWidget(AddButton("Command19", &frmCorvaneMain::Command19));
    tests->addWidget(AddButton("Command22", &frmCorvaneMain::Command22));
    tests->addWidget(AddButton("Command26", &frmCorvaneMain::Command26));
    lblPrinted_ = new QLabel;
    lblPrinted_->setObjectName("lblPrinted");
    lblPrinted_->setMinimumWidth(80);
    tests->addWidget(lblPrinted_);
    tests->addWidget(new QLabel("Lookup:"));
    cboLookup_ = new QComboBox;
    cboLookup_->setObjectName("cboLookup");
    cboLookup_->setMinimumWidth(220);
    tests->addWidget(cboLookup_);
    tests->addStretch();
    root->addLayout(tests);

    setCentralWidget(central);

    // Clicks on a row of a section name list look the section's members up;
    // selecting a combination lists its cases.
    connect(columnList("FrameSectionTable", "SectionName"), &QListView::clicked, this, &frmCorvaneMain::ShowFrameSectionFrames);
    connect(columnList("AreaSectionTable", "Section"), &QListView::clicked, this, &frmCorvaneMain::ShowAreaSectionAreas);
}

QWidget* frmCorvaneMain::BuildHistoryPanel() {
    // The panel's visible width (8400 twips) ends before the recent list's
    // hidden place at 10680 twips.
    auto* panel = new QWidget;
    panel->setObjectName("pnlHistory");
    panel->setFixedSize(Px(8400), Px(4800));
    lstHistory_ = new QListWidget(panel);
    lstHistory_->setObjectName("lstHistory");
    lstRecent_ = new QListWidget(panel);
    lstRecent_->setObjectName("lstRecent");
    lstRecent_->setToolTip("Double click to Add item");
    lstHistory_->setGeometry(Px(1200), Px(1320), Px(6855), Px(3210));
    lstRecent_->setGeometry(Px(10680), Px(120), Px(6855), Px(1035));
    connect(lstRecent_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        SetInputPath(FromQt(item->text()));
    });
    auto* caption = new QLabel("History", panel);
    caption->move(Px(1200), Px(1320) - 20);
    return panel;
}

QWidget* frmCorvaneMain::BuildTableGroup(const QString& caption, const QString& buttonCaption, const QString& table,
                                         void (*reader)(ReadContext&)) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* b = AddButton(buttonCaption, nullptr);
    connect(b, &QPushButton::clicked, this, [this, reader] { RunReader(reader); });
    b->setMinimumWidth(150);
    h->addWidget(b, 0, Qt::AlignTop);
    auto* group = new QGroupBox(caption);
    auto* columns = new QHBoxLayout(group);
    TableView view;
    view.table = table;
    for (TableId id : kTableOrder) {
        const TableDescriptor& d = Describe(id);
        if (ToQt(std::string(d.name)) != table) continue;
        for (std::size_t col = 0; col < d.classicColumns; ++col) {
            const QString name = ToQt(std::string(d.columns[col].name));
            auto* box = new QVBoxLayout;
            box->addWidget(new QLabel(name));
            auto* list = new QListView;
            list->setObjectName(table + "." + name);
            list->setUniformItemSizes(true);
            list->setMinimumHeight(110);
            list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            auto* model = new ColumnModel(&session_.model[id], static_cast<int>(col), list);
            list->setModel(model);
            box->addWidget(list);
            columns->addLayout(box);
            view.models.push_back(model);
            view.lists.push_back(list);
        }
    }
    if (table == "CombinationTable") {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel("CombinationList"));
        lstCombinationList_ = new QListView;
        lstCombinationList_->setObjectName("CombinationList");
        lstCombinationList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        combinationListModel_ = new CombinationListModel(&session_.model, lstCombinationList_);
        lstCombinationList_->setModel(combinationListModel_);
        connect(lstCombinationList_, &QListView::clicked, this, &frmCorvaneMain::ShowComboCases);
        box->addWidget(lstCombinationList_);
        columns->addLayout(box);
    }
    tableViews_.push_back(std::move(view));
    h->addWidget(group, 1);
    return row;
}

std::string frmCorvaneMain::InputPath() const { return FromQt(txtSapFile_->text()); }
std::string frmCorvaneMain::OutputPath() const { return FromQt(txtStaadFile_->text()); }

void frmCorvaneMain::SetInputPath(const std::string& path) {
    txtSapFile_->setText(ToQt(path));
    txtStaadFile_->setText(ToQt(ReplaceExtension(path, ".std")));
}

void frmCorvaneMain::ChooseInput() {
    const auto file = dialogs_->Open("Open SAP2000 File", "D:\\Corvane\\Model", "Sap2000 Files (*.s2k)");
    if (file) SetInputPath(*file);
}

void frmCorvaneMain::ChooseOutput() {
    const auto file = dialogs_->Save("Save StaadPro File", "D:\\Corvan1e\\Model", "StaadPro Files (*.std)");
    if (file) txtStaadFile_->setText(ToQt(*file));
}

void frmCorvaneMain::SyncUnitsToSession() {
    session_.model.units.force = FromQt(txtForce_->text());
    session_.model.units.length = FromQt(txtLength_->text());
    session_.inputPath = InputPath();
    session_.outputPath = OutputPath();
    session_.options.allSections = chkAllSections_->isChecked();
    session_.options.renumber = chkRenumber_->isChecked();
}

void frmCorvaneMain::RefreshTables() {
    for (auto& view : tableViews_)
        for (auto* model : view.models) model->Refresh();
    combinationListModel_->Refresh();
    txtForce_->setText(ToQt(session_.model.units.force));
    txtLength_->setText(ToQt(session_.model.units.length));
}

void frmCorvaneMain::RefreshReport() {
    reportModel_->Refresh();
    grpReport_->setTitle(QString("Report (%1)").arg(session_.report.entries.size()));
}

void frmCorvaneMain::RunMakeStaad() {
    SyncUnitsToSession();
    const bool ok = MakeStaad(session_, *history_, *messages_);
    RefreshTables();
    RefreshReport();
    if (ok && lstRecent_->findItems(ToQt(session_.inputPath), Qt::MatchExactly).isEmpty()) lstRecent_->addItem(ToQt(session_.inputPath));
}

void frmCorvaneMain::SetCommandsEnabled(bool enabled) {
    for (auto* b : buttons_) b->setEnabled(enabled);
    for (auto& view : tableViews_)
        for (auto* list : view.lists) list->setEnabled(enabled);
    lstRecent_->setEnabled(enabled);
    lstCombinationList_->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
}

void frmCorvaneMain::RunMakeAbaqus() {
    SyncUnitsToSession();
    MakeAbaqus(session_, ReplaceExtension(session_.inputPath, ".inp"), *history_, *messages_);
    RefreshTables();
    RefreshReport();
}

void frmCorvaneMain::RunPreprocessor() { Preprocess(InputPath(), *history_, *messages_); }

void frmCorvaneMain::RunReader(void (*reader)(ReadContext&)) {
    SyncUnitsToSession();
    if (ReadOneTable(session_, reader, *history_)) RefreshTables();
}

void frmCorvaneMain::ShowLookup(const std::vector<std::string>& items) {
    cboLookup_->clear();
    for (const auto& item : items) cboLookup_->addItem(ToQt(item));
}

void frmCorvaneMain::ShowFrameSectionFrames(const QModelIndex& index) {
    const Table& sections = session_.model[TableId::FrameSections];
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= sections.rows()) return;
    if (!IsExistingFile(InputPath())) {
        history_->Append(kInputNotFound);
        return;
    }
    lastSectionFrames_ = SectionFrames(InputPath(), sections.Text(static_cast<std::size_t>(index.row()), FrameSectionCol::SectionName), *messages_);
    ShowLookup(lastSectionFrames_);
}

void frmCorvaneMain::ShowAreaSectionAreas(const QModelIndex& index) {
    const Table& sections = session_.model[TableId::AreaSections];
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= sections.rows()) return;
    if (!IsExistingFile(InputPath())) {
        history_->Append(kInputNotFound);
        return;
    }
    lastSectionAreas_ = SectionElements(InputPath(), sections.Text(static_cast<std::size_t>(index.row()), AreaSectionCol::Section), *messages_);
    ShowLookup(lastSectionAreas_);
}

void frmCorvaneMain::ShowComboCases(const QModelIndex& index) {
    const auto& starts = session_.model.combinationStarts;
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= starts.size()) return;
    runList_ = CombinationCases(session_.model, starts[static_cast<std::size_t>(index.row())]);
    ShowLookup(runList_);
}

// "History" in the captions means the recent-file list. The bottom edge of
// the history list stays at 4560 twips in both states.
void frmCorvaneMain::ToggleHistory() {
    if (cmdHistory_->text() == "Hide History") {
        cmdHistory_->setText("Show History");
        lstRecent_->move(Px(10680), lstRecent_->y());
        lstHistory_->setGeometry(lstHistory_->x(), Px(1320), lstHistory_->width(), Px(3240));
    } else {
        cmdHistory_->setText("Hide History");
        lstRecent_->setGeometry(Px(1200), Px(1320), lstRecent_->width(), Px(1035));
        lstHistory_->setGeometry(lstHistory_->x(), Px(2400), lstHistory_->width(), Px(2160));
    }
}

bool frmCorvaneMain::saveRecentFiles() {
    RecentFileList entries;
    for (int i = 0; i < lstRecent_->count(); ++i) entries.push_back(FromQt(lstRecent_->item(i)->text()));
    std::string reason;
    if (SaveRecentFileList("corvane.dat", entries, &reason)) return true;
    messages_->Show("Cannot save the recent files: " + reason);
    return false;
}

void frmCorvaneMain::ExitProgram() {
    saveRecentFiles();
    saved_ = true;
    close();
    QCoreApplication::quit();
}

void frmCorvaneMain::closeEvent(QCloseEvent* event) {
    if (!saved_) saveRecentFiles();
    saved_ = true;
    event->accept();
}

void frmCorvaneMain::mousePressEvent(QMouseEvent* event) {
    // Only a click on the window itself, outside every control and frame.
    QWidget* target = childAt(event->position().toPoint());
    if (target && target != centralWidget()) {
        QMainWindow::mousePressEvent(event);
        return;
    }
    txtSapFile_->setText(kClickInput);
    txtStaadFile_->setText(kClickOutput);
    event->accept();
}

void frmCorvaneMain::MakeStaadToSap2000() { runList_ = FoldRuns(lastSectionFrames_); }

void frmCorvaneMain::Command19() {
    runList_.clear();
    lblPrinted_->setText(QString::number(runList_.size()));
}

void frmCorvaneMain::Command22() {
    RunReader(ReadRestraints);
    auto& runs = runList_;
    runs.clear();
    const auto& list = lastSectionAreas_;
    const std::string first = list.empty() ? std::string() : list.front();
    runs.push_back(first);
    lblPrinted_->setText(ToQt(first));
    std::string kept = first;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (TextToNumber(list[i]) != TextToNumber(kept) + 1) {
            runs.emplace_back("TO");
            runs.push_back(kept);
        } else {
            kept = list[i];
        }
        runs.push_back(list[i]);
    }
}

void frmCorvaneMain::Command26() { messages_->Show("10"); }

void frmCorvaneMain::ShowAbout() {
    messages_->Show(std::string("Bug Report, Error Report, Feedback, Suggestions please contact ") + kContact, "About");
}

}  // namespace corvane
