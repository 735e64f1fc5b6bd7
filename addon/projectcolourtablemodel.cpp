#include "addon/projectcolourtablemodel.h"

#include "addon/projectcolourtexts.h"
#include "engine/db/collectionlookups.h"

#include <QBrush>
#include <QFont>

namespace Corvo {

namespace {

constexpr int kDeltaDecimals = 2;
const QColor kFailedColour(176, 32, 32);

QString hexOf(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toUpper();
}

QString chipName(const ProjectColourMatch &match)
{
    return match.entry.names.value(0);
}

} // namespace

ProjectColourTableModel::ProjectColourTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void ProjectColourTableModel::setRows(const QList<ProjectColourRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    for (const ProjectColourRow &row : m_rows) {
        if (row.match.found() && !m_collectionNames.contains(row.match.collection))
            m_collectionNames.insert(row.match.collection,
                                     DB::collectionName(row.match.collection));
    }
    endResetModel();
}

void ProjectColourTableModel::setRow(int index, const ProjectColourRow &row)
{
    m_rows[index] = row;
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

int ProjectColourTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProjectColourTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProjectColourTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ProjectColourRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case kSortRole:
        return sortValue(row, index.column());
    case Qt::DecorationRole:
        return decoration(row, index.column());
    case Qt::ToolTipRole:
        return toolTip(row, index.column());
    case Qt::CheckStateRole:
        return index.column() == Attribute ? QVariant(row.ticked ? Qt::Checked : Qt::Unchecked)
                                           : QVariant();
    case Qt::ForegroundRole:
        return row.state == ProjectColourRow::State::Failed ? QVariant(QBrush(kFailedColour))
                                                            : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == DeltaE ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return QVariant();
    }
}

QVariant ProjectColourTableModel::display(const ProjectColourRow &row, int column) const
{
    const bool found = row.match.found();
    switch (column) {
    case Attribute:
        return ProjectColourTexts::attributeName(row.attribute);
    case Kind:
        return ProjectColourTexts::kind(row.attribute.kind);
    case Colour:
        return hexOf(row.attribute.colour);
    case Code:
        return found ? row.match.entry.code : QString();
    case ChipName:
        return found ? chipName(row.match) : QString();
    case Collection:
        return found ? m_collectionNames.value(row.match.collection) : QString();
    case Chip:
        return found ? hexOf(row.match.chipColour) : QString();
    case DeltaE:
        return found ? QString::number(row.match.deltaE, 'f', kDeltaDecimals) : QString();
    case Verdict:
        return ProjectColourTexts::verdict(row.match.verdict);
    default:
        return QVariant();
    }
}

QVariant ProjectColourTableModel::sortValue(const ProjectColourRow &row, int column) const
{
    switch (column) {
    case DeltaE:
        return row.match.found() ? row.match.deltaE : std::numeric_limits<double>::max();
    case Verdict:
        return int(row.match.verdict);
    case Colour:
        return row.attribute.colour.rgb();
    case Chip:
        return row.match.chipColour.rgb();
    default:
        return display(row, column).toString().toCaseFolded();
    }
}

QVariant ProjectColourTableModel::decoration(const ProjectColourRow &row, int column) const
{
    if (column == Colour)
        return row.attribute.colour;
    if (column == Chip && row.match.found())
        return row.match.chipColour;
    return QVariant();
}

// The names in full, since their columns cut them; a failed row says so under its name.
QVariant ProjectColourTableModel::toolTip(const ProjectColourRow &row, int column) const
{
    if (column == ChipName || column == Collection)
        return display(row, column);
    if (column != Attribute)
        return QVariant();
    const QString name = display(row, column).toString();
    return row.state == ProjectColourRow::State::Failed
               ? name + QLatin1Char('\n') + ProjectColourTexts::text("project.colors.row.failed")
               : name;
}

bool ProjectColourTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Attribute || role != Qt::CheckStateRole)
        return false;
    m_rows[index.row()].ticked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ProjectColourTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Attribute)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ProjectColourTableModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const
{
    static const char *const keys[] = {
        "project.colors.column.attribute", "project.colors.column.kind",
        "project.colors.column.colour",    "project.colors.column.code",
        "project.colors.column.name",      "project.colors.column.collection",
        "project.colors.column.chip",      "project.colors.column.deltae",
        "project.colors.column.verdict"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QVariant();
    return ProjectColourTexts::text(keys[section]);
}

} // namespace Corvo
