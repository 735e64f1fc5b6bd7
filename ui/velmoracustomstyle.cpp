#include "ui/velmoracustomstyle.h"

#include "ui/flatstylegeometry.h"
#include "ui/imagebutton.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleOptionSlider>

#include <algorithm>

namespace Corvo {

namespace {

using namespace FlatStyleGeometry;

const QColor kGrooveStart(144, 144, 144);
const QColor kGrooveEnd(152, 152, 152);
const QColor kHandleStart(208, 208, 208);
const QColor kHandleEnd(192, 192, 192);
const QColor kCheckedTop(255, 255, 255, 224);
const QColor kCheckedBottom(255, 255, 255, 192);
constexpr qreal kCheckedRadius = 4.0;
// An imageless slider's groove: a thin line across its rectangle.
constexpr int kFlatSliderGroove = 4;
constexpr qreal kFlatSliderHandleRadius = 3.0;

ScrollTrack trackOf(const QStyleOptionSlider &bar)
{
    const bool horizontal = bar.orientation == Qt::Horizontal;
    ScrollTrack track;
    track.length = horizontal ? bar.rect.width() : bar.rect.height();
    track.minimum = bar.minimum;
    track.maximum = bar.maximum;
    track.pageStep = bar.pageStep;
    track.value = bar.sliderPosition;
    track.mirrored = bar.upsideDown != (horizontal && bar.direction == Qt::RightToLeft);
    return track;
}

// A gradient across a bar: left to right for a vertical bar, top to bottom otherwise.
QLinearGradient acrossGradient(const QRectF &rect, Qt::Orientation orientation, const QColor &start,
                               const QColor &end)
{
    QLinearGradient gradient(rect.topLeft(),
                             orientation == Qt::Vertical ? rect.topRight() : rect.bottomLeft());
    gradient.setColorAt(0.0, start);
    gradient.setColorAt(1.0, end);
    return gradient;
}

QPainterPath capsulePath(const QRectF &rect)
{
    const qreal radius = std::min(rect.width(), rect.height()) / 2.0;
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void paintScrollBar(QPainter &painter, const QStyleOptionSlider &bar, const QRect &handle)
{
    const Qt::Orientation orientation = bar.orientation;
    if (bar.subControls & QStyle::SC_ScrollBarGroove)
        painter.fillRect(bar.rect, acrossGradient(bar.rect, orientation, kGrooveStart, kGrooveEnd));
    if (!(bar.subControls & QStyle::SC_ScrollBarSlider))
        return;
    const QRectF capsule = capsuleRect(bar.rect, handle, orientation);
    if (capsule.isEmpty())
        return;
    painter.fillPath(capsulePath(capsule),
                     acrossGradient(capsule, orientation, kHandleStart, kHandleEnd));
}

// Stretches only the source's middle; its ends keep their proportions, so that rounded
// ends stay round however long the target. Both in device pixels.
void drawThreeSlice(QPainter &painter, const QRect &target, const QImage &source)
{
    if (source.isNull() || target.isEmpty())
        return;
    const int sourceCap = std::min(source.width(), source.height()) / 2;
    const int targetCap =
        std::min(qRound(sourceCap * double(target.height()) / source.height()), target.width() / 2);
    const int sourceMiddle = source.width() - 2 * sourceCap;
    const int targetMiddle = target.width() - 2 * targetCap;
    painter.drawImage(QRect(target.left(), target.top(), targetCap, target.height()), source,
                      QRect(0, 0, sourceCap, source.height()));
    if (sourceMiddle > 0 && targetMiddle > 0)
        painter.drawImage(
            QRect(target.left() + targetCap, target.top(), targetMiddle, target.height()), source,
            QRect(sourceCap, 0, sourceMiddle, source.height()));
    painter.drawImage(
        QRect(target.left() + targetCap + targetMiddle, target.top(), targetCap, target.height()),
        source, QRect(source.width() - sourceCap, 0, sourceCap, source.height()));
}

// The groove's picture cut to the mask's shape, at the painter's pixel density.
QImage composedGroove(const VelmoraCustomStyle::SliderImages &images, const QSize &size,
                      qreal ratio)
{
    const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
    QImage groove(pixels, QImage::Format_ARGB32_Premultiplied);
    groove.fill(Qt::transparent);
    {
        QPainter painter(&groove);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawThreeSlice(painter, groove.rect(), images.background.toImage());
        if (!images.mask.isNull()) {
            painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            drawThreeSlice(painter, groove.rect(), images.mask.toImage());
        }
    }
    groove.setDevicePixelRatio(ratio);
    return groove;
}

void paintImageSlider(QPainter &painter, const VelmoraCustomStyle::SliderImages &images,
                      const QRect &groove, const QRect &handle, const QStyleOptionSlider &slider)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (slider.subControls & QStyle::SC_SliderGroove)
        painter.drawImage(groove.topLeft(), composedGroove(images, groove.size(),
                                                           painter.device()->devicePixelRatioF()));
    if (slider.subControls & QStyle::SC_SliderHandle)
        painter.drawPixmap(handle, images.thumb);
}

void paintFlatSlider(QPainter &painter, const QRect &groove, const QRect &handle,
                     const QStyleOptionSlider &slider)
{
    const Qt::Orientation orientation = slider.orientation;
    if (slider.subControls & QStyle::SC_SliderGroove) {
        const QRectF line = sliderGrooveRect(groove, orientation, kFlatSliderGroove);
        painter.fillPath(capsulePath(line),
                         acrossGradient(line, orientation, kGrooveStart, kGrooveEnd));
    }
    if (slider.subControls & QStyle::SC_SliderHandle) {
        QPainterPath path;
        path.addRoundedRect(QRectF(handle), kFlatSliderHandleRadius, kFlatSliderHandleRadius);
        painter.fillPath(path, acrossGradient(handle, orientation, kHandleStart, kHandleEnd));
    }
}

void paintImageButton(QPainter &painter, const QStyleOption &option, const ImageButton &button)
{
    painter.setRenderHint(QPainter::Antialiasing);
    if (button.isCheckable() && button.isChecked()) {
        QLinearGradient gradient(option.rect.topLeft(), option.rect.bottomLeft());
        gradient.setColorAt(0.0, kCheckedTop);
        gradient.setColorAt(1.0, kCheckedBottom);
        QPainterPath background;
        background.addRoundedRect(QRectF(option.rect), kCheckedRadius, kCheckedRadius);
        painter.fillPath(background, gradient);
    }
    const bool enabled = option.state & QStyle::State_Enabled;
    const QPixmap &image = enabled ? button.image() : button.disabledImage();
    if (image.isNull())
        return;
    const QSizeF size = image.deviceIndependentSize();
    const QPointF topLeft(option.rect.x() + (option.rect.width() - size.width()) / 2.0,
                          option.rect.y() + (option.rect.height() - size.height()) / 2.0);
    painter.drawPixmap(topLeft, image);
}

QString applicationStyleName()
{
    const QStyle *style = QApplication::style();
    return style ? style->name() : QString();
}

} // namespace

VelmoraCustomStyle::VelmoraCustomStyle() : QProxyStyle(applicationStyleName()) {}

VelmoraCustomStyle *VelmoraCustomStyle::instance()
{
    static QPointer<VelmoraCustomStyle> shared;
    if (!shared) {
        shared = new VelmoraCustomStyle;
        shared->setParent(QCoreApplication::instance());
    }
    return shared;
}

void VelmoraCustomStyle::setSliderImages(const SliderImages &images)
{
    m_sliderImages = images;
}

bool VelmoraCustomStyle::usesSliderImages(const QStyleOptionSlider *slider) const
{
    return slider && slider->orientation == Qt::Horizontal && !m_sliderImages.background.isNull() &&
           !m_sliderImages.thumb.isNull();
}

QSize VelmoraCustomStyle::sliderThumbSize() const
{
    return m_sliderImages.thumb.deviceIndependentSize().toSize();
}

int VelmoraCustomStyle::sliderThickness() const
{
    const int groove = qRound(m_sliderImages.background.deviceIndependentSize().height());
    return std::max(groove, sliderThumbSize().height());
}

void VelmoraCustomStyle::drawControl(ControlElement element, const QStyleOption *option,
                                     QPainter *painter, const QWidget *widget) const
{
    const auto *button = qobject_cast<const ImageButton *>(widget);
    if (element != CE_PushButton || !button || !option || !painter) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    paintImageButton(*painter, *option, *button);
    painter->restore();
}

void VelmoraCustomStyle::drawComplexControl(ComplexControl control,
                                            const QStyleOptionComplex *option, QPainter *painter,
                                            const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (!slider || !painter || (control != CC_ScrollBar && control != CC_Slider)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (control == CC_ScrollBar) {
        paintScrollBar(*painter, *slider,
                       proxy()->subControlRect(control, slider, SC_ScrollBarSlider, widget));
    } else {
        const QRect groove = proxy()->subControlRect(control, slider, SC_SliderGroove, widget);
        const QRect handle = proxy()->subControlRect(control, slider, SC_SliderHandle, widget);
        if (usesSliderImages(slider))
            paintImageSlider(*painter, m_sliderImages, groove, handle, *slider);
        else
            paintFlatSlider(*painter, groove, handle, *slider);
    }
    painter->restore();
}

QStyle::SubControl VelmoraCustomStyle::hitTestComplexControl(ComplexControl control,
                                                             const QStyleOptionComplex *option,
                                                             const QPoint &position,
                                                             const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (!slider || (control != CC_ScrollBar && control != CC_Slider))
        return QProxyStyle::hitTestComplexControl(control, option, position, widget);
    if (!slider->rect.contains(position))
        return SC_None;
    if (control == CC_Slider) {
        const QRect handle = proxy()->subControlRect(control, slider, SC_SliderHandle, widget);
        return handle.contains(position) ? SC_SliderHandle : SC_SliderGroove;
    }
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const int along =
        horizontal ? position.x() - slider->rect.x() : position.y() - slider->rect.y();
    switch (areaAt(trackOf(*slider), along)) {
    case ScrollBarArea::SubPage:
        return SC_ScrollBarSubPage;
    case ScrollBarArea::Handle:
        return SC_ScrollBarSlider;
    case ScrollBarArea::AddPage:
        return SC_ScrollBarAddPage;
    }
    return SC_None;
}

QRect VelmoraCustomStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                         SubControl subControl, const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (slider && control == CC_ScrollBar) {
        const ScrollTrack track = trackOf(*slider);
        const Span handle = handleSpan(track);
        // The sub-page area lies towards the minimum.
        const Span start{0, handle.start};
        const Span end{handle.end, track.length};
        switch (subControl) {
        case SC_ScrollBarGroove:
            return slider->rect;
        case SC_ScrollBarSlider:
            return spanRect(slider->rect, slider->orientation, handle);
        case SC_ScrollBarSubPage:
            return spanRect(slider->rect, slider->orientation, track.mirrored ? end : start);
        case SC_ScrollBarAddPage:
            return spanRect(slider->rect, slider->orientation, track.mirrored ? start : end);
        default:
            // No arrow buttons, no first or last buttons.
            return QRect();
        }
    }
    if (control == CC_Slider && usesSliderImages(slider)) {
        switch (subControl) {
        case SC_SliderHandle:
            return sliderHandleRect(slider->rect, slider->orientation, sliderThumbSize(),
                                    slider->minimum, slider->maximum, slider->sliderPosition,
                                    slider->upsideDown);
        case SC_SliderGroove:
            return sliderGrooveRect(slider->rect, slider->orientation, sliderThickness());
        default:
            return QRect();
        }
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

int VelmoraCustomStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                    const QWidget *widget) const
{
    if (usesSliderImages(qstyleoption_cast<const QStyleOptionSlider *>(option))) {
        switch (metric) {
        case PM_SliderLength:
            return sliderThumbSize().width();
        case PM_SliderThickness:
        case PM_SliderControlThickness:
            return sliderThickness();
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace Corvo
