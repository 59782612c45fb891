#include "app/QtServices.h"

#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>

namespace corvane {

namespace {

QString Q(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<int>(s.size())); }

// The dialog opens in the given folder, or in the user's home folder when
// that folder does not exist on this machine.
QString StartFolder(const std::string& folder) {
    const QString f = Q(folder);
    return QDir(f).exists() ? f : QDir::homePath();
}

std::optional<std::string> Chosen(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    return file.toLocal8Bit().toStdString();
}

}  // namespace

void ListHistory::Clear() { list_->clear(); }

void ListHistory::Append(const std::string& line) {
    list_->addItem(Q(line));
    list_->setCurrentRow(list_->count() - 1);
    list_->scrollToBottom();
}

void QtMessages::Show(const std::string& text, const std::string& title, bool critical) {
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::NoIcon, title.empty() ? QStringLiteral("Corvane Converter") : Q(title),
                    Q(text), QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<std::string> QtFileDialogs::Open(const std::string& title, const std::string& folder, const std::string& filter) {
    return Chosen(QFileDialog::getOpenFileName(parent_, Q(title), StartFolder(folder), Q(filter)));
}

std::optional<std::string> QtFileDialogs::Save(const std::string& title, const std::string& folder, const std::string& filter) {
    return Chosen(QFileDialog::getSaveFileName(parent_, Q(title), StartFolder(folder), Q(filter)));
}

}  // namespace corvane
