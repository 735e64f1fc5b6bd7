#pragma once

#include "ui/taskbuttonpainter.h"

#include <QColor>
#include <QPointer>
#include <QPushButton>

namespace Corvo {

// A push button of the picker's task row: a light rounded face with a centred caption,
// painted by hand so that it looks the same on every platform.
class TaskButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TaskButton(QWidget *parent = nullptr);
    explicit TaskButton(const QString &text, QWidget *parent = nullptr);
    ~TaskButton() override;

protected:
    // For the round buttons: their shape, caption colour while enabled and font.
    TaskButton(const QString &text, TaskButtonLook::Shape shape, const QColor &captionColour,
               const QFont &font, QWidget *parent);

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    TaskButtonLook::Face face() const;
    void updateCursor();
    void updateForbiddenCover();

    TaskButtonLook::Shape m_shape;
    QColor m_captionColour;
    QPointer<QWidget> m_forbiddenCover;
};

} // namespace Corvo
