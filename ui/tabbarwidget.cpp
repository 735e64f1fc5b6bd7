#include "ui/tabbarwidget.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/interfacefonts.h"
#include "ui/themeimage.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace Corvo {

namespace {

QString captionKey(int page)
{
    switch (page) {
    case PageOfColorSchemes:
        return QStringLiteral("tab.bar.color.schemes.caption");
    case PageOfProducts:
        return QStringLiteral("tab.bar.products.caption");
    case PageOfVistara:
        return QStringLiteral("tab.bar.vistara.caption");
    case PageOfTextures:
        return QStringLiteral("tab.bar.textures.caption");
    }
    return QString();
}

} // namespace

TabBarWidget::TabBarWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(InterfaceFonts::regular(InterfaceFonts::kOneStepAbove));
    setAccessibleName(tr("View tabs"));
    addShortcuts();
    loadCollection(Preferences::uuidOfLastUsedCollection());
}

void TabBarWidget::addShortcuts()
{
    void (TabBarWidget::*const switches[kShortcutCount])() = {
        &TabBarWidget::switchToTab1, &TabBarWidget::switchToTab2, &TabBarWidget::switchToTab3,
        &TabBarWidget::switchToTab4};
    for (int number = 1; number <= kShortcutCount; ++number) {
        auto *action = new QAction(this);
        action->setShortcut(
            QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_T),
                         QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_0 + number))));
        connect(action, &QAction::triggered, this, switches[number - 1]);
        addAction(action);
    }
}

QSize TabBarWidget::sizeHint() const
{
    return QSize(m_layout.contentWidth(), kPreferredHeight);
}

void TabBarWidget::selectedCollectionChanged(const QUuid &collection)
{
    loadCollection(collection);
}

void TabBarWidget::switchToTab1()
{
    switchToTab(1);
}

void TabBarWidget::switchToTab2()
{
    switchToTab(2);
}

void TabBarWidget::switchToTab3()
{
    switchToTab(3);
}

void TabBarWidget::switchToTab4()
{
    switchToTab(4);
}

void TabBarWidget::loadCollection(const QUuid &collection)
{
    m_collection = collection;
    m_pages = visibleTabPages(CollectionSettings::tabBarPages(collection),
                              CollectionSettings::availableTabBarPages(collection));
    m_captions.clear();
    for (const int page : m_pages)
        m_captions.append(DB::localizedString(collection, captionKey(page)));
    m_background = themePixmap(collection, QStringLiteral("image.widget.bar.background"),
                               kTabBarTileSize, devicePixelRatioF());
    rebuildLayout();
}

void TabBarWidget::rebuildLayout()
{
    QList<int> widths;
    for (const QString &caption : m_captions)
        widths.append(fontMetrics().horizontalAdvance(caption));
    m_layout = TabBarLayout(size(), m_pages, widths);
    updateGeometry();
    refreshAccessibleText(currentPage());
    update();
}

int TabBarWidget::currentPage() const
{
    return Preferences::tabPageIndex(m_collection);
}

void TabBarWidget::switchToTab(int number)
{
    if (!isVisible() || number < 1 || number > m_layout.count())
        return;
    if (m_layout.page(number - 1) != currentPage())
        select(number - 1);
}

void TabBarWidget::selectNeighbour(int step)
{
    if (m_layout.count() == 0)
        return;
    const int current = m_layout.indexOf(currentPage());
    const int target = current < 0 ? 0 : current + step;
    if (target >= 0 && target < m_layout.count() && target != current)
        select(target);
}

void TabBarWidget::selectionChanged()
{
    refreshAccessibleText(currentPage());
    update();
}

void TabBarWidget::select(int index)
{
    emit tabPageSelected(static_cast<TabBarPage>(m_layout.page(index)));
}

void TabBarWidget::paintEvent(QPaintEvent *)
{
    TabBarState state;
    state.currentPage = currentPage();
    state.focusVisible = hasFocus() && m_focusVisible;
    QPainter painter(this);
    paintTabBar(painter, m_layout, m_background, m_captions, state);
}

void TabBarWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildLayout();
}

void TabBarWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildLayout();
}

void TabBarWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_focusVisible = false;
    const int index = m_layout.tabAt(event->position().toPoint());
    if (index >= 0)
        select(index);
    update();
}

void TabBarWidget::mouseMoveEvent(QMouseEvent *event)
{
    const bool overTab = m_layout.tabAt(event->position().toPoint()) >= 0;
    const Qt::CursorShape shape = overTab ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
    QWidget::mouseMoveEvent(event);
}

void TabBarWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_focusVisible = true;
    selectNeighbour(event->key() == Qt::Key_Left ? -1 : +1);
    update();
}

void TabBarWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_focusVisible = reason != Qt::MouseFocusReason;
    update();
}

void TabBarWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TabBarWidget::refreshAccessibleText(int current)
{
    const int index = m_layout.indexOf(current);
    const QString description =
        index < 0 ? tr("No tab selected") : tr("Current tab: %1").arg(m_captions.value(index));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

} // namespace Corvo
