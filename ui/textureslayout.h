#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Corvo {

// Where the textures view puts its header and tiles: three columns of tiles centred in
// the viewport's width, each row a tile high plus a caption line. Painting, tool tips and
// the viewport's height all come from this one value.
class TexturesLayout
{
public:
    static constexpr int kColumns = 3;
    static constexpr int kCaptionHeight = 16;
    static constexpr int kColumnGap = 16;
    // Above and below the header's line.
    static constexpr int kHeaderPadding = 6;
    // The frame drawn round a tile reaches this far out of it.
    static constexpr int kFrameWidth = 2;

    TexturesLayout() = default;
    // `headerLineHeight`: the header font's line height.
    TexturesLayout(int width, const QSize &tileSize, int tileCount, int headerLineHeight);

    int width() const { return m_width; }
    QSize tileSize() const { return m_tileSize; }
    int count() const { return static_cast<int>(m_tiles.size()); }
    QRect headerRect() const { return m_header; }
    // Empty outside.
    QRect tileRect(int index) const;
    // The caption line under the tile.
    QRect captionRect(int index) const;
    // The tile or caption under the point; -1 over none.
    int tileAt(const QPoint &point) const;
    // The viewport's height: the header and every row.
    int contentHeight() const { return m_contentHeight; }

private:
    int m_width = 0;
    QSize m_tileSize;
    QRect m_header;
    QList<QRect> m_tiles;
    int m_contentHeight = 0;
};

} // namespace Corvo
