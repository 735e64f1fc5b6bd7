#pragma once

#include <QString>
#include <QUuid>

namespace Corvo {

// Names one chip across runs: collection UUID, page ID and row ID.
struct ItemIndex
{
    ItemIndex() = default;
    ItemIndex(const QUuid &collection, qint64 pageId, qint64 rowId)
        : collection(collection), pageId(pageId), rowId(rowId)
    {}

    // A row ID of 0 or less names no chip.
    bool namesChip() const { return rowId > 0; }

    // "ItemIndex({uuid},pageId,rowId)", the form the user preferences store.
    QString toString() const;
    // The default index when the text is not in that form.
    static ItemIndex fromString(const QString &text);

    friend bool operator==(const ItemIndex &x, const ItemIndex &y)
    {
        return x.collection == y.collection && x.pageId == y.pageId && x.rowId == y.rowId;
    }
    friend bool operator!=(const ItemIndex &x, const ItemIndex &y) { return !(x == y); }

    QUuid collection;
    qint64 pageId = -1;
    qint64 rowId = -1;
};

} // namespace Corvo
