#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// The XML palette file: version 3.0 written byte for byte as laid out, versions 2 and 3
// read. Only the document is handled here; finding the chips in the collections is the
// palette model's work.
namespace Corvo {

inline constexpr char kPaletteXmlVersion[] = "3.0";
inline constexpr char kMultiCollectionSystem[] = "multi-collection";
// A palette file holds 24 chips and a line of text; anything this large is not one.
inline constexpr qsizetype kMaxPaletteFileBytes = 4 * 1024 * 1024;

// One chip as a version 3 file names it.
struct PaletteXmlChip
{
    int column = 0;
    int row = 0;
    QUuid collection;
    int pageIndex = -1;
    int rowIndex = -1;
    QString colorCode;
};

// One chip as read from a file: version 3 fills the entry fields, version 2 the text.
struct PaletteFileChip
{
    int column = 0;
    int row = 0;
    bool hasEntry = false;
    QUuid collection;
    int pageIndex = 0;
    int rowIndex = 0;
    QString colorCode;
    QString text;
};

struct PaletteFileContents
{
    int majorVersion = 0;
    QString system;
    QString description;
    // In document order, only those inside the 6 x 4 grid.
    QList<PaletteFileChip> chips;
};

// The file's bytes: byte-order mark, declaration, and the document with its fixed
// whitespace. Chips are written in the order given (row-major is the caller's order).
// Characters that XML 1.0 does not allow are dropped from every text, so the file
// always loads again.
QByteArray paletteXmlDocument(const QString &description, const QList<PaletteXmlChip> &chips);

// The version, system, description and chips of a palette document; nothing when it
// does not parse or its version is not "major.0". Which majors and systems are usable
// is for the caller to decide.
std::optional<PaletteFileContents> readPaletteXml(const QByteArray &bytes);

// The text without the characters that XML 1.0 does not allow (most control characters,
// lone surrogates, U+FFFE and U+FFFF).
QString withoutXmlForbiddenCharacters(const QString &text);

} // namespace Corvo
