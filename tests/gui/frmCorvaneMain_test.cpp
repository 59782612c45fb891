// The main window on the offscreen platform: captions, the history toggle,
// the recent-file file, the table buttons and whole conversions with the
// file dialogs and message boxes replaced by test doubles.
#include "TestSupport.h"
#include "app/frmCorvaneMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

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
    std::optional<std::string> openAnswer, saveAnswer;
    std::vector<std::string> asked;
};

QStringList HistoryOf(const frmCorvaneMain& w) {
    QStringList lines;
    for (int i = 0; i < w.historyList()->count(); ++i) lines << w.historyList()->item(i)->text();
    return lines;
}

QStringList GoldenHistory() {
    const QString text = QString::fromStdString(ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.history"));
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

std::string Example(const std::string& name) { return std::string(CORVANE_SOURCE_DIR) + "/examples/" + name; }

}  // namespace

class frmCorvaneMainTest : public QObject {
    Q_OBJECT

private slots:
    void recentFileFile() {
        TempDir dir;
        char cwd[4096];
        QVERIFY(::getcwd(cwd, sizeof cwd));
        QVERIFY(::chdir(dir.Path("").c_str()) == 0);
        {
            FakeDialogs dialogs;
            MemoryMessages messages;
            frmCorvaneMain w(&dialogs, &messages);
            w.close();
            QCOMPARE(QString::fromStdString(ReadFile(dir.Path("corvane.dat"))), QString(" 0 \r\n"));
        }
        {
            FakeDialogs dialogs;
            MemoryMessages messages;
            frmCorvaneMain w(&dialogs, &messages);
            w.recentList()->addItem("C:\\models\\a.s2k");
            w.recentList()->addItem("/home/b.s2k");
            QVERIFY(w.saveRecentFiles());
            QCOMPARE(QString::fromStdString(ReadFile(dir.Path("corvane.dat"))), QString(" 2 \r\nC:\\models\\a.s2k\r\n/home/b.s2k\r\n"));
            // A double click on an entry makes it the input.
            emit w.recentList()->itemDoubleClicked(w.recentList()->item(1));
            QCOMPARE(w.inputPathField()->text(), QString("/home/b.s2k"));
            QCOMPARE(w.outputPathField()->text(), QString("/home/b.std"));
        }
        QVERIFY(::chdir(cwd) == 0);
    }

    void tableButtonsAppendAndReplace() {
        FakeDialogs dialogs;
        MemoryMessages messages;
        frmCorvaneMain w(&dialogs, &messages);
        w.inputPathField()->setText(QString::fromStdString(Example("building.s2k")));
        w.button("Joint Coordinates")->click();
        w.button("Joint Coordinates")->click();
        const QStringList once = {"Read Node data  ... ", "Reading Joint Cordinates data ..........", ".......... Done (Total Joints : 18)"};
        QCOMPARE(HistoryOf(w), once + once);
        QCOMPARE(w.columnList("JointTable", "Joint")->model()->rowCount(), 18);
        QCOMPARE(w.historyList()->currentRow(), 5);  // the newest line is selected
        w.button("Unit")->click();
        QCOMPARE(w.findChild<QLineEdit*>("txtForce")->text(), QString("KN"));

        // A missing input only appends the not-found line.
        w.inputPathField()->setText("/no/such/model.s2k");
        w.button("Materials")->click();
        QCOMPARE(HistoryOf(w).size(), 8);
        QCOMPARE(HistoryOf(w).last(), QString("...INPUT FILE NOT FOUND..."));
        QCOMPARE(w.columnList("JointTable", "Joint")->model()->rowCount(), 18);
    }

    void makeStaadOnMissingInput() {
        FakeDialogs dialogs;
        MemoryMessages messages;
        frmCorvaneMain w(&dialogs, &messages);
        w.historyList()->addItem("old");
        w.inputPathField()->setText("/no/such/model.s2k");
        w.button("Make Staad")->click();
        QCOMPARE(HistoryOf(w), QStringList{"...INPUT FILE NOT FOUND..."});
    }

    void conversionThroughTheWindow() {
        TempDir dir;
        const std::string input = dir.Write("frame.s2k", ReadFile(Example("building.s2k")));
        FakeDialogs fakeDialogs;
        MemoryMessages memoryMessages;
        FakeDialogs* dialogs = &fakeDialogs;
        MemoryMessages* messages = &memoryMessages;
        frmCorvaneMain w(dialogs, messages);
        dialogs->openAnswer = input;
        w.button("Sap2000 File")->click();
        QCOMPARE(dialogs->asked.back(), std::string("Open SAP2000 File|D:\\Corvane\\Model|Sap2000 Files (*.s2k)"));
        QCOMPARE(w.outputPathField()->text(), QString::fromStdString(dir.Path("frame.std")));

        // Cancelled dialogs change nothing.
        dialogs->openAnswer.reset();
        w.button("Sap2000 File")->click();
        w.button("Staad File")->click();
        QCOMPARE(dialogs->asked.back(), std::string("Save StaadPro File|D:\\Corvan1e\\Model|StaadPro Files (*.std)"));
        QCOMPARE(w.inputPathField()->text(), QString::fromStdString(input));

        w.button("Make Staad")->click();
        QCOMPARE(HistoryOf(w), GoldenHistory());
        QCOMPARE(ReadFile(dir.Path("frame.std")), ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.std"));
        QVERIFY(messages->shown.empty());
        QCOMPARE(w.recentList()->count(), 1);
        QCOMPARE(w.reportGroup()->title(), QString("Report (6)"));
        QCOMPARE(w.columnList("FrameTable", "Frame")->model()->rowCount(), 20);

        // A double click on a report entry shows its sentence.
        emit w.reportList()->doubleClicked(w.reportList()->model()->index(0, 0));
        QCOMPARE(messages->shown.back().text, std::string("Frame section BOX200 of shape Box/Tube is left out: its shape is not converted."));

        // Lookups: the members of a frame section, the cases of a combination.
        QListView* sections = w.columnList("FrameSectionTable", "SectionName");
        emit sections->clicked(sections->model()->index(2, 0));
        QCOMPARE(w.lookupResult()->count(), 4);
        QCOMPARE(w.lookupResult()->itemText(0), QString("13"));
        w.button("Make Staad to Sap2000")->click();
        QCOMPARE(w.runList(), (std::vector<std::string>{"13", "16", "TO", "17", "20"}));
        QListView* combos = w.columnList("CombinationList", "");
        emit combos->clicked(combos->model()->index(0, 0));
        QCOMPARE(w.runList(), (std::vector<std::string>{"1", "1.35", "2", "1.5"}));
        QListView* areaSections = w.columnList("AreaSectionTable", "Section");
        emit areaSections->clicked(areaSections->model()->index(0, 0));
        QCOMPARE(w.lookupResult()->count(), 6);
        w.button("Command22")->click();
        QCOMPARE(w.printedText()->text(), QString("100001"));

        w.button("Command19")->click();
        QCOMPARE(w.printedText()->text(), QString("0"));
        w.button("Command26")->click();
        QCOMPARE(messages->shown.back().text, std::string("10"));
    }

    void abaqusAndPreprocessorThroughTheWindow() {
        TempDir dir;
        const std::string input = dir.Write("plate.s2k", ReadFile(Example("plate.s2k")));
        FakeDialogs dialogs;
        MemoryMessages messages;
        frmCorvaneMain w(&dialogs, &messages);
        w.inputPathField()->setText(QString::fromStdString(input));
        w.button("Make ABAQUS ")->click();
        QVERIFY(Exists(dir.Path("plate.inp")));
        QVERIFY(w.button("Make Staad")->isEnabled());
        QCOMPARE(HistoryOf(w).first(), QString("Unit Information  ... Done"));
        w.button("Preprocessor")->click();
        QCOMPARE(HistoryOf(w), (QStringList{"Preprocessing ....", ".... Done"}));
        QVERIFY(Exists(input + ".tmp"));
        w.button("Make Ansys")->click();
        QCOMPARE(HistoryOf(w).size(), 2);
    }

    void allSectionsCheckBox() {
        FakeDialogs dialogs;
        MemoryMessages messages;
        frmCorvaneMain w(&dialogs, &messages);
        w.inputPathField()->setText(QString::fromStdString(Example("building.s2k")));
        w.button("Frame Section")->click();
        QCOMPARE(w.columnList("FrameSectionTable", "SectionName")->model()->rowCount(), 4);
        w.allSectionsBox()->setChecked(true);
        w.button("Frame Section")->click();
        QCOMPARE(w.columnList("FrameSectionTable", "SectionName")->model()->rowCount(), 5);
    }

    void backgroundClickAndAbout() {
        FakeDialogs dialogs;
        MemoryMessages memoryMessages;
        MemoryMessages* messages = &memoryMessages;
        frmCorvaneMain w(&dialogs, messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget* central = w.centralWidget();
        QTest::mouseClick(central, Qt::LeftButton, {}, QPoint(central->width() - 3, central->height() - 3));
        QCOMPARE(w.inputPathField()->text(), QString("D:\\Corvane\\Model\\corvane3DFrame1.s2k"));
        QCOMPARE(w.outputPathField()->text(), QString("D:\\Corvane\\Model\\corvane3DFrame1.std"));
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == "About") a->trigger();
        QCOMPARE(messages->shown.back().title, std::string("About"));
        QVERIFY(messages->shown.back().text.rfind("Bug Report, Error Report, Feedback, Suggestions please contact ", 0) == 0);
    }
};

QTEST_MAIN(frmCorvaneMainTest)
#include "frmCorvaneMain_test.moc"
