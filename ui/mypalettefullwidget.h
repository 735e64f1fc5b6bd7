#pragma once

#include "ui/mypalettefulllayout.h"

#include <QColor>
#include <QPixmap>
#include <QUuid>
#include <QWidget>

#include <optional>

class QSlider;

namespace Corvo {

class ImageButton;
class MyPaletteModel;

// The palette large over the whole main widget, on a grey the user sets with the slider
// (kept in the preferences). A press on a cell shows its colour over the whole grid; the
// next press brings the cells back. The back button, or Escape, asks to leave. It shows
// the palette model it is given (owned by the caller) as it is at every paint.
class MyPaletteFullWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kSliderPageStep = 10;

    explicit MyPaletteFullWidget(const MyPaletteModel *model, QWidget *parent = nullptr);

    const MyPaletteFullLayout &fullLayout() const { return m_layout; }
    QSlider *backgroundSlider() const { return m_slider; }
    ImageButton *backButton() const { return m_back; }
    std::optional<QColor> pickedColor() const { return m_picked; }
    // As a press at that cell: with nothing picked, a filled cell's colour is picked;
    // with a colour picked, it is put away.
    void pressCell(const QPoint &cell);

signals:
    void backButtonClicked();

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void backClicked();
    void backgroundColorSliderValueChanged(int value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void dropPicked();
    void createSlider();
    void loadImages();
    void rebuildLayout();
    void updateAccessibleText();

    const MyPaletteModel *m_model;
    QUuid m_collection;
    ImageButton *m_back = nullptr;
    QSlider *m_slider = nullptr;
    QPixmap m_strip;
    MyPaletteFullLayout m_layout;
    std::optional<QColor> m_picked;
};

} // namespace Corvo
