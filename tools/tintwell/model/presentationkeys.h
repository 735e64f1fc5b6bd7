#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The translation keys and theme items that the picker and about windows look up in
// every collection, with the sizes the widgets draw the images at. The demo deck paints
// exactly these, and validate reports the ones a collection lacks or stores in another shape.
namespace Tintwell::PresentationKeys {

struct ThemeImage
{
    QString key;
    QSize size;    // as the widget draws it, in logical pixels
    int scale = 1; // stored pixels per drawn pixel in the demo deck

    QSize storedSize() const { return size * scale; }
};

QStringList translationKeys();
QList<ThemeImage> themeImages();
// Theme items that hold a colour as text ("#rrggbb") instead of an image.
QStringList themeColours();

} // namespace Tintwell::PresentationKeys
