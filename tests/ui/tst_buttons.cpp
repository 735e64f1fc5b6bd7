#include "demoworld.h"
#include "ui/aboutbutton.h"
#include "ui/helpbutton.h"
#include "ui/imagebutton.h"
#include "ui/interfacefonts.h"
#include "ui/rollbutton.h"
#include "ui/taskbutton.h"
#include "ui/taskbuttonpainter.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QSequentialAnimationGroup>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

namespace Look = Corvo::TaskButtonLook;

namespace {

QImage paintedFace(const Look::Face &face)
{
    QImage image(face.bounds.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Look::paint(painter, face);
    return image;
}

Look::Face captionedFace()
{
    Look::Face face;
    face.bounds = QRectF(0, 0, 120, 30);
    face.caption = QStringLiteral("Save palette");
    face.captionColour = Look::captionColor(true);
    face.font = Corvo::InterfaceFonts::regular(Corvo::InterfaceFonts::kOneStepAbove);
    return face;
}

// The first row holding a caption pixel: one much darker than the face behind it.
int firstCaptionRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            if (qGray(image.pixel(x, y)) < 120)
                return y;
    return -1;
}

int lightestGrey(const QImage &image, const QRect &area)
{
    int lightest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            lightest = std::max(lightest, qGray(image.pixel(x, y)));
    return lightest;
}

bool holdsColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

QPixmap solidPixmap(const QSize &size, const QColor &colour, qreal ratio = 1.0)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(colour);
    return pixmap;
}

std::unique_ptr<Corvo::ImageButton> shownImageButton()
{
    auto button = std::make_unique<Corvo::ImageButton>(solidPixmap({16, 16}, Qt::red));
    button->resize(20, 20);
    button->show();
    return button;
}

} // namespace

class TestButtons : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void perceivedGrey_data();
    void perceivedGrey();
    void faceColours_data();
    void faceColours();
    void ringPath_data();
    void ringPath();
    void inkCentredBaseline_data();
    void inkCentredBaseline();
    void pressedCaptionSinks();
    void focusDrawsRingsInsteadOfTheBorder();
    void disabledTaskButton();
    void cursorFollowsTheParentsEnabling();
    void pointerOverADisabledButtonIsForbidden();
    void roundButtons_data();
    void roundButtons();

    void rollButtonTakesItsImageSize();
    void rollButtonWithoutImages();
    void holdingARollButtonRepeatsItsClick();

    void fadedPixmap_data();
    void fadedPixmap();
    void startPulsingOnAHiddenButtonDoesNothing();
    void stopPulsingEndsFullyOpaque();
    void stoppingTwice();
    void startingDuringTheClosingFadeIn();
    void hidingEndsPulsingAtOnce();
    void deletionWhileAnimating_data();
    void deletionWhileAnimating();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestButtons::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
}

void TestButtons::perceivedGrey_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("grey");
    QTest::newRow("face top") << QColor(238, 238, 238) << 238;
    QTest::newRow("white") << QColor(255, 255, 255) << 255;
    QTest::newRow("black") << QColor(0, 0, 0) << 0;
    QTest::newRow("red, rounded down") << QColor(255, 0, 0) << 87;
    QTest::newRow("round caption blue") << QColor(0, 129, 183) << 93;
}

void TestButtons::perceivedGrey()
{
    QFETCH(QColor, colour);
    QFETCH(int, grey);
    QCOMPARE(Look::perceivedGrey(colour), grey);
}

void TestButtons::faceColours_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("top");
    QTest::addColumn<QColor>("bottom");
    QTest::addColumn<QColor>("caption");
    QTest::newRow("enabled") << true << QColor(238, 238, 238) << QColor(204, 204, 204)
                             << QColor(49, 49, 49);
    // 204 darkened to 120 % is 170; the caption is the grey of 238.
    QTest::newRow("disabled") << false << QColor(170, 170, 170) << QColor(170, 170, 170)
                              << QColor(238, 238, 238);
}

void TestButtons::faceColours()
{
    QFETCH(bool, enabled);
    QFETCH(QColor, top);
    QFETCH(QColor, bottom);
    QFETCH(QColor, caption);
    QCOMPARE(Look::faceGradient(enabled).top, top);
    QCOMPARE(Look::faceGradient(enabled).bottom, bottom);
    QCOMPARE(Look::captionColor(enabled), caption);
    QCOMPARE(Look::captionShift(false), 1);
    QCOMPARE(Look::captionShift(true), 3);
}

void TestButtons::ringPath_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("ring");
    QTest::addColumn<QRectF>("bounds");
    QTest::newRow("border") << int(Look::Shape::RoundedRect) << 0 << QRectF(1, 1, 118, 21);
    QTest::newRow("inner focus ring")
        << int(Look::Shape::RoundedRect) << 1 << QRectF(3, 3, 114, 17);
    QTest::newRow("round border") << int(Look::Shape::Ellipse) << 0 << QRectF(1, 1, 118, 21);
}

void TestButtons::ringPath()
{
    QFETCH(int, shape);
    QFETCH(int, ring);
    QFETCH(QRectF, bounds);
    const QPainterPath path = Look::ringPath(Look::Shape(shape), QRectF(0, 0, 120, 23), ring);
    QCOMPARE(path.boundingRect(), bounds);
}

void TestButtons::inkCentredBaseline_data()
{
    QTest::addColumn<QRectF>("ink");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QPointF>("baseline");
    // A 20 px circle; the ink relative to the baseline origin.
    QTest::newRow("dots on the baseline") << QRectF(1, -2, 10, 2) << 1 << QPointF(4, 12);
    QTest::newRow("pressed") << QRectF(1, -2, 10, 2) << 3 << QPointF(4, 14);
    QTest::newRow("question mark") << QRectF(0, -10, 6, 10) << 1 << QPointF(7, 16);
}

void TestButtons::inkCentredBaseline()
{
    QFETCH(QRectF, ink);
    QFETCH(int, shift);
    QFETCH(QPointF, baseline);
    QCOMPARE(Look::inkCentredBaseline(QRectF(0, 0, 20, 20), ink, shift), baseline);
}

void TestButtons::pressedCaptionSinks()
{
    Look::Face face = captionedFace();
    const int resting = firstCaptionRow(paintedFace(face));
    face.pressed = true;
    const int pressed = firstCaptionRow(paintedFace(face));
    QVERIFY(resting > 0);
    QCOMPARE(pressed - resting, Look::captionShift(true) - Look::captionShift(false));
}

void TestButtons::focusDrawsRingsInsteadOfTheBorder()
{
    Look::Face face = captionedFace();
    const QColor border = paintedFace(face).pixelColor(0, 15);
    face.focused = true;
    const QImage focused = paintedFace(face);
    const QColor outer = focused.pixelColor(0, 15);
    const QColor inner = focused.pixelColor(2, 15);
    QCOMPARE(border.red(), border.blue());
    QVERIFY2(outer.blue() > outer.red() + 40, "the outer ring is blue");
    QVERIFY2(inner.blue() > inner.red() && inner.red() > outer.red(), "the inner ring is paler");
}

void TestButtons::disabledTaskButton()
{
    Corvo::TaskButton button(QStringLiteral("Save palette"));
    button.resize(120, 23);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(button.hasMouseTracking());
    QCOMPARE(button.font(), Corvo::InterfaceFonts::regular(Corvo::InterfaceFonts::kOneStepAbove));
    const QImage enabled = button.grab().toImage();
    QVERIFY(qGray(enabled.pixel(6, 4)) > qGray(enabled.pixel(6, 18)));

    button.setEnabled(false);
    QCOMPARE(button.cursor().shape(), Qt::ForbiddenCursor);
    const QImage disabled = button.grab().toImage();
    QCOMPARE(disabled.pixelColor(6, 4), QColor(170, 170, 170));
    QCOMPARE(disabled.pixelColor(6, 18), QColor(170, 170, 170));
    QCOMPARE(lightestGrey(disabled, QRect(8, 3, 104, 17)), 238);

    button.setEnabled(true);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
}

void TestButtons::cursorFollowsTheParentsEnabling()
{
    QWidget row;
    auto *button = new Corvo::TaskButton(QStringLiteral("Open palette"), &row);
    row.setEnabled(false);
    QCOMPARE(button->cursor().shape(), Qt::ForbiddenCursor);
    row.setEnabled(true);
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
}

// What the window shows where the pointer is: Qt ignores a disabled widget's own cursor.
void TestButtons::pointerOverADisabledButtonIsForbidden()
{
    QWidget row;
    row.resize(200, 60);
    auto *button = new Corvo::TaskButton(QStringLiteral("Save palette"), &row);
    button->setGeometry(40, 20, 120, 23);
    // A widget lying over the button's right end stays over it while it is disabled.
    auto *over = new QWidget(&row);
    over->setGeometry(140, 20, 20, 23);
    over->setCursor(Qt::IBeamCursor);
    button->setEnabled(false);
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
    QWindow *window = row.windowHandle();
    QTest::mouseMove(window, QPoint(5, 5));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(window, QPoint(100, 30));
    QCOMPARE(window->cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseMove(window, QPoint(150, 30));
    QCOMPARE(window->cursor().shape(), Qt::IBeamCursor);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    QCOMPARE(clicked.count(), 0);

    button->setEnabled(true);
    QTest::mouseMove(window, QPoint(5, 5));
    QTest::mouseMove(window, QPoint(100, 30));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    QCOMPARE(clicked.count(), 1);
}

void TestButtons::roundButtons_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("help") << false << QStringLiteral("?") << QStringLiteral("Help");
    QTest::newRow("about") << true << QString(QChar(0x2026)) << QStringLiteral("About");
}

void TestButtons::roundButtons()
{
    QFETCH(bool, about);
    QFETCH(QString, caption);
    std::unique_ptr<Corvo::TaskButton> button;
    if (about)
        button = std::make_unique<Corvo::AboutButton>();
    else
        button = std::make_unique<Corvo::HelpButton>();
    button->resize(21, 21);
    QCOMPARE(button->text(), caption);
    QTEST(button->accessibleName(), "name");
    QCOMPARE(button->font(), Corvo::InterfaceFonts::bold(Corvo::InterfaceFonts::kTwoStepsAbove));
    const QImage image = button->grab().toImage();
    QVERIFY(holdsColour(image, QColor(0, 129, 183)));
    // The corner lies outside the inscribed circle: the window behind, not the face.
    QCOMPARE(image.pixelColor(0, 0), button->palette().color(QPalette::Window));
}

void TestButtons::rollButtonTakesItsImageSize()
{
    Corvo::RollButton button(Corvo::Backward);
    QCOMPARE(button.direction(), Corvo::Backward);
    QCOMPARE(button.size(), QSize(22, 22));
    QVERIFY(button.autoRepeat());
    const QImage normal = button.grab().toImage();
    button.setDown(true);
    QVERIFY(button.grab().toImage() != normal);
}

void TestButtons::rollButtonWithoutImages()
{
    Corvo::RollButton button(Corvo::Forward);
    button.selectedCollectionChanged(QUuid::createUuid());
    QCOMPARE(button.size(), QSize(0, 0));
    button.selectedCollectionChanged(DemoWorld::mainCollection());
    QCOMPARE(button.size(), QSize(22, 22));
}

void TestButtons::holdingARollButtonRepeatsItsClick()
{
    Corvo::RollButton button(Corvo::Forward);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    QTRY_VERIFY(clicked.count() >= 2);
    const int held = clicked.count();
    // Letting go over the button is one more click, and the repeating ends.
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
    QCOMPARE(clicked.count(), held + 1);
    QVERIFY(!button.isDown());
}

void TestButtons::fadedPixmap_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("alpha");
    QTest::newRow("opaque") << QColor(Qt::red) << 1.0 << 128;
    QTest::newRow("dense screen") << QColor(Qt::red) << 2.0 << 128;
    QTest::newRow("transparent stays so") << QColor(Qt::transparent) << 1.0 << 0;
}

void TestButtons::fadedPixmap()
{
    QFETCH(QColor, colour);
    QFETCH(qreal, ratio);
    QFETCH(int, alpha);
    const QPixmap image = solidPixmap({16, 16}, colour, ratio);
    const QPixmap faded = Corvo::fadedPixmap(image, Corvo::ImageButton::kDisabledOpacity);
    QCOMPARE(faded.size(), image.size());
    QCOMPARE(faded.devicePixelRatio(), ratio);
    const QImage pixels = faded.toImage();
    QVERIFY(qAbs(qAlpha(pixels.pixel(0, 0)) - alpha) <= 1);
    QVERIFY(qAbs(qAlpha(pixels.pixel(pixels.width() - 1, pixels.height() - 1)) - alpha) <= 1);
    QVERIFY(Corvo::fadedPixmap(QPixmap(), 0.5).isNull());
}

void TestButtons::startPulsingOnAHiddenButtonDoesNothing()
{
    Corvo::ImageButton button(solidPixmap({16, 16}, Qt::red));
    button.startPulsing();
    QVERIFY(!button.isPulsing());
    QVERIFY(!button.graphicsEffect());
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
}

void TestButtons::stopPulsingEndsFullyOpaque()
{
    auto button = shownImageButton();
    button->startPulsing();
    QVERIFY(button->isPulsing());
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(button->graphicsEffect());
    QVERIFY(effect);
    button->stopPulsing();
    QVERIFY(!button->isPulsing());
    QTRY_VERIFY(!button->graphicsEffect());
}

void TestButtons::stoppingTwice()
{
    auto button = shownImageButton();
    button->startPulsing();
    button->stopPulsing();
    button->stopPulsing();
    QTRY_VERIFY(!button->graphicsEffect());
    button->startPulsing();
    QVERIFY(button->isPulsing());
    QVERIFY(button->graphicsEffect());
}

void TestButtons::startingDuringTheClosingFadeIn()
{
    auto button = shownImageButton();
    button->startPulsing();
    button->stopPulsing();
    button->startPulsing();
    QVERIFY(button->isPulsing());
    // The loop's first fade-in ends: a connection left from the stop would remove the effect.
    auto *loop = button->findChild<QSequentialAnimationGroup *>();
    QVERIFY(loop);
    QTRY_COMPARE(loop->currentAnimation(), loop->animationAt(1));
    QVERIFY(button->isPulsing());
    QVERIFY(button->graphicsEffect());
}

void TestButtons::hidingEndsPulsingAtOnce()
{
    auto button = shownImageButton();
    button->startPulsing();
    button->hide();
    QVERIFY(!button->isPulsing());
    QVERIFY(!button->graphicsEffect());

    // Hidden with its window, the button still stops at once.
    QWidget window;
    auto *child = new Corvo::ImageButton(solidPixmap({16, 16}, Qt::red), &window);
    window.show();
    child->startPulsing();
    window.hide();
    child->stopPulsing();
    QVERIFY(!child->isPulsing());
    QVERIFY(!child->graphicsEffect());
}

void TestButtons::deletionWhileAnimating_data()
{
    QTest::addColumn<bool>("closing");
    QTest::newRow("looping") << false;
    QTest::newRow("closing fade-in") << true;
}

void TestButtons::deletionWhileAnimating()
{
    QFETCH(bool, closing);
    auto button = shownImageButton();
    button->startPulsing();
    if (closing)
        button->stopPulsing();
    button.reset();
    QTest::qWait(50);
}

QTEST_MAIN(TestButtons)
#include "tst_buttons.moc"
