// A widget that shows the picture of a model: drag with the left button to
// turn it, the wheel to zoom about the cursor, the right or middle button to
// pan; a "Fit" button that keeps the angles, the standard views (iso, top,
// front, side) and a choice between SAP2000 and STAAD.Pro axes. Every
// model starts in the iso view.
//
// Small models are drawn at once on the GUI thread. Large ones are drawn on
// a worker thread and shown when ready: the newest request replaces any
// that has not started, and a picture older than the one on screen is
// thrown away. While the view moves, large models are drawn as drafts, and
// the full picture follows once the view rests.
#pragma once

#include "picture/ModelPainter.h"
#include "picture/PictureModel.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>

class QCheckBox;
class QMouseEvent;
class QPushButton;
class QTimer;
class QToolButton;
class QWheelEvent;

namespace corvane {

class PictureWorker;

// The standard views, named for SAP2000's axes with Z up: the top looks
// down, the front along +Y, the side along -X.
enum class StandardView { Iso, Top, Front, Side };
constexpr int kStandardViewCount = 4;

class ModelView : public QWidget {
    Q_OBJECT
public:
    // Above this many members and shells the picture is drawn off the GUI
    // thread, and as a draft while the view moves.
    static constexpr std::size_t kBackgroundLimit = 20000;

    explicit ModelView(QWidget* parent = nullptr);
    ~ModelView() override;

    // Shows `model` fitted to the view (an empty pointer is as clear()).
    void setModel(std::shared_ptr<const PictureModel> model);
    // Shows another picture of the model on screen (its analysis mesh, say)
    // at the same angles, zoom and pan; with no model on screen, as setModel.
    void replaceModel(std::shared_ptr<const PictureModel> model);
    // Shows no model, only a hint.
    void clear();
    bool hasModel() const { return painter_.Model() != nullptr; }

    // A word shown in the picture's corner while it is not empty (what the
    // window is making for the picture, say).
    void setNote(const QString& note);
    QString note() const { return note_; }

    // Zoom and pan that show the whole model at the current angles.
    void fit();
    // The angles of a standard view, then fit.
    void setStandardView(StandardView view);
    static QString viewName(StandardView view);
    void setAxes(PictureAxes axes);
    PictureAxes axes() const { return painter_.Axes(); }

    // The current view (angles, zoom, pan) and the picture on screen now.
    const ModelPainter& view() const { return painter_; }
    QImage picture() const { return picture_; }
    // True while a picture is being drawn on the worker.
    bool drawing() const { return waitingFor_ > shown_; }

    QWidget* canvas() const { return canvas_; }
    QToolButton* fitButton() const { return fitButton_; }
    QToolButton* viewButton(StandardView view) const { return viewButtons_[static_cast<int>(view)]; }
    QCheckBox* staadAxesBox() const { return staadAxes_; }

signals:
    // A new picture is on screen.
    void pictureShown();

private:
    friend class ModelCanvas;
    void paintCanvas();
    void canvasResized();
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void wheel(QWheelEvent* event);

    bool large() const;
    QSize pictureSize() const;
    // Draws the current view: at once for small models, else on the worker.
    void redraw(PictureQuality quality);
    // A draft now and the full picture when the view has rested a moment.
    void redrawMoving();
    void showPicture(QImage image, std::uint64_t generation);

    ModelPainter painter_;
    QWidget* canvas_ = nullptr;
    QToolButton* fitButton_ = nullptr;
    QToolButton* viewButtons_[kStandardViewCount] = {};
    QCheckBox* staadAxes_ = nullptr;
    QTimer* restTimer_ = nullptr;
    std::unique_ptr<PictureWorker> worker_;

    QImage picture_;
    QString note_;
    std::uint64_t requested_ = 0;   // generation of the newest request
    std::uint64_t waitingFor_ = 0;  // newest request sent to the worker
    std::uint64_t shown_ = 0;       // generation of the picture on screen
    bool fitted_ = true;            // refit on resize until the user moves the view
    Qt::MouseButton dragButton_ = Qt::NoButton;
    bool dragged_ = false;  // the view moved since the button went down
    QPointF lastPos_;
};

}  // namespace corvane
