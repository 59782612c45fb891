// Texts and file names between the core's bytes and Qt's strings.
//
// File names as the platform's bytes. The core takes paths as bytes; the
// window shows them decoded and keeps the bytes it was given, so a name that
// is not valid in the locale's encoding still opens.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QLineEdit;
class QUrl;

namespace corvane {

QString ShowPath(const std::string& bytes);
std::string PathBytes(const QString& text);

// Texts of the model and the core (cells, history lines, messages) shown as
// UTF-8, and a text typed in the window as its bytes.
QString ShowText(std::string_view bytes);
std::string TextBytes(const QString& text);

// The local file a URL names, as bytes taken from its percent-encoded path
// (so no byte is lost to decoding); "" for a URL that is no local file.
std::string LocalFileBytes(const QUrl& url);

// The folder part of a path ("" when it has none).
std::string FolderOf(const std::string& path);

// A line edit that holds a path. set() keeps the exact bytes; path() gives
// them back while the text shown is unchanged, else the bytes of what the
// user typed.
class PathField {
public:
    explicit PathField(QLineEdit* edit) : edit_(edit) {}
    void set(const std::string& bytes);
    std::string path() const;
    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
    std::string bytes_;
    QString shown_;
};

}  // namespace corvane
