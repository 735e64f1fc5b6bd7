#pragma once

#include <QPixmap>
#include <QProxyStyle>

class QStyleOptionSlider;

namespace Corvo {

// The picker's flat look over the application's own style: scroll bars without arrow
// buttons (a grey groove and a light capsule handle), flat sliders (drawn from images when
// given), and the image buttons. Everything else is the application style's.
class VelmoraCustomStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // The slider's images: the groove's picture, the mask giving the groove its shape
    // (its alpha is kept) and the thumb, for horizontal sliders. Without a groove picture
    // or a thumb, and for vertical sliders, a slider is drawn flat.
    struct SliderImages
    {
        QPixmap background;
        QPixmap mask;
        QPixmap thumb;
    };

    // Needs the application object: the base style is a fresh instance of its style.
    VelmoraCustomStyle();

    // The instance the picker's widgets share; it belongs to the application object, so
    // it goes with it and the next one gets a new instance.
    static VelmoraCustomStyle *instance();

    void setSliderImages(const SliderImages &images);
    const SliderImages &sliderImages() const { return m_sliderImages; }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     const QPoint &position,
                                     const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    bool usesSliderImages(const QStyleOptionSlider *slider) const;
    QSize sliderThumbSize() const;
    int sliderThickness() const;

    SliderImages m_sliderImages;
};

} // namespace Corvo
