#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

// The one interface font family of the add-on, chosen once per process from the list the
// system-wide collection configures, handed out in five size classes around a base size.
namespace Corvo::InterfaceFonts {

// Size classes: steps relative to the base size.
inline constexpr int kTwoStepsBelow = 0;
inline constexpr int kOneStepBelow = 1;
inline constexpr int kBase = 2;
inline constexpr int kOneStepAbove = 3;
inline constexpr int kTwoStepsAbove = 4;

struct FontFace
{
    QString family;
    int pointSize = 0;
    bool operator==(const FontFace &other) const
    {
        return family == other.family && pointSize == other.pointSize;
    }
};

// "Face,size;Face,size": entries with an empty face or a size of 0 or less are dropped;
// a list with nothing usable or with a face named twice becomes the built-in default.
QList<FontFace> parseFaceList(const QString &text);
// The first face `offered` accepts; none offered gives the system family at the last
// listed size.
FontFace chooseFace(const QList<FontFace> &faces,
                    const std::function<bool(const QString &)> &offered,
                    const QString &systemFamily);
// The base size moved by the class: -2, -1, 0, +1, +2; any other class is the base size.
int pointSizeForClass(int baseSize, int sizeClass);

// The chosen family and base size (the first call chooses; it needs a QGuiApplication).
QString family();
int baseSize();

QFont regular(int sizeClass);
QFont italic(int sizeClass);
QFont bold(int sizeClass);

} // namespace Corvo::InterfaceFonts
