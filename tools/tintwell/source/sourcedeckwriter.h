#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace Tintwell {

// Writes a deck as a source folder that `build` reads back: "deck.json" and the theme
// images under "images/". Chip schemes are written; trend groups and textures are not.
class SourceDeckWriter
{
public:
    bool write(const DeckModel &deck, const QString &folder);
    QString lastError() const { return m_lastError; }

private:
    bool fail(const QString &what);
    std::optional<QJsonObject> collectionJson(const CollectionModel &collection,
                                              const DeckModel &deck, const QString &folder);
    std::optional<QJsonObject> themeJson(const CollectionModel &collection, const QString &folder);
    static QJsonArray cardsJson(const CollectionModel &collection, const DeckModel &deck);
    static QJsonArray schemesJson(const CollectionModel &collection);

    QString m_lastError;
};

} // namespace Tintwell
