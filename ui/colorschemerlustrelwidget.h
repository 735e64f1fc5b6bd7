#pragma once

#include "engine/palette/schemecomputation.h"
#include "ui/chipviewinput.h"
#include "ui/colorschemerlustrellayout.h"
#include "ui/colorschemerlustrelpainter.h"

#include <QUuid>
#include <QWidget>

#include <array>
#include <optional>

namespace Corvo {

// The colour schemes page of a metallic deck: the selected chip's two wide-contrast groups
// and its contrast group, each a captioned strip of chips that show their tool tip and can
// be dragged into the palette. The selection is read from the preferences whenever it
// paints; the groups are loaded again only when card or chip changed.
class ColorSchemerLustrelWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ColorSchemerLustrelWidget(QWidget *parent = nullptr);

    const ColorSchemerLustrelLayout &schemerLayout() const { return m_layout; }
    // The chips of a group (ColorSchemerLustrelLayout::kWideContrast1 ...) as last loaded,
    // and where they are drawn.
    QList<DB::ColorEntry> shownChips(int group) const;
    QList<QRect> chipRects(int group) const;

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Recomputes and describes the chips while shown; a hidden schemer does so when shown.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuildLayout();
    void refreshGroups();
    QString cardNameOf(const QList<DB::ColorEntry> &chips) const;
    std::optional<ChipViewChip> inputChipAt(const QPoint &point) const;
    void refreshAccessibleText();

    QUuid m_collection;
    QList<int> m_pageNameOrder;
    std::array<QString, ColorSchemerLustrelLayout::kGroupCount> m_captions;
    QString m_message;
    int m_columns = 0;
    ColorSchemerLustrelLayout m_layout;

    // PAGE_INDEX and ROW_INDEX the groups were loaded for.
    std::optional<std::pair<int, int>> m_key;
    LustrelSchemeGroups m_groups;
    std::array<QString, ColorSchemerLustrelLayout::kGroupCount> m_cardNames;

    ChipViewInput *m_input = nullptr;
};

} // namespace Corvo
