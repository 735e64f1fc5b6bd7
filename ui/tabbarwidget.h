#pragma once

#include "engine/db/selectiontypes.h"
#include "ui/tabbarlayout.h"
#include "ui/tabbarpainter.h"

#include <QPixmap>
#include <QStringList>
#include <QUuid>
#include <QWidget>

namespace Corvo {

// The tabs of the views right of the card roller: colour schemes, products, trends and
// textures, as far as the collection offers them. It only asks for a tab; the current one
// is read from the preferences whenever it paints.
class TabBarWidget : public QWidget
{
    Q_OBJECT
public:
    // As high as the collection selector beside it.
    static constexpr int kPreferredHeight = 34;
    // Ctrl+T, Ctrl+1 ... Ctrl+4.
    static constexpr int kShortcutCount = 4;

    explicit TabBarWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    const TabBarLayout &tabLayout() const { return m_layout; }

signals:
    void tabPageSelected(Corvo::TabBarPage page);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Describes the stored tab page; the next paint marks it.
    void selectionChanged();
    void switchToTab1();
    void switchToTab2();
    void switchToTab3();
    void switchToTab4();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void addShortcuts();
    void loadCollection(const QUuid &collection);
    void rebuildLayout();
    int currentPage() const;
    // 1-based, as the shortcuts count.
    void switchToTab(int number);
    // Asks for the tab `step` places from the current one (-1 or +1).
    void selectNeighbour(int step);
    void select(int index);
    void refreshAccessibleText(int current);

    QUuid m_collection;
    QList<int> m_pages;
    QStringList m_captions;
    QPixmap m_background;
    TabBarLayout m_layout;
    // The focus is drawn once the keyboard is used, not after a click.
    bool m_focusVisible = false;
};

} // namespace Corvo
