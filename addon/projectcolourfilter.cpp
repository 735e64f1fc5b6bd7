#include "addon/projectcolourfilter.h"

#include "addon/projectcolourtablemodel.h"

namespace Corvo {

ProjectColourFilter::ProjectColourFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(ProjectColourTableModel::kSortRole);
}

void ProjectColourFilter::setVerdict(int verdict)
{
    m_verdict = verdict;
    invalidateFilter();
}

void ProjectColourFilter::setText(const QString &text)
{
    m_text = text.trimmed();
    invalidateFilter();
}

bool ProjectColourFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const auto *table = qobject_cast<const ProjectColourTableModel *>(sourceModel());
    if (!table || sourceParent.isValid())
        return false;
    if (m_verdict != kAnyVerdict && int(table->row(sourceRow).match.verdict) != m_verdict)
        return false;
    if (m_text.isEmpty())
        return true;
    for (const int column :
         {ProjectColourTableModel::Attribute, ProjectColourTableModel::Code,
          ProjectColourTableModel::ChipName, ProjectColourTableModel::Collection}) {
        const QString text = table->index(sourceRow, column).data().toString();
        if (text.contains(m_text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace Corvo
