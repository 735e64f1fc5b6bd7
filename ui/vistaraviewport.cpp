#include "ui/vistaraviewport.h"

#include "engine/palette/chipdragdata.h"
#include "ui/chipviewinput.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include <cmath>

namespace Corvo {

namespace {

// Room for the rounding of a dense screen's glyph positions, so that a text measured here
// is not cut when painted.
constexpr int kTextSlack = 2;

std::optional<int> textWidth(const QFontMetricsF &metrics, const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + kTextSlack;
}

QSize imageSize(const QPixmap &open, const QPixmap &closed)
{
    return open.deviceIndependentSize().toSize().expandedTo(
        closed.deviceIndependentSize().toSize());
}

} // namespace

QString vistaraToolTip(const DB::VistaraEntry &entry)
{
    QStringList lines;
    for (const QString &text : {entry.name1, entry.name2}) {
        if (!text.isEmpty())
            lines.append(text.toHtmlEscaped());
    }
    if (lines.isEmpty())
        return QString();
    // Marked up even for one line, so that an escaped "&" never shows as "&amp;".
    return QStringLiteral("<div>%1</div>").arg(lines.join(QStringLiteral("<br/>")));
}

QList<VistaraLayoutGroup> vistaraLayoutGroups(const VistaraScene &scene)
{
    const QFontMetricsF text(scene.textFont);
    const QFontMetricsF italic(scene.italicFont);
    QList<VistaraLayoutGroup> groups;
    for (const VistaraShownGroup &shown : scene.groups) {
        VistaraLayoutGroup group;
        group.id = shown.id;
        group.open = shown.open;
        for (const DB::VistaraEntry &entry : shown.entries)
            group.items.append({textWidth(text, entry.name1), textWidth(italic, entry.name2)});
        groups.append(group);
    }
    return groups;
}

VistaraViewport::VistaraViewport(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    m_input = new ChipViewInput(this, [this](const QPoint &point) { return inputChipAt(point); });
}

void VistaraViewport::setScene(const VistaraScene &scene, const QSize &chipSize)
{
    m_scene = scene;
    m_metrics.chip = chipSize;
    m_metrics.headerImage = imageSize(scene.openImage, scene.closedImage);
    m_metrics.lineHeight = QFontMetrics(scene.textFont).height();
    m_metrics.italicLineHeight = QFontMetrics(scene.italicFont).height();
    // The header is at least as high as its name.
    m_metrics.headerImage.setHeight(
        std::max(m_metrics.headerImage.height(),
                 QFontMetrics(scene.headerFont).height() - VistaraLayout::kHeaderPadding));
    m_input->hideToolTip();
}

void VistaraViewport::layoutForWidth(int width)
{
    m_layout = VistaraLayout(width, m_metrics, vistaraLayoutGroups(m_scene));
    resize(width, m_layout.contentHeight());
    update();
}

std::optional<DB::VistaraEntry> VistaraViewport::entryAt(const QPoint &point) const
{
    const int index = m_layout.itemAt(point);
    if (index < 0)
        return std::nullopt;
    const VistaraItemGeometry &item = m_layout.items().at(index);
    if (item.group >= m_scene.groups.size() ||
        item.entry >= m_scene.groups.at(item.group).entries.size())
        return std::nullopt;
    return m_scene.groups.at(item.group).entries.at(item.entry);
}

void VistaraViewport::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintVistara(painter, m_layout, m_scene);
}

void VistaraViewport::mousePressEvent(QMouseEvent *event)
{
    const int group = m_layout.headerAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || group < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit groupHeaderPressed(m_layout.groupId(group));
}

void VistaraViewport::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        updateCursor(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void VistaraViewport::updateCursor(const QPoint &point)
{
    const bool pressable = m_layout.headerAt(point) >= 0 || m_layout.itemAt(point) >= 0;
    const Qt::CursorShape shape = pressable ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

// A trend colour is no collection chip: it travels as a free colour with its two names.
std::optional<ChipViewChip> VistaraViewport::inputChipAt(const QPoint &point) const
{
    const std::optional<DB::VistaraEntry> entry = entryAt(point);
    if (!entry)
        return std::nullopt;
    const int index = m_layout.itemAt(point);
    return ChipViewChip{m_layout.items().at(index).chip, index,
                        [entry] { return vistaraToolTip(*entry); },
                        [entry] {
                            const QColor color = vistaraChipColor(*entry);
                            return std::optional(
                                ChipDrag{freeColorPayload(color, entry->name1, entry->name2), color,
                                         entry->name1.isEmpty() ? entry->name2 : entry->name1});
                        }};
}

} // namespace Corvo
