#pragma once

#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Corvo {

// Room around a caption: a tab is its caption's single-line width plus this.
inline constexpr int kTabCaptionPadding = 32;

// The tab pages shown, in order: the pages the collection lists (all four in their usual
// order when it lists none), keeping each page it offers (a bit of `available`) once.
// Anything that is not one of the four pages is dropped.
QList<int> visibleTabPages(const QList<int> &ordered, int available);

// Where the tab bar's tabs and lines are, for a widget size and the captions' widths.
// Painting, clicks and the cursor all use this one value.
class TabBarLayout
{
public:
    TabBarLayout() = default;
    // `captionWidths` by tab, as `pages`; a missing width counts as 0.
    TabBarLayout(const QSize &size, const QList<int> &pages, const QList<int> &captionWidths);

    QSize size() const { return m_size; }
    int count() const { return static_cast<int>(m_pages.size()); }
    QList<int> pages() const { return m_pages; }
    // The page of the tab at the index; 0 outside.
    int page(int index) const;
    // Empty outside.
    QRect tabRect(int index) const;
    // The index of the tab with that page; -1 when none shows it.
    int indexOf(int page) const;
    // The tab under the point, within the widget; -1 over no tab.
    int tabAt(const QPoint &point) const;
    // The line at the bar's left edge and one at each tab's right edge.
    QLine leftLine() const;
    QList<QLine> separators() const;
    // From the bar's left edge to the right of the last separator.
    int contentWidth() const;

private:
    QSize m_size;
    QList<int> m_pages;
    QList<QRect> m_tabs;
};

} // namespace Corvo
