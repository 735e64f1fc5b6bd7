#include "ui/moodselectlayout.h"

#include <algorithm>

namespace Corvo {

namespace {

// Normal decks.
constexpr int kMargin = 4;
constexpr int kIconGap = 3;
constexpr int kRowIcons = 4;
// The offwhite and neutral column starts this far right of the block's width.
constexpr int kColumnOffset = 10;
// A separator stands this far from the row of pixels it separates.
constexpr int kSeparatorDistance = 4;
// The column's separator: left of the column, ending short of the neutral icon's bottom.
constexpr int kColumnSeparatorGap = 3;
constexpr int kColumnSeparatorShortfall = 3;

// Items with a check mark: the check, a gap, the text and a little room after it.
constexpr int kCheckTextGap = 3;
constexpr int kTextTrail = 2;

// Lustrel decks.
constexpr int kLustrelMargin = 3;

} // namespace

MoodSelectTextMetrics MoodSelectTextMetrics::measure(const QFontMetrics &metrics,
                                                     const QString &allMoods,
                                                     const QString &exteriorColors,
                                                     const QString &doNotShowMto)
{
    const auto width = [&metrics](const QString &text) {
        return std::min(metrics.horizontalAdvance(text), kMaxMoodTextWidth);
    };
    MoodSelectTextMetrics measured;
    measured.allMoodsWidth = width(allMoods);
    measured.exteriorColorsWidth = width(exteriorColors);
    measured.doNotShowMtoWidth = width(doNotShowMto);
    measured.lineHeight = metrics.height();
    return measured;
}

MoodSelectLayout::MoodSelectLayout(CardType cardType, bool hasExteriorFilter,
                                   const MoodSelectImageSizes &images,
                                   const MoodSelectTextMetrics &texts)
    : m_lustrel(cardType == CardType::Lustrel), m_images(images)
{
    if (m_lustrel)
        layOutLustrel(texts);
    else
        layOutNormal(hasExteriorFilter, texts);
}

void MoodSelectLayout::layOutNormal(bool hasExteriorFilter, const MoodSelectTextMetrics &texts)
{
    const QSize icon = m_images.moodIcon;
    const int rowWidth = kRowIcons * icon.width() + (kRowIcons - 1) * kIconGap;
    const int allMoodsWidth = itemWidth(texts.allMoodsWidth);
    const int block = std::max(rowWidth, allMoodsWidth);
    const int height = itemHeight(texts);
    m_items = {FreshIcon, CalmIcon, WarmIcon, RichIcon, OffwhiteIcon, NeutralIcon, AllMoodsItem};

    const Item row[kRowIcons] = {FreshIcon, CalmIcon, WarmIcon, RichIcon};
    const int rowLeft = kMargin + (block - rowWidth) / 2;
    for (int i = 0; i < kRowIcons; ++i)
        place(row[i], QRect(QPoint(rowLeft + i * (icon.width() + kIconGap), kMargin), icon));

    const int rowLine = rect(FreshIcon).bottom() + kSeparatorDistance;
    m_separators.append(QLine(rect(FreshIcon).left(), rowLine, rect(RichIcon).right(), rowLine));
    place(AllMoodsItem, QRect(kMargin + (block - allMoodsWidth) / 2, rowLine + kSeparatorDistance,
                              allMoodsWidth, height));

    const int column = block + kColumnOffset;
    place(OffwhiteIcon, QRect(QPoint(column, kMargin), icon));
    place(NeutralIcon, QRect(QPoint(column, rect(OffwhiteIcon).bottom() + 1), icon));
    const int columnLine = column - kColumnSeparatorGap;
    m_separators.append(QLine(columnLine, kMargin, columnLine,
                              rect(NeutralIcon).bottom() + 1 - kColumnSeparatorShortfall));

    const int contentBottom = std::max(rect(AllMoodsItem).bottom(), rect(NeutralIcon).bottom());
    m_size = QSize(rect(NeutralIcon).right() + 1 + kMargin, contentBottom + 1 + kMargin);
    if (!hasExteriorFilter)
        return;

    // The exterior item is centred under everything; when it is the widest, the rest moves
    // to the middle with it.
    const int exteriorWidth = itemWidth(texts.exteriorColorsWidth);
    const int wanted = exteriorWidth + 2 * kMargin;
    if (wanted > m_size.width()) {
        shiftRight((wanted - m_size.width()) / 2);
        m_size.setWidth(wanted);
    }
    const int exteriorLine = contentBottom + kSeparatorDistance;
    m_separators.append(
        QLine(rect(FreshIcon).left(), exteriorLine, rect(NeutralIcon).right(), exteriorLine));
    m_items.append(ExteriorItem);
    place(ExteriorItem, QRect((m_size.width() - exteriorWidth) / 2,
                              exteriorLine + kSeparatorDistance, exteriorWidth, height));
    m_size.setHeight(rect(ExteriorItem).bottom() + 1 + kMargin);
}

void MoodSelectLayout::layOutLustrel(const MoodSelectTextMetrics &texts)
{
    m_items = {MadeToOrderItem};
    place(MadeToOrderItem, QRect(kLustrelMargin, kLustrelMargin, itemWidth(texts.doNotShowMtoWidth),
                                 itemHeight(texts)));
    m_size = rect(MadeToOrderItem).size() + QSize(2 * kLustrelMargin, 2 * kLustrelMargin);
}

int MoodSelectLayout::itemWidth(int textWidth) const
{
    return m_images.checkMark.width() + kCheckTextGap + std::max(textWidth, 0) + kTextTrail;
}

int MoodSelectLayout::itemHeight(const MoodSelectTextMetrics &texts) const
{
    return std::max(m_images.checkMark.height(), texts.lineHeight);
}

void MoodSelectLayout::place(Item item, const QRect &rect)
{
    m_rects[item] = rect;
}

void MoodSelectLayout::shiftRight(int dx)
{
    for (QRect &rect : m_rects)
        if (!rect.isNull())
            rect.translate(dx, 0);
    for (QLine &line : m_separators)
        line.translate(dx, 0);
}

QRect MoodSelectLayout::rect(Item item) const
{
    return contains(item) ? m_rects[item] : QRect();
}

MoodSelectLayout::Item MoodSelectLayout::itemAt(const QPoint &point) const
{
    for (Item item : m_items)
        if (m_rects[item].contains(point))
            return item;
    return NoItem;
}

QRect MoodSelectLayout::checkMarkRect(Item item) const
{
    const QRect area = rect(item);
    if (area.isNull())
        return {};
    const QSize check = m_images.checkMark;
    return QRect(QPoint(area.left(), area.top() + (area.height() - check.height()) / 2), check);
}

QRect MoodSelectLayout::textRect(Item item) const
{
    const QRect area = rect(item);
    if (area.isNull())
        return {};
    return area.adjusted(m_images.checkMark.width() + kCheckTextGap, 0, 0, 0);
}

QRect MoodSelectLayout::disabledMarkRect(Item icon) const
{
    const QRect area = rect(icon);
    if (area.isNull() || !isMoodIcon(icon))
        return {};
    const QSize mark = m_images.disabledMark;
    return QRect(QPoint(area.right() + 1 - mark.width(), area.bottom() + 1 - mark.height()), mark);
}

} // namespace Corvo
