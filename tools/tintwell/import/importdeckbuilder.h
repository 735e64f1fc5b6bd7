#pragma once

#include "tools/tintwell/import/importoptions.h"
#include "tools/tintwell/import/swatchentry.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QList>
#include <QStringList>

namespace Tintwell {

// Turns the colours read from swatch files into a deck of one collection: the file's
// groups become cards (in chunks of a card's length), or without groups the colours go on
// cards by hue segment with the neutrals on cards of their own; every card graded light to
// dark. Cards and chips get segments, moods, flags, LRV and schemes from their colours;
// the collection gets settings, texts and a theme painted from its name and colours.
class ImportDeckBuilder
{
public:
    explicit ImportDeckBuilder(const ImportOptions &options) : m_options(options) {}

    DeckModel build(QList<SwatchEntry> entries);
    // Codes made unique or shortened, one line each.
    const QStringList &notes() const { return m_notes; }

    static QUuid uuidFor(const QString &systemId);
    // 1000 to 66535, the same for a system ID on every run.
    static int orderFor(const QString &systemId);

private:
    struct PlannedCard
    {
        QString name;
        QList<int> entries;
    };
    void settleCodes(QList<SwatchEntry> &entries);
    QList<PlannedCard> cardsByGroup(const QList<SwatchEntry> &entries) const;
    QList<PlannedCard> cardsByHue(const QList<SwatchEntry> &entries) const;
    void appendChunks(QList<PlannedCard> &cards, const QString &name, QList<int> entries,
                      const QList<SwatchEntry> &all) const;
    CardModel cardOf(const PlannedCard &planned, const QList<SwatchEntry> &entries,
                     const QStringList &products) const;
    static ChipModel chipOf(const SwatchEntry &entry, const QStringList &products);

    ImportOptions m_options;
    QStringList m_notes;
};

} // namespace Tintwell
