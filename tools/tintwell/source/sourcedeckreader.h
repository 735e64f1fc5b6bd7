#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

namespace Tintwell {

// Reads a source folder: "deck.json" describing the deck plus the image files it names
// (format: tools/tintwell/README.md). Lab values are not part of the source; the writer
// computes them from RGB. On the first bad entry it stops and says where and what.
class SourceDeckReader
{
public:
    static QString deckFileName() { return QStringLiteral("deck.json"); }

    std::optional<DeckModel> read(const QString &folder);
    // The deck of a "deck.json" held in memory; the image files it names are read from
    // the folder.
    std::optional<DeckModel> readDocument(const QByteArray &json, const QString &folder);
    QString lastError() const { return m_lastError; }

private:
    bool fail(const QString &where, const QString &what);
    bool readProducts(const QJsonValue &value, DeckModel &deck);
    bool readCollection(const QJsonValue &value, const QString &where, CollectionModel &out);
    bool readSettings(const QJsonValue &value, const QString &where, QList<SettingModel> &out);
    bool readTexts(const QJsonValue &value, const QString &where, CollectionModel &out);
    bool readTheme(const QJsonValue &value, const QString &where, CollectionModel &out);
    bool readCards(const QJsonValue &value, const QString &where, CollectionModel &out);
    bool readCard(const QJsonValue &value, const QString &where, CardModel &out);
    bool readChip(const QJsonValue &value, const QString &where, ChipModel &out);
    bool readSchemes(const QJsonObject &object, const QString &where, CollectionModel &out);
    bool readTrends(const QJsonValue &value, const QString &where, CollectionModel &out);
    bool readTextures(const QJsonValue &value, const QString &where, CollectionModel &out);

    bool readRgb(const QJsonValue &value, const QString &where, Rgb &out);
    bool readTexts(const QJsonValue &value, const QString &where, QStringList &out);
    bool readInt(const QJsonValue &value, const QString &where, int minimum, int maximum, int &out);
    bool readKind(const QJsonValue &value, const QString &where, int &out);
    bool readMood(const QJsonValue &value, const QString &where, int &out);
    bool readChipRef(const QJsonValue &value, const QString &where, ChipRef &out);
    bool readCardNumber(const QJsonValue &value, const QString &where, int cardCount, int &out);
    bool readChipRefs(const QJsonValue &value, const QString &where, QList<ChipRef> &out);
    bool readCardNumbers(const QJsonValue &value, const QString &where, int cardCount,
                         QList<int> &out);
    bool readImageFile(const QJsonValue &value, const QString &where, QByteArray &out);

    // Optional members: absent gives the fallback, any other type is a bad entry.
    bool optionalObject(const QJsonObject &object, const QString &key, const QString &where,
                        QJsonObject &out);
    bool optionalArray(const QJsonObject &object, const QString &key, const QString &where,
                       QJsonArray &out);
    bool optionalBool(const QJsonObject &object, const QString &key, const QString &where,
                      bool fallback, bool &out);
    bool optionalReal(const QJsonObject &object, const QString &key, const QString &where,
                      double fallback, double &out);
    bool optionalText(const QJsonObject &object, const QString &key, const QString &where,
                      QString &out);
    bool objectAt(const QJsonArray &array, int index, const QString &where, QJsonObject &out);

    QDir m_folder;
    QString m_lastError;
    QHash<QString, ProductRef> m_products; // by name, lower case
    QHash<QString, ChipRef> m_chipsByCode; // of the collection being read, lower case
};

} // namespace Tintwell
