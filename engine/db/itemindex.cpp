#include "engine/db/itemindex.h"

#include <QStringList>

namespace Corvo {

namespace {
const QLatin1StringView kPrefix("ItemIndex(");
// The UUID part starts after the prefix and the UUID's opening brace.
constexpr int kFirstPartOffset = 11;
} // namespace

QString ItemIndex::toString() const
{
    return QStringLiteral("ItemIndex(%1,%2,%3)").arg(collection.toString()).arg(pageId).arg(rowId);
}

ItemIndex ItemIndex::fromString(const QString &text)
{
    ItemIndex index;
    if (!text.startsWith(kPrefix) || !text.endsWith(QLatin1Char(')')))
        return index;
    const qsizetype length = text.size() - 1 - kFirstPartOffset;
    if (length <= 0)
        return index;
    const QStringList parts =
        text.mid(kFirstPartOffset, length).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return index;
    // The closing brace stays on the first part; QUuid accepts it without the opening one.
    index.collection = QUuid::fromString(QString(QLatin1Char('{') + parts.at(0)));
    index.pageId = parts.at(1).toLongLong();
    index.rowId = parts.at(2).toLongLong();
    return index;
}

} // namespace Corvo
