#pragma once

#include "engine/db/selectiontypes.h"

#include <QPixmap>
#include <QPushButton>
#include <QUuid>

namespace Corvo {

// An image button that steps the deck one card; it repeats while held, so holding it
// rolls the deck continuously. As large as its normal image.
class RollButton : public QPushButton
{
    Q_OBJECT
public:
    explicit RollButton(Direction direction, QWidget *parent = nullptr);

    Direction direction() const { return m_direction; }

public slots:
    void selectedCollectionChanged(const QUuid &collection);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Direction m_direction;
    QPixmap m_normal;
    QPixmap m_down;
};

} // namespace Corvo
