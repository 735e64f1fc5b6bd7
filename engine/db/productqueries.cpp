#include "engine/db/productqueries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

namespace Corvo::DB {

namespace {

const QString kProductsSql = QStringLiteral(
    "SELECT    PR.* FROM     ROW_PRODUCT_MAP M     JOIN PRODUCT PR ON PR.ID = M.PRODUCT_ID "
    "WHERE     M.ROW_ID = :ROW_ID");
const QString kProductGroupsSql = QStringLiteral(
    "SELECT    PG.NAME FROM     ROW_PRODUCT_GROUP_MAP M     JOIN PRODUCT_GROUP PG ON PG.ID = "
    "M.PRODUCT_GROUP_ID WHERE     M.ROW_ID = :ROW_ID");
const QString kRowIdPlaceholder = QStringLiteral(":ROW_ID");

struct Product
{
    QString name;
    QString code;
};

// 0 and the chip's products in database order; a table without PRODUCT_CODE gives
// products without codes.
int readProducts(const QUuid &uuid, qint64 rowId, QList<Product> &products)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kProductsSql);
    query.bind(kRowIdPlaceholder, rowId);
    if (!query.exec())
        return Failed;
    int nameColumn = -1;
    int codeColumn = -1;
    while (query->next()) {
        if (nameColumn < 0) {
            const QSqlRecord record = query->record();
            nameColumn = record.indexOf(QStringLiteral("NAME"));
            codeColumn = record.indexOf(QStringLiteral("PRODUCT_CODE"));
        }
        Product product;
        product.name = query->value(nameColumn).toString();
        if (codeColumn >= 0)
            product.code = query->value(codeColumn).toString();
        products.append(product);
    }
    return Ok;
}

} // namespace

int productNames(const QUuid &uuid, qint64 rowId, const QString &separator, QStringList &names)
{
    names.clear();
    QList<Product> products;
    const int result = readProducts(uuid, rowId, products);
    if (result < 0)
        return result;
    for (const Product &product : products)
        names.append(product.code.isEmpty() ? product.name
                                            : product.name + separator + product.code);
    return Ok;
}

int productCodes(const QUuid &uuid, qint64 rowId, QStringList &codes)
{
    codes.clear();
    QList<Product> products;
    const int result = readProducts(uuid, rowId, products);
    if (result < 0)
        return result;
    for (const Product &product : products) {
        if (!product.code.isEmpty())
            codes.append(product.code);
    }
    return Ok;
}

int productGroupNames(const QUuid &uuid, qint64 rowId, QStringList &names)
{
    names.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kProductGroupsSql);
    query.bind(kRowIdPlaceholder, rowId);
    if (!query.exec())
        return Failed;
    while (query->next())
        names.append(query->value(0).toString());
    return Ok;
}

} // namespace Corvo::DB
