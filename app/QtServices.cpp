#include "app/QtServices.h"

#include "app/PathText.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QUrl>

#include <atomic>
#include <cstdio>

namespace corvane {

namespace {

std::atomic<bool> screenshotRun{false};

// The dialog opens in the given folder, else in the working folder.
QString StartFolder(const std::string& folder) {
    const QString f = ShowPath(folder);
    return !folder.empty() && QDir(f).exists() ? f : QDir::currentPath();
}

std::optional<std::string> Chosen(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    return PathBytes(file);
}

}  // namespace

bool MessageBoxesMayBlock() {
    if (screenshotRun.load()) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

void SetScreenshotRun(bool on) { screenshotRun = on; }

void ListHistory::Clear() { list_->clear(); }

void ListHistory::Append(const std::string& line) {
    list_->addItem(ShowText(line));
    list_->setCurrentRow(list_->count() - 1);
    list_->scrollToBottom();
}

void QtMessages::Show(const std::string& text, const std::string& title, bool critical) {
    if (!MessageBoxesMayBlock()) {
        std::fprintf(stderr, "%s%s%s\n", title.c_str(), title.empty() ? "" : ": ", text.c_str());
        std::fflush(stderr);
        return;
    }
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::NoIcon, title.empty() ? QStringLiteral("Corvane Converter") : ShowText(title),
                    ShowText(text), QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<std::string> QtFileDialogs::Open(const std::string& title, const std::string& folder, const std::string& filter) {
    return Chosen(QFileDialog::getOpenFileName(parent_, ShowText(title), StartFolder(folder), ShowText(filter)));
}

std::optional<std::string> QtFileDialogs::Save(const std::string& title, const std::string& folder, const std::string& filter) {
    return Chosen(QFileDialog::getSaveFileName(parent_, ShowText(title), StartFolder(folder), ShowText(filter)));
}

bool QtFileDialogs::ShowFolder(const std::string& folder) {
    if (!MessageBoxesMayBlock()) {
        std::fprintf(stderr, "Folder: %s\n", folder.c_str());
        std::fflush(stderr);
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ShowPath(folder)));
}

}  // namespace corvane
