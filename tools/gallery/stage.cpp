#include "tools/gallery/gallery.h"

#include "ui/themeimage.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <memory>

namespace Gallery {

namespace {

constexpr QSize kMainWidgetSize(800, 600);
constexpr int kMargin = 8;

// The main widget's background under a child at `where`, as the picker paints it.
class Backdrop : public QWidget
{
public:
    Backdrop(const QUuid &collection, const QPoint &where)
        : m_where(where),
          m_background(Corvo::themePixmap(collection,
                                          QStringLiteral("image.widget.main.background"),
                                          kMainWidgetSize, devicePixelRatioF()))
    {
        QPalette shades = palette();
        shades.setBrush(QPalette::Window, QBrush(m_background));
        shades.setBrush(QPalette::Base, QBrush(m_background));
        setPalette(shades);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(48, 48, 48));
        painter.drawPixmap(kMargin - m_where.x(), kMargin - m_where.y(), m_background);
    }

private:
    QPoint m_where;
    QPixmap m_background;
};

QImage grabSettled(QWidget &widget)
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
    return widget.grab().toImage();
}

} // namespace

QImage Stage::shoot(QWidget *widget, const QPoint &where, const QUuid &collection, bool focused)
{
    Backdrop backdrop(collection, where);
    widget->setParent(&backdrop);
    widget->move(kMargin, kMargin);
    backdrop.resize(widget->size() + QSize(2 * kMargin, 2 * kMargin));
    widget->hide();
    backdrop.show();
    const QImage bare = grabSettled(backdrop);
    widget->show();
    if (focused) {
        backdrop.activateWindow();
        widget->setFocus(Qt::OtherFocusReason);
    }
    const QImage shot = grabSettled(backdrop);
    if (shot.isNull() || shot == bare)
        m_failures.append(
            QStringLiteral("%1 painted nothing").arg(widget->metaObject()->className()));
    delete widget;
    return shot;
}

QImage Stage::shootWindow(QWidget *window)
{
    window->show();
    const QImage shot = grabSettled(*window);
    if (shot.isNull())
        m_failures.append(
            QStringLiteral("%1 painted nothing").arg(window->metaObject()->className()));
    delete window;
    return shot;
}

} // namespace Gallery
