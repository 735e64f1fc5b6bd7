#include "engine/palette/paletteinterchange.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/finishschedule.h"
#include "engine/palette/swatchformats.h"

#include <QSet>

namespace Corvo {

namespace {

struct NamedFormat
{
    PaletteFileFormat format;
    const char *name;
};

constexpr NamedFormat kInterchangeFormats[] = {
    {PaletteFileFormat::Gpl, "gpl"},
    {PaletteFileFormat::Ase, "ase"},
    {PaletteFileFormat::Css, "css"},
    {PaletteFileFormat::Csv, "csv"},
};

constexpr char16_t kReplacementCharacter = 0xFFFD;

// Cells the host export would hand over: filled and opaque.
bool holdsColour(const PaletteCell &cell)
{
    return cell.isFilled() && cell.color.alpha() != 0;
}

QString chipCode(const PaletteCell &cell)
{
    DB::ColorEntry entry;
    return DB::rowById(cell.collection, cell.rowId, entry) == DB::Ok ? entry.code : QString();
}

bool breaksALine(QChar character)
{
    return character.category() == QChar::Other_Control ||
           character.category() == QChar::Separator_Line ||
           character.category() == QChar::Separator_Paragraph;
}

} // namespace

bool isInterchangeFormat(PaletteFileFormat format)
{
    return !interchangeFormatName(format).isEmpty();
}

QString interchangeFormatName(PaletteFileFormat format)
{
    for (const NamedFormat &named : kInterchangeFormats) {
        if (named.format == format)
            return QString::fromLatin1(named.name);
    }
    return QString();
}

std::optional<PaletteFileFormat> interchangeFormatNamed(const QString &name)
{
    for (const NamedFormat &named : kInterchangeFormats) {
        if (name.compare(QLatin1StringView(named.name), Qt::CaseInsensitive) == 0)
            return named.format;
    }
    return std::nullopt;
}

QList<PaletteSwatch> distinctSwatches(const QList<PaletteCell> &cells)
{
    QList<PaletteSwatch> swatches;
    QSet<QRgb> seen;
    for (const PaletteCell &cell : cells) {
        const QRgb rgb = cell.color.rgb() & RGB_MASK;
        if (!holdsColour(cell) || seen.contains(rgb))
            continue;
        seen.insert(rgb);
        swatches.append({QColor(rgb), cell.label, chipCode(cell)});
    }
    return swatches;
}

QString paletteTitle(const QString &description, const QList<PaletteCell> &cells)
{
    if (!description.trimmed().isEmpty())
        return description;
    for (const PaletteCell &cell : cells) {
        if (holdsColour(cell))
            return DB::collectionName(cell.collection);
    }
    return QString();
}

QString oneLineText(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        if (character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            line += character;
            line += text.at(++i);
        } else if (character.isSurrogate()) {
            line += QChar(kReplacementCharacter);
        } else {
            line += breaksALine(character) ? QChar(u' ') : character;
        }
    }
    return line;
}

QByteArray paletteInterchangeFile(PaletteFileFormat format, const QString &description,
                                  const QList<PaletteCell> &cells)
{
    switch (format) {
    case PaletteFileFormat::Gpl:
        return SwatchFormats::gplFile(paletteTitle(description, cells), distinctSwatches(cells));
    case PaletteFileFormat::Ase:
        return SwatchFormats::aseFile(paletteTitle(description, cells), distinctSwatches(cells));
    case PaletteFileFormat::Css:
        return SwatchFormats::cssFile(paletteTitle(description, cells), distinctSwatches(cells));
    case PaletteFileFormat::Csv:
        return FinishSchedule::csvFile(cells);
    case PaletteFileFormat::Xml:
    case PaletteFileFormat::Text:
        break;
    }
    return QByteArray();
}

} // namespace Corvo
