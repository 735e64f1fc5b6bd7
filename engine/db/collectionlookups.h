#pragma once

#include "engine/db/collection.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>
#include <QUuid>
#include <QVariant>
#include <QVariantList>

// Per-collection look-ups that do not concern cards or chips. Keys are bound as
// values, so a key with a quote is looked up like any other.
namespace Corvo::DB {

// 0 and the COLLECTION row; -1 no such row; or the error of ensureConnection.
int collectionRecord(const QUuid &uuid, QSharedPointer<Collection> &record);
// The COLLECTION row's name; empty when the collection cannot be read.
QString collectionName(const QUuid &uuid);
// 0 and the item's bytes (an encoded image for "image." keys); -1; or the connection error.
int themeItem(const QUuid &uuid, const QString &key, QByteArray &bytes);
// The collection's text for the key; the key itself when there is none.
QString localizedString(const QUuid &uuid, const QString &key);
// The single value (VALUE_INDEX 0) as the driver delivers it; the default when absent.
QVariant settingValue(const QUuid &uuid, const QString &name,
                      const QVariant &defaultValue = QVariant());
// Every value of the key by VALUE_INDEX; empty when none or unavailable.
QVariantList settingValues(const QUuid &uuid, const QString &name);

} // namespace Corvo::DB
