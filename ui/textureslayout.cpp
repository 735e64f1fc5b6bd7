#include "ui/textureslayout.h"

#include <algorithm>

namespace Corvo {

TexturesLayout::TexturesLayout(int width, const QSize &tileSize, int tileCount,
                               int headerLineHeight)
    : m_width(std::max(0, width)), m_tileSize(tileSize.expandedTo(QSize(0, 0)))
{
    const int blockWidth = kColumns * m_tileSize.width() + (kColumns - 1) * kColumnGap;
    // A viewport narrower than the columns keeps the first column in view.
    const int left = std::max(kFrameWidth, (m_width - blockWidth) / 2);
    const int headerHeight = std::max(0, headerLineHeight) + 2 * kHeaderPadding;
    m_header = QRect(left, 0, std::max(0, m_width - left), headerHeight);
    const int rowHeight = m_tileSize.height() + kCaptionHeight;
    const int rows = (std::max(0, tileCount) + kColumns - 1) / kColumns;
    for (int index = 0; index < std::max(0, tileCount); ++index) {
        const int column = index % kColumns;
        const int row = index / kColumns;
        m_tiles.append(QRect(QPoint(left + column * (m_tileSize.width() + kColumnGap),
                                    headerHeight + row * rowHeight),
                             m_tileSize));
    }
    m_contentHeight = headerHeight + rows * rowHeight;
}

QRect TexturesLayout::tileRect(int index) const
{
    return m_tiles.value(index);
}

QRect TexturesLayout::captionRect(int index) const
{
    const QRect tile = tileRect(index);
    if (tile.isNull())
        return QRect();
    return QRect(tile.left(), tile.bottom() + 1, tile.width(), kCaptionHeight);
}

int TexturesLayout::tileAt(const QPoint &point) const
{
    for (int index = 0; index < count(); ++index) {
        if (tileRect(index).united(captionRect(index)).contains(point))
            return index;
    }
    return -1;
}

} // namespace Corvo
