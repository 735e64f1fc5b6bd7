#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QUuid>

namespace Corvo {

// The collection selector's arrow: up while its list is open, down while it is closed.
// It paints the piece of the bar under it first, so that the arrow never shows over a
// stale picture of the other one.
class DropDownButton : public QPushButton
{
    Q_OBJECT
public:
    explicit DropDownButton(QWidget *parent = nullptr);

    void setListShown(bool shown);
    bool isListShown() const { return m_listShown; }
    // The part of the bar's background under the button, at the device pixel ratio.
    void setBackground(const QPixmap &background);

public slots:
    void selectedCollectionChanged(const QUuid &collection);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refreshAccessibleText();

    QPixmap m_background;
    QPixmap m_arrowUp;
    QPixmap m_arrowDown;
    bool m_listShown = false;
};

} // namespace Corvo
