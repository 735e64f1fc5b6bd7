#pragma once

#include "engine/db/labsample.h"
#include "engine/db/selectiontypes.h"
#include "ui/cardrollerlayout.h"
#include "ui/cardrollerstate.h"
#include "ui/chipviewinput.h"

#include <QList>
#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <optional>

namespace Corvo {

class SimilarColorsMenu;

// The fan deck: the previous, current and next card side by side. Clicking a chip selects
// it, clicking a side card rolls the deck towards it, the mouse wheel and the arrow keys
// roll and step, any chip shown can be dragged out, and chips or colours
// dropped on it make it go to that colour; a right click or the menu key on a chip lists its
// similar colours in the other collections. It never changes the selection itself: it
// emits what the user asked for and paints the selection stored in the preferences,
// reloading the three cards at every paint.
class CardRollerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CardRollerWidget(QWidget *parent = nullptr);

    // The cards as the last paint loaded them.
    const CardRollerState &shownCards() const { return m_state; }
    const CardRollerLayout &cardLayout() const { return m_layout; }

signals:
    void roll(Corvo::Direction direction);
    void pageChangedInteractively(int pageIndex);
    void rowChangedInteractively(int rowIndex);
    void similarColorChosenInteractively(const QUuid &collection,
                                         const Corvo::DB::ColorEntry &entry);
    // A chip dropped on the deck, found in that collection.
    void chipChosenInteractively(const QUuid &collection, const Corvo::DB::ColorEntry &entry);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Reloads the cards and their description; the next paint shows them.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void reloadCards();
    void rebuildLayout();
    void updateAccessibleDescription();
    void pressChip(const CardRollerChip &chip);
    std::optional<ChipViewChip> inputChipAt(const QPoint &point) const;
    void wheelTurned(int notches);
    void stepSelectedChip(int steps);
    void goToEndOfDeck(bool last);
    const QList<DB::LabSample> &colorIndex();
    void showSimilarColors(const DB::ColorEntry &chip, const QPoint &globalPosition);

    QUuid m_collection;
    QList<int> m_pageNameOrder;
    QList<int> m_rowNameOrder;
    CardRollerLayout m_layout;
    CardRollerState m_state;
    ChipViewInput *m_input = nullptr;
    std::optional<QList<DB::LabSample>> m_colorIndex;
    QPointer<SimilarColorsMenu> m_similarColors;
};

} // namespace Corvo
