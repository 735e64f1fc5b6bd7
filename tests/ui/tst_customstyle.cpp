#include "demoworld.h"
#include "ui/flatstylegeometry.h"
#include "ui/imagebutton.h"
#include "ui/themeimage.h"
#include "ui/velmoracustomstyle.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

namespace Geometry = Corvo::FlatStyleGeometry;
using Geometry::ScrollBarArea;
using Geometry::ScrollTrack;
using Geometry::Span;

Q_DECLARE_METATYPE(ScrollTrack)
Q_DECLARE_METATYPE(Span)
Q_DECLARE_METATYPE(ScrollBarArea)

namespace {

ScrollTrack track(int length, int minimum, int maximum, int pageStep, int value,
                  bool mirrored = false)
{
    return {length, minimum, maximum, pageStep, value, mirrored};
}

// The whole widget without its window background, so that transparency shows.
QImage rendered(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QPixmap solidPixmap(const QSize &size, const QColor &colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace

class TestCustomStyle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void handleSpan_data();
    void handleSpan();
    void areaAt_data();
    void areaAt();
    void capsuleRect_data();
    void capsuleRect();
    void sliderHandleRect_data();
    void sliderHandleRect();

    void scrollBarHitTest_data();
    void scrollBarHitTest();
    void scrollBarHasNoArrowButtons();
    void clickingThePageAreaAndDraggingTheHandle();
    void sliderWithImages();
    void imageButtonElement_data();
    void imageButtonElement();
    void otherElementsAreTheApplicationStyles();
    void oneSharedInstancePerApplication();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestCustomStyle::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
}

void TestCustomStyle::handleSpan_data()
{
    QTest::addColumn<ScrollTrack>("bar");
    QTest::addColumn<Span>("handle");
    QTest::newRow("value 0, page step equal to the range: half the track")
        << track(100, 0, 100, 100, 0) << Span{0, 50};
    QTest::newRow("value at the maximum") << track(100, 0, 100, 100, 100) << Span{50, 100};
    QTest::newRow("in the middle") << track(200, 0, 300, 100, 150) << Span{75, 125};
    QTest::newRow("rounded") << track(101, 0, 100, 100, 0) << Span{0, 51};
    QTest::newRow("minimum above zero") << track(100, 50, 150, 100, 50) << Span{0, 50};
    QTest::newRow("empty range: all handle") << track(120, 5, 5, 10, 5) << Span{0, 120};
    QTest::newRow("empty range without page step") << track(120, 0, 0, 0, 0) << Span{0, 120};
    QTest::newRow("maximum below minimum: all handle") << track(120, 10, 5, 10, 7) << Span{0, 120};
    QTest::newRow("value beyond the maximum") << track(100, 0, 100, 100, 500) << Span{50, 100};
    QTest::newRow("negative page step") << track(100, 0, 100, -5, 50) << Span{50, 50};
    QTest::newRow("mirrored") << track(100, 0, 100, 100, 0, true) << Span{50, 100};
    QTest::newRow("whole int range")
        << track(100, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0,
                 std::numeric_limits<int>::max())
        << Span{100, 100};
}

void TestCustomStyle::handleSpan()
{
    QFETCH(ScrollTrack, bar);
    QFETCH(Span, handle);
    const Span span = Geometry::handleSpan(bar);
    QCOMPARE(span.start, handle.start);
    QCOMPARE(span.end, handle.end);
}

void TestCustomStyle::areaAt_data()
{
    QTest::addColumn<ScrollTrack>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<ScrollBarArea>("area");
    const ScrollTrack half = track(100, 0, 100, 100, 0);
    QTest::newRow("handle start") << half << 0 << ScrollBarArea::Handle;
    QTest::newRow("handle end") << half << 49 << ScrollBarArea::Handle;
    QTest::newRow("after the handle") << half << 50 << ScrollBarArea::AddPage;
    QTest::newRow("track end") << half << 99 << ScrollBarArea::AddPage;
    const ScrollTrack middle = track(200, 0, 300, 100, 150);
    QTest::newRow("before the handle") << middle << 74 << ScrollBarArea::SubPage;
    QTest::newRow("first handle pixel") << middle << 75 << ScrollBarArea::Handle;
    QTest::newRow("last handle pixel") << middle << 124 << ScrollBarArea::Handle;
    QTest::newRow("first add-page pixel") << middle << 125 << ScrollBarArea::AddPage;
    QTest::newRow("mirrored, towards the maximum")
        << track(100, 0, 100, 100, 0, true) << 49 << ScrollBarArea::AddPage;
    QTest::newRow("mirrored, handle")
        << track(100, 0, 100, 100, 0, true) << 50 << ScrollBarArea::Handle;
    QTest::newRow("mirrored, towards the minimum")
        << track(200, 0, 300, 100, 150, true) << 130 << ScrollBarArea::SubPage;
    QTest::newRow("empty range, start") << track(120, 0, 0, 10, 0) << 0 << ScrollBarArea::Handle;
    QTest::newRow("empty range, end") << track(120, 0, 0, 10, 0) << 119 << ScrollBarArea::Handle;
}

void TestCustomStyle::areaAt()
{
    QFETCH(ScrollTrack, bar);
    QFETCH(int, position);
    QFETCH(ScrollBarArea, area);
    QCOMPARE(Geometry::areaAt(bar, position), area);
}

void TestCustomStyle::capsuleRect_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QRect>("handle");
    QTest::addColumn<QRectF>("capsule");
    QTest::newRow("vertical") << int(Qt::Vertical) << QRect(0, 0, 14, 50) << QRectF(4, 0, 6, 50);
    QTest::newRow("horizontal") << int(Qt::Horizontal) << QRect(20, 0, 40, 14)
                                << QRectF(20, 4, 40, 6);
    QTest::newRow("tiny handle grows round its middle")
        << int(Qt::Vertical) << QRect(0, 50, 14, 2) << QRectF(4, 48, 6, 6);
    QTest::newRow("tiny handle at the end stays inside")
        << int(Qt::Vertical) << QRect(0, 99, 14, 1) << QRectF(4, 94, 6, 6);
}

void TestCustomStyle::capsuleRect()
{
    QFETCH(int, orientation);
    QFETCH(QRect, handle);
    QFETCH(QRectF, capsule);
    const QRect bar = orientation == Qt::Vertical ? QRect(0, 0, 14, 100) : QRect(0, 0, 100, 14);
    QCOMPARE(Geometry::capsuleRect(bar, handle, Qt::Orientation(orientation)), capsule);
}

void TestCustomStyle::sliderHandleRect_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("upsideDown");
    QTest::addColumn<int>("x");
    QTest::newRow("minimum") << 0 << false << 0;
    QTest::newRow("maximum") << 255 << false << 235;
    QTest::newRow("inverted minimum") << 0 << true << 235;
    QTest::newRow("inverted maximum") << 255 << true << 0;
    QTest::newRow("beyond the maximum") << 999 << false << 235;
}

void TestCustomStyle::sliderHandleRect()
{
    QFETCH(int, value);
    QFETCH(bool, upsideDown);
    QFETCH(int, x);
    const QRect handle = Geometry::sliderHandleRect(QRect(0, 0, 256, 11), Qt::Horizontal,
                                                    QSize(21, 7), 0, 255, value, upsideDown);
    QCOMPARE(handle, QRect(x, 2, 21, 7));
}

void TestCustomStyle::scrollBarHitTest_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("part");
    // 200 px long, page step 100.
    QTest::newRow("on the half-track handle") << 100 << 0 << 50 << int(QStyle::SC_ScrollBarSlider);
    QTest::newRow("below it") << 100 << 0 << 150 << int(QStyle::SC_ScrollBarAddPage);
    QTest::newRow("above a handle at the end")
        << 100 << 100 << 40 << int(QStyle::SC_ScrollBarSubPage);
    QTest::newRow("empty range") << 0 << 0 << 190 << int(QStyle::SC_ScrollBarSlider);
}

void TestCustomStyle::scrollBarHitTest()
{
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, y);
    QFETCH(int, part);
    QScrollBar bar(Qt::Vertical);
    bar.setStyle(Corvo::VelmoraCustomStyle::instance());
    bar.setRange(0, maximum);
    bar.setPageStep(100);
    bar.setValue(value);
    bar.resize(14, 200);
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.pageStep = bar.pageStep();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.subControls = QStyle::SC_All;
    QCOMPARE(
        int(bar.style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, QPoint(7, y), &bar)),
        part);
}

void TestCustomStyle::scrollBarHasNoArrowButtons()
{
    QScrollBar bar(Qt::Horizontal);
    bar.setStyle(Corvo::VelmoraCustomStyle::instance());
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.rect = QRect(0, 0, 200, 14);
    option.orientation = Qt::Horizontal;
    option.maximum = 100;
    option.pageStep = 100;
    const QStyle *style = bar.style();
    QVERIFY(style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, &bar)
                .isEmpty());
    QVERIFY(style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, &bar)
                .isEmpty());
    QCOMPARE(style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar),
             QRect(0, 0, 100, 14));
    QCOMPARE(
        style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddPage, &bar),
        QRect(100, 0, 100, 14));
    QCOMPARE(style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, &bar),
             option.rect);
}

void TestCustomStyle::clickingThePageAreaAndDraggingTheHandle()
{
    QScrollBar bar(Qt::Vertical);
    bar.setStyle(Corvo::VelmoraCustomStyle::instance());
    bar.setRange(0, 200);
    bar.setPageStep(100);
    bar.resize(14, 300);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    // One pixel is one step here: 300 / (200 + 100).
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(7, 250));
    QCOMPARE(bar.value(), 100);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(7, 150));
    QTest::mouseMove(&bar, QPoint(7, 120));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, 120));
    QCOMPARE(bar.value(), 70);
}

void TestCustomStyle::sliderWithImages()
{
    const QUuid collection = DemoWorld::mainCollection();
    Corvo::VelmoraCustomStyle style;
    style.setSliderImages(
        {Corvo::themePixmap(collection, QStringLiteral("image.mypalettefull.slider.background"),
                            QSize(21, 7), 1.0),
         Corvo::themePixmap(collection,
                            QStringLiteral("image.mypalettefull.slider.background.mask"),
                            QSize(21, 7), 1.0),
         Corvo::themePixmap(collection, QStringLiteral("image.mypalettefull.slider.thumb"),
                            QSize(21, 7), 1.0)});
    QSlider slider(Qt::Horizontal);
    slider.setStyle(&style);
    slider.setRange(0, 255);
    slider.setInvertedAppearance(true);
    slider.setValue(255);
    slider.resize(256, slider.sizeHint().height());
    QCOMPARE(slider.height(), 7);
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = Qt::Horizontal;
    option.maximum = 255;
    option.sliderPosition = 255;
    option.upsideDown = true;
    option.subControls = QStyle::SC_All;
    QCOMPARE(style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider),
             QRect(0, 0, 21, 7));
    QCOMPARE(style.hitTestComplexControl(QStyle::CC_Slider, &option, QPoint(10, 3), &slider),
             QStyle::SC_SliderHandle);
    QCOMPARE(style.hitTestComplexControl(QStyle::CC_Slider, &option, QPoint(100, 3), &slider),
             QStyle::SC_SliderGroove);
    QCOMPARE(style.hitTestComplexControl(QStyle::CC_Slider, &option, QPoint(300, 3), &slider),
             QStyle::SC_None);
    // The thumb at the left end, the groove's picture cut to its rounded mask elsewhere.
    const QImage image = rendered(slider);
    QCOMPARE(image.pixelColor(10, 3), QColor(236, 236, 236));
    QVERIFY(qAlpha(image.pixel(128, 3)) == 255);
    QVERIFY(qAlpha(image.pixel(255, 0)) < 128);
}

void TestCustomStyle::imageButtonElement_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("backgroundAlpha");
    QTest::addColumn<int>("imageAlpha");
    QTest::newRow("plain") << false << true << 0 << 255;
    QTest::newRow("checked") << true << true << 208 << 255;
    QTest::newRow("disabled") << false << false << 0 << 128;
}

void TestCustomStyle::imageButtonElement()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(int, backgroundAlpha);
    QFETCH(int, imageAlpha);
    Corvo::ImageButton button(solidPixmap({8, 8}, Qt::red));
    QVERIFY(qobject_cast<Corvo::VelmoraCustomStyle *>(button.style()));
    button.resize(20, 20);
    button.setCheckable(true);
    button.setChecked(checked);
    button.setEnabled(enabled);
    const QImage image = rendered(button);
    QVERIFY(qAbs(qAlpha(image.pixel(3, 10)) - backgroundAlpha) <= 2);
    QVERIFY(qAbs(qAlpha(image.pixel(10, 10)) - imageAlpha) <= 1);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestCustomStyle::otherElementsAreTheApplicationStyles()
{
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
    QPushButton ours(QStringLiteral("OK"));
    ours.setStyle(Corvo::VelmoraCustomStyle::instance());
    QPushButton theirs(QStringLiteral("OK"));
    theirs.setStyle(plain.get());
    ours.resize(80, 24);
    theirs.resize(80, 24);
    QCOMPARE(rendered(ours), rendered(theirs));
}

void TestCustomStyle::oneSharedInstancePerApplication()
{
    Corvo::VelmoraCustomStyle *shared = Corvo::VelmoraCustomStyle::instance();
    QCOMPARE(Corvo::VelmoraCustomStyle::instance(), shared);
    QCOMPARE(shared->parent(), QCoreApplication::instance());
}

QTEST_MAIN(TestCustomStyle)
#include "tst_customstyle.moc"
