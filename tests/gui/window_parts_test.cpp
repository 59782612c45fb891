// The window's parts on their own: the worker that runs commands, the table
// model's sorting, the recent-file list and its file, the report tree, path
// bytes, the program's arguments, and what the window says after a
// conversion (counts of a STAAD.Pro file, unit names, report severities).
#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/CommandRunner.h"
#include "app/PathText.h"
#include "app/RecentFiles.h"
#include "app/ReportTree.h"
#include "app/TableModel.h"
#include "driver/Files.h"
#include "driver/Summary.h"

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QThread>
#include <QUrl>
#include <QtTest>

#include <array>
#include <atomic>
#include <cerrno>
#include <new>

using namespace corvane;
using namespace corvane::test;

namespace {

// Records what reaches the GUI side, and on which thread.
struct GuiSide : HistoryLog, MessageSink {
    void Clear() override { lines.clear(); }
    void Append(const std::string& line) override {
        lines.push_back(line);
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    }
    void Show(const std::string& text, const std::string&, bool critical) override {
        shown.push_back(text);
        lastCritical = critical;
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    }
    std::vector<std::string> lines, shown;
    bool lastCritical = false;
    bool onGuiThread = true;
};

QStringList ViewColumn(const QAbstractItemModel& m, int col) {
    QStringList texts;
    for (int r = 0; r < m.rowCount(); ++r) texts << m.index(r, col).data().toString();
    return texts;
}

}  // namespace

class WindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void runnerWorksOffTheGuiThreadInOrder() {
        GuiSide gui;
        CommandRunner runner(gui, gui);
        QSignalSpy progress(&runner, &CommandRunner::progressed);
        std::atomic<bool> offGui{false}, shownBeforeGoingOn{false};
        std::vector<std::string> linesAtDone;
        bool done = false;
        QVERIFY(runner.start("job", "", [&](CommandRunner::Services& s) {
            offGui = QThread::currentThread() != qApp->thread();
            s.history.Clear();
            for (int i = 0; i < 50; ++i) s.history.Append("line " + std::to_string(i));
            s.progress.Step(1, 2);
            s.messages.Show("asked", "", false);
            // The message was shown on the GUI side before the job goes on.
            shownBeforeGoingOn = true;
            s.progress.Step(2, 2);
        }, [&](const CommandRunner::Outcome& o) {
            done = true;
            linesAtDone = gui.lines;
            QVERIFY(o.messageShown && !o.failed);
        }));
        QVERIFY(runner.busy());
        // A second job waits its turn: it is refused while the first runs.
        QVERIFY(!runner.start("second", "", [](CommandRunner::Services&) {}, {}));
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QVERIFY(!runner.busy());
        QVERIFY(offGui && shownBeforeGoingOn && gui.onGuiThread);
        QCOMPARE(linesAtDone.size(), std::size_t(50));  // every line came before done
        QCOMPARE(linesAtDone.back(), std::string("line 49"));
        QCOMPARE(gui.shown, std::vector<std::string>{"asked"});
        QCOMPARE(progress.last().at(0).toInt(), 2);
    }

    void runnerTellsOutOfMemoryAndStaysUsable() {
        TempDir dir;
        const std::string input = dir.Write("big.s2k", std::string(2'600'000, 'x'));
        GuiSide gui;
        CommandRunner runner(gui, gui);
        bool failed = false, done = false;
        QVERIFY(runner.start("job", input, [](CommandRunner::Services&) { throw std::bad_alloc(); },
                             [&](const CommandRunner::Outcome& o) { failed = o.failed, done = true; }));
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QVERIFY(failed);
        QCOMPARE(gui.shown.back(), OutOfMemoryMessage(input));
        QCOMPARE(gui.shown.back(), "Out of memory while reading " + input + " (3 MB)");
        QVERIFY(gui.lastCritical);
        done = false;
        QVERIFY(runner.start("next", input, [](CommandRunner::Services& s) { s.history.Append("again"); },
                             [&](const CommandRunner::Outcome&) { done = true; }));
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QCOMPARE(gui.lines.back(), std::string("again"));
    }

    void runnerGoingAwayReleasesAWaitingMessage() {
        GuiSide gui;
        std::atomic<bool> asking{false}, returned{false};
        {
            CommandRunner runner(gui, gui);
            QVERIFY(runner.start("job", "", [&](CommandRunner::Services& s) {
                asking = true;
                s.messages.Show("never answered", "", false);
                returned = true;
            }, {}));
            while (!asking) QThread::msleep(1);
            QThread::msleep(30);  // the job now waits for the GUI thread, which never looks
            QVERIFY(!returned);
        }
        QVERIFY(returned);
        QVERIFY(gui.shown.empty());
    }

    void tableSortsNumbersByValueThenTexts() {
        Model model;
        FillTable(model, TableId::Joints, {{"10", "2", "b", "1", "a", "2"}, {"0", "1", "2", "3", "4", "5"}, {"", "", "", "", "", ""}, {"", "", "", "", "", ""}});
        TableModel m(&model[TableId::Joints], nullptr);
        QItemSelectionModel selection(&m);
        selection.select(m.index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);  // joint "a"
        m.sort(0, Qt::AscendingOrder);
        QCOMPARE(ViewColumn(m, 0), (QStringList{"1", "2", "2", "10", "a", "b"}));
        QCOMPARE(ViewColumn(m, 1), (QStringList{"3", "1", "5", "0", "4", "2"}));  // rows move whole; ties keep table order
        QVERIFY(selection.isRowSelected(4, {}));
        QCOMPARE(m.index(4, 0).data().toString(), QString("a"));
        m.sort(0, Qt::DescendingOrder);
        QCOMPARE(ViewColumn(m, 0), (QStringList{"b", "a", "10", "2", "2", "1"}));
        QCOMPARE(ViewColumn(m, 1), (QStringList{"2", "4", "0", "1", "5", "3"}));
        QVERIFY(selection.isRowSelected(1, {}));
        m.sort(-1);
        QCOMPARE(ViewColumn(m, 1), (QStringList{"0", "1", "2", "3", "4", "5"}));
        QVERIFY(selection.isRowSelected(4, {}));
    }

    void tableSortsManyRowsQuickly() {
        Model model;
        const int n = 100000;
        std::vector<std::string> joints, x;
        for (int i = 0; i < n; ++i) {
            joints.push_back(std::to_string((i * 7919) % n));
            x.push_back(std::to_string((i % 977) * 0.25));
        }
        FillTable(model, TableId::Joints, {joints, x, x, x});
        TableModel m(&model[TableId::Joints], nullptr);
        QElapsedTimer timer;
        timer.start();
        m.sort(0, Qt::DescendingOrder);
        m.sort(1, Qt::AscendingOrder);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString("two sorts took %1 ms").arg(timer.elapsed())));
        double last = -1;
        for (int r = 0; r < n; r += 997) {
            const double v = m.index(r, 1).data().toDouble();
            QVERIFY(v >= last);
            last = v;
        }
    }

    void recentFileTextRoundTrips() {
        const RecentFileList entries{"C:\\models\\a.s2k", "/home/b c.$2k", "/tmp/\xe9.s2k"};
        const std::string text = RecentFileListText(entries);
        QCOMPARE(text, std::string(" 3 \r\nC:\\models\\a.s2k\r\n/home/b c.$2k\r\n/tmp/\xe9.s2k\r\n"));
        QCOMPARE(ParseRecentFileList(text), entries);
        // Fewer lines than counted, LF ends, lines past the count, garbage.
        QCOMPARE(ParseRecentFileList(" 3 \n/a\n"), RecentFileList{"/a"});
        QCOMPARE(ParseRecentFileList(" 1 \r\n/a\r\n/b\r\n"), RecentFileList{"/a"});
        QVERIFY(ParseRecentFileList("not a list\r\n/a\r\n").empty());
        QCOMPARE(MergeRecentFiles({"/a", "/b"}, {"/b", "/c"}), (RecentFileList{"/a", "/b", "/c"}));
        RecentFileList many;
        for (std::size_t i = 0; i < kRecentFileLimit + 5; ++i) many.push_back("/m" + std::to_string(i));
        const RecentFileList kept = MergeRecentFiles({}, many);
        QCOMPARE(kept.size(), kRecentFileLimit);
        QCOMPARE(kept.back(), many.back());
    }

    void recentFilesTakeOverTheWorkingFolderList() {
        TempDir dir;
        const std::string legacy = dir.Write("corvane.dat", " 1 \r\n/old/a.s2k\r\n");
        RecentFiles first({dir.Path("config/Corvane Converter/corvane.dat"), legacy});
        first.Load();
        QCOMPARE(first.entries(), RecentFileList{"/old/a.s2k"});
        first.Add("/new/b.s2k");
        std::string reason;
        QVERIFY2(first.Save(&reason), reason.c_str());
        QCOMPARE(ReadFile(dir.Path("config/Corvane Converter/corvane.dat")), std::string(" 2 \r\n/old/a.s2k\r\n/new/b.s2k\r\n"));
        QCOMPARE(ReadFile(legacy), std::string(" 1 \r\n/old/a.s2k\r\n"));  // left as it was
        // From now on the working folder's list is not read again.
        dir.Write("corvane.dat", " 1 \r\n/other.s2k\r\n");
        RecentFiles second(first.location());
        second.Load();
        QCOMPARE(second.entries(), (RecentFileList{"/old/a.s2k", "/new/b.s2k"}));
        // A place that cannot be a folder: a failure naming the path.
        RecentFiles blocked({legacy + "/sub/corvane.dat", ""});
        QVERIFY(!blocked.Save(&reason));
        QVERIFY2(reason.find(legacy) == 0, reason.c_str());
    }

    void reportTreeGroupsAndFilters() {
        Report report;
        report.Add(ReportKind::MissingJoint, "CONNECTIVITY - FRAME", "4", "Member", "99");
        report.Add(ReportKind::UnsupportedShape, "FRAME SECTION PROPERTIES 01 - GENERAL", "B1", "Box/Tube");
        report.Add(ReportKind::MissingJoint, "CONNECTIVITY - FRAME", "7", "Member", "98");
        ReportTreeModel m;
        m.setReport(&report);
        QCOMPARE(m.rowCount(), 2);
        const QModelIndex missing = m.index(0, 0);
        QCOMPARE(missing.data().toString(), QString("missing-joint"));
        QCOMPARE(m.index(0, ReportTreeModel::Count).data().toString(), QString("2"));
        QCOMPARE(m.rowCount(missing), 2);
        QCOMPARE(m.index(1, 0, missing).data().toString(), QString::fromStdString(Sentence(report.entries[2])));
        QCOMPARE(m.index(1, ReportTreeModel::Record, missing).data().toString(), QString("7"));
        QCOMPARE(m.parent(m.index(1, 0, missing)), missing);
        m.setFilter("joint 98");
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.index(0, ReportTreeModel::Count).data().toString(), QString("1 of 2"));
        QCOMPARE(m.shownEntries(), std::size_t(1));
        m.setFilter("BOX/tube");
        QCOMPARE(m.index(0, 0).data().toString(), QString("unsupported-shape"));
        m.setFilter("");
        QCOMPARE(m.shownEntries(), std::size_t(3));
        m.setReport(nullptr);
        QCOMPARE(m.rowCount(), 0);
    }

    void pathsKeepTheirBytes() {
        const std::string latin1 = "/tmp/b\xe2timent d'\xe9t\xe9.s2k";
        QCOMPARE(LocalFileBytes(QUrl::fromEncoded("file:///tmp/b%E2timent%20d'%E9t%E9.s2k")), latin1);
        QCOMPARE(LocalFileBytes(QUrl::fromLocalFile("/tmp/a b.s2k")), std::string("/tmp/a b.s2k"));
        QVERIFY(LocalFileBytes(QUrl("https://example.com/a.s2k")).empty());
        QLineEdit edit;
        PathField field(&edit);
        field.set(latin1);
        QCOMPARE(field.path(), latin1);
        edit.setText("/tmp/typed.s2k");
        QCOMPARE(field.path(), std::string("/tmp/typed.s2k"));
        QCOMPARE(FolderOf("/a/b.s2k"), std::string("/a"));
        QCOMPARE(FolderOf("b.s2k"), std::string());
    }

    void countsOfAStaadFile() {
        using C = std::array<std::size_t, ModelCounts::kItems>;
        const std::string building = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.std");
        QCOMPARE(CountStaadText(building).n, (C{18, 20, 6, 6, 4, 2}));
        // Several entries on a line, names, continued lines, TO runs, a
        // plate subgrade (no joints), solids, every kind of combination.
        const std::string text =
            "STAAD SPACE\r\nUNIT METER KN\r\nJOINT COORDINATES\r\n1 0 0 0; 2 1 0 0\r\nA 0 1 0\r\n"
            "MEMBER INCIDENCES\r\nCol10 1 2\r\n3 2 A\r\nELEMENT INCIDENCES SHELL\r\n1001 1 2 A\r\n"
            "ELEMENT INCIDENCES SOLID\r\n2001 1 2 3 4 5 6 7 8\r\nDEFINE MATERIAL START\r\nISOTROPIC C\r\nE 3\r\n"
            "END DEFINE MATERIAL\r\nSUPPORTS\r\n1 TO 4 7 -\r\n9 A FIXED\r\n12 FIXED BUT MX KFY 3\r\n"
            "1001 PLATE MAT DIR Y SUBGRADE 10\r\nLOAD 1 LOADTYPE DEAD TITLE D\r\nJOINT LOAD\r\n1 FX 1\r\n"
            "LOAD 2 LOADTYPE LIVE TITLE L\r\nLOAD COMB 3 C1\r\n1 1.2 2 1.6\r\nLOAD COMBINATION SRSS 4 C2\r\n"
            "1 1 2 1\r\nPERFORM ANALYSIS\r\nFINISH\r\n";
        QCOMPARE(CountStaadText(text).n, (C{3, 2, 2, 8, 2, 2}));
        QCOMPARE(CountStaadText("").n, (C{}));
        int error = 0;
        TempDir dir;
        QVERIFY(!CountStaadFile(dir.Path("none.std"), &error));
        QCOMPARE(error, ENOENT);
    }

    void unitNamesAndSeverities() {
        const auto names = [](const std::string& record) {
            return UnitNamesOf(InputText::FromBytes(TableText("PROGRAM CONTROL", {record})));
        };
        const UnitNames kip = names("   ProgramName=SAP2000   Version=22.0.0   CurrUnits=\"Kip, in, F\"   SteelCode=AISC360-16");
        QCOMPARE(QString::fromStdString(kip.force + "|" + kip.length + "|" + kip.temperature), QString("Kip|in|F"));
        QCOMPARE(names("   CurrUnits=\"Kgf, cm, C\"").force, std::string("Kgf"));
        QCOMPARE(names("   ProgramName=SAP2000").force, std::string());
        QCOMPARE(UnitNamesOf(InputText::FromBytes("")).length, std::string());
        // Every kind has a severity; the counts add up to the report.
        Report report;
        report.Add(ReportKind::MissingJoint, "CONNECTIVITY - FRAME", "4", "99");
        report.Add(ReportKind::UnsupportedShape, "FRAME SECTION PROPERTIES 01 - GENERAL", "B1", "Box/Tube");
        report.Add(ReportKind::NotConverted, "CONNECTIVITY - LINK", "links", "48");
        report.Add(ReportKind::Renumbered, "JOINT COORDINATES", "joint", "12");
        QCOMPARE(CountBySeverity(report), (std::array<std::size_t, kSeverityCount>{1, 2, 1}));
    }

    void argumentsOfTheProgram() {
        GuiArguments a = ParseGuiArguments({"model.s2k", "--convert", "--screenshot", "w.png"});
        QVERIFY(a.error.empty() && a.convert);
        QCOMPARE(a.input, std::string("model.s2k"));
        QCOMPARE(a.screenshot, std::string("w.png"));
        QVERIFY(!ParseGuiArguments({"--screenshot"}).error.empty());
        QVERIFY(!ParseGuiArguments({"--bogus"}).error.empty());
        QVERIFY(!ParseGuiArguments({"a.s2k", "b.s2k"}).error.empty());
        QVERIFY(!ParseGuiArguments({"--convert"}).error.empty());
        QVERIFY(!ParseGuiArguments({"--tab", "sideways"}).error.empty());
        a = ParseGuiArguments({"--size", "1024x600"});
        QVERIFY(a.error.empty() && a.width == 1024 && a.height == 600);
        for (const char* bad : {"1024", "1024x", "640x480", "1024x600x", "axb"})
            QVERIFY2(!ParseGuiArguments({"--size", bad}).error.empty(), bad);
        // A file called --help given to --input is a file, not a question.
        const char* named[] = {"corvane-gui", "--input", "--help"};
        QVERIFY(!AsksForHelpOrVersion(3, const_cast<char**>(named)));
        const char* asks[] = {"corvane-gui", "x.s2k", "--version"};
        QVERIFY(AsksForHelpOrVersion(3, const_cast<char**>(asks)));
    }
};

int RunWindowPartsTests(int argc, char** argv) {
    WindowPartsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_parts_test.moc"
