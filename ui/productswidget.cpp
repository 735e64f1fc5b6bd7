#include "ui/productswidget.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/productqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/interfacefonts.h"
#include "ui/velmoracustomstyle.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace Corvo {

namespace {

const QColor kTextColor(228, 228, 228);
// The label shows a single blank until a chip is found, so that it keeps its height.
const QString kBlankLabel = QStringLiteral(" ");
constexpr int kMargin = 8;
constexpr int kItemSpacing = 4;

// The chip's products, or the names of its product groups, in query order.
QStringList productTexts(const QUuid &collection, qint64 rowId)
{
    QStringList texts;
    if (CollectionSettings::productGroupsMode(collection) == ProductGroupsMode::Products)
        DB::productNames(collection, rowId, CollectionSettings::productSeparator(collection),
                         texts);
    else
        DB::productGroupNames(collection, rowId, texts);
    // A nameless product or group would be a blank cell in the list.
    texts.removeIf([](const QString &text) { return text.trimmed().isEmpty(); });
    return texts;
}

void makeTransparent(QWidget *widget)
{
    widget->setAutoFillBackground(false);
    QPalette shades = widget->palette();
    shades.setBrush(QPalette::Base, Qt::transparent);
    widget->setPalette(shades);
}

} // namespace

ProductsWidget::ProductsWidget(QWidget *parent)
    : QWidget(parent), m_code(new QLabel(kBlankLabel, this)), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ProductsWidget"));
    setAccessibleName(tr("Products"));
    QPalette shades = palette();
    shades.setColor(QPalette::WindowText, kTextColor);
    shades.setColor(QPalette::Text, kTextColor);
    setPalette(shades);
    setFont(InterfaceFonts::regular(InterfaceFonts::kTwoStepsAbove));

    m_code->setFont(InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove));
    m_code->setTextFormat(Qt::PlainText);
    // The code starts where the items' texts start.
    m_code->setIndent(kItemSpacing + style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setViewMode(QListView::ListMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setSpacing(kItemSpacing);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->verticalScrollBar()->setStyle(VelmoraCustomStyle::instance());
    makeTransparent(m_list);
    makeTransparent(m_list->viewport());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, 0);
    layout->addWidget(m_code);
    layout->addWidget(m_list, 1);

    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

QStringList ProductsWidget::itemTexts() const
{
    QStringList texts;
    for (int row = 0; row < m_list->count(); ++row)
        texts.append(m_list->item(row)->text());
    return texts;
}

void ProductsWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    m_stale = true;
    reloadWhenShown();
}

void ProductsWidget::selectedColorChanged()
{
    m_stale = true;
    reloadWhenShown();
}

void ProductsWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    reloadWhenShown();
}

void ProductsWidget::reloadWhenShown()
{
    if (m_stale && isVisible())
        reload();
}

void ProductsWidget::reload()
{
    m_stale = false;
    m_code->setText(kBlankLabel);
    m_list->clear();
    DB::ColorPage page;
    QString code;
    if (DB::pageAt(m_collection, Preferences::pageIndex(m_collection), page) == DB::Ok) {
        const int rowIndex = Preferences::rowIndex(m_collection);
        for (const DB::ColorEntry &row : page.rows) {
            if (row.rowIndex != rowIndex)
                continue;
            code = row.code;
            m_code->setText(code.isEmpty() ? kBlankLabel : code);
            m_list->addItems(productTexts(m_collection, row.id));
            break;
        }
    }
    refreshAccessibleDescription(code);
}

void ProductsWidget::refreshAccessibleDescription(const QString &code)
{
    const QStringList texts = itemTexts();
    QString description;
    if (code.isEmpty() && texts.isEmpty())
        description = tr("No colour selected");
    else if (texts.isEmpty())
        description = tr("%1: none listed").arg(code);
    else
        description = tr("%1: %2").arg(code, texts.join(QStringLiteral(", ")));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

} // namespace Corvo
