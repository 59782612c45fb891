// corvane-gui: the Corvane Converter window.
//   corvane-gui [--input MODEL.s2k] [--convert] [--screenshot FILE.png]
// --input sets the input path (and the output path beside it), --convert
// presses "Make Staad" once the window shows, --screenshot saves a picture
// of the window and ends the program.
#include "app/frmCorvaneMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane Converter");
    corvane::frmCorvaneMain window;
    QString input, screenshot;
    bool convert = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--input" && i + 1 < args.size()) input = args[++i];
        else if (args[i] == "--screenshot" && i + 1 < args.size()) screenshot = args[++i];
        else if (args[i] == "--convert") convert = true;
    }
    if (!input.isEmpty()) {
        window.inputPathField()->setText(input);
        window.outputPathField()->setText(input.left(input.size() > 4 ? input.size() - 4 : input.size()) + ".std");
    }
    window.show();
    QTimer::singleShot(300, &window, [&] {
        if (convert) window.button("Make Staad")->click();
        if (!screenshot.isEmpty()) {
            QTimer::singleShot(300, &window, [&] {
                window.grab().save(screenshot);
                QApplication::quit();
            });
        }
    });
    return QApplication::exec();
}
