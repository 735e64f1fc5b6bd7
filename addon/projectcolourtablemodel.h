#pragma once

#include "addon/projectcolourrow.h"

#include <QAbstractTableModel>
#include <QList>

namespace Corvo {

// The project colours window's rows as a table: the tick and the attribute's name, its
// kind and colour, the nearest chip's code, name, collection and colour, the difference
// and the verdict. Sorting uses kSortRole, which holds numbers where the text would sort
// wrongly.
class ProjectColourTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Attribute,
        Kind,
        Colour,
        Code,
        ChipName,
        Collection,
        Chip,
        DeltaE,
        Verdict,
        ColumnCount
    };
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit ProjectColourTableModel(QObject *parent = nullptr);

    void setRows(const QList<ProjectColourRow> &rows);
    const QList<ProjectColourRow> &rows() const { return m_rows; }
    const ProjectColourRow &row(int index) const { return m_rows.at(index); }
    void setRow(int index, const ProjectColourRow &row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant display(const ProjectColourRow &row, int column) const;
    QVariant sortValue(const ProjectColourRow &row, int column) const;
    QVariant decoration(const ProjectColourRow &row, int column) const;
    QVariant toolTip(const ProjectColourRow &row, int column) const;

    QList<ProjectColourRow> m_rows;
    QHash<QUuid, QString> m_collectionNames;
};

} // namespace Corvo
