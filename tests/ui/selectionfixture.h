#pragma once

#include <QString>
#include <QUuid>

// Four small collections beside the demo file set, for the selection's rules: segments of a
// single card, pale and exterior cards, metallic cards with made-to-order chips (one card
// of them only), a collection without mood control and one without the exterior filter.
// Card N of a collection is named "<name> N"; its chip K has the code "<name>-N-K".
class SelectionFixture
{
public:
    // Writes the file into the data folder; the catalogue must be scanned afresh after it.
    static bool write(const QString &path);

    static QUuid tiny();       // normal cards, every filter; no "tab.bar.page" rows
    static QUuid metal();      // metallic cards
    static QUuid plain();      // "mood.visible" off
    static QUuid noExterior(); // "has.exterior.filter" off
};
