#pragma once

#include "ui/tabbarlayout.h"

#include <QPixmap>
#include <QStringList>

class QPainter;

namespace Corvo {

// The size the bar's background tile is loaded at.
inline constexpr QSize kTabBarTileSize(30, 30);

struct TabBarState
{
    // The page of the current tab; 0 or a page without a tab leaves every tab plain.
    int currentPage = 0;
    // Whether the keyboard focus is to be shown on the current tab.
    bool focusVisible = false;
};

// `captions` by tab, as the layout's pages; `background` may be null.
void paintTabBar(QPainter &painter, const TabBarLayout &layout, const QPixmap &background,
                 const QStringList &captions, const TabBarState &state);

} // namespace Corvo
