#pragma once

#include "engine/colour/colorscience.h"
#include "tools/tintwell/demo/colourmath.h"

#include <QList>
#include <QSet>
#include <QString>

namespace Tintwell {

// Gives colours names: a name from the vendored colour-name list near the colour and not
// given before, and a plain description made of hue words and modifiers.
class ColourNamer
{
public:
    ColourNamer();
    bool isLoaded() const { return !m_entries.isEmpty(); }

    // The nearest unused list name within reach (names the list marks as good first), or
    // the description when every name near the colour is taken. Never repeats a name.
    QString takeName(const Rgb &rgb);
    // Marks a name as given, so takeName() will not hand it out.
    void reserve(const QString &name);
    // "Pale Dusty Teal", "Deep Crimson", "Light Warm Grey".
    static QString describe(const ColourMath::Lch &lch);
    // One of 24 hue family words for a hue in degrees.
    static QString hueWord(double hue);

private:
    struct Entry
    {
        QString name;
        Corvo::Lab lab;
        bool good = false;
    };
    void load();
    QString uniqueDescription(const ColourMath::Lch &lch);

    QList<Entry> m_entries;
    QSet<QString> m_taken; // lower case
};

} // namespace Tintwell
