#pragma once

#include <QScrollArea>

namespace Corvo {

// The scroll area of the trend and textures views: no frame, no background of its own (the
// main background shows through), no horizontal bar, and an always present flat vertical
// bar, so that the content's width never changes with its height (an appearing bar would
// rewrap the content and could make the bar disappear again).
class ViewportScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit ViewportScrollArea(QWidget *parent = nullptr);

    // Takes the content; it keeps its own size, the area only scrolls it.
    void setContent(QWidget *content);

signals:
    // The visible width changed: the content is to be laid out for it.
    void viewportWidthChanged(int width);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_lastWidth = -1;
};

} // namespace Corvo
