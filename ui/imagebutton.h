#pragma once

#include <QMetaObject>
#include <QPixmap>
#include <QPushButton>

class QPropertyAnimation;
class QSequentialAnimationGroup;

namespace Corvo {

// The image painted at `opacity` onto a transparent pixmap of the same size and density.
QPixmap fadedPixmap(const QPixmap &image, qreal opacity);

// A flat button showing an image (a faded copy while disabled) over a light background
// while checked; it can pulse, fading in and out, to draw the eye. Painted by
// VelmoraCustomStyle, which the button installs on itself.
class ImageButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr qreal kDisabledOpacity = 0.5;
    static constexpr qreal kFaintOpacity = 0.2;
    static constexpr qreal kFullOpacity = 1.0;
    static constexpr int kFadeMilliseconds = 800;

    explicit ImageButton(const QPixmap &image = QPixmap(), QWidget *parent = nullptr);
    ~ImageButton() override;

    // The image at its device pixel ratio (a collection switch brings a new one).
    void setImage(const QPixmap &image);
    const QPixmap &image() const { return m_image; }
    const QPixmap &disabledImage() const { return m_disabledImage; }
    QSize sizeHint() const override;

    // Only while the button is visible and not pulsing yet.
    void startPulsing();
    // While visible, ends with one more fade-in, so that the button ends fully opaque;
    // while hidden, at once.
    void stopPulsing();
    // The fade loop runs (the closing fade-in does not count).
    bool isPulsing() const;

public slots:
    // Hiding the button ends any pulsing at once.
    void setVisible(bool visible) override;
    void fadeInAnimationStopped();

private:
    void stopAnimations();
    void endPulsingAtOnce();

    QPixmap m_image;
    QPixmap m_disabledImage;
    QSequentialAnimationGroup *m_pulse;
    QPropertyAnimation *m_fadeIn;
    QPropertyAnimation *m_fadeOut;
    QMetaObject::Connection m_closingFadeIn;
};

} // namespace Corvo
