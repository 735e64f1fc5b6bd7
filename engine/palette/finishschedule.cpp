#include "engine/palette/finishschedule.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/productqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"

#include <QHash>

#include <optional>

namespace Corvo::FinishSchedule {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const QByteArray kLineEnd("\r\n");
const QString kProductSeparator = QStringLiteral("; ");
constexpr int kLabDecimals = 2;

// What the lines of one collection share, read once per file.
struct CollectionTexts
{
    QString name;
    QString productSeparator;
    DB::NameOrders orders;
};

class CollectionTextCache
{
public:
    const CollectionTexts &of(const QUuid &collection)
    {
        const auto known = m_texts.constFind(collection);
        if (known != m_texts.cend())
            return known.value();
        CollectionTexts texts;
        texts.name = DB::collectionName(collection);
        texts.productSeparator = CollectionSettings::productSeparator(collection);
        texts.orders = DB::readNameOrders(collection);
        return m_texts.insert(collection, texts).value();
    }

private:
    QHash<QUuid, CollectionTexts> m_texts;
};

// The text at the first index of a display order; empty without one.
QString firstInOrder(const QStringList &texts, const QList<int> &order)
{
    return order.isEmpty() ? QString() : texts.value(order.first());
}

std::optional<DB::ColorPage> cardOf(const QUuid &collection, const DB::ColorEntry &entry)
{
    DB::ColorPage page;
    if (DB::pageById(collection, entry.pageId, true, page) != DB::Ok)
        return std::nullopt;
    return page;
}

QString products(const QUuid &collection, qint64 rowId, const QString &separator)
{
    QStringList names;
    if (DB::productNames(collection, rowId, separator, names) != DB::Ok)
        return QString();
    return names.join(kProductSeparator);
}

QString labValue(double value)
{
    return QString::number(value, 'f', kLabDecimals);
}

QStringList lineOf(int cellIndex, const PaletteCell &cell, const DB::ColorEntry &entry,
                   const CollectionTexts &texts)
{
    const std::optional<DB::ColorPage> card = cardOf(cell.collection, entry);
    const QColor color = DB::chipColor(entry);
    return {
        QString::number(cellIndex / MyPaletteModel::kColumns + 1),
        QString::number(cellIndex % MyPaletteModel::kColumns + 1),
        texts.name,
        card ? pageDisplayName(texts.orders.pageNameDisplay, *card) : QString(),
        entry.code,
        firstInOrder(entry.names, texts.orders.rowNameDisplay),
        firstInOrder(entry.extras, texts.orders.rowExtraDisplay),
        color.name(QColor::HexRgb).toUpper(),
        QString::number(color.red()),
        QString::number(color.green()),
        QString::number(color.blue()),
        labValue(entry.l),
        labValue(entry.a),
        labValue(entry.b),
        card && card->exterior ? QStringLiteral("yes") : QStringLiteral("no"),
        products(cell.collection, cell.rowId, texts.productSeparator),
    };
}

QByteArray csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted.append(csvField(field));
    return quoted.join(QLatin1Char(',')).toUtf8() + kLineEnd;
}

} // namespace

QStringList columns()
{
    return {QStringLiteral("Row"),     QStringLiteral("Column"), QStringLiteral("Collection"),
            QStringLiteral("Card"),    QStringLiteral("Code"),   QStringLiteral("Name"),
            QStringLiteral("Details"), QStringLiteral("Hex"),    QStringLiteral("R"),
            QStringLiteral("G"),       QStringLiteral("B"),      QStringLiteral("L*"),
            QStringLiteral("a*"),      QStringLiteral("b*"),     QStringLiteral("Exterior"),
            QStringLiteral("Products")};
}

QList<QStringList> lines(const QList<PaletteCell> &cells)
{
    QList<QStringList> result;
    CollectionTextCache texts;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const PaletteCell &cell = cells.at(i);
        DB::ColorEntry entry;
        if (!cell.isFilled() || DB::rowById(cell.collection, cell.rowId, entry) != DB::Ok)
            continue;
        result.append(lineOf(int(i), cell, entry, texts.of(cell.collection)));
    }
    return result;
}

QByteArray csvFile(const QList<PaletteCell> &cells)
{
    return csvFile(columns(), lines(cells));
}

QByteArray csvFile(const QStringList &columns, const QList<QStringList> &lines)
{
    QByteArray file = kByteOrderMark + csvLine(columns);
    for (const QStringList &fields : lines)
        file += csvLine(fields);
    return file;
}

QString csvField(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                             text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace Corvo::FinishSchedule
