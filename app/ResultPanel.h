// What the last command wrote, shown across the window once it has ended:
// where the files went, with "Open folder" and a read-only view of the
// STAAD.Pro file; the report's entries by severity with a button to the
// report; and the joints, members, elements, supports, load cases and
// combinations of the SAP2000 model beside those of the written file, on
// one line, a count the file does not keep standing out.
#pragma once

#include "driver/Summary.h"

#include <QDialog>
#include <QFrame>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace corvane {

struct CommandOutcome {
    std::vector<std::string> files;  // the files written, the main one first
    std::string staadFile;           // the STAAD.Pro file among them, if any
    std::array<std::size_t, kSeverityCount> severities{};
    std::optional<ModelCounts> sap2000, staad;  // shown when both are known
};

class ResultPanel : public QFrame {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget* parent = nullptr);

    void showOutcome(const CommandOutcome& outcome);
    // Hides the panel until the next outcome.
    void clear();
    const CommandOutcome& outcome() const { return outcome_; }

    QLabel* filesLabel() const { return files_; }
    QLabel* reportLabel() const { return report_; }
    QPushButton* openFolderButton() const { return openFolder_; }
    QPushButton* viewFileButton() const { return viewFile_; }
    QPushButton* reportButton() const { return showReport_; }
    QLabel* countsLabel() const { return counts_; }

    // "2 errors, 1 warning, no notes" and the like.
    static QString SeverityText(const std::array<std::size_t, kSeverityCount>& n);

signals:
    void openFolderRequested(const std::string& folder);
    void viewFileRequested(const std::string& path);
    void reportRequested();

private:
    CommandOutcome outcome_;
    QLabel* files_ = nullptr;
    QLabel* report_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QPushButton* viewFile_ = nullptr;
    QPushButton* showReport_ = nullptr;
    QLabel* counts_ = nullptr;
};

// A written file shown read-only in a window of its own; files larger than
// kShownLimit show their beginning and say so.
class TextFileView : public QDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kShownLimit = 8u << 20;

    explicit TextFileView(QWidget* parent = nullptr);
    // Loads the file; false (with the reason shown in the view) when it
    // cannot be read.
    bool load(const std::string& path);
    QPlainTextEdit* text() const { return text_; }
    QLabel* note() const { return note_; }

private:
    QPlainTextEdit* text_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace corvane
