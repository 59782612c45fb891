// Draws a PictureModel with QPainter onto a QImage: an orthographic view
// turned by a yaw about the vertical and a pitch above the horizon, with a
// zoom and a pan, and a small axis cross in the lower left corner.
//
// The axis mode only names the axes. A SAP2000 point (X, Y, Z) is the
// STAAD.Pro point (X, Z, -Y): the same place in space, turned so that
// STAAD.Pro's Y is SAP2000's Z. Both modes keep that direction up on the
// screen, so the model stands upright in both, and the axis cross shows
// which way each program's X, Y and Z point.
//
// A ModelPainter is a small value (the model is shared, read only): copy it
// to draw on another thread. Drawing needs no font and no QGuiApplication.
#pragma once

#include "picture/PictureModel.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <array>
#include <functional>
#include <memory>

namespace corvane {

enum class PictureAxes {
    Sap2000,  // X, Y, Z as read; Z up
    Staad,    // X, Y, Z as written: (X, Z, -Y) of SAP2000; Y up
};

enum class PictureQuality {
    Full,   // every shell filled in depth order, every member, joint dots on small models
    Draft,  // no fill, no smoothing, members thinned out on large models: for moving views
};

struct PictureOptions {
    PictureAxes axes = PictureAxes::Sap2000;
    // The eye's direction from the model: yaw is its angle about the vertical,
    // from SAP2000's +X towards +Y; pitch its angle above the horizon.
    double yawDegrees = -60.0;
    double pitchDegrees = 28.0;
    PictureQuality quality = PictureQuality::Full;
    bool jointDots = true;  // dots at the joints of small models
};

// One arrow of the axis cross: the axis's name in the mode shown and its
// direction on the picture (x right, y down; length 1 for an axis that lies
// in the picture's plane, shorter for one that points towards the eye).
struct AxisArrow {
    char name;
    QPointF direction;
};

class ModelPainter {
public:
    // Above this many members the draft thins out the members it draws.
    static constexpr std::size_t kDraftMembers = 60000;
    // Up to this many joints, full pictures show a dot at each joint.
    static constexpr std::size_t kJointDotLimit = 3000;

    ModelPainter() = default;
    explicit ModelPainter(std::shared_ptr<const PictureModel> model, const PictureOptions& options = {});

    // Replaces the model; the view keeps its angles, zoom and pan (call Fit).
    void SetModel(std::shared_ptr<const PictureModel> model);
    const std::shared_ptr<const PictureModel>& Model() const { return model_; }
    // True when the model has no joint with finite coordinates.
    bool Empty() const { return !hasBounds_; }

    void SetAxes(PictureAxes axes) { axes_ = axes; }
    PictureAxes Axes() const { return axes_; }
    void SetJointDots(bool on) { jointDots_ = on; }

    // Pitch is held within [-90, 90]; yaw is kept within (-180, 180].
    void SetAngles(double yawDegrees, double pitchDegrees);
    void Rotate(double yawDegrees, double pitchDegrees) { SetAngles(yaw_ + yawDegrees, pitch_ + pitchDegrees); }
    double Yaw() const { return yaw_; }
    double Pitch() const { return pitch_; }

    // Zoom is pixels per model length unit; pan is where the middle of the
    // model's bounding box lands, in pixels from the picture's centre.
    double Zoom() const { return zoom_; }
    QPointF Pan() const { return pan_; }
    void SetZoom(double pixelsPerUnit);
    void SetPan(QPointF pan) { pan_ = pan; }
    void PanBy(QPointF delta) { pan_ += delta; }
    // Zooms by `factor` keeping the model point under `pixel` where it is.
    void ZoomAbout(QPointF pixel, double factor, QSize size);
    // Sets zoom and pan so the whole model fits the picture with a margin,
    // centred, at the current angles.
    void Fit(QSize size);

    // Where a point given in SAP2000 axes lands on a picture of `size`.
    QPointF Project(double x, double y, double z, QSize size) const;
    // The three arrows of the axis cross, named for the current mode.
    std::array<AxisArrow, 3> AxisArrows() const;
    // The corner square the axis cross is drawn in.
    static QRect AxisCrossRect(QSize size);

    // Draws the picture on `image` (cleared to white first). `cancelled` is
    // asked now and then; when it answers true the drawing stops and Paint
    // returns false (the image is then incomplete).
    bool Paint(QImage& image, PictureQuality quality, const std::function<bool()>& cancelled = {}) const;

private:
    struct Basis {
        double right[3], up[3], eye[3];
    };
    Basis ViewBasis() const;

    std::shared_ptr<const PictureModel> model_;
    bool hasBounds_ = false;
    double centre_[3] = {0, 0, 0};  // middle of the bounding box, SAP2000 axes
    double extent_ = 1.0;           // the bounding box's diagonal (1 when flat or empty)
    PictureAxes axes_ = PictureAxes::Sap2000;
    bool jointDots_ = true;
    double yaw_ = PictureOptions().yawDegrees, pitch_ = PictureOptions().pitchDegrees;
    double zoom_ = 1.0;
    QPointF pan_;
};

// A picture of `model` fitted to `size` at the options' view, on white.
QImage RenderPicture(const PictureModel& model, const PictureOptions& options, QSize size);

}  // namespace corvane
