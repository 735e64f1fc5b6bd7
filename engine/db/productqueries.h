#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

// Products and product groups of a chip. ROW IDs are unique within a file, so the
// queries do not restrict by collection.
namespace Corvo::DB {

// 0 and the products' names, each followed by the separator and its product code when
// it has one; -1 statement failed, or the connection error. The separator is the
// collection's "product.group.productname.productcode.separator:string" setting
// (CollectionSettings::productSeparator).
int productNames(const QUuid &uuid, qint64 rowId, const QString &separator, QStringList &names);
// 0 and the products' non-empty codes.
int productCodes(const QUuid &uuid, qint64 rowId, QStringList &codes);
// 0 and the names of the chip's product groups.
int productGroupNames(const QUuid &uuid, qint64 rowId, QStringList &names);

} // namespace Corvo::DB
