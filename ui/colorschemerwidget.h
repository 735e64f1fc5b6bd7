#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/selectiontypes.h"
#include "engine/palette/schemecomputation.h"
#include "ui/chipviewinput.h"
#include "ui/colorschemerlayout.h"
#include "ui/colorschemerpainter.h"

#include <QHash>
#include <QUuid>
#include <QWidget>

#include <optional>

namespace Corvo {

// The colour schemes page: a button per scheme kind the collection lists and, under them,
// the chips of the current kind's scheme for the selected chip, computed in the collection
// that answers schemes (the current one, or another one for the nearest colour). Chips
// show their tool tip and can be dragged into the palette. It only asks for a kind or a
// neutral sub-kind; the selection is read from the preferences whenever it paints, and the
// scheme is computed again only when source, kind, card or chip changed.
class ColorSchemerWidget : public QWidget
{
    Q_OBJECT
public:
    // Ctrl+S, Ctrl+1 ... Ctrl+9.
    static constexpr int kShortcutCount = 9;

    explicit ColorSchemerWidget(QWidget *parent = nullptr);

    const ColorSchemerLayout &schemerLayout() const { return m_layout; }
    QUuid sourceCollection() const { return m_source.collection; }
    // The chips of the last computation and where they are drawn.
    const QList<DB::ColorEntry> &shownChips() const { return m_chips; }
    QList<QRect> chipRects() const;

    // A chip's tool tip as the schemers show it; empty when the chip cannot be loaded.
    static QString chipToolTipText(const QUuid &collection, qint64 rowId);
    // A scheme chip for the input helper: its tool tip and its drag out of a chip view.
    static ChipViewChip schemeChip(const QUuid &collection, const DB::ColorEntry &entry,
                                   const QRect &rect);

signals:
    void schemeKindChangedInteractively(Corvo::SchemeKind kind);
    void schemeNeutralSubKindChangedInteractively(Corvo::SchemeKind kind);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Recomputes and describes the chips while shown; a hidden schemer does so when shown.
    void selectionChanged();
    void switchToScheme1();
    void switchToScheme2();
    void switchToScheme3();
    void switchToScheme4();
    void switchToScheme5();
    void switchToScheme6();
    void switchToScheme7();
    void switchToScheme8();
    void switchToScheme9();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // What a computation was made for; a change of any part computes afresh.
    struct ComputationKey
    {
        QUuid source;
        int kind = 0;
        int neutralSubKind = 0;
        int pageIndex = 0;
        int rowIndex = 0;
        bool operator==(const ComputationKey &other) const
        {
            return source == other.source && kind == other.kind &&
                   neutralSubKind == other.neutralSubKind && pageIndex == other.pageIndex &&
                   rowIndex == other.rowIndex;
        }
    };

    void addShortcuts();
    void loadCollection(const QUuid &collection);
    void rebuildLayout();
    SchemeCaptionMetrics measureCaptions() const;
    // The selected button's kind (the neutral sub-kinds stand for their group).
    int currentKind() const;
    void refreshScheme();
    void switchToScheme(int number);
    void pressKind(int kind);
    std::optional<ChipViewChip> inputChipAt(const QPoint &point) const;
    ColorSchemerState paintState() const;
    void refreshAccessibleText();

    QUuid m_collection;
    SchemeSource m_source;
    QList<int> m_kinds;
    QList<SchemeButtonLook> m_looks;
    QMap<int, QString> m_subKindCaptions;
    QPixmap m_markerNormal;
    QPixmap m_markerSelected;
    QString m_message;
    ColorSchemerLayout m_layout;

    std::optional<ComputationKey> m_key;
    QList<DB::ColorEntry> m_chips;
    int m_neutralSubKind = kTonalNeutralScheme;
    bool m_offersAlternativeNeutral = false;

    ChipViewInput *m_input = nullptr;
};

} // namespace Corvo
