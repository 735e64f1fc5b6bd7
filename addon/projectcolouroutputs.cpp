#include "addon/projectcolouroutputs.h"

#include "addon/exportmap.h"
#include "addon/hostexport.h"
#include "addon/projectcolourtexts.h"
#include "engine/palette/finishschedule.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/preferencespalettestore.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"

namespace Corvo::ProjectColourOutputs {

namespace {

// The finish schedule's fields of a chip after its row and column.
constexpr int kCellFields = 2;

QStringList chipFields(const ProjectColourMatch &match)
{
    if (match.found()) {
        const QList<QStringList> lines =
            FinishSchedule::lines({cellForChip(match.collection, match.entry)});
        if (!lines.isEmpty())
            return lines.first().mid(kCellFields);
    }
    return QStringList(FinishSchedule::columns().size() - kCellFields, QString());
}

QStringList lineOf(const ProjectColourRow &row)
{
    return QStringList{ProjectColourTexts::attributeName(row.attribute),
                       ProjectColourTexts::kind(row.attribute.kind),
                       row.attribute.colour.name(QColor::HexRgb).toUpper(),
                       row.match.found() ? QString::number(row.match.deltaE, 'f', 2) : QString(),
                       ProjectColourTexts::verdict(row.match.verdict)} +
           chipFields(row.match);
}

} // namespace

QString exportName(const ProjectColourMatch &match)
{
    const ExportMap map = buildExportMap(
        {cellForChip(match.collection, match.entry)},
        CollectionSettings::appendProductCode(Preferences::uuidOfLastUsedCollection()));
    return map.empty() ? QString()
                       : HostExport::exportName(HostExport::materialPrefix(), map.begin()->second);
}

int addToPalette(const QList<ProjectColourRow> &rows)
{
    QList<ItemIndex> chips;
    for (const ProjectColourRow &row : rows) {
        const ItemIndex chip(row.match.collection, row.match.entry.pageId, row.match.entry.id);
        if (row.match.found() && !chips.contains(chip))
            chips.append(chip);
    }
    MyPaletteModel palette;
    palette.reload(Preferences::uuidOfLastUsedCollection());
    PreferencesPaletteStore store;
    store.beginChanges();
    int next = 0;
    for (int cell = 0; cell < palette.cells().size() && next < chips.size(); ++cell) {
        if (palette.cells().at(cell).isFilled())
            continue;
        store.setEntry(cell % MyPaletteModel::kColumns, cell / MyPaletteModel::kColumns,
                       chips.at(next++));
    }
    store.endChanges();
    return int(chips.size()) - next;
}

QByteArray schedule(const QList<ProjectColourRow> &rows)
{
    QStringList columns{QStringLiteral("Attribute"), QStringLiteral("Kind"),
                        QStringLiteral("Attribute hex"), QStringLiteral("Delta E 2000"),
                        QStringLiteral("Verdict")};
    columns += FinishSchedule::columns().mid(kCellFields);
    QList<QStringList> lines;
    for (const ProjectColourRow &row : rows)
        lines.append(lineOf(row));
    return FinishSchedule::csvFile(columns, lines);
}

} // namespace Corvo::ProjectColourOutputs
