#pragma once

#include "ui/chipviewinput.h"
#include "ui/vistaralayout.h"
#include "ui/vistarapainter.h"

#include <QWidget>

#include <optional>

namespace Corvo {

// The tool tip of a trend colour: its texts, HTML-escaped, one per line (empty texts left
// out); empty when it has none.
QString vistaraToolTip(const DB::VistaraEntry &entry);

// The line widths the layout needs for the scene's entries, measured in its fonts.
QList<VistaraLayoutGroup> vistaraLayoutGroups(const VistaraScene &scene);

// The scrolled content of the trend view, as high as its groups. A press on a header asks
// for the group to be opened or closed; a chip pressed and moved is dragged out as a free
// colour; a chip under the pointer shows its texts as a tool tip.
class VistaraViewport : public QWidget
{
    Q_OBJECT
public:
    explicit VistaraViewport(QWidget *parent = nullptr);

    void setScene(const VistaraScene &scene, const QSize &chipSize);
    // Lays the groups out for the width and takes the height they need.
    void layoutForWidth(int width);

    const VistaraLayout &vistaraLayout() const { return m_layout; }
    const VistaraScene &scene() const { return m_scene; }
    // The entry whose chip is under the point.
    std::optional<DB::VistaraEntry> entryAt(const QPoint &point) const;

signals:
    void groupHeaderPressed(qint64 groupId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    std::optional<ChipViewChip> inputChipAt(const QPoint &point) const;
    // A pointing hand over what a press acts on.
    void updateCursor(const QPoint &point);

    VistaraScene m_scene;
    VistaraMetrics m_metrics;
    VistaraLayout m_layout;
    ChipViewInput *m_input = nullptr;
};

} // namespace Corvo
