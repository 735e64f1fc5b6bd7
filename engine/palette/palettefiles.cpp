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

#include <array>
#include <map>
#include <tuple>

namespace Corvo {

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 4;
constexpr int kCells = kColumns * kRows;
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
std::optional<DB::ColorEntry> findVersion2Chip(const QUuid &collection, const QString &text)
{
    DB::PhraseMatch match;
    DB::ColorEntry entry;
    if (text.isEmpty() || DB::findPhrase(collection, text, match) != DB::Ok ||
        match.pageIndex <= 0 || match.rowIndex <= 0 ||
        DB::rowAt(collection, match.pageIndex, match.rowIndex, entry) != DB::Ok)
        return std::nullopt;
    return entry;
}

std::optional<DB::ColorEntry> rowAtPlace(const PaletteFileChip &chip)
{
    DB::ColorEntry entry;
    if (DB::rowAt(chip.collection, chip.pageIndex, chip.rowIndex, entry) != DB::Ok)
        return std::nullopt;
    return entry;
}

// A version 3 chip counts only while its place still holds the same code.
bool holdsCode(const std::optional<DB::ColorEntry> &entry, const PaletteFileChip &chip)
{
    return entry && entry->code.compare(chip.colorCode, Qt::CaseInsensitive) == 0;
}

using Place = std::tuple<QUuid, int, int>;

// Finds the chips of one file. Equal chips are looked up once: the phrase search sees
// only the upper-cased text, and a version 3 place gives the same row whatever code
// the chip names. Each cell runs at most kPaletteLookupsPerCell look-ups of its own;
// answers already known cost nothing and are always used.
class ChipFinder
{
public:
    ChipFinder(int majorVersion, const QUuid &fileCollection)
        : m_version2(majorVersion == kVersion2), m_fileCollection(fileCollection)
    {}

    int lookups() const { return m_lookups; }
    bool canLookUp(int cell) const { return m_lookupsOfCell[cell] < kPaletteLookupsPerCell; }

    std::optional<DB::ColorEntry> find(const PaletteFileChip &chip, int cell)
    {
        if (m_version2) {
            const QString key = chip.text.toUpper();
            return known(m_byText, key, cell,
                         [&] { return findVersion2Chip(m_fileCollection, chip.text); });
        }
        if (!chip.hasEntry)
            return std::nullopt;
        const Place key{chip.collection, chip.pageIndex, chip.rowIndex};
        const std::optional<DB::ColorEntry> entry =
            known(m_byPlace, key, cell, [&] { return rowAtPlace(chip); });
        return holdsCode(entry, chip) ? entry : std::nullopt;
    }

private:
    template <typename Key, typename LookUp>
    std::optional<DB::ColorEntry> known(std::map<Key, std::optional<DB::ColorEntry>> &answers,
                                        const Key &key, int cell, LookUp lookUp)
    {
        const auto answer = answers.find(key);
        if (answer != answers.end())
            return answer->second;
        if (!canLookUp(cell))
            return std::nullopt;
        ++m_lookupsOfCell[cell];
        ++m_lookups;
        return answers.emplace(key, lookUp()).first->second;
    }

    bool m_version2;
    QUuid m_fileCollection;
    std::map<QString, std::optional<DB::ColorEntry>> m_byText;
    std::map<Place, std::optional<DB::ColorEntry>> m_byPlace;
    std::array<int, kCells> m_lookupsOfCell{};
    int m_lookups = 0;
};

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
    ChipFinder finder(contents->majorVersion, *collectionOfFile);
    std::array<bool, kCells> filled{};
    // A later chip for a cell wins, so the file is read from its end and each cell takes
    // the first chip that can be found.
    for (auto chip = contents->chips.crbegin(); chip != contents->chips.crend(); ++chip) {
        const int cell = chip->row * kColumns + chip->column;
        if (filled[cell])
            continue;
        const std::optional<DB::ColorEntry> entry = finder.find(*chip, cell);
        if (!entry)
            continue;
        filled[cell] = true;
        const QUuid collection =
            contents->majorVersion == kVersion2 ? *collectionOfFile : chip->collection;
        palette.cells.prepend({QPoint(chip->column, chip->row), cellForChip(collection, *entry)});
        if (palette.cells.size() == kCells)
            break;
    }
    palette.lookups = finder.lookups();
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
        const QString name = DB::collectionName(cell.collection);
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
    // The bytes sit in the device's buffer until the flush: a disk that fills up fails only
    // there, and a commit after a failed flush would put a cut-off file in the old one's place.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace Corvo
