#include "ui/vistarawidget.h"

#include "engine/db/vistaraqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"
#include "ui/viewportscrollarea.h"
#include "ui/vistaraviewport.h"

#include <algorithm>

namespace Corvo {

namespace {

const QString kOpenImageKey = QStringLiteral("image.vistara.group.open");
const QString kClosedImageKey = QStringLiteral("image.vistara.group.closed");

// Groups by their order, ties by ID, so that every run shows them alike.
QList<DB::VistaraGroup> groupsInDisplayOrder(const QHash<qint64, DB::VistaraGroup> &groups)
{
    QList<DB::VistaraGroup> ordered = groups.values();
    std::sort(ordered.begin(), ordered.end(),
              [](const DB::VistaraGroup &x, const DB::VistaraGroup &y) {
                  return x.order != y.order ? x.order < y.order : x.id < y.id;
              });
    return ordered;
}

} // namespace

VistaraWidget::VistaraWidget(QWidget *parent)
    : QWidget(parent), m_scrollArea(new ViewportScrollArea(this)), m_viewport(new VistaraViewport)
{
    setAccessibleName(tr("Trend colours"));
    m_viewport->setAccessibleName(accessibleName());
    m_scrollArea->setContent(m_viewport);
    connect(m_scrollArea, &ViewportScrollArea::viewportWidthChanged, m_viewport,
            &VistaraViewport::layoutForWidth);
    connect(m_viewport, &VistaraViewport::groupHeaderPressed, this, &VistaraWidget::toggleGroup);
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void VistaraWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    reload();
}

void VistaraWidget::reload()
{
    QHash<qint64, DB::VistaraGroup> groups;
    DB::vistaraGroups(m_collection, groups);
    VistaraScene scene;
    for (const DB::VistaraGroup &group : groupsInDisplayOrder(groups))
        scene.groups.append(
            {group.id, group.name,
             Preferences::vistaraGroupOpenState(m_collection, group.id, group.defaultOpen),
             group.entries});
    const qreal ratio = devicePixelRatioF();
    scene.openImage = themePixmap(m_collection, kOpenImageKey, ratio);
    scene.closedImage = themePixmap(m_collection, kClosedImageKey, ratio);
    scene.headerFont = InterfaceFonts::bold(InterfaceFonts::kBase);
    scene.textFont = InterfaceFonts::regular(InterfaceFonts::kBase);
    scene.italicFont = InterfaceFonts::italic(InterfaceFonts::kBase);
    m_viewport->setScene(scene, CollectionSettings::vistaraChipSize(m_collection));
    layoutViewport();
    refreshAccessibleDescription(scene);
}

void VistaraWidget::toggleGroup(qint64 groupId)
{
    const VistaraScene &scene = m_viewport->scene();
    const auto group =
        std::find_if(scene.groups.cbegin(), scene.groups.cend(),
                     [groupId](const VistaraShownGroup &shown) { return shown.id == groupId; });
    if (group == scene.groups.cend())
        return;
    // The view owns this preference: nothing else reads or writes a group's state.
    Preferences::setVistaraGroupOpenState(m_collection, groupId, !group->open);
    reload();
}

void VistaraWidget::layoutViewport()
{
    m_scrollArea->setGeometry(rect());
    m_viewport->layoutForWidth(m_scrollArea->viewport()->width());
}

void VistaraWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutViewport();
}

void VistaraWidget::refreshAccessibleDescription(const VistaraScene &scene)
{
    QStringList parts;
    for (const VistaraShownGroup &group : scene.groups)
        parts.append(group.open
                         ? tr("%1 (open, %2 colours)").arg(group.name).arg(group.entries.size())
                         : tr("%1 (closed)").arg(group.name));
    const QString description =
        parts.isEmpty() ? tr("No trend colours") : parts.join(QStringLiteral("; "));
    if (accessibleDescription() == description)
        return;
    setAccessibleDescription(description);
    m_viewport->setAccessibleDescription(description);
}

} // namespace Corvo
