// The main window on the offscreen platform, with the file dialogs and
// message boxes replaced by doubles where a test answers them: conversions
// on the worker against the command line, the tables, the report tree, the
// picture, the recent list across windows, file names that are not UTF-8,
// the layout at its smallest, and the program itself.
#include "TestSupport.h"
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/ResultPanel.h"
#include "app/TableModel.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"
#include "driver/Files.h"
#include "driver/Summary.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <fcntl.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

int RunWindowPartsTests(int argc, char** argv);

namespace {

class FakeDialogs : public FileDialogs {
public:
    std::optional<std::string> Open(const std::string& title, const std::string& folder, const std::string& filter) override {
        asked.push_back(title + "|" + folder + "|" + filter);
        return openAnswer;
    }
    std::optional<std::string> Save(const std::string& title, const std::string& folder, const std::string& filter) override {
        asked.push_back(title + "|" + folder + "|" + filter);
        return saveAnswer;
    }
    bool ShowFolder(const std::string& folder) override {
        shownFolders.push_back(folder);
        return true;
    }
    std::optional<std::string> openAnswer, saveAnswer;
    std::vector<std::string> asked, shownFolders;
};

// A window whose recent list, dialogs and messages live in the test.
struct Fixture {
    TempDir dir;
    FakeDialogs dialogs;
    MemoryMessages messages;
    WindowSetup Setup() {
        WindowSetup s;
        s.dialogs = &dialogs;
        s.messages = &messages;
        s.recent = RecentFileLocation{dir.Path("config/corvane.dat"), dir.Path("corvane.dat")};
        return s;
    }
    std::string Copy(const std::string& example, const std::string& as) {
        return dir.Write(as, ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/" + example));
    }
};

#define WAIT_IDLE(w) QTRY_VERIFY_WITH_TIMEOUT(!(w).busy(), 30000)

QStringList HistoryOf(const frmCorvaneMain& w) {
    QStringList lines;
    for (int i = 0; i < w.historyList()->count(); ++i) lines << w.historyList()->item(i)->text();
    return lines;
}

QStringList GoldenHistory() {
    QStringList lines = QString::fromStdString(ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.history")).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

// Shows the window at `size` with the example building read.
void ShowWithBuilding(Fixture& f, frmCorvaneMain& w, QSize size) {
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.openModel(f.Copy("building.s2k", "b.s2k")));
    WAIT_IDLE(w);
}

QTableView* View(const frmCorvaneMain& w, TableId id) { return w.tables()->view(id); }
int Rows(const frmCorvaneMain& w, TableId id) { return View(w, id)->model()->rowCount(); }

// Counts per kind of a report written by the command line (TSV).
// Entries per kind of a TSV report (after its header row).
std::map<QString, int> KindCounts(const std::string& tsv) {
    std::map<QString, int> counts;
    const QStringList lines = QString::fromStdString(tsv).split('\n', Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) ++counts[lines[i].section('\t', 0, 0)];
    return counts;
}

std::map<QString, int> TreeCounts(const ReportTreeModel& m) {
    std::map<QString, int> counts;
    for (int r = 0; r < m.rowCount(); ++r) counts[m.index(r, 0).data().toString()] = m.rowCount(m.index(r, 0));
    return counts;
}

// The bounds of the model's drawn pixels: dark ones (members, joints, the
// edges of shells; not the light fringes of smoothing), not the red and
// orange support markers, outside the axis cross.
QRect InkBounds(const QImage& image) {
    const QRect cross = ModelPainter::AxisCrossRect(image.size());
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const bool dark = std::min({qRed(c), qGreen(c), qBlue(c)}) < 170;
            const bool support = qRed(c) > qGreen(c) + 40 && qRed(c) > qBlue(c) + 40;
            if (!dark || support || cross.contains(x, y)) continue;
            bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

// Every visible widget lies inside its parent and overlaps none of its
// visible siblings; returns the first offender's name.
QString FirstOverlap(QWidget* parent) {
    QList<QWidget*> kids;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible() && !w->isWindow()) kids << w;
    for (int i = 0; i < kids.size(); ++i) {
        if (!parent->rect().contains(kids[i]->geometry()) && !qobject_cast<QScrollBar*>(kids[i]) &&
            !parent->inherits("QAbstractScrollArea") && !parent->inherits("QScrollArea"))
            return kids[i]->objectName() + "|" + kids[i]->metaObject()->className() + " outside " + parent->metaObject()->className();
        for (int k = i + 1; k < kids.size(); ++k)
            if (kids[i]->geometry().intersects(kids[k]->geometry()) && !parent->inherits("QAbstractScrollArea") &&
                !parent->inherits("QSplitter") && !parent->inherits("QStackedWidget"))
                return kids[i]->metaObject()->className() + QString(" over ") + kids[k]->metaObject()->className() + " in " +
                       parent->metaObject()->className();
        if (QString inner = FirstOverlap(kids[i]); !inner.isEmpty()) return inner;
    }
    return {};
}

// The letter a text marks with "&" (lower case), or 0.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// Runs the window program; its exit status and what it printed.
using GuiRun = CliRun;
GuiRun RunGui(const std::string& env, const std::vector<std::string>& args) { return RunCommand(CORVANE_GUI, args, env); }

// Standard error goes to a file while it lives.
class CapturedStderr {
public:
    CapturedStderr() : file_(dir_.Path("err")) {
        std::fflush(stderr);
        saved_ = ::dup(2);
        const int fd = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 2);
        ::close(fd);
    }
    ~CapturedStderr() { Restore(); }
    std::string Text() {
        Restore();
        return ReadFile(file_);
    }

private:
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    TempDir dir_;
    std::string file_;
    int saved_ = -1;
};

}  // namespace

class frmCorvaneMainTest : public QObject {
    Q_OBJECT

private slots:
    void conversionOnTheWorkerMatchesTheCommandLine() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "frame.s2k");
        frmCorvaneMain w(f.Setup());
        w.setInputPath(input);
        QCOMPARE(w.outputPathField()->text(), QString::fromStdString(f.dir.Path("frame.std")));
        int streamed = 0;
        connect(w.historyList()->model(), &QAbstractItemModel::rowsInserted, &w, [&] { streamed += w.busy(); });
        w.button("Make Staad")->click();
        QVERIFY(w.busy());
        // No second command while the first runs.
        QVERIFY(!w.button("Make ABAQUS ")->isEnabled());
        QVERIFY(!w.action("Make Staad")->isEnabled());
        WAIT_IDLE(w);
        QVERIFY(w.button("Make ABAQUS ")->isEnabled());
        // The progress bar went through every reader and block.
        QVERIFY(w.progressBar()->maximum() > 20);
        QCOMPARE(w.progressBar()->value(), w.progressBar()->maximum());
        QVERIFY(!w.progressBar()->isVisibleTo(&w));
        QCOMPARE(HistoryOf(w), GoldenHistory());
        QCOMPARE(streamed, GoldenHistory().size());  // every line came while the command ran
        QVERIFY(f.messages.shown.empty());

        const CliRun cli = RunCli({"convert", input, "-o", f.dir.Path("cli.std"), "--report", f.dir.Path("cli.tsv")});
        QCOMPARE(cli.status, 0);
        QCOMPARE(ReadFile(f.dir.Path("frame.std")), ReadFile(f.dir.Path("cli.std")));

        // Tables, report and picture of the converted model.
        QCOMPARE(Rows(w, TableId::Frames), 20);
        QCOMPARE(w.tables()->group(TableId::Frames)->title(), QString("Frame Connectivity (20)"));
        QCOMPARE(TreeCounts(*w.reportPanel()->model()), KindCounts(cli.err.empty() ? "" : ReadFile(f.dir.Path("cli.tsv"))));
        QVERIFY(w.modelView()->hasModel());
        QCOMPARE(w.recentFiles().entries(), RecentFileList{input});

        // "Save report…" writes what the command line writes, TSV or JSON.
        f.dialogs.saveAnswer = f.dir.Path("window.tsv");
        w.reportPanel()->saveButton()->click();
        QCOMPARE(ReadFile(f.dir.Path("window.tsv")), ReadFile(f.dir.Path("cli.tsv")));
        QVERIFY(RunCli({"convert", input, "-o", f.dir.Path("cli2.std"), "--report", f.dir.Path("cli.json")}).status == 0);
        f.dialogs.saveAnswer = f.dir.Path("window.json");
        w.action("Save report\u2026")->trigger();
        QCOMPARE(ReadFile(f.dir.Path("window.json")), ReadFile(f.dir.Path("cli.json")));
        // Never over the input.
        f.dialogs.saveAnswer = input;
        w.reportPanel()->saveButton()->click();
        QCOMPARE(f.messages.shown.back().text, "Output file is the input file: " + input);
        QCOMPARE(ReadFile(input), ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    }

    void closingWhileACommandRunsWaitsForIt() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "b.s2k");
        frmCorvaneMain w(f.Setup());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setInputPath(input);
        w.button("Make Staad")->click();
        QVERIFY(!w.close());  // refused for now: the command cannot stop halfway
        QVERIFY(w.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 30000);
        QCOMPARE(ReadFile(f.dir.Path("b.std")), ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.std"));
        QCOMPARE(ReadFile(f.dir.Path("config/corvane.dat")), " 1 \r\n" + input + "\r\n");
    }

    void reportTreeCountsMatchTheCommandLineOnALargeModel() {
        if (!SharedCorpusPresent()) QSKIP("../shared/corpus is missing");
        const std::string corpus = CorpusFile("sap2000_v22_lbin_large_areas_combos_Addition_0303.$2k");
        QVERIFY2(Exists(corpus), corpus.c_str());
        Fixture f;
        const std::string input = f.dir.Write("large.$2k", ReadFile(corpus));
        const CliRun cli = RunCli({"convert", input, "-o", f.dir.Path("cli.std"), "--report", f.dir.Path("cli.tsv")});
        QCOMPARE(cli.status, 0);
        frmCorvaneMain w(f.Setup());
        w.setInputPath(input);
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QCOMPARE(ReadFile(f.dir.Path("large.std")), ReadFile(f.dir.Path("cli.std")));
        const auto expected = KindCounts(ReadFile(f.dir.Path("cli.tsv")));
        QVERIFY(!expected.empty());
        QCOMPARE(TreeCounts(*w.reportPanel()->model()), expected);
        // The filter keeps one kind's entries.
        const QString kind = expected.begin()->first;
        w.reportPanel()->filterBox()->setText(kind);
        QTRY_COMPARE(w.reportPanel()->model()->rowCount(), 1);
        QCOMPARE(w.reportPanel()->model()->shownEntries(), std::size_t(expected.begin()->second));
    }

    void tablesScrollAndSortAsOne() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1000, 640));
        const Table& joints = w.session().model[TableId::Joints];
        std::map<QString, QStringList> byJoint;  // joint -> its X, Y, Z as read
        for (std::size_t r = 0; r < joints.rows(); ++r)
            byJoint[QString::fromStdString(joints.Text(r, 0))] = {QString::fromStdString(joints.Text(r, 1)),
                                                                  QString::fromStdString(joints.Text(r, 2)),
                                                                  QString::fromStdString(joints.Text(r, 3))};
        QTableView* view = View(w, TableId::Joints);
        const QAbstractItemModel* m = view->model();
        const auto rowAsRead = [&](int r) {
            const QStringList xyz{m->index(r, 1).data().toString(), m->index(r, 2).data().toString(), m->index(r, 3).data().toString()};
            return byJoint[m->index(r, 0).data().toString()] == xyz;
        };
        view->horizontalHeader()->setSortIndicator(3, Qt::DescendingOrder);  // as a header click does
        double lastZ = 1e300;
        for (int r = 0; r < m->rowCount(); ++r) {
            QVERIFY2(rowAsRead(r), qPrintable(QString("row %1 mixes joints").arg(r)));
            QVERIFY(m->index(r, 3).data().toDouble() <= lastZ);
            lastZ = m->index(r, 3).data().toDouble();
        }
        // Scrolled to the end, the last row shows one joint across.
        view->scrollToBottom();
        const int bottom = view->rowAt(view->viewport()->height() - 2);
        QCOMPARE(bottom < 0 ? m->rowCount() - 1 : bottom, m->rowCount() - 1);
        QVERIFY(rowAsRead(m->rowCount() - 1));
        // A click selects the whole row.
        const QRect cell = view->visualRect(m->index(m->rowCount() - 1, 2));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(view->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(view->selectionModel()->selectedIndexes().size(), 4);
    }

    void lookupsAndTheTestCommands() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1000, 640));
        w.tables()->showTable(TableId::FrameSections);
        QTableView* sections = View(w, TableId::FrameSections);
        QTest::mouseClick(sections->viewport(), Qt::LeftButton, {}, sections->visualRect(sections->model()->index(2, 3)).center());
        WAIT_IDLE(w);
        // The lookup is a small table beside the sections.
        QCOMPARE(w.lookupResult()->rowCount(), 4);
        QCOMPARE(w.lookupResult()->item(0, 0)->text(), QString("13"));
        QVERIFY(w.lookupResult()->isVisible());
        QCOMPARE(w.tables()->lookupCaption()->text(), QString("Frame section W14X22: 4 members"));
        w.action("Make Staad to Sap2000")->trigger();
        QCOMPARE(w.runList(), (std::vector<std::string>{"13", "16", "TO", "17", "20"}));
        emit w.tables()->combinationList()->clicked(w.tables()->combinationList()->model()->index(0, 0));
        QCOMPARE(w.runList(), (std::vector<std::string>{"1", "1.35", "2", "1.5"}));
        // A combination shows its cases by name with their factors.
        QCOMPARE(w.lookupResult()->columnCount(), 2);
        QCOMPARE(w.lookupResult()->rowCount(), 2);
        QCOMPARE(w.lookupResult()->item(0, 0)->text(), QString("DEAD"));
        QCOMPARE(w.lookupResult()->item(0, 1)->text(), QString("1.35"));
        QCOMPARE(w.lookupResult()->item(1, 0)->text(), QString("LIVE"));
        QCOMPARE(w.lookupResult()->item(1, 1)->text(), QString("1.5"));
        // A row of the combination table looks up its combination too.
        emit View(w, TableId::Combinations)->clicked(View(w, TableId::Combinations)->model()->index(1, 2));
        QCOMPARE(w.runList(), (std::vector<std::string>{"1", "1.35", "2", "1.5"}));
        emit View(w, TableId::AreaSections)->clicked(View(w, TableId::AreaSections)->model()->index(0, 0));
        WAIT_IDLE(w);
        QCOMPARE(w.lookupResult()->rowCount(), 6);
        w.action("Command22")->trigger();
        QCOMPARE(w.printedText()->text(), QString("100001"));
        WAIT_IDLE(w);
        w.action("Command19")->trigger();
        QCOMPARE(w.printedText()->text(), QString("0"));
        w.action("Command26")->trigger();
        QCOMPARE(f.messages.shown.back().text, std::string("10"));
        w.action("About")->trigger();
        QCOMPARE(f.messages.shown.back().title, std::string("About"));
        QVERIFY(f.messages.shown.back().text.find(CORVANE_VERSION) != std::string::npos);
    }

    void tableButtonsAbaqusAndPreprocessor() {
        Fixture f;
        const std::string input = f.Copy("plate.s2k", "plate.s2k");
        frmCorvaneMain w(f.Setup());
        w.setInputPath(input);
        w.button("Joint Coordinates")->click();
        WAIT_IDLE(w);
        w.action("Joint Coordinates")->trigger();
        WAIT_IDLE(w);
        QCOMPARE(HistoryOf(w).size(), 6);  // the reader's three lines, twice
        QVERIFY(Rows(w, TableId::Joints) > 0);
        QCOMPARE(Rows(w, TableId::Frames), 0);  // the other tables are left alone
        w.button("Unit")->click();
        WAIT_IDLE(w);
        QVERIFY(!w.findChild<QLineEdit*>("txtForce")->text().trimmed().isEmpty());
        w.button("Make ABAQUS ")->click();
        WAIT_IDLE(w);
        QVERIFY(Exists(f.dir.Path("plate.inp")));
        QCOMPARE(HistoryOf(w).first(), QString("Unit Information  ... Done"));
        w.button("Preprocessor")->click();
        WAIT_IDLE(w);
        QCOMPARE(HistoryOf(w), (QStringList{"Preprocessing ....", ".... Done"}));
        QVERIFY(Exists(input + ".tmp"));
        w.action("Make Ansys")->trigger();
        QVERIFY(!w.busy());
        QCOMPARE(HistoryOf(w).size(), 2);
        QVERIFY(f.messages.shown.empty());
    }

    void optionsSetTheConversion() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "b.s2k");
        frmCorvaneMain w(f.Setup());
        w.setInputPath(input);
        w.button("Frame Section")->click();
        WAIT_IDLE(w);
        QCOMPARE(Rows(w, TableId::FrameSections), 4);
        w.action("Convert every section shape")->trigger();  // the menu and the box are one option
        QVERIFY(w.allSectionsBox()->isChecked());
        w.button("Frame Section")->click();
        WAIT_IDLE(w);
        QCOMPARE(Rows(w, TableId::FrameSections), 5);
        w.renumberBox()->setChecked(true);
        QVERIFY(w.action("Renumber for STAAD.Pro")->isChecked());
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QVERIFY(Exists(NumberMapPath(f.dir.Path("b.std"))));
        const CliRun cli = RunCli({"convert", input, "-o", f.dir.Path("cli.std"), "--all-sections", "--renumber"});
        QCOMPARE(cli.status, 0);
        QCOMPARE(ReadFile(f.dir.Path("b.std")), ReadFile(f.dir.Path("cli.std")));
    }

    void failuresNameThePathAndTheReason() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "b.s2k");
        frmCorvaneMain w(f.Setup());
        // A missing output folder.
        w.setInputPath(input);
        w.outputPathField()->setText(QString::fromStdString(f.dir.Path("missing/b.std")));
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(f.messages.shown.back().text, f.dir.Path("missing/b.std") + ": No such file or directory");
        // A missing input.
        w.setInputPath(f.dir.Path("gone.s2k"));
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QCOMPARE(HistoryOf(w), QStringList{"...INPUT FILE NOT FOUND..."});
        QCOMPARE(f.messages.shown.back().text, "Cannot read " + f.dir.Path("gone.s2k") + ": No such file or directory");
        QVERIFY(f.messages.shown.back().critical);
        QVERIFY(!Exists(f.dir.Path("gone.std")));
    }

    void aNewModelClearsTheOldOne() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        w.setInputPath(f.Copy("building.s2k", "b.s2k"));
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        emit View(w, TableId::AreaSections)->clicked(View(w, TableId::AreaSections)->model()->index(0, 0));
        WAIT_IDLE(w);
        QVERIFY(w.lookupResult()->rowCount() > 0 && w.modelView()->hasModel() && !w.session().report.Empty());

        const std::string plate = f.Copy("plate.s2k", "p.s2k");
        f.dialogs.openAnswer = plate;
        w.button("Sap2000 File")->click();
        QCOMPARE(f.dialogs.asked.back(), "Open SAP2000 File|" + f.dir.Path("").substr(0, f.dir.Path("").size() - 1) +
                                             "|SAP2000 text export (*.s2k *.S2K *.$2k *.$2K);;All files (*)");
        // At once, before the new model is read: nothing of the old one.
        QCOMPARE(Rows(w, TableId::Frames), 0);
        QCOMPARE(Rows(w, TableId::Joints), 0);
        QVERIFY(!w.modelView()->hasModel());
        QCOMPARE(w.reportPanel()->model()->rowCount(), 0);
        QVERIFY(!w.lookupResult()->isVisibleTo(&w));
        QCOMPARE(w.outputPathField()->text(), QString::fromStdString(f.dir.Path("p.std")));
        WAIT_IDLE(w);
        QVERIFY(Rows(w, TableId::Joints) > 0);
        QVERIFY(w.modelView()->hasModel());
        QCOMPARE(w.findChild<QLineEdit*>("txtForce")->text(), QString("N"));
        // An input without units keeps the units of the one before.
        const std::string bare = f.dir.Write(
            "bare.s2k", TableText("JOINT COORDINATES", {"   Joint=1   CoordSys=GLOBAL   GlobalX=0   GlobalY=0   GlobalZ=0",
                                                         "   Joint=2   CoordSys=GLOBAL   GlobalX=3   GlobalY=0   GlobalZ=0"}));
        QVERIFY(w.openModel(bare));
        WAIT_IDLE(w);
        QCOMPARE(Rows(w, TableId::Joints), 2);
        QCOMPARE(w.findChild<QLineEdit*>("txtForce")->text(), QString("N"));
    }

    void backgroundClickChangesNothing() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.inputPathField()->text().isEmpty());  // no made-up path at the start
        w.setInputPath("/models/a.s2k");
        QWidget* central = w.centralWidget();
        QTest::mouseClick(central, Qt::LeftButton, {}, QPoint(central->width() - 2, central->height() - 2));
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(w.width() - 2, w.height() - 2));
        QCOMPARE(w.inputPathField()->text(), QString("/models/a.s2k"));
        QCOMPARE(w.outputPathField()->text(), QString("/models/a.std"));
        QVERIFY(!w.busy());
    }

    void previewHasTheModelsBoundingBox() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1100, 700));
        ModelView* view = w.modelView();
        QVERIFY(view->hasModel());
        const Table& joints = w.session().model[TableId::Joints];
        for (bool staad : {false, true}) {
            view->staadAxesBox()->setChecked(staad);
            QTRY_VERIFY(!view->drawing());
            const QImage picture = view->picture();
            QRectF projected;
            for (std::size_t r = 0; r < joints.rows(); ++r) {
                const QPointF p = view->view().Project(std::stod(joints.Text(r, 1)), std::stod(joints.Text(r, 2)),
                                                       std::stod(joints.Text(r, 3)), picture.size());
                projected |= QRectF(p, QSizeF(0.01, 0.01));
            }
            const QRect ink = InkBounds(picture);
            const QString where = QString("axes %1: ink %2,%3 %4x%5, joints %6,%7 %8x%9")
                                      .arg(staad ? "STAAD" : "SAP2000").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                                      .arg(projected.x()).arg(projected.y()).arg(projected.width()).arg(projected.height());
            QVERIFY2(std::abs(ink.left() - projected.left()) <= 4 && std::abs(ink.right() - projected.right()) <= 4, qPrintable(where));
            QVERIFY2(std::abs(ink.top() - projected.top()) <= 4 && std::abs(ink.bottom() - projected.bottom()) <= 4, qPrintable(where));
            // Fitted: the model fills most of the picture one way.
            QVERIFY2(std::max(double(ink.width()) / picture.width(), double(ink.height()) / picture.height()) > 0.7, qPrintable(where));
        }
    }

    void recentListSurvivesTwoWindows() {
        Fixture f;
        const std::string a = f.Copy("building.s2k", "a.s2k"), b = f.Copy("plate.s2k", "b.s2k");
        f.dir.Write("corvane.dat", " 1 \r\n/older/model.s2k\r\n");  // the list of the working folder
        {
            frmCorvaneMain first(f.Setup());
            frmCorvaneMain second(f.Setup());
            QVERIFY(first.openModel(a));
            QVERIFY(second.openModel(b));
            WAIT_IDLE(first);
            WAIT_IDLE(second);
            QVERIFY(first.close());
            QVERIFY(second.close());
        }
        QCOMPARE(ReadFile(f.dir.Path("config/corvane.dat")), " 3 \r\n/older/model.s2k\r\n" + a + "\r\n" + b + "\r\n");
        QCOMPARE(ReadFile(f.dir.Path("corvane.dat")), std::string(" 1 \r\n/older/model.s2k\r\n"));
        // A third window starts at the newest file and opens any entry.
        frmCorvaneMain third(f.Setup());
        QCOMPARE(third.recentList()->count(), 3);
        QCOMPARE(third.inputPath(), b);
        emit third.recentList()->itemDoubleClicked(third.recentList()->item(1));
        QCOMPARE(third.inputPath(), a);
        WAIT_IDLE(third);
        QCOMPARE(Rows(third, TableId::Joints), 18);
    }

    void aFileNameThatIsNotUtf8Opens() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "b\xe2timent \xe9t\xe9.s2k");
        frmCorvaneMain w(f.Setup());
        QVERIFY(w.openModel(input));
        WAIT_IDLE(w);
        QCOMPARE(Rows(w, TableId::Joints), 18);
        QVERIFY(f.messages.shown.empty());
        w.action("Make Staad")->trigger();
        WAIT_IDLE(w);
        QVERIFY(Exists(f.dir.Path("b\xe2timent \xe9t\xe9.std")));
        QCOMPARE(w.recentFiles().entries(), RecentFileList{input});
        // Dropped on the window, as a file manager sends it.
        frmCorvaneMain other(f.Setup());
        QMimeData mime;
        mime.setUrls({QUrl::fromEncoded(("file://" + QByteArray::fromStdString(input).toPercentEncoding("/")))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&other, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&other, &drop);
        QCOMPARE(other.inputPath(), input);
        WAIT_IDLE(other);
        QCOMPARE(Rows(other, TableId::Joints), 18);
    }

    void nothingBlocksOffscreen() {
        TempDir dir;
        const std::string notAnExport = dir.Write("notes.s2k", "hello\r\n");
        WindowSetup setup;  // Qt's own dialogs and message boxes
        // The recent list's folder cannot be made: a file is in the way.
        setup.recent = RecentFileLocation{dir.Path("notes.s2k/corvane.dat"), dir.Path("corvane.dat")};
        CapturedStderr err;
        {
            frmCorvaneMain w(setup);
            w.action("Command26")->trigger();
            w.setInputPath(notAnExport);
            w.button("Make Staad")->click();
            WAIT_IDLE(w);
            QVERIFY(w.close());
        }
        const std::string text = err.Text();
        QVERIFY2(text.find("10\n") != std::string::npos, text.c_str());
        QVERIFY2(text.find("Not a SAP2000 table export (no TABLE: line): " + notAnExport) != std::string::npos, text.c_str());
        QVERIFY2(text.find("Cannot save the recent files: " + dir.Path("notes.s2k")) != std::string::npos, text.c_str());
        QVERIFY(!Exists(dir.Path("corvane.dat")));  // the working folder is never written
    }

    void layoutHoldsAtTheSmallestSize() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(800, 500));
        QCOMPARE(w.size(), QSize(800, 500));  // the smallest size the layout holds
        QTest::qWait(20);
        const QString overlap = FirstOverlap(&w);
        QVERIFY2(overlap.isEmpty(), qPrintable(overlap));
        QVERIFY(View(w, TableId::Joints)->viewport()->height() > 60);
        QVERIFY(w.modelView()->canvas()->height() > 60);
        // What a conversion wrote fits too.
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QTest::qWait(20);
        QVERIFY(w.resultPanel()->isVisible());
        QCOMPARE(w.size(), QSize(800, 500));
        QVERIFY2(FirstOverlap(&w).isEmpty(), qPrintable(FirstOverlap(&w)));
        QVERIFY(View(w, TableId::Joints)->viewport()->height() > 60);
        // The history toggle shows its state from the start and hides the
        // history; the recent files have a switch of their own.
        QVERIFY(w.button("Hide History"));
        QVERIFY(w.historyList()->isVisible() && w.recentPanel()->isVisible());
        w.button("Hide History")->click();
        QVERIFY(!w.historyList()->isVisible());
        QVERIFY(w.recentPanel()->isVisible());
        QVERIFY(!w.action("History")->isChecked());
        w.button("Show History")->click();
        QVERIFY(w.historyList()->isVisible());
        QVERIFY(w.button("Hide History"));
        w.recentBox()->click();
        QVERIFY(!w.recentPanel()->isVisible());
        QVERIFY(w.historyList()->isVisible());
        w.action("Recent files")->trigger();
        QVERIFY(w.recentPanel()->isVisible() && w.recentBox()->isChecked());

        // Tab walks the paths in order; Alt and a marked letter reach a field.
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.inputPathField()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.button("Sap2000 File"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.outputPathField());
        QTest::keyClick(&w, Qt::Key_W, Qt::AltModifier);  // "Show recent files"
        QTRY_VERIFY(!w.recentBox()->isChecked());
        QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w.inputPathField());
    }

    void eachTablePageIsFilledByItsOwnReader() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        // Every page's button stands for the reader of that very table.
        for (const TablePages::ReaderButton& rb : w.tables()->readerButtons()) {
            QVERIFY(rb.step->id);
            QCOMPARE(int(*rb.step->id), int(rb.id));
            QCOMPARE(ReaderOf(rb.id), rb.step);
        }
        // Two tables read "COMBINATION DEFINITIONS": the full conversion's
        // page refills its own table, and the classic table stays as it is.
        QVERIFY(w.openModel(f.Copy("building.s2k", "b.s2k")));
        WAIT_IDLE(w);
        QCOMPARE(w.session().model[TableId::Combinations].rows(), std::size_t(4));
        QCOMPARE(w.session().model[TableId::CombinationDefinitions].rows(), std::size_t(0));
        const int lines = w.historyList()->count();
        w.fullBox()->setChecked(true);
        for (const TablePages::ReaderButton& rb : w.tables()->readerButtons())
            if (rb.id == TableId::CombinationDefinitions) rb.button->click();
        WAIT_IDLE(w);
        QVERIFY(w.session().model[TableId::CombinationDefinitions].rows() > 0);
        QCOMPARE(w.session().model[TableId::Combinations].rows(), std::size_t(4));
        QCOMPARE(w.historyList()->count(), lines);  // the keyed reader is silent
    }

    void aFileThatIsNoTableExportSaysSoAtOnce() {
        Fixture f;
        const std::string v6 = CorpusFile("sap2000_v6_legacy_format_model1_v6.s2k");
        const std::string input = v6.empty() ? f.dir.Write("old.s2k", "JOINT 1 X=0 Y=0 Z=0\r\n") : f.dir.Write("old.s2k", ReadFile(v6));
        frmCorvaneMain w(f.Setup());
        QVERIFY(w.openModel(input));
        WAIT_IDLE(w);
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(f.messages.shown.back().text, input + ": not a SAP2000 table export (no TABLE: line); nothing was read");
        QVERIFY(f.messages.shown.back().critical);
        QVERIFY(w.recentFiles().entries().empty());
        QCOMPARE(w.recentList()->count(), 0);
        QCOMPARE(TreeCounts(*w.reportPanel()->model()), (std::map<QString, int>{{"not-tabular", 1}}));
        // A folder says what it is.
        QVERIFY(w.openModel(f.dir.Path("")));
        WAIT_IDLE(w);
        QCOMPARE(f.messages.shown.back().text, "Cannot read " + f.dir.Path("") + ": Is a directory");
        QVERIFY(w.recentFiles().entries().empty());
        f.messages.shown.clear();
        // A table export opened after it goes on the list.
        QVERIFY(w.openModel(f.Copy("plate.s2k", "p.s2k")));
        WAIT_IDLE(w);
        QCOMPARE(w.recentFiles().entries().size(), std::size_t(1));
        QVERIFY(f.messages.shown.empty());
    }

    void aConversionSaysWhatItWrote() {
        Fixture f;
        const std::string input = f.Copy("building.s2k", "b.s2k");
        frmCorvaneMain w(f.Setup());
        w.resize(1200, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openModel(input));
        WAIT_IDLE(w);
        QVERIFY(!w.resultPanel()->isVisible());
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        ResultPanel* result = w.resultPanel();
        QVERIFY(result->isVisible());
        QCOMPARE(result->filesLabel()->text(), "Written: b.std in " + QString::fromStdString(FolderOf(input)));
        // The banner counts the report's entries by severity.
        const auto bySeverity = CountBySeverity(w.session().report);
        QCOMPARE(result->reportLabel()->text(), "Report: " + ResultPanel::SeverityText(bySeverity));
        QVERIFY(bySeverity[std::size_t(Severity::Warning)] > 0);
        result->reportButton()->click();
        QCOMPARE(w.leftTabs()->currentWidget(), static_cast<QWidget*>(w.reportPanel()));
        // Before and after: the model and the written file hold as many of each.
        const ModelCounts expected{{18, 20, 6, 6, 4, 2}};
        QVERIFY(result->outcome().sap2000 && result->outcome().staad);
        QCOMPARE(result->outcome().sap2000->n, expected.n);
        QCOMPARE(result->outcome().staad->n, expected.n);
        QCOMPARE(result->countsLabel()->text(), QString("SAP2000 \u2192 STAAD file: joints 18 \u2192 18, members 20 \u2192 20, "
                                                        "elements 6 \u2192 6, supports 6 \u2192 6, load cases 4 \u2192 4, "
                                                        "combinations 2 \u2192 2"));
        result->openFolderButton()->click();
        QCOMPARE(f.dialogs.shownFolders, std::vector<std::string>{FolderOf(input)});
        result->viewFileButton()->click();
        QVERIFY(w.staadFileView() && w.staadFileView()->isVisible());
        QVERIFY(w.staadFileView()->text()->isReadOnly());
        QCOMPARE(w.staadFileView()->text()->toPlainText().trimmed(),
                 QString::fromStdString(ReadFile(f.dir.Path("b.std"))).remove('\r').trimmed());
        // With renumbering the number map is named too; a new model hides it all.
        w.renumberBox()->setChecked(true);
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QCOMPARE(result->filesLabel()->text(), "Written: b.std, b.numbers.csv in " + QString::fromStdString(FolderOf(input)));
        QVERIFY(w.openModel(f.Copy("plate.s2k", "p.s2k")));
        QVERIFY(!result->isVisible());
        WAIT_IDLE(w);
    }

    void fullConversionTicksAndGreysWhatItIncludes() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        w.renumberBox()->setChecked(true);
        w.fullBox()->setChecked(true);
        for (QCheckBox* box : {w.allSectionsBox(), w.renumberBox()}) QVERIFY(box->isChecked() && !box->isEnabled());
        QVERIFY(!w.action("Convert every section shape")->isEnabled());
        QVERIFY(w.action("Convert every section shape")->isChecked());
        w.action("Full conversion")->trigger();
        QVERIFY(!w.fullBox()->isChecked());
        // Back as they were before.
        QVERIFY(!w.allSectionsBox()->isChecked() && w.allSectionsBox()->isEnabled());
        QVERIFY(w.renumberBox()->isChecked() && w.renumberBox()->isEnabled());
        QVERIFY(w.action("Renumber for STAAD.Pro")->isEnabled());
    }

    void everyModelStartsInTheIsoView() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1100, 700));
        ModelView* view = w.modelView();
        const double isoYaw = view->view().Yaw(), isoPitch = view->view().Pitch();
        QCOMPARE(isoYaw, -45.0);
        QVERIFY(std::abs(isoPitch - 35.26439) < 1e-3);
        const struct {
            StandardView view;
            double yaw, pitch;
        } kViews[] = {{StandardView::Top, -90, 90}, {StandardView::Front, -90, 0}, {StandardView::Side, 0, 0}};
        for (const auto& v : kViews) {
            view->viewButton(v.view)->click();
            QCOMPARE(view->view().Yaw(), v.yaw);
            QCOMPARE(view->view().Pitch(), v.pitch);
        }
        // Fit keeps the angles; the menu's views match the buttons.
        view->fitButton()->click();
        QCOMPARE(view->view().Yaw(), 0.0);
        w.action("Top view")->trigger();
        QCOMPARE(view->view().Pitch(), 90.0);
        // The next model starts in the iso view again.
        QVERIFY(w.openModel(f.Copy("plate.s2k", "p.s2k")));
        WAIT_IDLE(w);
        QCOMPARE(view->view().Yaw(), isoYaw);
        QCOMPARE(view->view().Pitch(), isoPitch);
    }

    void unitsShowAsTheModelNamesThem() {
        Fixture f;
        const std::string kip = f.dir.Write(
            "kip.s2k", TableText("PROGRAM CONTROL", {"   ProgramName=SAP2000   Version=22.0.0   CurrUnits=\"Kip, in, F\"   SteelCode=AISC360-16"}) +
                           TableText("JOINT COORDINATES", {"   Joint=1   CoordSys=GLOBAL   GlobalX=0   GlobalY=0   GlobalZ=0"}));
        frmCorvaneMain w(f.Setup());
        QLineEdit* force = w.findChild<QLineEdit*>("txtForce");
        QLineEdit* length = w.findChild<QLineEdit*>("txtLength");
        QVERIFY(force->isReadOnly() && length->isReadOnly());
        QVERIFY(w.openModel(kip));
        WAIT_IDLE(w);
        QCOMPARE(force->text(), QString("Kip"));
        QCOMPARE(length->text(), QString("in"));
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        QCOMPARE(force->text(), QString("Kip"));
        // The written file keeps its units line as before.
        QVERIFY(ReadFile(f.dir.Path("kip.std")).find("UNIT INCHES KIP") != std::string::npos);
        // A model without units keeps the names of the one before.
        const std::string bare = f.dir.Write("bare.s2k", TableText("JOINT COORDINATES", {"   Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0"}));
        QVERIFY(w.openModel(bare));
        WAIT_IDLE(w);
        QCOMPARE(force->text(), QString("Kip"));
        const std::string tonf = CorpusFile("sap2000_v20_Tonfm_nonprismatic_combos_frameloads_TestRun.$2k");
        if (tonf.empty()) return;
        QVERIFY(w.openModel(f.dir.Write("t.$2k", ReadFile(tonf))));
        WAIT_IDLE(w);
        QCOMPARE(force->text(), QString("Tonf"));
        QCOMPARE(length->text(), QString("m"));
    }

    void recentFilesNewestFirstByName() {
        Fixture f;
        const std::string a = f.Copy("building.s2k", "a.s2k");
        QVERIFY(QDir().mkpath(QString::fromStdString(f.dir.Path("sub"))));
        const std::string b = f.dir.Write("sub/b.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/plate.s2k"));
        frmCorvaneMain w(f.Setup());
        for (const std::string& path : {a, b}) {
            QVERIFY(w.openModel(path));
            WAIT_IDLE(w);
        }
        QCOMPARE(w.recentList()->count(), 2);
        QCOMPARE(w.recentList()->item(0)->text(), QString("b.s2k"));
        QCOMPARE(w.recentList()->item(0)->toolTip(), QString::fromStdString(FolderOf(b)));
        QCOMPARE(w.recentList()->item(1)->text(), QString("a.s2k"));
        emit w.recentList()->itemDoubleClicked(w.recentList()->item(1));
        QCOMPARE(w.inputPath(), a);
        WAIT_IDLE(w);
        // A filter typed for one model is gone on the next.
        w.reportPanel()->filterBox()->setText("no such entry");
        QTRY_COMPARE(w.reportPanel()->model()->shownEntries(), std::size_t(0));
        QVERIFY(w.openModel(b));
        WAIT_IDLE(w);
        QVERIFY(w.reportPanel()->filterBox()->text().isEmpty());
        QCOMPARE(w.reportPanel()->model()->shownEntries(), w.reportPanel()->model()->totalEntries());
    }

    void tablesShareTheWidthAndTabLeavesThem() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1400, 900));
        // The tables get the larger part of the width.
        const QList<int> sizes = w.mainSplitter()->sizes();
        QVERIFY2(sizes[0] > sizes[1], qPrintable(QString("%1 %2").arg(sizes[0]).arg(sizes[1])));
        // Columns stretch: wider than their contents, but not past twice.
        QTableView* view = View(w, TableId::Joints);
        QHeaderView* header = view->horizontalHeader();
        int total = 0;
        for (int k = 0; k < header->count(); ++k) total += header->sectionSize(k);
        int natural = 0;
        for (int k = 0; k < header->count(); ++k) natural += std::max(header->sectionSizeHint(k), view->horizontalHeader()->minimumSectionSize());
        QVERIFY2(total > natural, qPrintable(QString("%1 %2").arg(total).arg(natural)));
        QVERIFY(total <= view->viewport()->width());
        // Numbers right, names left.
        QCOMPARE(view->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
        // Tab leaves the table.
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        view->setFocus();
        view->setCurrentIndex(view->model()->index(0, 0));
        QTest::keyClick(view, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != view);
        QCOMPARE(view->currentIndex().column(), 0);
    }

    void buttonsAndCheckBoxesHaveTheirOwnLetters() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        ShowWithBuilding(f, w, QSize(1400, 900));
        w.button("Make Staad")->click();
        WAIT_IDLE(w);
        const QString menus = "fctvh";  // File, Convert, Tools, View, Help
        for (QWidget* page : {static_cast<QWidget*>(w.tables()), static_cast<QWidget*>(w.reportPanel())}) {
            w.leftTabs()->setCurrentWidget(page);
            std::map<QChar, QString> taken;
            const auto take = [&](const QString& text) {
                const QChar letter = Mnemonic(text);
                if (letter.isNull()) return;
                QVERIFY2(!menus.contains(letter), qPrintable(text + " takes a menu's letter"));
                QVERIFY2(!taken.count(letter), qPrintable(text + " and " + taken[letter] + " share a letter"));
                taken[letter] = text;
            };
            for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
                if (!b->isVisible() || b->text().isEmpty() || qobject_cast<QToolButton*>(b) || b->window() != &w) continue;
                const bool pictureBar = w.modelView()->isAncestorOf(b);
                const bool readerButton = w.tables()->isAncestorOf(b);
                if (!pictureBar && !readerButton) QVERIFY2(!Mnemonic(b->text()).isNull(), qPrintable(b->text() + " has no letter"));
                take(b->text());
            }
            for (QLabel* l : w.findChildren<QLabel*>())
                if (l->isVisible() && l->buddy()) take(l->text());
        }
    }

    void closingWithTheReportShown() {
        Fixture f;
        auto w = std::make_unique<frmCorvaneMain>(f.Setup());
        ShowWithBuilding(f, *w, QSize(1000, 700));
        w->button("Make Staad")->click();
        WAIT_IDLE(*w);
        w->leftTabs()->setCurrentWidget(w->reportPanel());
        QVERIFY(w->reportPanel()->model()->rowCount() > 0);
        w.reset();  // the report tree outlives nothing it reads
    }

    void oddCommandsLiveInTheToolsMenu() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        for (const char* caption : {"Make Staad to Sap2000", "Make Ansys", "Command19", "Command22", "Command26"}) {
            QVERIFY2(!w.button(caption), caption);
            QAction* a = w.action(caption);
            QVERIFY2(a, caption);
            QVERIFY2(!a->toolTip().isEmpty() && a->toolTip() != caption, caption);
        }
    }

    void helpShowsTheReadmeInTheWindow() {
        Fixture f;
        frmCorvaneMain w(f.Setup());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.action("Help")->shortcut(), QKeySequence(QKeySequence::HelpContents));
        w.action("Help")->trigger();
        QVERIFY(f.messages.shown.empty());
        QTextBrowser* help = w.helpBrowser();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->toPlainText().contains("Corvane Converter moves a structural model"));
        QVERIFY(help->toPlainText().contains("The window"));
        QVERIFY(!help->toPlainText().contains("## The window"));  // rendered, not shown as source
    }

    void analysisMeshSwitchesThePicture() {
        Fixture f;
        auto w = std::make_unique<frmCorvaneMain>(f.Setup());
        w->resize(1100, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        ModelView* view = w->modelView();
        auto* status = w->findChild<QLabel*>("lblStatus");
        QAction* mesh = w->action("Analysis mesh");
        QVERIFY(mesh && mesh->isCheckable() && !mesh->isChecked());
        // Without a model it does nothing.
        mesh->trigger();
        QVERIFY(!view->hasModel() && !w->busy() && status->text().isEmpty());
        mesh->trigger();

        // Off: the objects as read.
        const std::string s2k = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/meshed-column-and-plate.s2k");
        QVERIFY(w->openModel(f.dir.Write("m.s2k", s2k)));
        WAIT_IDLE(*w);
        const std::shared_ptr<const PictureModel> objects = view->view().Model();
        QVERIFY(objects);
        QCOMPARE(objects->JointCount(), 6u);
        QTRY_VERIFY(!view->drawing());
        const QImage objectsImage = view->picture();

        // On: the column in four and the plate in six, seen as before.
        w->action("Top view")->trigger();
        mesh->trigger();
        QCOMPARE(view->note(), QString("Meshing\u2026"));
        QCOMPARE(view->view().Model(), objects);
        QTRY_COMPARE(view->view().Model()->JointCount(), 17u);
        QVERIFY(view->note().isEmpty());
        QCOMPARE(view->view().Model()->MemberCount(), 4u);
        QCOMPARE(view->view().Model()->ShellCount(), 6u);
        QCOMPARE(view->view().Yaw(), -90.0);
        QCOMPARE(view->view().Pitch(), 90.0);
        QCOMPARE(status->text(), QString("Analysis mesh: 17 joints, 4 members, 6 shell elements"));
        const std::shared_ptr<const PictureModel> meshed = view->view().Model();
        // Off and on again: the objects, then the same mesh at once.
        mesh->trigger();
        QCOMPARE(view->view().Model(), objects);
        mesh->trigger();
        QCOMPARE(view->view().Model(), meshed);
        w->action("Iso view")->trigger();
        QTRY_VERIFY(!view->drawing());
        QVERIFY(view->picture() != objectsImage);

        // A model read again while on: its objects at once, its mesh after.
        w->button("Make Staad")->click();
        WAIT_IDLE(*w);
        QTRY_COMPARE(view->view().Model()->JointCount(), 17u);
        QVERIFY(view->view().Model() != meshed);

        // An input gone since it was read: the objects stay, the status says why.
        mesh->trigger();
        const std::string gone = f.dir.Write("gone.s2k", s2k);
        QVERIFY(w->openModel(gone));
        WAIT_IDLE(*w);
        QVERIFY(std::remove(gone.c_str()) == 0);
        mesh->trigger();
        QTRY_VERIFY(status->text().startsWith("No analysis mesh: Cannot read " + QString::fromStdString(gone)));
        QCOMPARE(view->view().Model()->JointCount(), 6u);
        QVERIFY(view->note().isEmpty());

        // Closing while a mesh is being made waits for it.
        QVERIFY(w->openModel(f.Copy("building.s2k", "b.s2k")));
        WAIT_IDLE(*w);
        w.reset();
    }

    void theProgramAnswersOnTheConsole() {
        // --help and --version need no display at all.
        GuiRun help = RunGui("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb", {"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.rfind("Usage: corvane-gui", 0) == 0);
        GuiRun version = RunGui("env -u DISPLAY QT_QPA_PLATFORM=xcb", {"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, std::string("corvane-gui " CORVANE_VERSION "\n"));
        QCOMPARE(RunGui("QT_QPA_PLATFORM=offscreen", {"--bogus"}).status, 1);

        TempDir dir;
        const std::string input = dir.Write("b.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
        const std::string env = "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='" + dir.Path("config") + "'";
        GuiRun shot = RunGui(env, {input, "--convert", "--screenshot", dir.Path("w.png")});
        QCOMPARE(shot.status, 0);
        QImage png(QString::fromStdString(dir.Path("w.png")));
        QVERIFY(!png.isNull() && png.width() >= 800);
        QCOMPARE(ReadFile(dir.Path("b.std")), ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.std"));
        // Started with its standard streams closed, nothing the window opens
        // (the model, Qt's event descriptors) lands on 0, 1 or 2, where its
        // warnings and messages would go.
        const CliRun closed = RunScript(
            "cd " + ShellQuoted(dir.Path("")) + " && { " + env + " " + ShellQuoted(CORVANE_GUI) + " b.s2k <&- >&- 2>&- & pid=$!; " +
            "for i in $(seq 300); do ls -l /proc/$pid/fd | grep -q b.s2k && break; sleep 0.1; done; " +
            "readlink /proc/$pid/fd/0 /proc/$pid/fd/1 /proc/$pid/fd/2; kill $pid; wait $pid; }");
        QCOMPARE(closed.out, std::string("/dev/null\n/dev/null\n/dev/null\n"));
        // A screenshot that cannot be written fails, leaving nothing.
        GuiRun bad = RunGui(env, {input, "--screenshot", dir.Path("missing/w.png")});
        QCOMPARE(bad.status, 1);
        QVERIFY(!Exists(dir.Path("missing")));
        // A failed command fails the run.
        QCOMPARE(RunGui(env, {"--input", dir.Path("gone.s2k"), "--convert", "--screenshot", dir.Path("x.png")}).status, 1);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane Converter");
    QStandardPaths::setTestModeEnabled(true);
    frmCorvaneMainTest window;
    const int a = QTest::qExec(&window, argc, argv);
    const int b = RunWindowPartsTests(argc, argv);
    return a || b;
}

#include "frmCorvaneMain_test.moc"
