#include "ui/colorschemerlustrelwidget.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/chipviewinput.h"
#include "ui/colorschemerwidget.h"
#include "ui/interfacefonts.h"

#include <QEvent>
#include <QPainter>

namespace Corvo {

namespace {

const QString kWideContrastKey = QStringLiteral("harmonizer.palette.scheme.wide.contrast");
const QString kContrastKey = QStringLiteral("harmonizer.palette.scheme.contrast");
const QString kMessageKey = QStringLiteral("harmonizer.drag.drop.message");

const QList<DB::ColorEntry> &chipsOf(const LustrelSchemeGroups &groups, int group)
{
    switch (group) {
    case ColorSchemerLustrelLayout::kWideContrast1:
        return groups.wideContrast1;
    case ColorSchemerLustrelLayout::kWideContrast2:
        return groups.wideContrast2;
    default:
        return groups.contrast;
    }
}

} // namespace

ColorSchemerLustrelWidget::ColorSchemerLustrelWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFont(InterfaceFonts::regular(InterfaceFonts::kBase));
    setAccessibleName(tr("Colour schemes"));
    m_input = new ChipViewInput(this, [this](const QPoint &point) { return inputChipAt(point); });
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void ColorSchemerLustrelWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    m_pageNameOrder = DB::readNameOrders(collection).pageNameDisplay;
    const QString wideContrast = DB::localizedString(collection, kWideContrastKey);
    m_captions[ColorSchemerLustrelLayout::kWideContrast1] =
        QStringLiteral("%1 1").arg(wideContrast);
    m_captions[ColorSchemerLustrelLayout::kWideContrast2] =
        QStringLiteral("%1 2").arg(wideContrast);
    m_captions[ColorSchemerLustrelLayout::kContrast] =
        DB::localizedString(collection, kContrastKey);
    m_message = DB::localizedString(collection, kMessageKey);
    m_columns = CollectionSettings::maxChipsOnAPage(collection);
    m_key.reset();
    m_groups = {};
    m_input->hideToolTip();
    rebuildLayout();
    update();
}

void ColorSchemerLustrelWidget::rebuildLayout()
{
    m_layout = ColorSchemerLustrelLayout(size(), fontMetrics().height());
}

void ColorSchemerLustrelWidget::refreshGroups()
{
    const std::pair<int, int> key{Preferences::pageIndex(m_collection),
                                  Preferences::rowIndex(m_collection)};
    if (m_key && *m_key == key)
        return;
    m_key = key;
    m_input->hideToolTip();
    m_groups = lustrelSchemeGroups(m_collection, key.first, key.second);
    for (int group = 0; group < ColorSchemerLustrelLayout::kGroupCount; ++group)
        m_cardNames[group] = cardNameOf(chipsOf(m_groups, group));
}

QString ColorSchemerLustrelWidget::cardNameOf(const QList<DB::ColorEntry> &chips) const
{
    if (chips.isEmpty())
        return QString();
    const qint64 pageId = chips.first().pageId;
    for (const DB::ColorEntry &chip : chips) {
        if (chip.pageId != pageId)
            return QString();
    }
    DB::ColorPage page;
    if (DB::pageById(m_collection, pageId, true, page) != DB::Ok)
        return QString();
    return pageDisplayName(m_pageNameOrder, page);
}

QList<DB::ColorEntry> ColorSchemerLustrelWidget::shownChips(int group) const
{
    return chipsOf(m_groups, group);
}

QList<QRect> ColorSchemerLustrelWidget::chipRects(int group) const
{
    return lustrelChipRects(m_layout, group, static_cast<int>(chipsOf(m_groups, group).size()),
                            m_columns);
}

void ColorSchemerLustrelWidget::paintEvent(QPaintEvent *)
{
    refreshGroups();
    ColorSchemerLustrelState state;
    state.columns = m_columns;
    state.message = m_message;
    for (int group = 0; group < ColorSchemerLustrelLayout::kGroupCount; ++group) {
        LustrelGroupLook &look = state.groups[group];
        look.caption = m_captions.at(group);
        look.secondary = m_cardNames.at(group);
        const QList<DB::ColorEntry> &chips = chipsOf(m_groups, group);
        for (int index = 0; index < chips.size(); ++index) {
            look.chipColours.append(DB::chipColor(chips.at(index)));
            if (m_groups.chip.id > 0 && chips.at(index).id == m_groups.chip.id)
                look.selectedChips.append(index);
        }
    }
    QPainter painter(this);
    paintColorSchemerLustrel(painter, m_layout, state);
    refreshAccessibleText();
}

void ColorSchemerLustrelWidget::selectionChanged()
{
    if (isVisible()) {
        refreshGroups();
        refreshAccessibleText();
    }
    update();
}

void ColorSchemerLustrelWidget::refreshAccessibleText()
{
    QStringList parts;
    for (int group = 0; group < ColorSchemerLustrelLayout::kGroupCount; ++group) {
        const int shown = static_cast<int>(chipRects(group).size());
        parts.append(tr("%1: %n colour(s)", nullptr, shown).arg(m_captions.at(group)));
    }
    const QString description = parts.join(QStringLiteral(", "));
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void ColorSchemerLustrelWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void ColorSchemerLustrelWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

std::optional<ChipViewChip> ColorSchemerLustrelWidget::inputChipAt(const QPoint &point) const
{
    for (int group = 0; group < ColorSchemerLustrelLayout::kGroupCount; ++group) {
        const QList<QRect> rects = chipRects(group);
        for (int index = 0; index < rects.size(); ++index) {
            if (rects.at(index).contains(point))
                return ColorSchemerWidget::schemeChip(
                    m_collection, chipsOf(m_groups, group).at(index), rects.at(index));
        }
    }
    return std::nullopt;
}

} // namespace Corvo
