#include "engine/palette/palettefiles.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/palette/palettexml.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace Corvo {

namespace {

constexpr int kColumns = 6;
constexpr int kVersion2 = 2;
constexpr int kVersion3 = 3;
const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const QString kTextSeparator = QStringLiteral(" : ");

// The collection of a file this system reads: version 2 names one by its short
// identifier; a version 3 file spans collections (null, each chip names its own).
// Nothing for any other file.
std::optional<QUuid> fileCollection(const PaletteFileContents &contents)
{
    if (contents.majorVersion == kVersion2) {
        QUuid collection;
        if (DB::collectionUuidBySystemId(contents.system, collection) != DB::Ok)
            return std::nullopt;
        return collection;
    }
    if (contents.majorVersion == kVersion3 &&
        contents.system.compare(QLatin1StringView(kMultiCollectionSystem), Qt::CaseInsensitive) ==
            0)
        return QUuid();
    return std::nullopt;
}

// A version 2 chip is a code or name looked up in the file's collection.
bool findVersion2Chip(const QUuid &collection, const PaletteFileChip &chip, DB::ColorEntry &entry)
{
    DB::PhraseMatch match;
    if (chip.text.isEmpty() || DB::findPhrase(collection, chip.text, match) != DB::Ok ||
        match.pageIndex <= 0 || match.rowIndex <= 0)
        return false;
    return DB::rowAt(collection, match.pageIndex, match.rowIndex, entry) == DB::Ok;
}

// A version 3 chip counts only while its place still holds the same code.
bool findVersion3Chip(const PaletteFileChip &chip, DB::ColorEntry &entry)
{
    return chip.hasEntry &&
           DB::rowAt(chip.collection, chip.pageIndex, chip.rowIndex, entry) == DB::Ok &&
           entry.code.compare(chip.colorCode, Qt::CaseInsensitive) == 0;
}

// The chip's row and the page index of its own card; nothing when either is gone.
std::optional<std::pair<DB::ColorEntry, int>> savedChip(const PaletteCell &cell)
{
    DB::ColorEntry entry;
    DB::ColorPage page;
    if (!cell.isFilled() || DB::rowById(cell.collection, cell.rowId, entry) != DB::Ok ||
        DB::pageById(cell.collection, cell.pageId, true, page) != DB::Ok || page.id != entry.pageId)
        return std::nullopt;
    return std::make_pair(entry, page.pageIndex);
}

QString collectionName(const QUuid &collection)
{
    QSharedPointer<DB::Collection> record;
    if (DB::collectionRecord(collection, record) != DB::Ok || !record)
        return QString();
    return record->name;
}

} // namespace

std::optional<ResolvedPalette> resolvePaletteDocument(const QByteArray &bytes)
{
    const std::optional<PaletteFileContents> contents = readPaletteXml(bytes);
    if (!contents)
        return std::nullopt;
    const std::optional<QUuid> collectionOfFile = fileCollection(*contents);
    if (!collectionOfFile)
        return std::nullopt;
    ResolvedPalette palette;
    palette.description = contents->description;
    QSet<QPoint> resolved;
    // A later chip for a cell wins, so the file is read from its end and each cell takes
    // the first chip that can be found.
    for (auto chip = contents->chips.crbegin(); chip != contents->chips.crend(); ++chip) {
        const QPoint position(chip->column, chip->row);
        if (resolved.contains(position))
            continue;
        const QUuid collection =
            contents->majorVersion == kVersion2 ? *collectionOfFile : chip->collection;
        DB::ColorEntry entry;
        const bool found = contents->majorVersion == kVersion2
                               ? findVersion2Chip(collection, *chip, entry)
                               : findVersion3Chip(*chip, entry);
        if (!found)
            continue;
        resolved.insert(position);
        palette.cells.prepend({position, cellForChip(collection, entry)});
    }
    return palette;
}

QByteArray paletteXmlFile(const QString &description, const QList<PaletteCell> &cells)
{
    QList<PaletteXmlChip> chips;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const std::optional<std::pair<DB::ColorEntry, int>> chip = savedChip(cells.at(i));
        if (!chip)
            continue;
        chips.append({int(i % kColumns), int(i / kColumns), cells.at(i).collection, chip->second,
                      chip->first.rowIndex, chip->first.code});
    }
    return paletteXmlDocument(description, chips);
}

QByteArray paletteTextFile(const QList<PaletteCell> &cells)
{
    QByteArray lines;
    for (const PaletteCell &cell : cells) {
        const std::optional<std::pair<DB::ColorEntry, int>> chip = savedChip(cell);
        if (!chip)
            continue;
        const QString name = collectionName(cell.collection);
        const QString line =
            name.isEmpty() ? chip->first.code : name + kTextSeparator + chip->first.code;
        lines += line.toUtf8() + '\n';
    }
    return lines.isEmpty() ? QByteArray() : kByteOrderMark + lines;
}

std::optional<QByteArray> readPaletteFile(const QString &path)
{
    // Folders, pipes and devices are no palette files; reading a pipe could block forever.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > kMaxPaletteFileBytes)
        return QByteArray();
    return file.read(kMaxPaletteFileBytes + 1);
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace Corvo
