#include "ui/vistaralayout.h"

#include <algorithm>

namespace Corvo {

namespace {

int widestText(const VistaraItemTexts &texts)
{
    return std::max(texts.first.value_or(0), texts.second.value_or(0));
}

int itemHeight(const VistaraItemTexts &texts, const VistaraMetrics &metrics)
{
    int height = metrics.chip.height();
    if (texts.first || texts.second)
        height += VistaraLayout::kChipTextGap;
    if (texts.first)
        height += metrics.lineHeight;
    if (texts.second)
        height += metrics.italicLineHeight;
    return height;
}

} // namespace

VistaraLayout::VistaraLayout(int width, const VistaraMetrics &metrics,
                             const QList<VistaraLayoutGroup> &groups)
    : m_width(std::max(0, width))
{
    const int headerHeight = metrics.headerImage.height() + kHeaderPadding;
    int top = 0;
    for (int group = 0; group < groups.size(); ++group) {
        const VistaraLayoutGroup &source = groups.at(group);
        const QRect header(0, top, m_width, headerHeight);
        const QRect image(QPoint(kMargin, top + (headerHeight - metrics.headerImage.height()) / 2),
                          metrics.headerImage);
        const int nameLeft = image.right() + 1 + kImageNameGap;
        m_groupIds.append(source.id);
        m_headers.append(header);
        m_headerImages.append(image);
        m_headerNames.append(
            QRect(nameLeft, top, std::max(0, m_width - kMargin - nameLeft), headerHeight));
        int bottom = header.bottom() + 1;
        if (source.open && !source.items.isEmpty())
            bottom = flowItems(group, source, metrics, bottom);
        top = bottom + kGroupSpacing;
    }
    m_contentHeight = top;
}

int VistaraLayout::flowItems(int group, const VistaraLayoutGroup &source,
                             const VistaraMetrics &metrics, int top)
{
    const int right = m_width - kMargin;
    const int chipWidth = metrics.chip.width();
    // Never wider than the row, but always as wide as a chip.
    const int widest =
        std::max(chipWidth, std::min(kMaxItemWidthInChips * chipWidth, right - kMargin));
    int x = kMargin;
    int rowTop = top;
    int rowHeight = 0;
    for (int entry = 0; entry < source.items.size(); ++entry) {
        const VistaraItemTexts &texts = source.items.at(entry);
        const int width = std::clamp(widestText(texts) + 2 * kTextInset, chipWidth, widest);
        const int height = itemHeight(texts, metrics);
        if (x > kMargin && x + width > right) {
            rowTop += rowHeight + kRowSpacing;
            rowHeight = 0;
            x = kMargin;
        }
        VistaraItemGeometry item;
        item.group = group;
        item.entry = entry;
        item.item = QRect(x, rowTop, width, height);
        item.chip = QRect(QPoint(x + (width - chipWidth) / 2, rowTop), metrics.chip);
        int textTop = item.chip.bottom() + 1 + kChipTextGap;
        const int textLeft = x + kTextInset;
        const int textWidth = std::max(0, width - 2 * kTextInset);
        if (texts.first) {
            item.firstText = QRect(textLeft, textTop, textWidth, metrics.lineHeight);
            textTop += metrics.lineHeight;
        }
        if (texts.second)
            item.secondText = QRect(textLeft, textTop, textWidth, metrics.italicLineHeight);
        m_items.append(item);
        rowHeight = std::max(rowHeight, height);
        x += width + kItemSpacing;
    }
    return rowTop + rowHeight;
}

QRect VistaraLayout::headerRect(int group) const
{
    return m_headers.value(group);
}

QRect VistaraLayout::headerImageRect(int group) const
{
    return m_headerImages.value(group);
}

QRect VistaraLayout::headerNameRect(int group) const
{
    return m_headerNames.value(group);
}

int VistaraLayout::headerAt(const QPoint &point) const
{
    for (int group = 0; group < groupCount(); ++group) {
        if (m_headers.at(group).contains(point))
            return group;
    }
    return -1;
}

int VistaraLayout::itemAt(const QPoint &point) const
{
    for (int index = 0; index < m_items.size(); ++index) {
        if (m_items.at(index).chip.contains(point))
            return index;
    }
    return -1;
}

} // namespace Corvo
