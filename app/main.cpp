// corvane-gui: the Corvane Converter window. See CommandLine.h for the
// arguments.
#include "app/CommandLine.h"
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <new>

using namespace corvane;

namespace {

// Saves a picture of the window as a PNG file, all or nothing.
bool SaveScreenshot(QWidget& window, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!window.grab().save(&buffer, "PNG")) {
        std::fprintf(stderr, "corvane-gui: cannot make the screenshot\n");
        return false;
    }
    int error = 0;
    if (!WriteFileAtomically(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())), &error)) {
        std::fprintf(stderr, "corvane-gui: cannot write the screenshot %s\n", DescribeFileError(path, error).c_str());
        return false;
    }
    return true;
}

int Run(QApplication& app, const GuiArguments& args) {
    frmCorvaneMain window;
    if (args.width > 0) window.resize(args.width, args.height);
    if (args.tab == "report") window.leftTabs()->setCurrentWidget(window.reportPanel());
    window.show();

    bool commandOk = true;
    QObject::connect(&window, &frmCorvaneMain::commandFinished, &window, [&](bool ok) { commandOk = commandOk && ok; });
    if (!args.input.empty()) {
        if (args.convert) {
            window.setInputPath(args.input);
            window.button("Make Staad")->click();
        } else {
            window.openModel(args.input);
        }
    }
    if (args.screenshot.empty()) return QApplication::exec();

    // The picture is taken once the command has ended, the picture of the
    // model is on screen and the window has settled.
    int status = 1;
    QTimer poll;
    int quiet = 0;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        const bool settled = !window.busy() && !window.modelView()->drawing();
        quiet = settled ? quiet + 1 : 0;
        if (quiet < 4) return;
        poll.stop();
        status = SaveScreenshot(window, args.screenshot) && commandOk ? 0 : 1;
        app.quit();
    });
    poll.start(50);
    QApplication::exec();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    OpenStandardStreams();
    // Outputs in progress are removed by a terminating signal, and a model
    // whose file shrinks while it is shown does not bring the window down.
    InstallOutputCleanup();
    if (AsksForHelpOrVersion(argc, argv)) {
        std::vector<std::string> all(argv + 1, argv + argc);
        const GuiArguments a = ParseGuiArguments(all);
        if (a.help) std::fputs(kGuiUsage, stdout);
        else std::printf("corvane-gui %s\n", CORVANE_VERSION);
        return 0;
    }
    QApplication app(argc, argv);  // takes out Qt's own options
    QApplication::setApplicationName("Corvane Converter");
    QApplication::setApplicationVersion(CORVANE_VERSION);
    const GuiArguments args = ParseGuiArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!args.error.empty()) {
        std::fprintf(stderr, "corvane-gui: %s\n\n%s", args.error.c_str(), kGuiUsage);
        return 1;
    }
    SetScreenshotRun(!args.screenshot.empty());
    try {
        return Run(app, args);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "corvane-gui: out of memory\n");
        return 1;
    }
}
