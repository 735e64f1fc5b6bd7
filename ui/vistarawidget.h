#pragma once

#include "ui/vistarapainter.h"

#include <QUuid>
#include <QWidget>

namespace Corvo {

class VistaraViewport;
class ViewportScrollArea;

// The collection's trend colours (and the trend groups the whole file shares) in groups
// that open and close; a group's state is remembered for the collection. Trend chips are
// dragged out as free colours.
class VistaraWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VistaraWidget(QWidget *parent = nullptr);

    VistaraViewport *vistaraViewport() const { return m_viewport; }
    ViewportScrollArea *scrollArea() const { return m_scrollArea; }

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Lays the viewport out for the visible width (the main widget calls it when the tab
    // is shown).
    void layoutViewport();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void reload();
    void toggleGroup(qint64 groupId);
    void refreshAccessibleDescription(const VistaraScene &scene);

    QUuid m_collection;
    ViewportScrollArea *m_scrollArea = nullptr;
    VistaraViewport *m_viewport = nullptr;
};

} // namespace Corvo
