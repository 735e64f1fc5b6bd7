#include "engine/settings/chiplabels.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"

#include <QHash>
#include <QStringList>

#include <optional>

namespace Corvo {

namespace {

const QString kLabelSeparator = QStringLiteral(" - ");
const QString kHtmlLineBreak = QStringLiteral("<br/>");
const QString kHtmlFrame = QStringLiteral("<div style=\"margin:2px;\">%1</div>");
const QString kHtmlAuxiliary = QStringLiteral("<span style=\"font-style:italic;\">%1</span>");

struct ToolTipFlags
{
    bool collectionName = false;
    bool cardName = false;
    bool colorCode = false;
    bool colorName = false;
    bool auxiliary = false;
    bool pageIndex = false;
    bool rowIndex = false;

    bool needsOrders() const { return cardName || colorName || auxiliary; }
    bool needsPage() const { return cardName || pageIndex; }
};

ToolTipFlags toolTipFlags(const QUuid &uuid)
{
    ToolTipFlags flags;
    flags.collectionName = CollectionSettings::showCollectionName(uuid);
    flags.cardName = CollectionSettings::showCardName(uuid);
    flags.colorCode = CollectionSettings::showColorCode(uuid);
    flags.colorName = CollectionSettings::showColorName(uuid);
    flags.auxiliary = CollectionSettings::showAuxiliary(uuid);
    flags.pageIndex = CollectionSettings::showPageIndex(uuid);
    flags.rowIndex = CollectionSettings::showRowIndex(uuid);
    return flags;
}

// The texts at the listed indexes; an index the list does not have gives an empty text.
QStringList textsInOrder(const QStringList &texts, const QList<int> &order)
{
    QStringList picked;
    for (const int index : order)
        picked.append(texts.value(index));
    return picked;
}

// Collects the tool tip's lines, escaping each stored text for HTML and skipping empty ones.
class ToolTipLines
{
public:
    explicit ToolTipLines(bool html) : m_html(html) {}

    void add(const QString &text, const QString &htmlFrame = QString())
    {
        if (text.isEmpty())
            return;
        if (!m_html) {
            m_lines.append(text);
            return;
        }
        const QString escaped = text.toHtmlEscaped();
        m_lines.append(htmlFrame.isEmpty() ? escaped : htmlFrame.arg(escaped));
    }

    void add(const QStringList &texts, const QString &htmlFrame = QString())
    {
        for (const QString &text : texts)
            add(text, htmlFrame);
    }

    QString text() const
    {
        if (!m_html)
            return m_lines.join(QLatin1Char('\n'));
        return kHtmlFrame.arg(m_lines.join(kHtmlLineBreak));
    }

private:
    bool m_html;
    QStringList m_lines;
};

QString collectionName(const QUuid &uuid)
{
    QSharedPointer<DB::Collection> collection;
    if (DB::collectionRecord(uuid, collection) != DB::Ok)
        return {};
    return collection->name;
}

// The six name orders of each collection asked about, read once (six statements) and kept
// as long as the collection settings cache is: a palette reload labels 24 chips. A
// collection that cannot be reached is asked again next time.
DB::NameOrders nameOrders(const QUuid &uuid)
{
    static QHash<QUuid, DB::NameOrders> orders;
    static quint64 generation = CollectionSettings::cacheGeneration();
    if (generation != CollectionSettings::cacheGeneration()) {
        orders.clear();
        generation = CollectionSettings::cacheGeneration();
    }
    if (const auto it = orders.constFind(uuid); it != orders.cend())
        return it.value();
    if (DB::ensureConnection(uuid) != DB::Ok)
        return {};
    return orders.insert(uuid, DB::readNameOrders(uuid)).value();
}

std::optional<DB::ColorPage> pageOf(const QUuid &uuid, const DB::ColorEntry &entry)
{
    DB::ColorPage page;
    if (DB::pageById(uuid, entry.pageId, true, page) != DB::Ok)
        return std::nullopt;
    return page;
}

} // namespace

QString chipLabel(const QUuid &uuid, const DB::ColorEntry &entry)
{
    const QList<int> order = nameOrders(uuid).rowNameDisplay;
    if (order.isEmpty())
        return entry.code;
    const QString name = entry.names.value(order.first());
    return name.isEmpty() ? entry.code : entry.code + kLabelSeparator + name;
}

QString pageDisplayName(const QList<int> &pageNameDisplayOrder, const DB::ColorPage &page)
{
    for (const QString &name : textsInOrder(page.names, pageNameDisplayOrder)) {
        if (!name.isEmpty())
            return name;
    }
    return QString::number(page.pageIndex);
}

QString chipToolTip(const QUuid &uuid, qint64 rowId, bool html)
{
    const ToolTipFlags flags = toolTipFlags(uuid);
    DB::ColorEntry entry;
    if (DB::rowById(uuid, rowId, entry) != DB::Ok)
        return {};
    const DB::NameOrders orders = flags.needsOrders() ? nameOrders(uuid) : DB::NameOrders();
    const std::optional<DB::ColorPage> page =
        flags.needsPage() ? pageOf(uuid, entry) : std::nullopt;

    ToolTipLines lines(html);
    if (flags.collectionName)
        lines.add(collectionName(uuid));
    if (flags.cardName && page)
        lines.add(textsInOrder(page->names, orders.pageNameDisplay));
    if (flags.colorCode)
        lines.add(entry.code);
    if (flags.colorName)
        lines.add(textsInOrder(entry.names, orders.rowNameDisplay));
    if (flags.auxiliary)
        lines.add(textsInOrder(entry.extras, orders.rowExtraDisplay), kHtmlAuxiliary);
    if (flags.pageIndex && page)
        lines.add(QString::number(page->pageIndex));
    if (flags.rowIndex)
        lines.add(QString::number(entry.rowIndex));
    return lines.text();
}

} // namespace Corvo
