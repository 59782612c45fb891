// The menu bar, the recent-file menu, dropping a file on the window, help
// (this program's README, shown in a window of its own) and About.
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/ResultPanel.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QUrl>

namespace corvane {

namespace {

const char* const kContact = "support@corvane-converter.example";

// The first dropped URL that is a local file, as bytes; "" when none is.
std::string DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        std::string path = LocalFileBytes(url);
        if (!path.empty()) return path;
    }
    return {};
}

// Shrinks the pictures of the help to `width` at most, keeping their
// proportions, so that the text never scrolls sideways for them.
void FitHelpPictures(QTextBrowser* browser, int width) {
    QTextDocument* doc = browser->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage picture = doc->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
            if (picture.isNull() || picture.width() <= width) continue;
            image.setWidth(width);
            image.setHeight(double(width) * picture.height() / picture.width());
            QTextCursor cursor(doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

}  // namespace

QAction* frmCorvaneMain::AddAction(QMenu* menu, const QString& text, const QString& caption, const QKeySequence& key) {
    auto* a = menu->addAction(text);
    if (!key.isEmpty()) a->setShortcut(key);
    if (!caption.isEmpty()) {
        connect(a, &QAction::triggered, this, [this, caption] {
            if (QAbstractButton* b = button(caption)) b->click();
        });
        commandActions_.push_back(a);
    }
    actions_.push_back(a);
    return a;
}

void frmCorvaneMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    AddAction(file, "&Open SAP2000 file\u2026", "Sap2000 File", QKeySequence::Open);
    AddAction(file, "Save &STAAD file as\u2026", "Staad File", QKeySequence::SaveAs);
    recentMenu_ = file->addMenu("Open &recent");
    auto* saveReport = AddAction(file, "Save re&port\u2026", "");
    connect(saveReport, &QAction::triggered, this, &frmCorvaneMain::SaveReport);
    file->addSeparator();
    auto* exit = AddAction(file, "E&xit", "", QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* convert = menuBar()->addMenu("&Convert");
    AddAction(convert, "&Make Staad", "Make Staad", QKeySequence(Qt::CTRL | Qt::Key_R));
    AddAction(convert, "Make &ABAQUS", "Make ABAQUS ");
    AddAction(convert, "&Preprocessor", "Preprocessor");
    convert->addSeparator();
    // The options as check marks that follow the check boxes both ways.
    for (QCheckBox* box : {chkAllSections_, chkRenumber_, chkFull_}) {
        auto* a = AddAction(convert, box->text(), "");
        a->setCheckable(true);
        a->setToolTip(box->toolTip());
        connect(a, &QAction::toggled, box, &QCheckBox::setChecked);
        connect(box, &QCheckBox::toggled, a, &QAction::setChecked);
    }

    // The test commands, under their captions, each saying what it does.
    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setToolTipsVisible(true);
    const struct {
        const char* caption;
        void (frmCorvaneMain::*run)();
        const char* tip;
    } kTools[] = {
        {"Make Staad to Sap2000", &frmCorvaneMain::MakeStaadToSap2000,
         "Folds the members found by the last frame-section lookup into a number list with TO runs; converts nothing"},
        {"Make Ansys", nullptr, "Does nothing: there is no Ansys output"},
        {"Command19", &frmCorvaneMain::Command19, "Test: empties the number list and prints its count (0) in the status bar"},
        {"Command22", &frmCorvaneMain::Command22,
         "Test: reads the supports again, then folds the elements found by the last area-section lookup into a number "
         "list and prints its first entry in the status bar"},
        {"Command26", &frmCorvaneMain::Command26, "Test: shows a message with the number 10"},
    };
    for (const auto& t : kTools) {
        auto* a = AddAction(tools, t.caption, "");
        a->setToolTip(t.tip);
        a->setStatusTip(t.tip);
        if (t.run) connect(a, &QAction::triggered, this, t.run);
        commandActions_.push_back(a);
    }
    tools->addSeparator();
    QMenu* read = tools->addMenu("&Read one table");
    for (std::size_t i = 0; i < kReaderStepCount; ++i) {
        const QString caption = QString::fromUtf8(kReaderSteps[i].name.data(), static_cast<qsizetype>(kReaderSteps[i].name.size()));
        AddAction(read, caption, caption);
    }

    QMenu* view = menuBar()->addMenu("&View");
    auto* fit = AddAction(view, "&Fit the model", "", QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fit, &QAction::triggered, modelView_, &ModelView::fit);
    // The standard views, on Alt and a digit.
    for (int k = 0; k < kStandardViewCount; ++k) {
        const auto standard = static_cast<StandardView>(k);
        auto* a = AddAction(view, "&" + ModelView::viewName(standard) + " view", "", QKeySequence(Qt::ALT | (Qt::Key_1 + k)));
        connect(a, &QAction::triggered, this, [this, standard] { modelView_->setStandardView(standard); });
        modelView_->viewButton(standard)->setToolTip(modelView_->viewButton(standard)->toolTip() + " (" +
                                                     a->shortcut().toString(QKeySequence::NativeText) + ")");
    }
    modelView_->fitButton()->setToolTip(modelView_->fitButton()->toolTip() + " (Ctrl+0)");
    auto* axes = AddAction(view, "&STAAD.Pro axes (Y up)", "");
    axes->setCheckable(true);
    connect(axes, &QAction::toggled, modelView_->staadAxesBox(), &QCheckBox::setChecked);
    connect(modelView_->staadAxesBox(), &QCheckBox::toggled, axes, &QAction::setChecked);
    meshAction_ = AddAction(view, "&Analysis mesh", "");
    meshAction_->setCheckable(true);
    meshAction_->setToolTip(
        "Checked: the picture shows the model as the full conversion meshes it (frames split, areas divided).\n"
        "Unchecked: the SAP2000 objects as read.");
    connect(meshAction_, &QAction::toggled, this, [this] { ShowPicture(false); });
    auto* tablesTab = AddAction(view, "&Tables", "", QKeySequence(Qt::CTRL | Qt::Key_1));
    connect(tablesTab, &QAction::triggered, this, [this] { tabs_->setCurrentWidget(tables_); });
    auto* reportTab = AddAction(view, "&Report", "", QKeySequence(Qt::CTRL | Qt::Key_2));
    connect(reportTab, &QAction::triggered, this, [this] { tabs_->setCurrentWidget(report_); });
    view->addSeparator();
    historyAction_ = AddAction(view, "&History", "");
    historyAction_->setCheckable(true);
    historyAction_->setChecked(true);
    connect(historyAction_, &QAction::triggered, this, [this](bool on) {
        if (on != lstHistory_->isVisibleTo(this)) ToggleHistory();
    });
    auto* recent = AddAction(view, "Recent f&iles", "");
    recent->setCheckable(true);
    recent->setChecked(true);
    connect(recent, &QAction::toggled, this, &frmCorvaneMain::ShowRecentPanel);
    connect(chkRecent_, &QCheckBox::toggled, recent, &QAction::setChecked);

    QMenu* help = menuBar()->addMenu("&Help");
    auto* contents = AddAction(help, "&Help", "", QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, &frmCorvaneMain::ShowHelp);
    auto* about = AddAction(help, "&About", "");
    connect(about, &QAction::triggered, this, &frmCorvaneMain::ShowAbout);
}

void frmCorvaneMain::FillRecentMenu() {
    if (!recentMenu_) return;
    recentMenu_->clear();
    const auto& entries = recent_.entries();
    for (std::size_t k = 0; k < entries.size() && k < 10; ++k) {
        const std::string path = entries[entries.size() - 1 - k];  // newest first
        auto* a = recentMenu_->addAction(QString("&%1 %2").arg((k + 1) % 10).arg(ShowPath(path).replace("&", "&&")));
        connect(a, &QAction::triggered, this, [this, path] { openModel(path); });
    }
    recentMenu_->setEnabled(!entries.empty() && !busy());
}

void frmCorvaneMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!busy() && !DroppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void frmCorvaneMain::dropEvent(QDropEvent* event) {
    const std::string path = DroppedFile(event->mimeData());
    if (path.empty() || !openModel(path)) return;
    event->acceptProposedAction();
}

void frmCorvaneMain::ShowHelp() {
    // The README beside the program, or in the folder it was built from,
    // rendered here with its pictures.
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {here + "/README.md", here + "/../README.md", here + "/../../README.md",
                                     here + "/../share/doc/corvane/README.md"}) {
        QFile file(candidate);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QString markdown = QString::fromUtf8(file.readAll());
        if (!help_) {
            auto* dialog = new QDialog(this);
            dialog->setObjectName("dlgHelp");
            dialog->setWindowTitle("Corvane Converter \u2014 Help");
            dialog->resize(900, 700);
            help_ = new QTextBrowser;
            help_->setObjectName("txtHelp");
            help_->setOpenExternalLinks(true);
            auto* layout = new QVBoxLayout(dialog);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(help_);
        }
        help_->setSearchPaths({QFileInfo(candidate).absolutePath()});
        help_->setMarkdown(markdown);
        FitHelpPictures(help_, 840);
        QWidget* dialog = help_->window();
        dialog->show();
        dialog->raise();
        return;
    }
    messages_->Show(
        "Open a SAP2000 text export (File > Open, Ctrl+O, or drop it on the window), check its tables and picture, "
        "then Convert > Make Staad (Ctrl+R). The Report tab lists what was left out, by kind.",
        "Help");
}

void frmCorvaneMain::ViewStaadFile(const std::string& path) {
    if (!staadView_) staadView_ = new TextFileView(this);
    staadView_->load(path);
    staadView_->show();
    staadView_->raise();
}

void frmCorvaneMain::OpenFolder(const std::string& folder) {
    if (!dialogs_->ShowFolder(folder)) messages_->Show("Cannot open the folder " + folder, "", true);
}

void frmCorvaneMain::ShowAbout() {
    messages_->Show(std::string("Bug Report, Error Report, Feedback, Suggestions please contact ") + kContact +
                        "\n\nCorvane Converter " CORVANE_VERSION,
                    "About");
}

}  // namespace corvane
