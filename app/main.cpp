// corvane-gui: the Corvane Converter window.
#include "app/frmCorvaneMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane Converter");
    corvane::frmCorvaneMain window;
    window.show();
    return QApplication::exec();
}
