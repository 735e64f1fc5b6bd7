#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class QPainter;

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

// Paints every theme image of the picker for a style, in the coordinates of the size the
// widget draws it at.
class ThemePainter
{
public:
    explicit ThemePainter(const ThemeStyle &style);

    // The image for a theme key at scale stored pixels per drawn pixel (size x scale
    // pixels, painted, not enlarged); a null image for a key it does not know.
    QImage paint(const QString &key, const QSize &size, int scale) const;
    static QByteArray encodePng(const QImage &image);
    // Every theme image the windows use, painted for the style, and the selector's text
    // colour: the theme of a collection that brings no images of its own.
    static QList<ThemeItemModel> themeItems(const ThemeStyle &style);

private:
    bool draw(QPainter &painter, const QString &key, const QSize &size) const;
    void drawMainBackground(QPainter &painter, const QSize &size) const;
    void drawBanner(QPainter &painter, const QSize &size) const;
    void drawLogo(QPainter &painter, const QSize &size) const;
    void drawWheel(QPainter &painter) const;
    void drawBar(QPainter &painter, const QSize &size) const;
    void drawMood(QPainter &painter, const QString &mood, bool selected, const QSize &size) const;
    void drawScheme(QPainter &painter, const QString &scheme, bool selected,
                    const QSize &size) const;
    void drawMadeToOrder(QPainter &painter, const QSize &size) const;
    bool drawGlyph(QPainter &painter, const QString &key, const QSize &size) const;

    ThemeStyle m_style;
};

} // namespace Tintwell
