#include "ui/viewportscrollarea.h"

#include "ui/velmoracustomstyle.h"

#include <QScrollBar>

namespace Corvo {

ViewportScrollArea::ViewportScrollArea(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setStyle(VelmoraCustomStyle::instance());
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

void ViewportScrollArea::setContent(QWidget *content)
{
    setWidget(content);
    // setWidget turns the content's background on; it is to stay transparent.
    content->setAutoFillBackground(false);
}

void ViewportScrollArea::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    const int width = viewport()->width();
    if (width != m_lastWidth) {
        m_lastWidth = width;
        emit viewportWidthChanged(width);
    }
}

} // namespace Corvo
