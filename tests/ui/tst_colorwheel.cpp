#include "demoworld.h"
#include "engine/db/selectiontypes.h"
#include "engine/settings/preferences.h"
#include "fixturefiles.h"
#include "ui/colorwheellayout.h"
#include "ui/colorwheelpainter.h"
#include "ui/colorwheelwidget.h"

#include <QApplication>
#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QtMath>

using Corvo::ColorWheelLayout;
using Corvo::ColorWheelPainter;
using Corvo::ColorWheelSettings;
using Corvo::ColorWheelWidget;
using Corvo::SegmentOrientation;
namespace Preferences = Corvo::Preferences;

namespace {

constexpr int kCw = 1;
constexpr int kCcw = 2;
constexpr double kTolerance = 1e-9;
const QColor kPictureColour(40, 90, 160);

// Six segments; segment 3 holds only a warm card, the others fresh ones.
const QUuid kFiltered(QStringLiteral("{5EED0011-0000-4000-8000-000000000011}"));
// Four segments, but its only card lies in segment 6.
const QUuid kOutOfRange(QStringLiteral("{5EED0012-0000-4000-8000-000000000012}"));
// No cards at all; a plain blue wheel picture.
const QUuid kWithoutPages(QStringLiteral("{5EED0013-0000-4000-8000-000000000013}"));
const QUuid kNotCatalogued(QStringLiteral("{5EED00FF-0000-4000-8000-0000000000FF}"));

QList<int> oneTo(int last)
{
    QList<int> segments;
    for (int segment = 1; segment <= last; ++segment)
        segments.append(segment);
    return segments;
}

ColorWheelLayout layoutOf(int segments, double firstAngle, int orientation, const QList<int> &used)
{
    return ColorWheelLayout(ColorWheelSettings{segments, firstAngle,
                                               static_cast<SegmentOrientation>(orientation), used});
}

QByteArray pictureBytes()
{
    QImage image(ColorWheelLayout::kSize, QImage::Format_RGB32);
    image.fill(kPictureColour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool addWheelSettings(Tintwell::CollectionFileWriter &writer, qint64 id, int segments)
{
    return writer.addSetting(id, QStringLiteral("num.of.segments"), QString::number(segments)) &&
           writer.addSetting(id, QStringLiteral("first.segment.angle"), QStringLiteral("90")) &&
           writer.addSetting(id, QStringLiteral("segment.increment.orientation"),
                             QStringLiteral("CW"));
}

bool addCard(Tintwell::CollectionFileWriter &writer, qint64 id, int pageIndex, int segment,
             int mood)
{
    Tintwell::PageFields page;
    page.pageIndex = pageIndex;
    page.segment = segment;
    page.mood = mood;
    return writer.addPage(id, page).has_value();
}

bool writeWheelFixture(const QString &path)
{
    const QList<Tintwell::CollectionFields> collections{
        FixtureFiles::collection(11, kFiltered.toString(), QStringLiteral("WHEELA"), 11),
        FixtureFiles::collection(12, kOutOfRange.toString(), QStringLiteral("WHEELB"), 12),
        FixtureFiles::collection(13, kWithoutPages.toString(), QStringLiteral("WHEELC"), 13)};
    return FixtureFiles::writeCollectionFile(
        path, collections, false, [](Tintwell::CollectionFileWriter &writer) {
            bool ok = addWheelSettings(writer, 11, 6) && addWheelSettings(writer, 12, 4) &&
                      addWheelSettings(writer, 13, 12) &&
                      writer.addThemeItem(13, QStringLiteral("image.widget.color.wheel.background"),
                                          pictureBytes());
            for (int segment = 1; segment <= 6 && ok; ++segment)
                ok = addCard(writer, 11, segment, segment, segment == 3 ? 2 : 1);
            return ok && addCard(writer, 12, 1, 6, 1);
        });
}

void turnWheel(QWidget &widget, int delta, bool inverted = false)
{
    const QPointF where = QPointF(ColorWheelLayout::kCentre);
    QWheelEvent event(where, widget.mapToGlobal(where), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, inverted);
    QApplication::sendEvent(&widget, &event);
}

// A point well inside the segment, as far out as the pointer's shaft reaches.
QPoint pointOnSegment(const ColorWheelLayout &layout, int segment)
{
    return ColorWheelLayout::pointAt(41.0, layout.pointerAngle(segment)).toPoint();
}

QList<int> emitted(const QSignalSpy &spy)
{
    QList<int> segments;
    for (const QList<QVariant> &arguments : spy)
        segments.append(arguments.at(0).toInt());
    return segments;
}

} // namespace

class TestColorWheel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void hitMap_data();
    void hitMap();
    void angleOf_data();
    void angleOf();
    void segmentAt_data();
    void segmentAt();
    void pointerAngle_data();
    void pointerAngle();
    void pointerAndArcGeometry();
    void stepCandidates_data();
    void stepCandidates();

    void pressAndDragChooseSegments();
    void wheelWrapsAroundTheDeck();
    void keysStepLikeTheWheel();
    void segmentWithoutCardsHandsOn();
    void noQualifyingSegmentStopsStepping();
    void collectionWithoutPagesStillPaints();
    void wheelIsRenderedAtTheDeviceRatio();
    void focusShowsARing();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestColorWheel::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeWheelFixture(m_world->environment().collectionFile(QStringLiteral("wheel.db"))));
    TestEnvironment::resetCatalogue();
}

void TestColorWheel::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestColorWheel::hitMap_data()
{
    QTest::addColumn<int>("segments");
    QTest::addColumn<double>("firstAngle");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QList<int>>("used");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("count");
    // Start and end in degrees.
    QTest::addColumn<QList<QPointF>>("intervals");

    const QList<int> all = oneTo(12);
    QTest::newRow("cw segment 1") << 12 << 90.0 << kCw << all << 1 << 12
                                  << QList<QPointF>{{75, 105}};
    QTest::newRow("cw segment 2") << 12 << 90.0 << kCw << all << 2 << 12
                                  << QList<QPointF>{{45, 75}};
    QTest::newRow("cw segment 4 passes 0")
        << 12 << 90.0 << kCw << all << 4 << 12 << QList<QPointF>{{345, 360}, {0, 15}};
    QTest::newRow("cw segment 5 keeps its own width")
        << 12 << 90.0 << kCw << all << 5 << 12 << QList<QPointF>{{315, 345}};
    QTest::newRow("cw segment 9 of 24")
        << 24 << 90.0 << kCw << oneTo(24) << 9 << 24 << QList<QPointF>{{322.5, 337.5}};
    QTest::newRow("ccw segment 1")
        << 12 << 90.0 << kCcw << all << 1 << 12 << QList<QPointF>{{75, 105}};
    QTest::newRow("ccw segment 2")
        << 12 << 90.0 << kCcw << all << 2 << 12 << QList<QPointF>{{105, 135}};
    QTest::newRow("ccw segment 10 passes a full turn")
        << 12 << 90.0 << kCcw << all << 10 << 12 << QList<QPointF>{{345, 360}, {0, 15}};
    QTest::newRow("ccw segment 11 keeps its own width")
        << 12 << 90.0 << kCcw << all << 11 << 12 << QList<QPointF>{{15, 45}};
    QTest::newRow("no segments count as 12")
        << 0 << 90.0 << kCw << all << 2 << 12 << QList<QPointF>{{45, 75}};
    QTest::newRow("negative segments count as 12")
        << -3 << 90.0 << kCw << all << 1 << 12 << QList<QPointF>{{75, 105}};
    QTest::newRow("unknown orientation runs clockwise")
        << 12 << 90.0 << 0 << all << 2 << 12 << QList<QPointF>{{45, 75}};
    QTest::newRow("other orientation runs clockwise")
        << 12 << 90.0 << 7 << all << 2 << 12 << QList<QPointF>{{45, 75}};
    QTest::newRow("first angle past a full turn")
        << 12 << 450.0 << kCw << all << 2 << 12 << QList<QPointF>{{45, 75}};
    QTest::newRow("negative first angle")
        << 12 << -270.0 << kCcw << all << 2 << 12 << QList<QPointF>{{105, 135}};
    QTest::newRow("first angle no number counts as 0")
        << 12 << qQNaN() << kCw << all << 1 << 12 << QList<QPointF>{{345, 360}, {0, 15}};
    QTest::newRow("unused segment")
        << 12 << 90.0 << kCw << QList<int>{1, 2, 4} << 3 << 12 << QList<QPointF>{};
    QTest::newRow("segment beyond the count")
        << 12 << 90.0 << kCw << QList<int>{1, 13} << 13 << 12 << QList<QPointF>{};
}

void TestColorWheel::hitMap()
{
    QFETCH(int, segments);
    QFETCH(double, firstAngle);
    QFETCH(int, orientation);
    QFETCH(QList<int>, used);
    QFETCH(int, segment);
    QFETCH(int, count);
    QFETCH(QList<QPointF>, intervals);

    const ColorWheelLayout layout = layoutOf(segments, firstAngle, orientation, used);
    QCOMPARE(layout.segmentCount(), count);
    QList<QPointF> found;
    for (const Corvo::SegmentInterval &interval : layout.hitMap()) {
        if (interval.segment == segment)
            found.append({qRadiansToDegrees(interval.start), qRadiansToDegrees(interval.end)});
    }
    QCOMPARE(found.size(), intervals.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        QVERIFY2(qAbs(found.at(i).x() - intervals.at(i).x()) < 1e-6 &&
                     qAbs(found.at(i).y() - intervals.at(i).y()) < 1e-6,
                 qPrintable(QStringLiteral("[%1, %2]").arg(found.at(i).x()).arg(found.at(i).y())));
    }
}

void TestColorWheel::angleOf_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<double>("degrees"); // -1: no angle

    QTest::newRow("right") << QPointF(100, 61) << 0.0;
    QTest::newRow("straight up") << QPointF(60, 20) << 90.0;
    QTest::newRow("left") << QPointF(20, 61) << 180.0;
    QTest::newRow("straight down") << QPointF(60, 100) << 270.0;
    QTest::newRow("upper right") << QPointF(80, 41) << 45.0;
    QTest::newRow("upper left") << QPointF(40, 41) << 135.0;
    QTest::newRow("lower left") << QPointF(40, 81) << 225.0;
    QTest::newRow("lower right") << QPointF(80, 81) << 315.0;
    QTest::newRow("centre") << QPointF(60, 61) << -1.0;
}

void TestColorWheel::angleOf()
{
    QFETCH(QPointF, point);
    QFETCH(double, degrees);

    const std::optional<double> angle = ColorWheelLayout::angleOf(point);
    QCOMPARE(angle.has_value(), degrees >= 0.0);
    if (angle)
        QVERIFY(qAbs(qRadiansToDegrees(*angle) - degrees) < kTolerance);
}

void TestColorWheel::segmentAt_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QList<int>>("used");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("segment"); // 0: none

    const QList<int> all = oneTo(12);
    const QPointF at350 = ColorWheelLayout::pointAt(41.0, qDegreesToRadians(350.0));
    QTest::newRow("straight up, r = 41") << kCw << all << QPointF(60, 20) << 1;
    QTest::newRow("centre") << kCw << all << QPointF(60, 61) << 0;
    QTest::newRow("r = 58") << kCw << all << QPointF(60, 61 - 58) << 0;
    QTest::newRow("r = 57") << kCw << all << QPointF(60, 61 - 57) << 1;
    QTest::newRow("right, 0 degrees") << kCw << all << QPointF(101, 61) << 4;
    QTest::newRow("350 degrees") << kCw << all << at350 << 4;
    QTest::newRow("350 degrees, unused") << kCw << QList<int>{3, 5} << at350 << 0;
    QTest::newRow("left, clockwise") << kCw << all << QPointF(20, 61) << 10;
    QTest::newRow("left, counter-clockwise") << kCcw << all << QPointF(20, 61) << 4;
    QTest::newRow("no cards") << kCw << QList<int>{} << QPointF(60, 20) << 0;
}

void TestColorWheel::segmentAt()
{
    QFETCH(int, orientation);
    QFETCH(QList<int>, used);
    QFETCH(QPointF, point);
    QFETCH(int, segment);

    const ColorWheelLayout layout = layoutOf(12, 90.0, orientation, used);
    QCOMPARE(layout.segmentAt(point).value_or(0), segment);
}

void TestColorWheel::pointerAngle_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("segment");
    QTest::addColumn<double>("degrees");

    QTest::newRow("cw 1") << kCw << 1 << 90.0;
    QTest::newRow("cw 2") << kCw << 2 << 60.0;
    QTest::newRow("cw 4") << kCw << 4 << 0.0;
    QTest::newRow("cw 12") << kCw << 12 << 120.0;
    QTest::newRow("ccw 2") << kCcw << 2 << 120.0;
    QTest::newRow("ccw 12") << kCcw << 12 << 60.0;
    QTest::newRow("unknown orientation runs clockwise") << 0 << 2 << 60.0;
    QTest::newRow("stale segment 0") << kCw << 0 << 120.0;
}

void TestColorWheel::pointerAngle()
{
    QFETCH(int, orientation);
    QFETCH(int, segment);
    QFETCH(double, degrees);

    const ColorWheelLayout layout = layoutOf(12, 90.0, orientation, oneTo(12));
    QVERIFY(qAbs(qRadiansToDegrees(layout.pointerAngle(segment)) - degrees) < kTolerance);
}

void TestColorWheel::pointerAndArcGeometry()
{
    const ColorWheelLayout layout = layoutOf(12, 90.0, kCw, oneTo(12));
    const auto near = [](const QPointF &a, const QPointF &b) {
        return QLineF(a, b).length() < kTolerance;
    };
    const QLineF shaft = layout.pointerShaft(1);
    QVERIFY(near(shaft.p1(), QPointF(60, 61)));
    QVERIFY(near(shaft.p2(), QPointF(60, 21)));
    const QPolygonF head = layout.pointerHead(1);
    QCOMPARE(head.size(), 3);
    QVERIFY(near(head.at(0), QPointF(60, 17)));
    const double base = qDegreesToRadians(81.0);
    QVERIFY(near(head.at(1), QPointF(60 + 36 * std::cos(base), 61 - 36 * std::sin(base))));
    QVERIFY(near(head.at(2), QPointF(60 - 36 * std::cos(base), 61 - 36 * std::sin(base))));
    const Corvo::WheelArc arc = layout.arc(1);
    QCOMPARE(arc.rect, QRectF(12, 13, 96, 96));
    QCOMPARE(arc.startAngle, 75 * 16);
    QCOMPARE(arc.spanAngle, 30 * 16);
    QCOMPARE(ColorWheelLayout::hubRect(), QRectF(54, 55, 13, 13));
}

void TestColorWheel::stepCandidates_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<int>>("candidates");

    // Five segments; the cards use 1, 2 and 4.
    QTest::newRow("up from 2") << 2 << 1 << QList<int>{3, 4, 1, 2};
    QTest::newRow("up from the last") << 5 << 1 << QList<int>{1, 2, 4};
    QTest::newRow("down from 1") << 1 << -1 << QList<int>{5, 4, 2, 1};
    QTest::newRow("down from 0") << 0 << -1 << QList<int>{5, 4, 2, 1};
    QTest::newRow("up from beyond the count") << 9 << 1 << QList<int>{1, 2, 4};
    QTest::newRow("up from the largest number") << INT_MAX << 1 << QList<int>{1, 2, 4};
}

void TestColorWheel::stepCandidates()
{
    QFETCH(int, from);
    QFETCH(int, step);
    QFETCH(QList<int>, candidates);

    const ColorWheelLayout layout = layoutOf(5, 90.0, kCw, {4, 1, 2, 2});
    QCOMPARE(layout.stepCandidates(from, step), candidates);
}

void TestColorWheel::pressAndDragChooseSegments()
{
    ColorWheelWidget wheel;
    wheel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wheel));
    QCOMPARE(wheel.size(), QSize(122, 122));
    QCOMPARE(wheel.focusPolicy(), Qt::StrongFocus);
    QVERIFY(wheel.hasMouseTracking());
    QCOMPARE(wheel.layout().segmentCount(), 24);
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);

    QTest::mouseMove(&wheel, QPoint(60, 20));
    QTest::mousePress(&wheel, Qt::RightButton, {}, QPoint(60, 20));
    QTest::mouseRelease(&wheel, Qt::RightButton, {}, QPoint(60, 20));
    QTest::mousePress(&wheel, Qt::LeftButton, {}, QPoint(60, 61 - 58));
    QTest::mouseRelease(&wheel, Qt::LeftButton, {}, QPoint(60, 61 - 58));
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, QPoint(60, 61));
    QVERIFY(spy.isEmpty());

    QTest::mousePress(&wheel, Qt::LeftButton, {}, QPoint(60, 20));
    QTest::mouseMove(&wheel, pointOnSegment(wheel.layout(), 3));
    QTest::mouseRelease(&wheel, Qt::LeftButton, {}, pointOnSegment(wheel.layout(), 3));
    QTest::mouseMove(&wheel, pointOnSegment(wheel.layout(), 5));
    QCOMPARE(emitted(spy), (QList<int>{1, 3}));

    Preferences::setSegmentIndex(DemoWorld::mainCollection(), 5);
    wheel.selectionChanged();
    QCOMPARE(wheel.accessibleName(), QStringLiteral("Colour wheel"));
    QVERIFY(wheel.accessibleDescription().contains(QStringLiteral("5 of 24")));
}

void TestColorWheel::wheelWrapsAroundTheDeck()
{
    const QUuid demo = DemoWorld::mainCollection();
    ColorWheelWidget wheel;
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);

    Preferences::setSegmentIndex(demo, 24);
    turnWheel(wheel, -120);
    Preferences::setSegmentIndex(demo, 1);
    turnWheel(wheel, 120);
    Preferences::setSegmentIndex(demo, 24);
    turnWheel(wheel, 120, true);
    QCOMPARE(emitted(spy), (QList<int>{1, 24, 1}));

    spy.clear();
    Preferences::setSegmentIndex(demo, 7);
    turnWheel(wheel, -60);
    QVERIFY(spy.isEmpty());
    turnWheel(wheel, -60);
    turnWheel(wheel, -240);
    turnWheel(wheel, 0);
    QCOMPARE(emitted(spy), (QList<int>{8, 9}));
}

void TestColorWheel::keysStepLikeTheWheel()
{
    const QUuid demo = DemoWorld::mainCollection();
    ColorWheelWidget wheel;
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);

    Preferences::setSegmentIndex(demo, 24);
    QTest::keyClick(&wheel, Qt::Key_Right);
    Preferences::setSegmentIndex(demo, 1);
    QTest::keyClick(&wheel, Qt::Key_Left);
    QTest::keyClick(&wheel, Qt::Key_Up);
    QCOMPARE(emitted(spy), (QList<int>{1, 24}));
}

void TestColorWheel::segmentWithoutCardsHandsOn()
{
    DemoWorld::makeCurrent(kFiltered);
    Preferences::setMoodFilter(kFiltered, Corvo::MoodFresh);
    ColorWheelWidget wheel;
    QCOMPARE(wheel.layout().segmentCount(), 6);
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);

    QTest::mouseClick(&wheel, Qt::LeftButton, {}, pointOnSegment(wheel.layout(), 3));
    Preferences::setSegmentIndex(kFiltered, 2);
    turnWheel(wheel, -120);
    Preferences::setSegmentIndex(kFiltered, 4);
    QTest::keyClick(&wheel, Qt::Key_Left);
    QCOMPARE(emitted(spy), (QList<int>{4, 4, 2}));
}

void TestColorWheel::noQualifyingSegmentStopsStepping()
{
    DemoWorld::makeCurrent(kOutOfRange);
    ColorWheelWidget wheel;
    QVERIFY(wheel.layout().hitMap().isEmpty());
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);

    turnWheel(wheel, -120);
    turnWheel(wheel, 120);
    QTest::keyClick(&wheel, Qt::Key_Right);
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(spy.isEmpty());
}

void TestColorWheel::collectionWithoutPagesStillPaints()
{
    DemoWorld::makeCurrent(kWithoutPages);
    Preferences::setSegmentIndex(kWithoutPages, 1);
    ColorWheelWidget wheel;
    QVERIFY(wheel.layout().hitMap().isEmpty());
    QSignalSpy spy(&wheel, &ColorWheelWidget::segmentChangedInteractively);
    QTest::mouseClick(&wheel, Qt::LeftButton, {}, QPoint(60, 20));
    QVERIFY(spy.isEmpty());

    const QImage shot = wheel.grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), kPictureColour);
    QCOMPARE(shot.pixelColor(60, 61), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(60, 30), QColor(Qt::white)); // on the pointer's shaft
    QCOMPARE(shot.pixelColor(30, 40), kPictureColour);

    // Preferences naming a collection that is not installed: the hub and pointer remain.
    wheel.selectedCollectionChanged(kNotCatalogued);
    QVERIFY(wheel.layout().hitMap().isEmpty());
    const QImage bare = wheel.grab().toImage();
    QCOMPARE(bare.pixelColor(60, 61), QColor(Qt::white));
    QVERIFY(bare.pixelColor(2, 2) != kPictureColour);
}

void TestColorWheel::wheelIsRenderedAtTheDeviceRatio()
{
    const QPixmap wheel =
        ColorWheelPainter::renderWheel(DemoWorld::mainCollection(), ColorWheelLayout::kSize, 2.0);
    QCOMPARE(wheel.size(), QSize(244, 244));
    QCOMPARE(wheel.devicePixelRatio(), 2.0);
    QCOMPARE(wheel.toImage().pixelColor(121, 123), QColor(Qt::white));
}

void TestColorWheel::focusShowsARing()
{
    QWidget window;
    auto *wheel = new ColorWheelWidget(&window);
    window.resize(ColorWheelLayout::kSize);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // On the rim, right of the centre: beyond where presses are taken.
    const QPoint rim = (ColorWheelLayout::kCentre + QPointF(58.5, 0)).toPoint();
    wheel->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(wheel->hasFocus());
    const QColor focused = wheel->grab().toImage().pixelColor(rim);
    wheel->clearFocus();
    QVERIFY(!wheel->hasFocus());
    const QColor unfocused = wheel->grab().toImage().pixelColor(rim);
    QVERIFY2(focused != unfocused, qPrintable(focused.name()));
    QVERIFY2(focused.blue() > focused.red() + 20, qPrintable(focused.name()));
}

QTEST_MAIN(TestColorWheel)
#include "tst_colorwheel.moc"
