#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace Tintwell {

// The look of one collection: its names, its accent and the colours of its wheel.
struct ThemeStyle
{
    QString brand;     // "VELMORA"
    QString tagline;   // "Colour Collection 2027"
    QColor accent;     // buttons, selections
    QColor background; // the window's base tone
    int segments = 24;
    double firstSegmentAngle = 90.0; // degrees, counter-clockwise from three o'clock
    bool clockwise = true;
    // Per segment, from the outer ring inwards: the wheel's colours.
    QList<QList<QColor>> wheelRings;
    QList<QColor> bannerSwatches;
};

// Paints every theme image of the picker for a style, at the size the widget draws it.
class ThemePainter
{
public:
    explicit ThemePainter(const ThemeStyle &style);

    // The image for a theme key; a null image for a key it does not know.
    QImage paint(const QString &key, const QSize &size) const;
    static QByteArray encodePng(const QImage &image);

private:
    QImage paintMainBackground(const QSize &size) const;
    QImage paintBanner(const QSize &size) const;
    QImage paintLogo(const QSize &size) const;
    QImage paintWheel(const QSize &size) const;
    QImage paintBar(const QSize &size) const;
    QImage paintMood(const QString &mood, bool selected, const QSize &size) const;
    QImage paintScheme(const QString &scheme, bool selected, const QSize &size) const;
    QImage paintMadeToOrder(const QSize &size) const;
    QImage paintGlyph(const QString &key, const QSize &size) const;

    ThemeStyle m_style;
};

} // namespace Tintwell
