// The picture of a model, checked by its pixels: framing, which way is up in
// both axis modes, broken indices, a 100 000-joint grid, and the widget's
// answers to the wheel and to drags, on the offscreen platform.
#include "picture/ModelPainter.h"
#include "app/ModelView.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace corvane;

namespace {

// A 6 x 4 box frame of two storeys, 3 high each (Z up): columns, beams
// round each floor, a floor shell on the beams of each floor, and supports
// under the columns: two fixed, two pinned.
std::shared_ptr<PictureModel> BoxFrame() {
    auto m = std::make_shared<PictureModel>();
    for (float z : {0.0f, 3.0f, 6.0f}) m->xyz.insert(m->xyz.end(), {0, 0, z, 6, 0, z, 6, 4, z, 0, 4, z});
    for (std::uint32_t level = 0; level < 2; ++level) {
        const std::uint32_t b = 4 * level, t = b + 4;
        m->members.insert(m->members.end(), {b, t, b + 1, t + 1, b + 2, t + 2, b + 3, t + 3});
        m->members.insert(m->members.end(), {t, t + 1, t + 1, t + 2, t + 2, t + 3, t + 3, t});
        m->shells.insert(m->shells.end(), {t, t + 1, t + 2, t + 3});
    }
    m->supports = {0, 1, 2, 3};
    m->supportFixed = {1, 1, 0, 0};
    return m;
}

// The box frame with a mast on one corner: a model whose middle on the
// picture is not the middle of its bounding box.
std::shared_ptr<PictureModel> BoxWithMast() {
    auto m = BoxFrame();
    m->xyz.insert(m->xyz.end(), {0, 0, 14});
    m->members.insert(m->members.end(), {8, 12});
    return m;
}

// A grid of nx x ny x nz joints 1 apart (Z up): columns, beams both ways,
// a shell in every bay above the ground, supports under the ground joints.
std::shared_ptr<PictureModel> Grid(std::uint32_t nx, std::uint32_t ny, std::uint32_t nz) {
    auto m = std::make_shared<PictureModel>();
    auto id = [&](std::uint32_t i, std::uint32_t j, std::uint32_t k) { return (k * ny + j) * nx + i; };
    m->xyz.reserve(3u * nx * ny * nz);
    for (std::uint32_t k = 0; k < nz; ++k)
        for (std::uint32_t j = 0; j < ny; ++j)
            for (std::uint32_t i = 0; i < nx; ++i) m->xyz.insert(m->xyz.end(), {float(i) * 4, float(j) * 4, float(k) * 3});
    for (std::uint32_t k = 0; k < nz; ++k)
        for (std::uint32_t j = 0; j < ny; ++j)
            for (std::uint32_t i = 0; i < nx; ++i) {
                if (i + 1 < nx && k > 0) m->members.insert(m->members.end(), {id(i, j, k), id(i + 1, j, k)});
                if (j + 1 < ny && k > 0) m->members.insert(m->members.end(), {id(i, j, k), id(i, j + 1, k)});
                if (k + 1 < nz) m->members.insert(m->members.end(), {id(i, j, k), id(i, j, k + 1)});
                if (i + 1 < nx && j + 1 < ny && k > 0)
                    m->shells.insert(m->shells.end(), {id(i, j, k), id(i + 1, j, k), id(i + 1, j + 1, k), id(i, j + 1, k)});
                if (k == 0) {
                    m->supports.push_back(id(i, j, k));
                    m->supportFixed.push_back((i + j) % 2);
                }
            }
    return m;
}

bool IsBackground(QRgb c) { return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250; }
// The support markers are the only red and orange pixels outside the axis cross.
bool IsSupport(QRgb c) { return qRed(c) > 170 && qGreen(c) < 150 && qBlue(c) < 90; }

// The bounding box of the pixels that pass `test`, outside the axis cross.
template <class Test>
QRect PixelBounds(const QImage& image, Test test) {
    const QRect cross = ModelPainter::AxisCrossRect(image.size());
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (cross.contains(x, y) || !test(image.pixel(x, y))) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect ModelBounds(const QImage& image) {
    return PixelBounds(image, [](QRgb c) { return !IsBackground(c); });
}

// The image with the axis cross painted over in white.
QImage WithoutAxisCross(QImage image) {
    QPainter p(&image);
    p.fillRect(ModelPainter::AxisCrossRect(image.size()), Qt::white);
    return image;
}

PictureOptions Options(PictureAxes axes, PictureQuality quality = PictureQuality::Full) {
    PictureOptions o;
    o.axes = axes;
    o.quality = quality;
    return o;
}

void Send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Drag(QWidget* target, QPointF from, QPointF to, Qt::MouseButton button) {
    Send(target, QEvent::MouseButtonPress, from, button, button);
    for (int step = 1; step <= 4; ++step) Send(target, QEvent::MouseMove, from + (to - from) * (step / 4.0), Qt::NoButton, button);
    Send(target, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

}  // namespace

class ModelViewTest : public QObject {
    Q_OBJECT

private slots:
    void fittedModelIsCentredAndFillsThePicture() {
        for (const auto& model : {BoxFrame(), BoxWithMast()})
            for (QSize size : {QSize(400, 300), QSize(300, 500)}) {
                const QImage image = RenderPicture(*model, Options(PictureAxes::Staad), size);
                QCOMPARE(image.size(), size);
                const QRect bounds = ModelBounds(image);
                QVERIFY(!bounds.isNull());
                QVERIFY2(bounds.left() > 0 && bounds.top() > 0 && bounds.right() < size.width() - 1 && bounds.bottom() < size.height() - 1,
                         "the model touches the picture's edge");
                QVERIFY(std::abs(bounds.center().x() - size.width() / 2) < size.width() / 20);
                QVERIFY(std::abs(bounds.center().y() - size.height() / 2) < size.height() / 20);
                // The limiting side is nearly filled, the other reasonably.
                const double fillX = double(bounds.width()) / size.width(), fillY = double(bounds.height()) / size.height();
                QVERIFY2(std::max(fillX, fillY) > 0.75, qPrintable(QString("fill %1 x %2").arg(fillX).arg(fillY)));
                QVERIFY(std::min(fillX, fillY) > 0.3);
            }
    }

    void modelStandsUprightInBothAxisModes() {
        const auto box = BoxFrame();
        const QSize size(400, 300);
        const QImage sap = RenderPicture(*box, Options(PictureAxes::Sap2000), size);
        const QImage staad = RenderPicture(*box, Options(PictureAxes::Staad), size);
        for (const QImage* image : {&sap, &staad}) {
            const QRect model = ModelBounds(*image);
            const QRect supports = PixelBounds(*image, IsSupport);
            QVERIFY2(!supports.isNull(), "no support drawn");
            // All four markers sit in the lower half of the model.
            QVERIFY2(supports.top() > model.top() + model.height() / 2, "supports are not at the bottom");
            QVERIFY(supports.bottom() >= model.bottom() - 2);
            QVERIFY(supports.width() > model.width() / 2);
        }
        // The modes name the axes differently but show the same model the same way.
        QCOMPARE(WithoutAxisCross(sap), WithoutAxisCross(staad));
        QVERIFY(sap != staad);
    }

    void axisCrossNamesTheModesAxes() {
        ModelPainter painter(BoxFrame());
        for (double pitch : {28.0, 60.0}) {
            painter.SetAngles(-60.0, pitch);
            painter.SetAxes(PictureAxes::Sap2000);
            const auto sap = painter.AxisArrows();
            painter.SetAxes(PictureAxes::Staad);
            const auto staad = painter.AxisArrows();
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(sap[k].name, char('X' + k));
                QCOMPARE(staad[k].name, char('X' + k));
            }
            // Up on the screen is SAP2000's Z and STAAD.Pro's Y: straight up.
            const double up = std::cos(pitch * M_PI / 180.0);
            QVERIFY(std::abs(sap[2].direction.x()) < 1e-9 && std::abs(sap[2].direction.y() + up) < 1e-9);
            QVERIFY(std::abs(staad[1].direction.x()) < 1e-9 && std::abs(staad[1].direction.y() + up) < 1e-9);
            // (X, Y, Z) of SAP2000 is (X, Z, -Y) of STAAD.Pro.
            QCOMPARE(staad[0].direction, sap[0].direction);
            QCOMPARE(staad[2].direction, -sap[1].direction);
        }
        // A higher joint is drawn higher in both modes.
        for (PictureAxes axes : {PictureAxes::Sap2000, PictureAxes::Staad}) {
            painter.SetAxes(axes);
            QVERIFY(painter.Project(0, 0, 3, QSize(400, 300)).y() < painter.Project(0, 0, 0, QSize(400, 300)).y());
        }
    }

    void fixedAndPinnedSupportsDiffer() {
        auto fixedOnly = BoxFrame(), pinnedOnly = BoxFrame();
        fixedOnly->supportFixed = {1, 1, 1, 1};
        pinnedOnly->supportFixed = {0, 0, 0, 0};
        const QImage a = RenderPicture(*fixedOnly, {}, QSize(400, 300));
        const QImage b = RenderPicture(*pinnedOnly, {}, QSize(400, 300));
        auto count = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) n += IsSupport(image.pixel(x, y));
            return n;
        };
        QVERIFY(count(a) > 0 && count(b) > 0);
        QVERIFY(a != b);
    }

    void brokenIndicesAndOddModelsAreSkipped() {
        auto m = BoxFrame();
        const std::uint32_t huge = std::numeric_limits<std::uint32_t>::max();
        m->members.insert(m->members.end(), {0, 99, huge, 1});
        m->shells.insert(m->shells.end(), {0, 1, 2, 1000, 4, 5, 5, 5});  // a missing joint; a shell with one corner
        m->supports.insert(m->supports.end(), {12, huge});                // and supportFixed shorter than supports
        m->xyz.push_back(1.0f);                                          // a stray coordinate
        for (PictureQuality q : {PictureQuality::Full, PictureQuality::Draft}) {
            const QImage image = RenderPicture(*m, Options(PictureAxes::Sap2000, q), QSize(320, 240));
            QVERIFY(!ModelBounds(image).isNull());
        }
        // Joints at infinity or NaN are left out of the frame and the lines.
        auto wild = BoxFrame();
        wild->xyz.insert(wild->xyz.end(), {std::numeric_limits<float>::infinity(), 0, 0, std::nanf(""), 1, 1});
        wild->members.insert(wild->members.end(), {12, 0, 13, 1});
        QCOMPARE(WithoutAxisCross(RenderPicture(*wild, {}, QSize(320, 240))), WithoutAxisCross(RenderPicture(*BoxFrame(), {}, QSize(320, 240))));
        // Nothing, one joint, zero size.
        QVERIFY(ModelBounds(RenderPicture(PictureModel{}, {}, QSize(200, 150))).isNull());
        PictureModel single;
        single.xyz = {5, 5, 5};
        single.supports = {0};
        QVERIFY(!ModelBounds(RenderPicture(single, {}, QSize(200, 150))).isNull());
        QVERIFY(RenderPicture(*m, {}, QSize(0, 10)).isNull());
        // Zoomed in far, the lines run far outside the picture and are cut.
        ModelPainter close(m);
        close.Fit(QSize(200, 150));
        close.ZoomAbout(QPointF(100, 75), 1e5, QSize(200, 150));
        QImage image(200, 150, QImage::Format_RGB32);
        QVERIFY(close.Paint(image, PictureQuality::Full));
    }

    void zoomPanAndFit() {
        ModelPainter painter(BoxFrame());
        const QSize size(400, 300);
        painter.Fit(size);
        const double fitted = painter.Zoom();
        // The model point under the cursor stays under it.
        const QPointF cursor = painter.Project(6, 0, 3, size);
        painter.ZoomAbout(cursor, 2.5, size);
        QCOMPARE(painter.Zoom(), fitted * 2.5);
        const QPointF after = painter.Project(6, 0, 3, size);
        QVERIFY(std::abs(after.x() - cursor.x()) < 1e-6 && std::abs(after.y() - cursor.y()) < 1e-6);
        painter.PanBy(QPointF(30, -10));
        painter.Fit(size);
        QCOMPARE(painter.Zoom(), fitted);
        // Turning keeps the pitch within a quarter turn and the yaw within a turn.
        painter.SetAngles(170, 80);
        painter.Rotate(20, 30);
        QCOMPARE(painter.Pitch(), 90.0);
        QCOMPARE(painter.Yaw(), -170.0);
        // A cancelled drawing says so.
        QImage image(size, QImage::Format_RGB32);
        QVERIFY(!painter.Paint(image, PictureQuality::Full, [] { return true; }));
    }

    void largeGridDrawsQuickly() {
        const auto grid = Grid(50, 50, 40);
        QCOMPARE(grid->JointCount(), std::size_t(100000));
        qInfo("grid: %zu joints, %zu members, %zu shells", grid->JointCount(), grid->MemberCount(), grid->ShellCount());
        const QSize size(1200, 900);
        QElapsedTimer timer;
        timer.start();
        const QImage draft = RenderPicture(*grid, Options(PictureAxes::Staad, PictureQuality::Draft), size);
        const qint64 draftMs = timer.restart();
        const QImage full = RenderPicture(*grid, Options(PictureAxes::Staad, PictureQuality::Full), size);
        const qint64 fullMs = timer.elapsed();
        qInfo("100 000-joint grid at 1200 x 900: draft %lld ms, full %lld ms", draftMs, fullMs);
        QVERIFY2(draftMs < 10000, "the draft hangs");
        QVERIFY2(fullMs < 60000, "the full picture hangs");
        for (const QImage* image : {&draft, &full}) {
            const QRect bounds = ModelBounds(*image);
            QVERIFY(bounds.width() > size.width() / 2 || bounds.height() > size.height() / 2);
            const QRect supports = PixelBounds(*image, IsSupport);
            QVERIFY(!supports.isNull() && supports.center().y() > bounds.center().y());
            QVERIFY(supports.bottom() >= bounds.bottom() - 2);
        }
    }

    void viewAnswersWheelAndDrags() {
        ModelView view;
        view.resize(480, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!view.hasModel());
        view.setModel(BoxFrame());
        QVERIFY(view.hasModel());
        QWidget* canvas = view.canvas();
        const QImage fitted = view.picture();
        QCOMPARE(fitted.size(), canvas->size() * canvas->devicePixelRatioF());
        const double zoom = view.view().Zoom();

        // Wheel up zooms in about the cursor: points move away from it.
        const QPointF cursor(canvas->width() * 0.3, canvas->height() * 0.4);
        const QPointF corner = view.view().Project(6, 0, 3, view.picture().size());
        QWheelEvent wheel(cursor, canvas->mapToGlobal(cursor), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        const double factor = view.view().Zoom() / zoom;
        QVERIFY(factor > 1.1);
        const QPointF expected = cursor + (corner - cursor) * factor;
        QVERIFY((view.view().Project(6, 0, 3, view.picture().size()) - expected).manhattanLength() < 1e-6);
        QVERIFY(view.picture() != fitted);

        // A left drag turns the model, a right drag pans it.
        const double yaw = view.view().Yaw();
        const QImage beforeTurn = view.picture();
        Drag(canvas, QPointF(200, 200), QPointF(260, 180), Qt::LeftButton);
        QVERIFY(std::abs(view.view().Yaw() - yaw) > 10.0);
        QVERIFY(view.picture() != beforeTurn);
        const QPointF pan = view.view().Pan();
        Drag(canvas, QPointF(200, 200), QPointF(230, 210), Qt::RightButton);
        QCOMPARE(view.view().Pan(), pan + QPointF(30, 10) * canvas->devicePixelRatioF());

        // Fit frames the model again; the check box changes the axis names only.
        view.fitButton()->click();
        const QRect bounds = ModelBounds(view.picture());
        QVERIFY(std::abs(bounds.center().x() - view.picture().width() / 2) < view.picture().width() / 20);
        const QImage sap = view.picture();
        view.staadAxesBox()->setChecked(true);
        QCOMPARE(view.axes(), PictureAxes::Staad);
        QCOMPARE(WithoutAxisCross(view.picture()), WithoutAxisCross(sap));
        QVERIFY(view.picture() != sap);

        view.clear();
        QVERIFY(!view.hasModel());
        QVERIFY(view.picture().isNull());
    }

    void largeModelIsDrawnOffTheGuiThreadNewestFirst() {
        const auto grid = Grid(30, 30, 12);  // about 30 000 members and shells
        QVERIFY(grid->MemberCount() + grid->ShellCount() > ModelView::kBackgroundLimit);
        ModelView view;
        view.resize(480, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setModel(grid);
        QTRY_VERIFY_WITH_TIMEOUT(!view.drawing(), 20000);
        const QImage first = view.picture();
        QVERIFY(!first.isNull());

        // Many moves in a row: drafts meanwhile, and in the end the full
        // picture of the last view.
        QWidget* canvas = view.canvas();
        Send(canvas, QEvent::MouseButtonPress, QPointF(100, 100), Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 30; ++step)
            Send(canvas, QEvent::MouseMove, QPointF(100 + 4 * step, 100 + step), Qt::NoButton, Qt::LeftButton);
        Send(canvas, QEvent::MouseButtonRelease, QPointF(220, 130), Qt::LeftButton, Qt::NoButton);
        QTRY_VERIFY_WITH_TIMEOUT(!view.drawing(), 20000);
        QImage expected(view.picture().size(), QImage::Format_RGB32);
        view.view().Paint(expected, PictureQuality::Full);
        QImage shown = view.picture();
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown, expected);
        QVERIFY(shown != first);

        // A model replaced while its picture is drawn does not come back.
        view.setModel(Grid(40, 40, 10));
        view.clear();
        QTest::qWait(300);
        QVERIFY(view.picture().isNull());
    }
};

QTEST_MAIN(ModelViewTest)
#include "model_view_test.moc"
