#include "engine/palette/mypalettemodel.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/palettefiles.h"
#include "engine/palette/paletteinterchange.h"
#include "engine/palette/preferencespalettestore.h"

#include <algorithm>

namespace Corvo {

namespace {
const QString kPlaceholderKey = QStringLiteral("mypalette.note.instructions");
constexpr int kCellCount = MyPaletteModel::kColumns * MyPaletteModel::kRows;

QPoint cellAt(int index)
{
    return QPoint(index % MyPaletteModel::kColumns, index / MyPaletteModel::kColumns);
}
} // namespace

MyPaletteModel::MyPaletteModel(QObject *parent)
    : MyPaletteModel(std::make_unique<PreferencesPaletteStore>(), parent)
{}

MyPaletteModel::MyPaletteModel(std::unique_ptr<PaletteStore> store, QObject *parent)
    : QObject(parent), m_store(std::move(store)), m_cells(kCellCount),
      m_description(m_store->description())
{}

MyPaletteModel::~MyPaletteModel() = default;

// The store's changes of one operation, written together.
class MyPaletteModel::ChangeScope
{
public:
    explicit ChangeScope(PaletteStore &store) : m_store(store) { m_store.beginChanges(); }
    ~ChangeScope() { m_store.endChanges(); }
    ChangeScope(const ChangeScope &) = delete;
    ChangeScope &operator=(const ChangeScope &) = delete;

private:
    PaletteStore &m_store;
};

bool MyPaletteModel::containsCell(const QPoint &cell)
{
    return cell.x() >= 0 && cell.x() < kColumns && cell.y() >= 0 && cell.y() < kRows;
}

PaletteCell MyPaletteModel::cell(const QPoint &cell) const
{
    return containsCell(cell) ? m_cells.at(indexOf(cell)) : PaletteCell();
}

QColor MyPaletteModel::color(int column, int row) const
{
    return cell(QPoint(column, row)).color;
}

QString MyPaletteModel::label(int column, int row) const
{
    return cell(QPoint(column, row)).label;
}

qint64 MyPaletteModel::rowId(int column, int row) const
{
    return cell(QPoint(column, row)).rowId;
}

bool MyPaletteModel::isEmpty() const
{
    return std::none_of(m_cells.cbegin(), m_cells.cend(),
                        [](const PaletteCell &cell) { return cell.isFilled(); });
}

bool MyPaletteModel::acceptsDrag(const QMimeData *mime) const
{
    return hasChipData(mime) && paletteAcceptsChip(chipOrigin(mime), isZoomed());
}

bool MyPaletteModel::chipToDrag(const QPoint &pressedCell, QUuid &collection,
                                DB::ColorEntry &entry) const
{
    collection = QUuid();
    entry.clear();
    const PaletteCell source = cell(isZoomed() ? m_zoomedCell : pressedCell);
    if (!source.isFilled() || DB::rowById(source.collection, source.rowId, entry) != DB::Ok)
        return false;
    collection = source.collection;
    return true;
}

void MyPaletteModel::reload(const QUuid &announcedCollection)
{
    const ChangeScope changes(*m_store);
    m_descriptionPlaceholder = DB::localizedString(announcedCollection, kPlaceholderKey);
    m_selection.clear();
    m_dropTarget = noCell();
    m_zoomedCell = noCell();
    for (int i = 0; i < kCellCount; ++i) {
        const QPoint position = cellAt(i);
        // A cell whose chip is gone comes back empty; its stored reference stays until
        // the cell is changed.
        m_cells[i] =
            cellForStoredChip(m_store->entry(position.x(), position.y())).value_or(PaletteCell());
        if (m_store->isSelected(position.x(), position.y()))
            m_selection.append(position);
    }
    refreshControlStates();
    const QPoint zoomed = m_store->zoomedCell();
    if (containsCell(zoomed))
        m_zoomedCell = zoomed;
    m_gridVisible = m_store->gridVisible();
    emit reloaded();
}

void MyPaletteModel::select(const QPoint &cell, Qt::KeyboardModifiers modifiers)
{
    const ChangeScope changes(*m_store);
    if (!containsCell(cell))
        return;
    if (modifiers == Qt::NoModifier) {
        for (const QPoint &selected : std::as_const(m_selection))
            m_store->setSelected(selected.x(), selected.y(), false);
        m_selection = {cell};
        m_store->setSelected(cell.x(), cell.y(), true);
    } else if (modifiers == Qt::ControlModifier) {
        const bool wasSelected = m_selection.removeOne(cell);
        if (!wasSelected)
            m_selection.append(cell);
        m_store->setSelected(cell.x(), cell.y(), !wasSelected);
    }
    refreshControlStates();
    emit myPaletteSelectionChanged();
}

void MyPaletteModel::setDropTarget(const QPoint &cell)
{
    const QPoint target = containsCell(cell) ? cell : noCell();
    if (target == m_dropTarget)
        return;
    m_dropTarget = target;
    emit dropTargetChanged(m_dropTarget);
}

bool MyPaletteModel::dropChip(const QUuid &collection, const DB::ColorEntry &entry)
{
    const ChangeScope changes(*m_store);
    if (!containsCell(m_dropTarget))
        return false;
    const PaletteCell contents = cellForChip(collection, entry);
    const QList<QPoint> receivers =
        isSelected(m_dropTarget) ? m_selection : QList<QPoint>{m_dropTarget};
    for (const QPoint &receiver : receivers)
        setCell(receiver, contents);
    emit myPaletteChanged();
    setDropTarget(noCell());
    refreshControlStates();
    return true;
}

void MyPaletteModel::dropFailed()
{
    setDropTarget(noCell());
}

void MyPaletteModel::drop(const QMimeData *mime)
{
    if (!containsCell(m_dropTarget) || !hasChipData(mime))
        return;
    QUuid collection;
    DB::ColorEntry entry;
    if (decodeChip(mime, collection, entry))
        dropChip(collection, entry);
    else
        dropFailed();
}

void MyPaletteModel::erase()
{
    const ChangeScope changes(*m_store);
    for (const QPoint &selected : std::as_const(m_selection))
        setCell(selected, PaletteCell());
    refreshControlStates();
    emit myPaletteChanged();
}

void MyPaletteModel::clear()
{
    const ChangeScope changes(*m_store);
    emptyAllCells();
    refreshControlStates();
    emit myPaletteChanged();
    emit myPaletteSelectionChanged();
}

void MyPaletteModel::clearWithDescription()
{
    const ChangeScope changes(*m_store);
    clear();
    setDescription(QString());
    storeDescription();
}

void MyPaletteModel::setDescription(const QString &description)
{
    if (description == m_description)
        return;
    m_description = description;
    emit descriptionChanged(m_description);
}

void MyPaletteModel::storeDescription()
{
    m_store->setDescription(m_description);
}

void MyPaletteModel::setGridVisible(bool visible)
{
    m_store->setGridVisible(visible);
    if (visible == m_gridVisible)
        return;
    m_gridVisible = visible;
    emit gridVisibleChanged(m_gridVisible);
}

bool MyPaletteModel::savePaletteTo(PaletteFileFormat format, const QString &path) const
{
    if (isInterchangeFormat(format))
        return writeFileAtomically(path, paletteInterchangeFile(format, m_description, m_cells));
    const QByteArray bytes = format == PaletteFileFormat::Text
                                 ? paletteTextFile(m_cells)
                                 : paletteXmlFile(m_description, m_cells);
    return !bytes.isEmpty() && writeFileAtomically(path, bytes);
}

bool MyPaletteModel::loadPaletteFrom(const QString &path)
{
    const ChangeScope changes(*m_store);
    const std::optional<QByteArray> bytes = readPaletteFile(path);
    if (!bytes)
        return false;
    const std::optional<ResolvedPalette> palette = resolvePaletteDocument(*bytes);
    if (palette) {
        clearWithDescription();
        setDescription(palette->description);
        storeDescription();
        for (const auto &[position, contents] : palette->cells)
            setCell(position, contents);
    }
    refreshControlStates();
    emit myPaletteChanged();
    return palette.has_value();
}

void MyPaletteModel::setCell(const QPoint &cell, const PaletteCell &contents)
{
    m_cells[indexOf(cell)] = contents;
    m_store->setEntry(cell.x(), cell.y(), contents.index());
}

void MyPaletteModel::emptyAllCells()
{
    for (int i = 0; i < kCellCount; ++i)
        setCell(cellAt(i), PaletteCell());
}

void MyPaletteModel::refreshControlStates()
{
    ControlStates states;
    const bool filled = !isEmpty();
    states.zoomEnabled = filled;
    states.clearEnabled = filled;
    states.exportEnabled = filled;
    states.eraserEnabled =
        std::any_of(m_selection.cbegin(), m_selection.cend(),
                    [this](const QPoint &cell) { return m_cells.at(indexOf(cell)).isFilled(); });
    if (states == m_controlStates)
        return;
    m_controlStates = states;
    emit controlStatesChanged(m_controlStates);
}

} // namespace Corvo
