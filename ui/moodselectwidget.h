#pragma once

#include "engine/db/selectiontypes.h"
#include "ui/moodselectlayout.h"
#include "ui/moodselectpainter.h"

#include <QUuid>
#include <QWidget>

#include <array>

class QHelpEvent;

namespace Corvo {

// Filters the deck by mood and by exterior suitability (normal decks) or hides and shows
// made-to-order colours (Lustrel decks). It only asks for changes; the selection it shows
// is read from the preferences whenever it paints.
class MoodSelectWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MoodSelectWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    const MoodSelectLayout &moodLayout() const { return m_layout; }

signals:
    void moodFilterChangedInteractively(Corvo::Mood mood);
    void exteriorFilterChangedInteractively(bool exterior);
    void showMtoChangedInteractively(bool show);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Describes the stored filters; the next paint shows them.
    void selectionChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    using Item = MoodSelectLayout::Item;

    void loadCollection(const QUuid &collection);
    void rebuildLayout();
    MoodSelectState currentState() const;
    void press(Item item);
    void pressNormal(Item item, const MoodSelectState &state);
    bool showToolTip(QHelpEvent *event);
    // The items a press would act on, in reading order: a mood the exterior filter rules
    // out is skipped by the keyboard.
    QList<Item> pressableItems() const;
    // Moves the keyboard among the pressable items; step -1 or +1.
    void moveFocus(int step);
    void showFocusOn(Item item);
    // Puts the keyboard on the item of the current selection.
    void focusCurrentSelection();
    void refreshAccessibleText(const MoodSelectState &state);

    QUuid m_collection;
    CardType m_cardType = CardType::Unknown;
    bool m_hasExteriorFilter = false;
    std::array<bool, kMoodCount> m_hasExteriorPage{};
    MoodSelectImages m_images;
    MoodSelectTexts m_texts;
    std::array<QString, kMoodCount> m_toolTips;
    MoodSelectLayout m_layout;
    Item m_focused = MoodSelectLayout::NoItem;
    // The focus is drawn once the keyboard is used, not after a click.
    bool m_focusVisible = false;
};

} // namespace Corvo
