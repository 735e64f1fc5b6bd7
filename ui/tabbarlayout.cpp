#include "ui/tabbarlayout.h"

#include "engine/db/selectiontypes.h"

#include <algorithm>

namespace Corvo {

namespace {

bool isTabPage(int page)
{
    return page == PageOfColorSchemes || page == PageOfProducts || page == PageOfVistara ||
           page == PageOfTextures;
}

// Tabs start right of the bar's left line and below its top row.
constexpr int kFirstTabX = 1;
constexpr int kTabTop = 1;
constexpr int kSeparatorWidth = 1;

} // namespace

QList<int> visibleTabPages(const QList<int> &ordered, int available)
{
    static const QList<int> allPages{PageOfColorSchemes, PageOfProducts, PageOfVistara,
                                     PageOfTextures};
    QList<int> shown;
    for (const int page : ordered.isEmpty() ? allPages : ordered) {
        // A page listed twice would show two tabs for one view.
        if (isTabPage(page) && (available & page) && !shown.contains(page))
            shown.append(page);
    }
    return shown;
}

TabBarLayout::TabBarLayout(const QSize &size, const QList<int> &pages,
                           const QList<int> &captionWidths)
    : m_size(size), m_pages(pages)
{
    const int height = std::max(0, size.height() - kTabTop);
    int x = kFirstTabX;
    for (int index = 0; index < count(); ++index) {
        const int width = std::max(0, captionWidths.value(index)) + kTabCaptionPadding;
        m_tabs.append(QRect(x, kTabTop, width, height));
        x += width + kSeparatorWidth;
    }
}

int TabBarLayout::page(int index) const
{
    return m_pages.value(index);
}

QRect TabBarLayout::tabRect(int index) const
{
    return m_tabs.value(index);
}

int TabBarLayout::indexOf(int page) const
{
    return page == 0 ? -1 : static_cast<int>(m_pages.indexOf(page));
}

int TabBarLayout::tabAt(const QPoint &point) const
{
    if (!QRect(QPoint(0, 0), m_size).contains(point))
        return -1;
    for (int index = 0; index < count(); ++index) {
        if (m_tabs.at(index).contains(point))
            return index;
    }
    return -1;
}

QLine TabBarLayout::leftLine() const
{
    return QLine(0, 0, 0, m_size.height() - 1);
}

QList<QLine> TabBarLayout::separators() const
{
    QList<QLine> lines;
    for (const QRect &tab : m_tabs) {
        const int x = tab.right() + 1;
        lines.append(QLine(x, tab.top(), x, tab.bottom()));
    }
    return lines;
}

int TabBarLayout::contentWidth() const
{
    return m_tabs.isEmpty() ? kFirstTabX : m_tabs.last().right() + 1 + kSeparatorWidth;
}

} // namespace Corvo
