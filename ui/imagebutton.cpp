#include "ui/imagebutton.h"

#include "ui/velmoracustomstyle.h"

#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

namespace Corvo {

namespace {

// Room around the image for the checked background.
constexpr int kImagePadding = 2;

QPropertyAnimation *fade(qreal from, qreal to, QObject *parent)
{
    auto *animation = new QPropertyAnimation(parent);
    animation->setPropertyName("opacity");
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ImageButton::kFadeMilliseconds);
    animation->setEasingCurve(QEasingCurve::OutQuart);
    return animation;
}

} // namespace

QPixmap fadedPixmap(const QPixmap &image, qreal opacity)
{
    if (image.isNull())
        return {};
    QPixmap faded(image.size());
    faded.setDevicePixelRatio(image.devicePixelRatio());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(opacity);
    painter.drawPixmap(0, 0, image);
    return faded;
}

ImageButton::ImageButton(const QPixmap &image, QWidget *parent)
    : QPushButton(parent), m_pulse(new QSequentialAnimationGroup(this)),
      m_fadeIn(fade(kFaintOpacity, kFullOpacity, m_pulse)),
      m_fadeOut(fade(kFullOpacity, kFaintOpacity, m_pulse))
{
    m_pulse->addAnimation(m_fadeIn);
    m_pulse->addAnimation(m_fadeOut);
    m_pulse->setLoopCount(-1);
    setStyle(VelmoraCustomStyle::instance());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setImage(image);
}

ImageButton::~ImageButton()
{
    // The animations die with the button; nothing of them may call back into it then.
    stopAnimations();
}

void ImageButton::setImage(const QPixmap &image)
{
    m_image = image;
    m_disabledImage = fadedPixmap(image, kDisabledOpacity);
    updateGeometry();
    update();
}

QSize ImageButton::sizeHint() const
{
    return m_image.deviceIndependentSize().toSize() + QSize(2 * kImagePadding, 2 * kImagePadding);
}

void ImageButton::startPulsing()
{
    if (!isVisible() || isPulsing())
        return;
    // A closing fade-in may still run; the new loop replaces it.
    stopAnimations();
    auto *effect = new QGraphicsOpacityEffect(this);
    effect->setOpacity(kFaintOpacity);
    m_fadeIn->setTargetObject(effect);
    m_fadeOut->setTargetObject(effect);
    setGraphicsEffect(effect);
    m_pulse->start();
}

void ImageButton::stopPulsing()
{
    if (!isPulsing())
        return;
    if (!isVisible()) {
        endPulsingAtOnce();
        return;
    }
    m_pulse->stop();
    QObject::disconnect(m_closingFadeIn);
    m_closingFadeIn = connect(m_fadeIn, &QAbstractAnimation::finished, this,
                              &ImageButton::fadeInAnimationStopped);
    // Alone, outside its stopped group.
    m_fadeIn->start();
}

bool ImageButton::isPulsing() const
{
    return m_pulse->state() == QAbstractAnimation::Running;
}

void ImageButton::setVisible(bool visible)
{
    if (!visible)
        endPulsingAtOnce();
    QPushButton::setVisible(visible);
}

void ImageButton::fadeInAnimationStopped()
{
    // Stops everything, not only the closing fade-in: a call while the loop runs must not
    // leave it animating an effect that is gone.
    endPulsingAtOnce();
}

void ImageButton::stopAnimations()
{
    QObject::disconnect(m_closingFadeIn);
    m_pulse->stop();
    m_fadeIn->stop();
}

void ImageButton::endPulsingAtOnce()
{
    stopAnimations();
    setGraphicsEffect(nullptr);
}

} // namespace Corvo
