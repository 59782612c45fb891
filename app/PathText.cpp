#include "app/PathText.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QUrl>

namespace corvane {

QString ShowPath(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string PathBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

QString ShowText(std::string_view bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::string TextBytes(const QString& text) { return text.toUtf8().toStdString(); }

std::string LocalFileBytes(const QUrl& url) {
    if (!url.isLocalFile()) return {};
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void PathField::set(const std::string& bytes) {
    bytes_ = bytes;
    shown_ = ShowPath(bytes);
    edit_->setText(shown_);
}

std::string PathField::path() const {
    const QString text = edit_->text();
    return text == shown_ ? bytes_ : PathBytes(text);
}

}  // namespace corvane
