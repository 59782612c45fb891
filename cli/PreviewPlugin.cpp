// The drawing library of `corvane preview`: the model's picture as a PNG.
#include "cli/PreviewPlugin.h"

#include "picture/BuildPicture.h"
#include "picture/ModelPainter.h"

#include <QBuffer>
#include <QByteArray>

#include <new>

extern "C" int corvane_draw_preview(const corvane::Model* model, int width, int height, int staadAxes, const char* format,
                                    std::string* encoded) {
    using namespace corvane;
    try {
        const PictureModel picture = BuildPicture(*model);
        if (picture.JointCount() == 0) return static_cast<int>(PreviewResult::NoJoints);
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
