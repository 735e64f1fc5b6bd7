#include "tools/tintwell/demo/themepainter.h"

#include "tools/tintwell/model/presentationkeys.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace Tintwell {

namespace {

const QColor kLightGlyph(214, 214, 214);
// The pink of a rubber eraser's working end.
const QColor kEraserRubber(232, 146, 158);
const QColor kDarkLine(40, 40, 40);
const QString kFontFamily = QStringLiteral("DejaVu Sans");

// An image of size x scale pixels that paints in the coordinates of size, so that every
// pen width and offset keeps its look at any scale.
QImage canvas(const QSize &size, int scale, QImage::Format format)
{
    QImage image(size * scale, format);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

void beginSmooth(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QRectF areaOf(const QSize &size)
{
    return QRectF(QPointF(0, 0), size);
}

QFont fontOf(int pixelSize, bool bold, double letterSpacing = 0.0)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (letterSpacing != 0.0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return font;
}

QColor moodColour(const QString &mood)
{
    if (mood == QLatin1String("fresh"))
        return QColor(122, 186, 98);
    if (mood == QLatin1String("warm"))
        return QColor(226, 134, 66);
    if (mood == QLatin1String("calm"))
        return QColor(86, 148, 204);
    if (mood == QLatin1String("rich"))
        return QColor(150, 38, 86);
    if (mood == QLatin1String("offwhite"))
        return QColor(242, 236, 222);
    return QColor(150, 142, 132);
}

// A point at a radius on an angle in degrees, counter-clockwise from three o'clock.
QPointF polar(const QPointF &centre, double radius, double degrees)
{
    const double radians = degrees * M_PI / 180.0;
    return {centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians)};
}

void drawTriangle(QPainter &painter, const QPointF &a, const QPointF &b, const QPointF &c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    painter.drawPath(path);
}

void drawDot(QPainter &painter, const QPointF &centre, double radius, const QColor &colour)
{
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
}

// "image.mood.<mood>.<state>"; image.mood.disabled is a glyph.
bool isMoodKey(const QString &key)
{
    return key.startsWith(QLatin1String("image.mood.")) && key.count(QLatin1Char('.')) == 3;
}

QColor muted(const QColor &colour)
{
    QColor result = colour.toHsv();
    result.setHsv(result.hue(), result.saturation() * 55 / 100, result.value() * 85 / 100);
    return result;
}

} // namespace

ThemePainter::ThemePainter(const ThemeStyle &style) : m_style(style) {}

QByteArray ThemePainter::encodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QList<ThemeItemModel> ThemePainter::themeItems(const ThemeStyle &style)
{
    const ThemePainter painter(style);
    QList<ThemeItemModel> items;
    for (const PresentationKeys::ThemeImage &image : PresentationKeys::themeImages())
        items.append({image.key, encodePng(painter.paint(image.key, image.size, image.scale))});
    items.append(
        {QStringLiteral("color.widget.collectionselector.text"), QByteArrayLiteral("#f2f2f2")});
    return items;
}

QImage ThemePainter::paint(const QString &key, const QSize &size, int scale) const
{
    // The window's background is opaque; everything else lies on top of something.
    const bool opaque = key == QLatin1String("image.widget.main.background");
    QImage image = canvas(size, std::max(1, scale),
                          opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    beginSmooth(painter);
    if (!draw(painter, key, size))
        return QImage();
    painter.end();
    // The stored image carries no ratio: the widgets choose the size they draw it at.
    image.setDevicePixelRatio(1.0);
    return image;
}

bool ThemePainter::draw(QPainter &painter, const QString &key, const QSize &size) const
{
    if (key == QLatin1String("image.widget.main.background"))
        drawMainBackground(painter, size);
    else if (key == QLatin1String("image.banner"))
        drawBanner(painter, size);
    else if (key == QLatin1String("image.about.logo"))
        drawLogo(painter, size);
    else if (key == QLatin1String("image.widget.color.wheel.background"))
        drawWheel(painter);
    else if (key == QLatin1String("image.widget.bar.background"))
        drawBar(painter, size);
    else if (key == QLatin1String("image.mto"))
        drawMadeToOrder(painter, size);
    else if (isMoodKey(key))
        drawMood(painter, key.section(QLatin1Char('.'), 2, 2),
                 key.endsWith(QLatin1String(".selected")), size);
    else if (key.startsWith(QLatin1String("image.scheme.")))
        drawScheme(painter, key.section(QLatin1Char('.'), 2, -2),
                   key.endsWith(QLatin1String(".selected")), size);
    else
        return drawGlyph(painter, key, size);
    return true;
}

void ThemePainter::drawMainBackground(QPainter &painter, const QSize &size) const
{
    const QRectF area = areaOf(size);
    QLinearGradient base(0, 0, 0, size.height());
    base.setColorAt(0.0, m_style.background.lighter(125));
    base.setColorAt(0.55, m_style.background);
    base.setColorAt(1.0, m_style.background.darker(135));
    painter.fillRect(area, base);
    // A soft light from the upper left, as under a studio lamp.
    QRadialGradient light(size.width() * 0.25, size.height() * 0.2, size.width() * 0.8);
    light.setColorAt(0.0, QColor(255, 255, 255, 26));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(area, light);
    // Fine horizontal brush strokes give the surface a painted feel.
    for (int y = 0; y < size.height(); y += 3) {
        const int shade = ((y * 37) % 11) - 5;
        painter.setPen(QColor(shade > 0 ? 255 : 0, shade > 0 ? 255 : 0, shade > 0 ? 255 : 0,
                              std::abs(shade) + 2));
        painter.drawLine(0, y, size.width(), y);
    }
}

void ThemePainter::drawBanner(QPainter &painter, const QSize &size) const
{
    QLinearGradient base(0, 0, 0, size.height());
    base.setColorAt(0.0, m_style.background.lighter(160));
    base.setColorAt(1.0, m_style.background.lighter(110));
    painter.fillRect(areaOf(size), base);
    // A fan of swatches on the right, as the edge of an opened fan deck.
    const int swatchCount = static_cast<int>(m_style.bannerSwatches.size());
    const int swatchWidth = 14;
    const int right = size.width() - 24;
    for (int i = 0; i < swatchCount; ++i) {
        const QRectF swatch(right - (swatchCount - i) * (swatchWidth + 2), 12, swatchWidth,
                            size.height() - 24);
        painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
        painter.setBrush(m_style.bannerSwatches.at(i));
        painter.drawRoundedRect(swatch, 2, 2);
    }
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(fontOf(26, true, 6.0));
    painter.drawText(QRectF(24, 6, size.width() / 2.0, 38), Qt::AlignLeft | Qt::AlignVCenter,
                     m_style.brand);
    painter.setPen(QColor(255, 255, 255, 190));
    painter.setFont(fontOf(12, false, 1.5));
    painter.drawText(QRectF(26, 42, size.width() / 2.0, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     m_style.tagline);
    painter.fillRect(QRectF(0, size.height() - 3, size.width(), 3), m_style.accent);
}

void ThemePainter::drawLogo(QPainter &painter, const QSize &size) const
{
    // Five chips fanned out from a common pivot, then the word mark; all within the middle
    // 48 rows, which is what the about box shows of the picture.
    const QPointF pivot(22, size.height() - 14);
    const qsizetype count = std::min<qsizetype>(5, m_style.bannerSwatches.size());
    for (int i = 0; i < count; ++i) {
        painter.save();
        painter.translate(pivot);
        painter.rotate(-35.0 + i * 17.5);
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
        painter.setBrush(m_style.bannerSwatches.at(i * m_style.bannerSwatches.size() / count));
        painter.drawRoundedRect(QRectF(-5, -33, 10, 33), 2, 2);
        painter.restore();
    }
    painter.setPen(m_style.accent.darker(140));
    painter.setFont(fontOf(12, true, 0.5));
    painter.drawText(QRectF(56, 10, size.width() - 56, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     m_style.brand);
    painter.setFont(fontOf(9, false));
    painter.setPen(QColor(70, 70, 70));
    painter.drawText(QRectF(56, 34, size.width() - 56, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Colour picker"));
}

void ThemePainter::drawWheel(QPainter &painter) const
{
    // The widget's centre and hit radius.
    const QPointF centre(60.0, 61.0);
    const double outer = 57.0;
    const double inner = 12.0;
    const double width = 360.0 / m_style.segments;
    const double direction = m_style.clockwise ? -1.0 : 1.0;
    painter.setPen(Qt::NoPen);
    drawDot(painter, centre, outer + 2.0, QColor(30, 30, 30, 150));
    for (int segment = 1; segment <= m_style.segments; ++segment) {
        const QList<QColor> &rings = m_style.wheelRings.at(segment - 1);
        const double middle = m_style.firstSegmentAngle + direction * (segment - 1) * width;
        const double ringWidth = (outer - inner) / rings.size();
        // Outer ring first: each ring is a pie covering the ones inside it.
        for (int ring = 0; ring < rings.size(); ++ring) {
            const double radius = outer - ring * ringWidth;
            painter.setBrush(rings.at(ring));
            painter.drawPie(
                QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                static_cast<int>(std::lround((middle - width / 2.0) * 16.0)),
                static_cast<int>(std::lround(width * 16.0)));
        }
    }
    // Thin gaps between the segments, as between printed wedges.
    painter.setPen(QPen(QColor(30, 30, 30, 170), 1.0));
    for (int segment = 1; segment <= m_style.segments; ++segment) {
        const double edge =
            m_style.firstSegmentAngle + direction * (segment - 1) * width - width / 2.0;
        painter.drawLine(polar(centre, inner, edge), polar(centre, outer, edge));
    }
    painter.setPen(Qt::NoPen);
    drawDot(painter, centre, inner, QColor(46, 46, 46));
}

void ThemePainter::drawBar(QPainter &painter, const QSize &size) const
{
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0.0, m_style.background.lighter(150));
    gradient.setColorAt(1.0, m_style.background.lighter(105));
    painter.fillRect(areaOf(size), gradient);
    // Lines on pixel centres: one row each, whatever the scale.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    painter.drawLine(QPointF(0, 0.5), QPointF(size.width(), 0.5));
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    painter.drawLine(QPointF(0, size.height() - 0.5), QPointF(size.width(), size.height() - 0.5));
}

void ThemePainter::drawMood(QPainter &painter, const QString &mood, bool selected,
                            const QSize &size) const
{
    const QColor colour = moodColour(mood);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const double radius = std::min(size.width(), size.height()) / 2.0 - 2.0;
    if (selected) {
        painter.setPen(Qt::NoPen);
        drawDot(painter, centre, radius + 1.5, QColor(255, 255, 255));
        drawDot(painter, centre, radius - 0.5, colour);
    } else {
        painter.setPen(QPen(QColor(20, 20, 20, 160), 1.0));
        drawDot(painter, centre, radius - 1.0, muted(colour));
    }
    // A highlight that makes the dot read as a drop of paint.
    painter.setPen(Qt::NoPen);
    drawDot(painter, centre + QPointF(-radius / 3.0, -radius / 3.0), radius / 3.5,
            QColor(255, 255, 255, selected ? 150 : 80));
}

void ThemePainter::drawScheme(QPainter &painter, const QString &scheme, bool selected,
                              const QSize &size) const
{
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const double radius = size.width() / 2.0 - 3.0;
    painter.setPen(selected ? QPen(QColor(255, 255, 255), 2.0)
                            : QPen(QColor(150, 150, 150, 160), 1.0));
    painter.setBrush(selected ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 60));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
    const auto tone = [&](const QColor &colour) { return selected ? colour : muted(colour); };
    const double dot = radius / 3.4;
    const double orbit = radius * 0.55;
    const QColor base = m_style.accent;
    const auto rotated = [&](int degrees) {
        QColor colour = base.toHsv();
        colour.setHsv((colour.hue() + degrees + 360) % 360, colour.saturation(), colour.value());
        return colour;
    };
    if (scheme == QLatin1String("harmonising")) {
        for (int i = -1; i <= 1; ++i)
            drawDot(painter, polar(centre, orbit, 90 + i * 40), dot, tone(rotated(i * 25)));
    } else if (scheme == QLatin1String("contrasting")) {
        drawDot(painter, polar(centre, orbit, 135), dot * 1.2, tone(base));
        drawDot(painter, polar(centre, orbit, 315), dot * 1.2, tone(rotated(180)));
    } else if (scheme == QLatin1String("wide.contrast")) {
        drawDot(painter, polar(centre, orbit, 90), dot, tone(base));
        drawDot(painter, polar(centre, orbit, 240), dot, tone(rotated(150)));
        drawDot(painter, polar(centre, orbit, 300), dot, tone(rotated(210)));
    } else if (scheme == QLatin1String("dynamic")) {
        for (int i = 0; i < 3; ++i)
            drawDot(painter, polar(centre, orbit, 90 + i * 120), dot, tone(rotated(i * 120)));
    } else if (scheme == QLatin1String("dramatic")) {
        drawDot(painter, centre, radius * 0.62, tone(QColor(38, 38, 42)));
        drawDot(painter, polar(centre, orbit * 0.6, 45), dot * 0.9, tone(rotated(30)));
    } else {
        for (int i = 0; i < 3; ++i) {
            const int grey = 90 + i * 60;
            drawDot(painter, polar(centre, orbit, 90 + i * 120), dot,
                    tone(QColor(grey, grey - 6, grey - 12)));
        }
    }
}

void ThemePainter::drawMadeToOrder(QPainter &painter, const QSize &size) const
{
    // Diagonal hatching: the chip still shows through, but reads as not in stock.
    painter.setPen(QPen(QColor(255, 255, 255, 70), 3.0));
    for (int x = -size.height(); x < size.width(); x += 10)
        painter.drawLine(x, size.height(), x + size.height(), 0);
    const QRectF badge(size.width() / 2.0 - 24, size.height() / 2.0 - 10, 48, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30, 200));
    painter.drawRoundedRect(badge, 6, 6);
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(fontOf(11, true, 1.0));
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("MTO"));
}

bool ThemePainter::drawGlyph(QPainter &painter, const QString &key, const QSize &size) const
{
    const double w = size.width();
    const double h = size.height();
    const QPointF centre(w / 2.0, h / 2.0);
    const QPen glyphPen(kLightGlyph, std::max(1.2, w / 10.0), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin);
    painter.setPen(glyphPen);
    painter.setBrush(Qt::NoBrush);
    if (key == QLatin1String("image.tick.normal")) {
        painter.setPen(
            QPen(QColor(255, 255, 255), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(
            QPolygonF({QPointF(1.5, h * 0.55), QPointF(w * 0.4, h - 2.0), QPointF(w - 1.5, 1.5)}));
    } else if (key == QLatin1String("image.mood.disabled")) {
        painter.setPen(Qt::NoPen);
        drawDot(painter, centre, w / 2.0 - 0.5, QColor(196, 48, 48));
        painter.setPen(QPen(QColor(255, 255, 255), 1.6));
        painter.drawLine(QPointF(3, h / 2.0), QPointF(w - 3, h / 2.0));
    } else if (key == QLatin1String("image.widget.search.magnifying.glass")) {
        painter.drawEllipse(QPointF(w * 0.42, h * 0.42), w * 0.28, h * 0.28);
        painter.drawLine(QPointF(w * 0.62, h * 0.62), QPointF(w - 2, h - 2));
    } else if (key.startsWith(QLatin1String("image.widget.roll."))) {
        const bool forward = key.contains(QLatin1String(".forward."));
        const bool down = key.endsWith(QLatin1String(".down"));
        painter.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
        painter.setBrush(down ? m_style.accent.darker(130) : QColor(255, 255, 255, 36));
        painter.drawEllipse(centre, w / 2.0 - 1.0, h / 2.0 - 1.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(down ? QColor(255, 255, 255) : kLightGlyph);
        const double s = forward ? 1.0 : -1.0;
        drawTriangle(painter, centre + QPointF(s * w * 0.22, 0),
                     centre + QPointF(-s * w * 0.14, -h * 0.22),
                     centre + QPointF(-s * w * 0.14, h * 0.22));
    } else if (key.startsWith(QLatin1String("image.widget.dropdown.arrow."))) {
        const bool up = key.endsWith(QLatin1String(".up"));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kLightGlyph);
        const double s = up ? -1.0 : 1.0;
        drawTriangle(painter, centre + QPointF(0, s * h * 0.2),
                     centre + QPointF(-w * 0.25, -s * h * 0.14),
                     centre + QPointF(w * 0.25, -s * h * 0.14));
    } else if (key == QLatin1String("image.capsure.button.normal")) {
        painter.setPen(QPen(m_style.accent.lighter(140), 1.4));
        painter.drawRoundedRect(QRectF(1.5, 3.5, w - 3, h - 6), 2, 2);
        painter.drawEllipse(centre + QPointF(0, 0.5), w * 0.22, h * 0.22);
        painter.setPen(Qt::NoPen);
        drawDot(painter, QPointF(w - 4, 5.5), 1.2, QColor(230, 80, 60));
    } else if (key.startsWith(QLatin1String("image.complementary.neutral.marker."))) {
        const bool selected = key.endsWith(QLatin1String(".selected"));
        painter.setPen(QPen(QColor(255, 255, 255), 1.0));
        painter.setBrush(selected ? QBrush(QColor(255, 255, 255)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(centre, w / 2.0 - 1.0, h / 2.0 - 1.0);
    } else if (key.startsWith(QLatin1String("image.vistara.group."))) {
        const bool open = key.endsWith(QLatin1String(".open"));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255));
        if (open)
            drawTriangle(painter, QPointF(1, h * 0.3), QPointF(w - 1, h * 0.3),
                         QPointF(w / 2.0, h * 0.85));
        else
            drawTriangle(painter, QPointF(w * 0.3, 1), QPointF(w * 0.3, h - 1),
                         QPointF(w * 0.85, h / 2.0));
    } else if (key == QLatin1String("image.mypalette.zoom")) {
        painter.drawRect(QRectF(2, 2, w - 4, h - 4));
        painter.drawLine(QPointF(w * 0.35, h * 0.65), QPointF(w * 0.65, h * 0.35));
        painter.drawPolyline(QPolygonF({QPointF(w * 0.45, h * 0.35), QPointF(w * 0.65, h * 0.35),
                                        QPointF(w * 0.65, h * 0.55)}));
    } else if (key == QLatin1String("image.mypalette.eraser")) {
        // A block eraser at a slant, its rubber end down on the trail it has wiped.
        painter.save();
        painter.translate(centre + QPointF(w * 0.06, -h * 0.1));
        painter.rotate(-40);
        const QRectF block(-w * 0.38, -h * 0.2, w * 0.76, h * 0.4);
        painter.drawRoundedRect(block, 2, 2);
        // The rubber end filled over its outline, so that it reads at 16 px.
        const QPen outline = painter.pen();
        painter.setPen(
            QPen(kEraserRubber, outline.widthF(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(kEraserRubber);
        painter.drawRoundedRect(
            QRectF(block.left(), block.top(), block.width() * 0.45, block.height()), 2, 2);
        painter.setPen(outline);
        painter.setBrush(Qt::NoBrush);
        painter.restore();
        painter.drawLine(QPointF(w * 0.1, h - 2.5), QPointF(w * 0.48, h - 2.5));
    } else if (key == QLatin1String("image.mypalette.trash")) {
        painter.drawLine(QPointF(2, h * 0.25), QPointF(w - 2, h * 0.25));
        painter.drawLine(QPointF(w * 0.4, 2), QPointF(w * 0.6, 2));
        painter.drawPolyline(QPolygonF({QPointF(w * 0.22, h * 0.25), QPointF(w * 0.28, h - 2),
                                        QPointF(w * 0.72, h - 2), QPointF(w * 0.78, h * 0.25)}));
    } else if (key == QLatin1String("image.mypalette.grid.off")) {
        // Light lines on a dark halo: the button is dark on the strip and light while
        // checked, and the grid must read on both.
        for (const QPen &pen : {QPen(QColor(40, 40, 40, 210), 2.6), QPen(kLightGlyph, 1.2)}) {
            painter.setPen(pen);
            for (int i = 0; i <= 3; ++i) {
                const double x = 2.0 + i * (w - 4) / 3.0;
                const double y = 2.0 + i * (h - 4) / 3.0;
                painter.drawLine(QPointF(x, 2.0), QPointF(x, h - 2.0));
                painter.drawLine(QPointF(2.0, y), QPointF(w - 2.0, y));
            }
        }
    } else if (key == QLatin1String("image.mypalette.clear.question.icon")) {
        painter.setPen(Qt::NoPen);
        drawDot(painter, centre, w / 2.0 - 2.0, m_style.accent);
        painter.setPen(QColor(255, 255, 255));
        painter.setFont(fontOf(static_cast<int>(h * 0.6), true));
        painter.drawText(areaOf(size), Qt::AlignCenter, QStringLiteral("?"));
    } else if (key == QLatin1String("image.mypalettefull.back")) {
        painter.drawLine(QPointF(w - 2, h / 2.0), QPointF(3, h / 2.0));
        painter.drawPolyline(QPolygonF(
            {QPointF(w * 0.45, h * 0.2), QPointF(3, h / 2.0), QPointF(w * 0.45, h * 0.8)}));
    } else if (key == QLatin1String("image.mypalettefull.slider.background")) {
        // The slider runs inverted: light on the left, dark on the right.
        QLinearGradient gradient(0, 0, w, 0);
        gradient.setColorAt(0.0, QColor(255, 255, 255));
        gradient.setColorAt(1.0, QColor(0, 0, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawRoundedRect(QRectF(0, 0, w, h), h / 2.0, h / 2.0);
    } else if (key == QLatin1String("image.mypalettefull.slider.background.mask")) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255));
        painter.drawRoundedRect(QRectF(0, 0, w, h), h / 2.0, h / 2.0);
    } else if (key == QLatin1String("image.mypalettefull.slider.thumb")) {
        painter.setPen(QPen(kDarkLine, 1.0));
        painter.setBrush(QColor(236, 236, 236));
        painter.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    } else {
        return false;
    }
    return true;
}

} // namespace Tintwell
