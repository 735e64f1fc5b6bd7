#include "engine/db/collectionlookups.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

namespace Corvo::DB {

namespace {

const QString kCollectionSql =
    QStringLiteral(" SELECT *  FROM COLLECTION C  WHERE C.UUID = ? COLLATE NOCASE");
const QString kThemeItemSql =
    QStringLiteral("SELECT T.ITEM_DATA FROM THEME T WHERE T.COLLECTION_ID = ? AND        "
                   "T.ITEM_KEY = ? COLLATE NOCASE");
const QString kLocalizedStringSql =
    QStringLiteral("SELECT L.STRING FROM LOCALE L WHERE L.COLLECTION_ID = ? AND       L.KEY = "
                   "? COLLATE NOCASE");
const QString kSettingValueSql =
    QStringLiteral("SELECT S.VALUE FROM SETTING S WHERE S.COLLECTION_ID = ? AND       S.NAME = "
                   "? COLLATE NOCASE AND       S.VALUE_INDEX = 0 ");
const QString kSettingValuesSql =
    QStringLiteral("SELECT S.VALUE FROM SETTING S WHERE S.COLLECTION_ID = ? AND       S.NAME = "
                   "? COLLATE NOCASE ORDER BY S.VALUE_INDEX ASC ");

} // namespace

int collectionRecord(const QUuid &uuid, QSharedPointer<Collection> &record)
{
    record.reset();
    const int connected = ensureConnection(uuid);
    if (connected < 0)
        return connected;
    PreparedQuery query(collectionConnection(uuid), kCollectionSql);
    if (!query.exec({uuid.toString(QUuid::WithBraces)}) || !query->next())
        return Failed;
    auto collection = QSharedPointer<Collection>::create(query->record());
    if (!collection->isValid())
        return Failed;
    record = collection;
    return Ok;
}

QString collectionName(const QUuid &uuid)
{
    QSharedPointer<Collection> record;
    return collectionRecord(uuid, record) == Ok ? record->name : QString();
}

int themeItem(const QUuid &uuid, const QString &key, QByteArray &bytes)
{
    bytes.clear();
    const int connected = ensureConnection(uuid);
    if (connected < 0)
        return connected;
    PreparedQuery query(collectionConnection(uuid), kThemeItemSql);
    if (!query.exec({collectionDbId(uuid), key}) || !query->next())
        return Failed;
    const QVariant value = query->value(0);
    if (value.typeId() != QMetaType::QByteArray)
        return Failed;
    bytes.append(value.toByteArray());
    return Ok;
}

QString localizedString(const QUuid &uuid, const QString &key)
{
    if (ensureConnection(uuid) < 0)
        return key;
    PreparedQuery query(collectionConnection(uuid), kLocalizedStringSql);
    if (!query.exec({collectionDbId(uuid), key}) || !query->next())
        return key;
    const QVariant value = query->value(0);
    if (value.typeId() != QMetaType::QString)
        return key;
    return value.toString();
}

QVariant settingValue(const QUuid &uuid, const QString &name, const QVariant &defaultValue)
{
    if (ensureConnection(uuid) < 0)
        return defaultValue;
    PreparedQuery query(collectionConnection(uuid), kSettingValueSql);
    if (!query.exec({collectionDbId(uuid), name}) || !query->next())
        return defaultValue;
    return query->value(0);
}

QVariantList settingValues(const QUuid &uuid, const QString &name)
{
    QVariantList values;
    if (ensureConnection(uuid) != Ok)
        return values;
    PreparedQuery query(collectionConnection(uuid), kSettingValuesSql);
    if (!query.exec({collectionDbId(uuid), name}))
        return values;
    while (query->next())
        values.append(query->value(0));
    return values;
}

} // namespace Corvo::DB
