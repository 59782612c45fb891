#include "app/ResultPanel.h"

#include "app/PathText.h"
#include "driver/Files.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>

namespace corvane {

namespace {

QString FileName(const std::string& path) { return ShowPath(path).section('/', -1); }

QString Counted(std::size_t n, const char* one, const char* many) {
    if (n == 0) return QString("no %1").arg(many);
    return QString("%1 %2").arg(n).arg(n == 1 ? one : many);
}

}  // namespace

QString ResultPanel::SeverityText(const std::array<std::size_t, kSeverityCount>& n) {
    return Counted(n[static_cast<std::size_t>(Severity::Error)], "error", "errors") + ", " +
           Counted(n[static_cast<std::size_t>(Severity::Warning)], "warning", "warnings") + ", " +
           Counted(n[static_cast<std::size_t>(Severity::Note)], "note", "notes");
}

ResultPanel::ResultPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("pnlResult");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tint = palette();
    tint.setColor(QPalette::Window, tint.color(QPalette::AlternateBase));
    setPalette(tint);

    files_ = new QLabel;
    files_->setObjectName("lblWritten");
    files_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    files_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long folder never widens the window
    openFolder_ = new QPushButton("Op&en folder");
    openFolder_->setObjectName("cmdOpenFolder");
    openFolder_->setToolTip("Show the folder of the written files in the file manager");
    viewFile_ = new QPushButton("V&iew STAAD file");
    viewFile_->setObjectName("cmdViewStaad");
    viewFile_->setToolTip("Show the written STAAD.Pro file, read only");
    report_ = new QLabel;
    report_->setObjectName("lblReportSummary");
    showReport_ = new QPushButton("Show &report");
    showReport_->setObjectName("cmdShowReport");
    showReport_->setToolTip("Open the Report tab: every entry with its sentence");

    counts_ = new QLabel;
    counts_->setObjectName("lblCounts");
    counts_->setTextFormat(Qt::RichText);
    counts_->setToolTip("What the SAP2000 model holds and what the written STAAD.Pro file holds");
    counts_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* top = new QHBoxLayout;
    top->addWidget(files_, 1);
    top->addWidget(openFolder_);
    top->addWidget(viewFile_);
    top->addSpacing(12);
    top->addWidget(report_);
    top->addWidget(showReport_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(counts_);

    connect(openFolder_, &QPushButton::clicked, this, [this] {
        if (!outcome_.files.empty()) emit openFolderRequested(FolderOf(outcome_.files.front()));
    });
    connect(viewFile_, &QPushButton::clicked, this, [this] {
        if (!outcome_.staadFile.empty()) emit viewFileRequested(outcome_.staadFile);
    });
    connect(showReport_, &QPushButton::clicked, this, &ResultPanel::reportRequested);
    hide();
}

void ResultPanel::showOutcome(const CommandOutcome& outcome) {
    outcome_ = outcome;
    QStringList names;
    for (const std::string& f : outcome.files) names << FileName(f);
    const QString folder = outcome.files.empty() ? QString() : ShowPath(FolderOf(outcome.files.front()));
    files_->setText(QString("Written: %1 in %2").arg(names.join(", "), folder.isEmpty() ? QString(".") : folder));
    files_->setToolTip(folder);
    viewFile_->setVisible(!outcome.staadFile.empty());
    std::size_t total = 0;
    for (std::size_t n : outcome.severities) total += n;
    report_->setText(total == 0 ? QString("Report: empty") : "Report: " + SeverityText(outcome.severities));
    showReport_->setEnabled(total > 0);

    const bool counted = outcome.sap2000 && outcome.staad;
    counts_->setVisible(counted);
    if (counted) {
        QStringList items;
        for (int k = 0; k < ModelCounts::kItems; ++k) {
            const std::size_t before = outcome.sap2000->n[static_cast<std::size_t>(k)];
            const std::size_t after = outcome.staad->n[static_cast<std::size_t>(k)];
            QString item = QString("%1 %2 \u2192 %3").arg(QString(kCountNames[k]).toLower()).arg(before).arg(after);
            // A count the file does not keep stands out.
            if (before != after) item = "<b><font color=\"#aa4600\">" + item + "</font></b>";
            items << item;
        }
        counts_->setText("SAP2000 \u2192 STAAD file: " + items.join(", "));
    }
    show();
}

void ResultPanel::clear() {
    outcome_ = {};
    hide();
}

TextFileView::TextFileView(QWidget* parent) : QDialog(parent) {
    setObjectName("dlgStaadFile");
    setModal(false);
    resize(760, 620);
    note_ = new QLabel;
    note_->setObjectName("lblFileNote");
    note_->setWordWrap(true);
    text_ = new QPlainTextEdit;
    text_->setObjectName("txtStaadFile");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QPushButton("&Close");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(bottom);
}

bool TextFileView::load(const std::string& path) {
    setWindowTitle(FileName(path) + " (read only) \u2014 Corvane Converter");
    text_->clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        note_->setText(ShowText(DescribeFileError(path, errno)));
        return false;
    }
    std::string bytes(kShownLimit, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed) {
        note_->setText(ShowText(DescribeFileError(path, error)));
        return false;
    }
    bytes.resize(got);
    const std::uint64_t size = FileSize(path);
    if (size > got) {
        // Cut at the last whole line.
        const std::size_t end = bytes.rfind('\n');
        if (end != std::string::npos) bytes.resize(end + 1);
        note_->setText(QString("%1: the first %2 MB of %3 MB are shown").arg(ShowPath(path)).arg(got >> 20).arg(size >> 20));
    } else {
        note_->setText(ShowPath(path));
    }
    text_->setPlainText(ShowText(bytes));
    return true;
}

}  // namespace corvane
