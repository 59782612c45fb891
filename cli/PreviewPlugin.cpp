// The drawing library of `corvane preview`: the model's picture as a PNG.
#include "cli/PreviewPlugin.h"

#include "picture/BuildPicture.h"
#include "picture/ModelPainter.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <new>

namespace {

corvane::ThreadFailure g_threadFailed = nullptr;
QtMessageHandler g_before = nullptr;

// When a thread of Qt's pool cannot start, the work meant for it is lost
// and the painter waits for it forever (after the warning "QThread::start:
// Thread creation error (REASON)"): the warning is the only sign, and the
// caller is told at once, with the reason, on the thread that waits.
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const QString failed = QStringLiteral("QThread::start: Thread creation error");
    if (g_threadFailed && text.startsWith(failed)) {
        QString reason = text.mid(failed.size()).trimmed();
        if (reason.startsWith('(') && reason.endsWith(')')) reason = reason.mid(1, reason.size() - 2);
        g_threadFailed(reason.toLocal8Bit().constData());
    }
    if (g_before) g_before(type, context, text);
}

}  // namespace

extern "C" int corvane_draw_preview(const corvane::Model* model, int width, int height, int staadAxes, const char* format,
                                    std::string* encoded, corvane::ThreadFailure threadFailed) {
    using namespace corvane;
    if (threadFailed && !g_threadFailed) g_before = qInstallMessageHandler(OnQtMessage);
    g_threadFailed = threadFailed;
    try {
        const PictureModel picture = BuildPicture(*model);
        if (picture.PlacedJointCount() == 0) return static_cast<int>(PreviewResult::NoJoints);
        PictureOptions options;
        options.axes = staadAxes ? PictureAxes::Staad : PictureAxes::Sap2000;
        const QImage image = RenderPicture(picture, options, QSize(width, height));
        if (image.isNull()) return static_cast<int>(PreviewResult::OutOfMemory);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) return static_cast<int>(PreviewResult::NotEncoded);
        encoded->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return static_cast<int>(PreviewResult::Done);
    } catch (const std::bad_alloc&) {
        return static_cast<int>(PreviewResult::OutOfMemory);
    }
}
