#pragma once

#include "engine/db/colorentry.h"
#include "engine/palette/palettecell.h"
#include "engine/palette/palettefileformat.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QUuid>

#include <memory>

class QMimeData;

namespace Corvo {

class PaletteStore;

// My Palette: 6 x 4 cells of chips from any collections, a selection, the cell under a
// drag, the cell shown enlarged and a one-line description. Every change of a cell or of
// the selection is written through to the store at once. The palette views only show
// this model and call its operations; cells are addressed (column, row).
class MyPaletteModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 4;

    // Which of the palette's buttons can be used.
    struct ControlStates
    {
        bool zoomEnabled = false;
        bool clearEnabled = false;
        bool gridEnabled = true;
        bool eraserEnabled = false;
        bool exportEnabled = false;

        friend bool operator==(const ControlStates &x, const ControlStates &y)
        {
            return x.zoomEnabled == y.zoomEnabled && x.clearEnabled == y.clearEnabled &&
                   x.gridEnabled == y.gridEnabled && x.eraserEnabled == y.eraserEnabled &&
                   x.exportEnabled == y.exportEnabled;
        }
        friend bool operator!=(const ControlStates &x, const ControlStates &y) { return !(x == y); }
    };

    // Writes through to the user's preferences.
    explicit MyPaletteModel(QObject *parent = nullptr);
    explicit MyPaletteModel(std::unique_ptr<PaletteStore> store, QObject *parent = nullptr);
    ~MyPaletteModel() override;

    static bool containsCell(const QPoint &cell);
    static QPoint noCell() { return QPoint(-1, -1); }

    int rowCount() const { return kRows; }
    int columnCount() const { return kColumns; }
    // An empty cell for a point outside the grid.
    PaletteCell cell(const QPoint &cell) const;
    // The 24 cells in row-major order.
    const QList<PaletteCell> &cells() const { return m_cells; }
    QColor color(int column, int row) const;
    QString label(int column, int row) const;
    qint64 rowId(int column, int row) const;
    bool isEmpty() const;

    const QList<QPoint> &selection() const { return m_selection; }
    bool isSelected(const QPoint &cell) const { return m_selection.contains(cell); }
    QPoint dropTarget() const { return m_dropTarget; }
    QPoint zoomedCell() const { return m_zoomedCell; }
    bool isZoomed() const { return containsCell(m_zoomedCell); }
    bool gridVisible() const { return m_gridVisible; }
    QString description() const { return m_description; }
    // The description field's hint, in the language of the collection last announced.
    QString descriptionPlaceholder() const { return m_descriptionPlaceholder; }
    ControlStates controlStates() const { return m_controlStates; }

    // Whether a drag would be taken: chips from the card roller and the chip views, and
    // none while a cell is shown enlarged.
    bool acceptsDrag(const QMimeData *mime) const;
    // The chip a drag from the palette carries: the zoomed cell's while zoomed, else the
    // chip of the pressed cell, re-read by its row ID. False, and both emptied, when there
    // is none.
    bool chipToDrag(const QPoint &pressedCell, QUuid &collection, DB::ColorEntry &entry) const;

public slots:
    // Fills the cells and the selection from the store; the collection only chooses the
    // language of the description's hint, since the palette spans collections.
    void reload(const QUuid &announcedCollection);
    // A left press over a cell: alone it selects only that cell, with exactly Control it
    // toggles the cell; other modifiers leave the selection as it is.
    void select(const QPoint &cell, Qt::KeyboardModifiers modifiers);
    // The cell under a drag in progress; a point outside the grid means none.
    void setDropTarget(const QPoint &cell);
    // Puts the chip into the drop target, or into every selected cell when the target is
    // selected. False, and nothing changed, without a drop target.
    bool dropChip(const QUuid &collection, const DB::ColorEntry &entry);
    // A drop whose chip could not be read: only the drop target is forgotten.
    void dropFailed();
    // A drop of chip data onto the drop target; nothing without a target or chip data.
    void drop(const QMimeData *mime);
    // Empties the selected cells; the selection stays.
    void erase();
    // Empties every cell (after the user confirmed); selection and description stay.
    void clear();
    // As clear(), and the description becomes empty too (stored as such).
    void clearWithDescription();
    // The text of the description field, as the user edits it.
    void setDescription(const QString &description);
    // The user finished editing the description: it is stored.
    void storeDescription();
    void setGridVisible(bool visible);

    // Writes the palette to the file; false when nothing was written. A text file is
    // not written (nor truncated) when no chip can be listed; an interchange file is always
    // complete, also for an empty palette.
    bool savePaletteTo(Corvo::PaletteFileFormat format, const QString &path) const;
    // Reads an XML palette file. A file that is not a palette this system reads leaves
    // the palette as it was (false); otherwise the palette holds what could be found.
    bool loadPaletteFrom(const QString &path);

signals:
    void myPaletteChanged();
    void myPaletteSelectionChanged();
    void controlStatesChanged(const Corvo::MyPaletteModel::ControlStates &states);
    void dropTargetChanged(const QPoint &cell);
    void descriptionChanged(const QString &description);
    // Everything may look different: cells, selection, zoomed cell, grid option.
    void reloaded();
    void gridVisibleChanged(bool visible);

private:
    class ChangeScope;
    static int indexOf(const QPoint &cell) { return cell.y() * kColumns + cell.x(); }
    void setCell(const QPoint &cell, const PaletteCell &contents);
    void emptyAllCells();
    void refreshControlStates();

    std::unique_ptr<PaletteStore> m_store;
    QList<PaletteCell> m_cells;
    QList<QPoint> m_selection;
    QPoint m_dropTarget{-1, -1};
    QPoint m_zoomedCell{-1, -1};
    bool m_gridVisible = true;
    QString m_description;
    QString m_descriptionPlaceholder;
    ControlStates m_controlStates;
};

} // namespace Corvo
