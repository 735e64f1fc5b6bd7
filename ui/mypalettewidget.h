#pragma once

#include "engine/palette/mypalettemodel.h"
#include "engine/palette/palettefileformat.h"
#include "ui/chipviewinput.h"
#include "ui/mypalettelayout.h"
#include "ui/mypalettepainter.h"

#include <QPixmap>
#include <QPoint>
#include <QUuid>
#include <QWidget>

#include <array>
#include <optional>

class QLineEdit;
class QMessageBox;

namespace Corvo {

class ImageButton;

// The My Palette panel: a strip with the zoom, eraser, trash and grid buttons, the 6 x 4
// cells and a one-line description. It shows the palette model (owned by the caller) and
// calls its operations: clicks select cells, chips dragged from the card roller or the chip
// views fill them, filled cells can be dragged out. From the keyboard, the arrow keys move
// a focus cell, Space selects it (Control+Space toggles it) and Delete erases the selected
// cells. Clearing the palette asks first.
class MyPaletteWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MyPaletteWidget(MyPaletteModel *model, QWidget *parent = nullptr);

    MyPaletteModel *model() const { return m_model; }
    const MyPaletteLayout &paletteLayout() const { return m_layout; }
    ImageButton *button(MyPaletteLayout::Button which) const { return m_buttons.at(which); }
    QLineEdit *descriptionEdit() const { return m_description; }
    QPoint focusCell() const { return m_focusCell; }
    // The question the trash button asks; made on first use and kept.
    QMessageBox *clearQuestion();

signals:
    void myPaletteChanged();
    void myPaletteSelectionChanged();
    void zoomMyPaletteClicked();

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    void savePaletteTo(Corvo::PaletteFileFormat format, const QString &path);
    void loadPaletteFrom(Corvo::PaletteFileFormat format, const QString &path);
    void zoomClicked();
    void eraseClicked();
    void clearClicked();
    void clearPaletteQuestionFinished(int answer);
    void paletteDescriptionEditFinished();
    void gridClicked(bool checked);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createButtons();
    void createDescriptionEdit();
    void connectModel();
    void loadImages();
    void rebuildLayout();
    void applyControlStates(const MyPaletteModel::ControlStates &states);
    void showModel();
    void moveFocusCell(int columns, int rows);
    std::optional<ChipViewChip> inputChipAt(const QPoint &point) const;
    void updateAccessibleText();
    QString cellDescription(const QPoint &cell) const;
    void reportSaveFailure(const QString &path);

    MyPaletteModel *m_model;
    QUuid m_collection;
    std::array<ImageButton *, MyPaletteLayout::kButtonCount> m_buttons{};
    QLineEdit *m_description = nullptr;
    QMessageBox *m_clearQuestion = nullptr;
    QPixmap m_strip;
    MyPaletteLayout m_layout;
    QPoint m_focusCell{0, 0};
    ChipViewInput *m_input = nullptr;
};

} // namespace Corvo
