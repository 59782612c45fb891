#include "app/ModelView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace corvane {

namespace {

constexpr double kDegreesPerPixel = 0.4;  // turning speed of a left drag
constexpr double kZoomPerStep = 1.2;      // one wheel notch (120 eighths of a degree)
constexpr int kRestMs = 250;              // how long the view rests before the full picture

// The eye's angles of each standard view (see PictureOptions): the iso view
// looks down the diagonal of a cube from the +X, -Y, +Z corner.
constexpr struct {
    StandardView view;
    const char* name;
    double yaw, pitch;
    const char* tip;
} kViews[kStandardViewCount] = {
    {StandardView::Iso, "Iso", -45.0, 35.26439, "Isometric view: X and Y at equal angles, Z up"},
    {StandardView::Top, "Top", -90.0, 90.0, "From above: X to the right, Y up the screen"},
    {StandardView::Front, "Front", -90.0, 0.0, "From the front, along +Y: X to the right, Z up"},
    {StandardView::Side, "Side", 0.0, 0.0, "From the side, along -X: Y to the right, Z up"},
};

}  // namespace

// One thread that draws the pictures of large models. It holds at most one
// waiting request: a newer one replaces it. A full picture stops early when a
// newer request arrives; a draft always finishes, so a continuous drag keeps
// showing drafts.
class PictureWorker {
public:
    using Deliver = std::function<void(QImage, std::uint64_t)>;

    explicit PictureWorker(Deliver deliver) : deliver_(std::move(deliver)), thread_([this] { Run(); }) {}

    ~PictureWorker() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void Request(const ModelPainter& painter, QSize size, qreal ratio, PictureQuality quality, std::uint64_t generation) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            pending_ = Job{painter, size, ratio, quality, generation};
        }
        latest_ = generation;
        wake_.notify_one();
    }

private:
    struct Job {
        ModelPainter painter;
        QSize size;
        qreal ratio;
        PictureQuality quality;
        std::uint64_t generation;
    };

    void Run() {
        for (;;) {
            std::optional<Job> job;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || pending_; });
                if (stop_) return;
                job = std::move(pending_);
                pending_.reset();
            }
            QImage image(job->size, QImage::Format_RGB32);
            const bool full = job->quality == PictureQuality::Full;
            const std::uint64_t generation = job->generation;
            const qreal ratio = job->ratio;
            const bool done = job->painter.Paint(image, job->quality, [&] {
                return stop_.load() || (full && latest_.load() != generation);
            });
            job.reset();  // let go of the model before handing the picture over
            if (!done) continue;
            image.setDevicePixelRatio(ratio);
            deliver_(std::move(image), generation);
        }
    }

    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> latest_{0};
    std::thread thread_;  // last: starts once everything above exists
};

// The surface the picture is shown on; its events go to the view.
class ModelCanvas : public QWidget {
public:
    ModelCanvas(ModelView* view, QWidget* parent) : QWidget(parent), view_(view) {
        setObjectName("modelCanvas");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(160, 120);
        setFocusPolicy(Qt::WheelFocus);
        setCursor(Qt::OpenHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override { view_->paintCanvas(); }
    void resizeEvent(QResizeEvent*) override { view_->canvasResized(); }
    void mousePressEvent(QMouseEvent* e) override { view_->mousePress(e); }
    void mouseMoveEvent(QMouseEvent* e) override { view_->mouseMove(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { view_->mouseRelease(e); }
    void wheelEvent(QWheelEvent* e) override { view_->wheel(e); }

private:
    ModelView* view_;
};

ModelView::ModelView(QWidget* parent) : QWidget(parent) {
    setObjectName("ModelView");
    fitButton_ = new QToolButton(this);
    fitButton_->setText("Fit");
    fitButton_->setObjectName("btnFit");
    fitButton_->setToolTip("Show the whole model at the angles it is seen from");
    for (const auto& v : kViews) {
        auto* b = new QToolButton(this);
        b->setText(v.name);
        b->setObjectName(QString("btnView") + v.name);
        b->setToolTip(v.tip);
        connect(b, &QPushButton::clicked, this, [this, view = v.view] { setStandardView(view); });
        viewButtons_[static_cast<int>(v.view)] = b;
    }
    staadAxes_ = new QCheckBox("STAAD.Pro axes (Y up)", this);
    staadAxes_->setObjectName("chkStaadAxes");
    staadAxes_->setToolTip("Checked: the axes of the written STAAD.Pro file (Y up).\nUnchecked: SAP2000 axes as read (Z up).");
    canvas_ = new ModelCanvas(this, this);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->addWidget(fitButton_);
    for (QToolButton* b : viewButtons_) bar->addWidget(b);
    bar->addWidget(staadAxes_);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(canvas_, 1);

    restTimer_ = new QTimer(this);
    restTimer_->setSingleShot(true);
    restTimer_->setInterval(kRestMs);
    connect(restTimer_, &QTimer::timeout, this, [this] { redraw(PictureQuality::Full); });
    connect(fitButton_, &QToolButton::clicked, this, [this] { fit(); });
    connect(staadAxes_, &QCheckBox::toggled, this, [this](bool on) { setAxes(on ? PictureAxes::Staad : PictureAxes::Sap2000); });
}

ModelView::~ModelView() {
    restTimer_->stop();
    worker_.reset();
}

void ModelView::setModel(std::shared_ptr<const PictureModel> model) {
    if (!model) {
        clear();
        return;
    }
    painter_.SetModel(std::move(model));
    const auto& iso = kViews[static_cast<int>(StandardView::Iso)];
    painter_.SetAngles(iso.yaw, iso.pitch);
    painter_.Fit(pictureSize());
    fitted_ = true;
    if (large()) redraw(PictureQuality::Draft);
    redraw(PictureQuality::Full);
}

void ModelView::replaceModel(std::shared_ptr<const PictureModel> model) {
    if (!model || !hasModel()) {
        setModel(std::move(model));
        return;
    }
    painter_.SetModel(std::move(model));
    if (fitted_) painter_.Fit(pictureSize());
    if (large()) redraw(PictureQuality::Draft);
    redraw(PictureQuality::Full);
}

void ModelView::setNote(const QString& note) {
    if (note == note_) return;
    note_ = note;
    canvas_->update();
}

void ModelView::clear() {
    restTimer_->stop();
    painter_.SetModel(nullptr);
    picture_ = QImage();
    shown_ = waitingFor_ = ++requested_;  // pictures still on their way are stale
    canvas_->update();
}

void ModelView::fit() {
    if (!hasModel()) return;
    painter_.Fit(pictureSize());
    fitted_ = true;
    if (large()) redraw(PictureQuality::Draft);
    redraw(PictureQuality::Full);
}

void ModelView::setStandardView(StandardView view) {
    const auto& v = kViews[static_cast<int>(view)];
    painter_.SetAngles(v.yaw, v.pitch);
    fit();
}

QString ModelView::viewName(StandardView view) { return kViews[static_cast<int>(view)].name; }

void ModelView::setAxes(PictureAxes axes) {
    if (staadAxes_->isChecked() != (axes == PictureAxes::Staad)) {
        const QSignalBlocker block(staadAxes_);
        staadAxes_->setChecked(axes == PictureAxes::Staad);
    }
    if (painter_.Axes() == axes) return;
    painter_.SetAxes(axes);
    if (hasModel()) redraw(PictureQuality::Full);
}

bool ModelView::large() const {
    const auto& m = painter_.Model();
    return m && m->MemberCount() + m->ShellCount() > kBackgroundLimit;
}

QSize ModelView::pictureSize() const {
    const qreal ratio = canvas_->devicePixelRatioF();
    return QSize(std::max(1, qRound(canvas_->width() * ratio)), std::max(1, qRound(canvas_->height() * ratio)));
}

void ModelView::redraw(PictureQuality quality) {
    if (!hasModel()) return;
    const std::uint64_t generation = ++requested_;
    if (!large()) {
        QImage image(pictureSize(), QImage::Format_RGB32);
        painter_.Paint(image, PictureQuality::Full);
        image.setDevicePixelRatio(canvas_->devicePixelRatioF());
        showPicture(std::move(image), generation);
        return;
    }
    if (quality == PictureQuality::Draft) restTimer_->stop();
    if (!worker_) {
        worker_ = std::make_unique<PictureWorker>([this](QImage image, std::uint64_t done) {
            QMetaObject::invokeMethod(this, [this, image = std::move(image), done]() mutable { showPicture(std::move(image), done); },
                                      Qt::QueuedConnection);
        });
    }
    waitingFor_ = generation;
    worker_->Request(painter_, pictureSize(), canvas_->devicePixelRatioF(), quality, generation);
    canvas_->update();
}

void ModelView::redrawMoving() {
    if (!large()) {
        redraw(PictureQuality::Full);
        return;
    }
    redraw(PictureQuality::Draft);
    restTimer_->start();
}

void ModelView::showPicture(QImage image, std::uint64_t generation) {
    if (generation <= shown_) return;  // older than what is on screen
    picture_ = std::move(image);
    shown_ = generation;
    canvas_->update();
    emit pictureShown();
}

void ModelView::paintCanvas() {
    QPainter p(canvas_);
    p.fillRect(canvas_->rect(), Qt::white);
    if (!hasModel()) {
        p.setPen(QColor(110, 110, 110));
        p.drawText(canvas_->rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   "No model to show.\nRead a SAP2000 file to see its picture here.");
        return;
    }
    if (!picture_.isNull()) p.drawImage(QPointF(0, 0), picture_);
    const QString corner = !note_.isEmpty() ? note_ : drawing() ? QString("Drawing\u2026") : QString();
    if (!corner.isEmpty()) {
        p.setPen(QColor(110, 110, 110));
        p.drawText(canvas_->rect().adjusted(6, 4, -6, -4), Qt::AlignTop | Qt::AlignRight, corner);
    }
}

void ModelView::canvasResized() {
    if (!hasModel()) return;
    if (fitted_) painter_.Fit(pictureSize());
    redrawMoving();
}

void ModelView::mousePress(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton) return;
    dragButton_ = button;
    dragged_ = false;
    lastPos_ = event->position();
    canvas_->setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void ModelView::mouseMove(QMouseEvent* event) {
    if (dragButton_ == Qt::NoButton || !hasModel()) return;
    const QPointF delta = event->position() - lastPos_;
    lastPos_ = event->position();
    if (delta.isNull()) return;
    if (dragButton_ == Qt::LeftButton) painter_.Rotate(-delta.x() * kDegreesPerPixel, delta.y() * kDegreesPerPixel);
    else painter_.PanBy(delta * canvas_->devicePixelRatioF());
    fitted_ = false;
    dragged_ = true;
    redraw(large() ? PictureQuality::Draft : PictureQuality::Full);
    event->accept();
}

void ModelView::mouseRelease(QMouseEvent* event) {
    if (event->button() != dragButton_) return;
    dragButton_ = Qt::NoButton;
    canvas_->setCursor(Qt::OpenHandCursor);
    if (dragged_ && large()) redraw(PictureQuality::Full);
    event->accept();
}

void ModelView::wheel(QWheelEvent* event) {
    if (!hasModel()) return;
    const int steps = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->pixelDelta().y();
    if (steps == 0) return;
    const double factor = std::pow(kZoomPerStep, steps / 120.0);
    painter_.ZoomAbout(event->position() * canvas_->devicePixelRatioF(), factor, pictureSize());
    fitted_ = false;
    redrawMoving();
    event->accept();
}

}  // namespace corvane
