#include "ui/vistaraviewport.h"

#include "engine/palette/chipdrag.h"
#include "engine/palette/chipdragdata.h"
#include "ui/interfacefonts.h"

#include <QApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QToolTip>

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
    setMouseTracking(true);
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
    m_pressPosition.reset();
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
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int group = m_layout.headerAt(point);
    if (group >= 0) {
        m_pressPosition.reset();
        emit groupHeaderPressed(m_layout.groupId(group));
        return;
    }
    if (entryAt(point))
        m_pressPosition = point;
}

void VistaraViewport::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->buttons() == Qt::NoButton)
        updateCursor(point);
    if (!(event->buttons() & Qt::LeftButton) || !m_pressPosition ||
        (point - *m_pressPosition).manhattanLength() < QApplication::startDragDistance()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const std::optional<DB::VistaraEntry> entry = entryAt(*m_pressPosition);
    m_pressPosition.reset();
    if (entry)
        startDragOf(*entry);
}

void VistaraViewport::updateCursor(const QPoint &point)
{
    const bool pressable = m_layout.headerAt(point) >= 0 || m_layout.itemAt(point) >= 0;
    const Qt::CursorShape shape = pressable ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

void VistaraViewport::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressPosition.reset();
    QWidget::mouseReleaseEvent(event);
}

void VistaraViewport::startDragOf(const DB::VistaraEntry &entry)
{
    const QColor color = vistaraChipColor(entry);
    std::unique_ptr<QMimeData> mime =
        chipMimeData(freeColorPayload(color, entry.name1, entry.name2));
    if (!mime)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(mime.release());
    drag->setPixmap(chipDragPixmap(color, entry.name1.isEmpty() ? entry.name2 : entry.name1,
                                   InterfaceFonts::regular(InterfaceFonts::kBase)));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

bool VistaraViewport::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<DB::VistaraEntry> entry = entryAt(help->pos());
    const QString text = entry ? vistaraToolTip(*entry) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), text, this,
                       m_layout.items().at(m_layout.itemAt(help->pos())).chip);
    return true;
}

} // namespace Corvo
