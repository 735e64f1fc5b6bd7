// My Palette written in the interchange formats and read back by small independent readers:
// colours, names and fields survive, awkward texts never break a file.

#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/scratchpalettestore.h"
#include "testenvironment.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QDataStream>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using Corvo::MyPaletteModel;
using Corvo::PaletteFileFormat;

namespace {

const QUuid kCollection(QStringLiteral("{c0110000-0000-4000-8000-00000000000c}"));
const QString kCollectionName = QStringLiteral("Nordlys, \"Co\" & Søn");
const QString kCardName = QStringLiteral("Card, one");
constexpr qint64 kCollectionId = 1;

// One chip per row of the awkward-text table, and three plain chips beside them.
struct AwkwardText
{
    const char *tag;
    QString code;
    QString name;
    QString oneLine;     // the name as a one-line format holds it
    QString cssProperty; // the code's custom property
    QString description;
    QString title; // the description as a one-line format holds it
};

QList<AwkwardText> awkwardTexts()
{
    const QString longName = QString(150, QChar(u'Ä')) + QString(150, QChar(u'x'));
    const QString longDescription(300, QChar(u'é'));
    const QString halfPair = QString("Half ") + QChar(0xD800) + " pair";
    const QString replaced = QString("Half ") + QChar(0xFFFD) + " pair";
    return {
        {"quotes", "Q-1", "Say \"hi\" 'there'", "Say \"hi\" 'there'", "--q-1", "Hall \"A\", stairs",
         "Hall \"A\", stairs"},
        {"commas", "C,1", "Red, dark, deep", "Red, dark, deep", "--c-1", "Hall, \"stairs\"",
         "Hall, \"stairs\""},
        {"line breaks and tabs", "L 1", "Two\nlines\tand\r\nmore", "Two lines and  more", "--l-1",
         "First\nsecond\tthird", "First second third"},
        {"non-ASCII", QString::fromUtf8("Ø-9"), QString::fromUtf8("Blå æøå 漢字 😀"),
         QString::fromUtf8("Blå æøå 漢字 😀"), "---9", QString::fromUtf8("Kjøkken 漢字 😀"),
         QString::fromUtf8("Kjøkken 漢字 😀")},
        {"comment end", "*/", "a */ b", "a */ b", "--color", "x */ y", "x */ y"},
        {"300 characters", QStringLiteral("LONG-") + QString(295, QChar(u'7')), longName, longName,
         QStringLiteral("--long-") + QString(295, QChar(u'7')), longDescription, longDescription},
        {"empty code and description", "", "Nameless", "Nameless", "--color", "", kCollectionName},
        {"lone surrogate", "S-1", "Sound", "Sound", "--s-1", halfPair, replaced},
    };
}

struct Chip
{
    QString code;
    QString name;
    QColor color;
};

// Cells 1 and 2 hold one colour (the first names it); cell 7 holds a code that makes the
// same custom property as cell 1's.
const Chip kPlain{"NL-1", "Plain", QColor(200, 100, 50)};
const Chip kTwin{"NL-2", "Twin", QColor(200, 100, 50)};
const Chip kClash{"nl 1", "Clash", QColor(1, 2, 3)};

QString labelOf(const Chip &chip)
{
    return chip.code + QStringLiteral(" - ") + chip.name;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Swatch
{
    QColor color;
    QString name;
    QString property;
};

struct SwatchFile
{
    bool valid = false;
    QString title;
    QList<Swatch> swatches;
};

SwatchFile readGpl(const QByteArray &bytes)
{
    static const QRegularExpression entry(
        QStringLiteral("^([ 0-9]{3}) ([ 0-9]{3}) ([ 0-9]{3})\\t([^\\t]*)$"));
    SwatchFile file;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.size() < 5 || lines.at(0) != "GIMP Palette" || !lines.at(1).startsWith("Name: ") ||
        lines.at(2) != "Columns: 6" || lines.at(3) != "#" || !lines.last().isEmpty())
        return file;
    file.title = lines.at(1).mid(6);
    for (qsizetype i = 4; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch match = entry.match(lines.at(i));
        if (!match.hasMatch())
            return file;
        file.swatches.append(
            {QColor(match.captured(1).trimmed().toInt(), match.captured(2).trimmed().toInt(),
                    match.captured(3).trimmed().toInt()),
             match.captured(4),
             {}});
    }
    file.valid = true;
    return file;
}

std::optional<QString> readAseName(QDataStream &stream)
{
    quint16 units = 0;
    stream >> units;
    QString name;
    for (quint16 i = 0; i < units; ++i) {
        quint16 unit = 0;
        stream >> unit;
        if ((unit == 0) != (i + 1 == units))
            return std::nullopt;
        if (unit != 0)
            name += QChar(unit);
    }
    return units > 0 && stream.status() == QDataStream::Ok ? std::optional(name) : std::nullopt;
}

std::optional<Swatch> readAseColour(const QByteArray &body)
{
    QDataStream stream(body);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    const std::optional<QString> name = readAseName(stream);
    char model[4];
    float channels[3];
    quint16 type = 0xFFFF;
    if (!name || stream.readRawData(model, 4) != 4 || QByteArray(model, 4) != "RGB ")
        return std::nullopt;
    stream >> channels[0] >> channels[1] >> channels[2] >> type;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || type != 0)
        return std::nullopt;
    return Swatch{
        QColor(qRound(channels[0] * 255), qRound(channels[1] * 255), qRound(channels[2] * 255)),
        *name,
        {}};
}

SwatchFile readAse(const QByteArray &bytes)
{
    SwatchFile file;
    QDataStream stream(bytes);
    char signature[4];
    quint16 major = 0;
    quint16 minor = 0;
    quint32 blocks = 0;
    if (stream.readRawData(signature, 4) != 4 || QByteArray(signature, 4) != "ASEF")
        return file;
    stream >> major >> minor >> blocks;
    if (major != 1 || minor != 0 || blocks < 2)
        return file;
    for (quint32 block = 0; block < blocks; ++block) {
        quint16 type = 0;
        quint32 length = 0;
        stream >> type >> length;
        QByteArray body(qsizetype(length), '\0');
        if (stream.status() != QDataStream::Ok || length > bytes.size() ||
            stream.readRawData(body.data(), int(length)) != int(length))
            return file;
        QDataStream bodyStream(body);
        const bool first = block == 0;
        const bool last = block + 1 == blocks;
        if (first && type == 0xC001) {
            const std::optional<QString> title = readAseName(bodyStream);
            if (!title || !bodyStream.atEnd())
                return file;
            file.title = *title;
        } else if (!first && !last && type == 0x0001) {
            const std::optional<Swatch> swatch = readAseColour(body);
            if (!swatch)
                return file;
            file.swatches.append(*swatch);
        } else if (!(last && type == 0xC002 && length == 0)) {
            return file;
        }
    }
    file.valid = stream.atEnd();
    return file;
}

// The text of a comment that fills the whole string, or nothing.
std::optional<QString> cssCommentText(const QString &comment)
{
    if (!comment.startsWith("/* ") || !comment.endsWith(" */") || comment.size() < 6)
        return std::nullopt;
    const QString text = comment.mid(3, comment.size() - 6);
    return text.contains("*/") ? std::nullopt : std::optional(text);
}

SwatchFile readCss(const QByteArray &bytes)
{
    static const QRegularExpression entry(
        QStringLiteral("^  (--[a-z0-9-]+): (#[0-9a-f]{6}); (/\\*.*)$"));
    SwatchFile file;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    const std::optional<QString> title = cssCommentText(lines.value(0));
    if (lines.size() < 4 || !title || lines.at(1) != ":root {" ||
        lines.at(lines.size() - 2) != "}" || !lines.last().isEmpty())
        return file;
    file.title = *title;
    for (qsizetype i = 2; i + 2 < lines.size(); ++i) {
        const QRegularExpressionMatch match = entry.match(lines.at(i));
        const std::optional<QString> label = cssCommentText(match.captured(3));
        if (!match.hasMatch() || !label)
            return file;
        file.swatches.append({QColor(match.captured(2)), *label, match.captured(1)});
    }
    file.valid = true;
    return file;
}

// RFC 4180 with CRLF records after a UTF-8 byte-order mark; nothing for anything else.
std::optional<QList<QStringList>> parseCsv(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF") || !bytes.endsWith("\r\n"))
        return std::nullopt;
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == '"')
                field += text.at(++i);
            else
                quoted = false;
        } else if (c == '"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ',' || c == '\r') {
            if (c == '\r' && (i + 1 >= text.size() || text.at(++i) != '\n'))
                return std::nullopt;
            record.append(field);
            field.clear();
            wasQuoted = false;
            if (c == '\r') {
                records.append(record);
                record.clear();
            }
        } else if (c == '"' || c == '\n' || wasQuoted) {
            return std::nullopt;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return records;
}

QStringList header()
{
    return QStringLiteral("Row,Column,Collection,Card,Code,Name,Details,Hex,R,G,B,L*,a*,b*,"
                          "Exterior,Products")
        .split(QLatin1Char(','));
}

} // namespace

class TestPaletteInterchange : public QObject
{
    Q_OBJECT

private:
    TestEnvironment m_environment;
    QHash<QString, qint64> m_rows;

    bool buildCollection();
    void fill(MyPaletteModel &palette, const QList<std::pair<QPoint, QString>> &chips);
    QByteArray saved(const MyPaletteModel &palette, PaletteFileFormat format);

private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void emptyPalette_data();
    void emptyPalette();
    void unwritablePathFails();
};

bool TestPaletteInterchange::buildCollection()
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(m_environment.collectionFile("interchange.db")) ||
        !writer.beginTransaction() || !writer.addSystemWideCollection())
        return false;
    Tintwell::CollectionFields fields;
    fields.id = kCollectionId;
    fields.uuid = kCollection;
    fields.systemId = "IX";
    fields.name = kCollectionName;
    Tintwell::PageFields page;
    page.exterior = true;
    page.names = {kCardName};
    if (!writer.addCollection(fields) ||
        !writer.addSetting(kCollectionId, "collection.enabled", "1"))
        return false;
    for (const char *order :
         {"row.name.display.order", "row.extra.display.order", "page.name.display.order"}) {
        if (!writer.addSettingList(kCollectionId, QString::fromLatin1(order), {"0"}))
            return false;
    }
    const std::optional<qint64> pageId = writer.addPage(kCollectionId, page);
    if (!pageId)
        return false;
    QList<Chip> chips{kPlain, kTwin, kClash};
    int channel = 10;
    for (const AwkwardText &text : awkwardTexts())
        chips.append({text.code, text.name, QColor(channel++, 20, 30)});
    int rowIndex = 1;
    for (const Chip &chip : chips) {
        Tintwell::RowFields row;
        row.pageId = *pageId;
        row.rowIndex = rowIndex++;
        row.code = chip.code;
        row.red = chip.color.red();
        row.green = chip.color.green();
        row.blue = chip.color.blue();
        row.l = 52.126;
        row.a = -3.004;
        row.b = 0.5;
        row.names = {chip.name};
        row.extras = {chip.name + " extra"};
        const std::optional<qint64> rowId = writer.addRow(kCollectionId, row);
        const std::optional<qint64> primer = writer.addProduct(chip.name, QString("P-1"));
        const std::optional<qint64> topcoat = writer.addProduct("Topcoat");
        if (!rowId || !primer || !topcoat ||
            !writer.mapRowProduct(kCollectionId, *rowId, *primer) ||
            !writer.mapRowProduct(kCollectionId, *rowId, *topcoat))
            return false;
        m_rows.insert(chip.name, *rowId);
    }
    return writer.commit() && writer.close();
}

void TestPaletteInterchange::fill(MyPaletteModel &palette,
                                  const QList<std::pair<QPoint, QString>> &chips)
{
    for (const auto &[cell, name] : chips) {
        Corvo::DB::ColorEntry entry;
        QCOMPARE(Corvo::DB::rowById(kCollection, m_rows.value(name), entry), Corvo::DB::Ok);
        palette.setDropTarget(cell);
        QVERIFY(palette.dropChip(kCollection, entry));
    }
}

QByteArray TestPaletteInterchange::saved(const MyPaletteModel &palette, PaletteFileFormat format)
{
    const QString path = m_environment.root() + "/palette.out";
    return palette.savePaletteTo(format, path) ? fileBytes(path) : QByteArray();
}

void TestPaletteInterchange::initTestCase()
{
    QVERIFY(m_environment.isValid());
    QVERIFY(buildCollection());
    TestEnvironment::resetCatalogue();
}

void TestPaletteInterchange::roundTrip_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title"); // in the one-line formats
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oneLine");
    QTest::addColumn<QString>("cssProperty");
    for (const AwkwardText &text : awkwardTexts())
        QTest::newRow(text.tag) << text.description << text.title << text.code << text.name
                                << text.oneLine << text.cssProperty;
}

void TestPaletteInterchange::roundTrip()
{
    QFETCH(QString, description);
    QFETCH(QString, title);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, oneLine);
    QFETCH(QString, cssProperty);
    MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    palette.setDescription(description);
    fill(palette, {{QPoint(0, 0), name},
                   {QPoint(1, 0), kPlain.name},
                   {QPoint(2, 0), kTwin.name},
                   {QPoint(1, 1), kClash.name}});
    const QColor awkwardColor = palette.color(0, 0);
    const QString label = code + " - " + oneLine;
    const QList<Swatch> expected{{awkwardColor, label, cssProperty},
                                 {kPlain.color, labelOf(kPlain), "--nl-1"},
                                 {kClash.color, labelOf(kClash), "--nl-1-2"}};

    const SwatchFile gpl = readGpl(saved(palette, PaletteFileFormat::Gpl));
    const SwatchFile ase = readAse(saved(palette, PaletteFileFormat::Ase));
    const SwatchFile css = readCss(saved(palette, PaletteFileFormat::Css));
    for (const SwatchFile *file : {&gpl, &ase, &css}) {
        // A style-sheet comment cannot hold its own end.
        const auto shown = [&](QString text) {
            return file == &css ? text.replace("*/", "* /") : text;
        };
        QVERIFY(file->valid);
        QCOMPARE(file->title, shown(title));
        QCOMPARE(file->swatches.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(file->swatches.at(i).color, expected.at(i).color);
            QCOMPARE(file->swatches.at(i).name, shown(expected.at(i).name));
        }
    }
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(css.swatches.at(i).property, expected.at(i).property);

    const std::optional<QList<QStringList>> csv = parseCsv(saved(palette, PaletteFileFormat::Csv));
    QVERIFY(csv);
    QCOMPARE(csv->size(), 5);
    QCOMPARE(csv->first(), header());
    const QStringList first{"1",
                            "1",
                            kCollectionName,
                            kCardName,
                            code,
                            name,
                            name + " extra",
                            awkwardColor.name().toUpper(),
                            QString::number(awkwardColor.red()),
                            "20",
                            "30",
                            "52.13",
                            "-3.00",
                            "0.50",
                            "yes",
                            name + ": P-1; Topcoat"};
    QCOMPARE(csv->at(1), first);
    // Every filled cell has its line, the twin colour too, with rows and columns from 1.
    QCOMPARE(csv->at(3).mid(0, 5), QStringList({"1", "3", kCollectionName, kCardName, "NL-2"}));
    QCOMPARE(csv->at(4).mid(0, 2), QStringList({"2", "2"}));
}

void TestPaletteInterchange::emptyPalette_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("gpl") << int(PaletteFileFormat::Gpl);
    QTest::newRow("ase") << int(PaletteFileFormat::Ase);
    QTest::newRow("css") << int(PaletteFileFormat::Css);
    QTest::newRow("csv") << int(PaletteFileFormat::Csv);
}

// An empty palette still makes a complete file without entries.
void TestPaletteInterchange::emptyPalette()
{
    QFETCH(int, format);
    MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    const QByteArray bytes = saved(palette, PaletteFileFormat(format));
    switch (PaletteFileFormat(format)) {
    case PaletteFileFormat::Csv:
        QCOMPARE(parseCsv(bytes), std::optional(QList<QStringList>{header()}));
        return;
    case PaletteFileFormat::Gpl:
        QVERIFY(readGpl(bytes).valid);
        QVERIFY(readGpl(bytes).swatches.isEmpty());
        return;
    case PaletteFileFormat::Ase:
        QVERIFY(readAse(bytes).valid);
        QVERIFY(readAse(bytes).swatches.isEmpty());
        return;
    default:
        QVERIFY(readCss(bytes).valid);
        QVERIFY(readCss(bytes).swatches.isEmpty());
    }
}

void TestPaletteInterchange::unwritablePathFails()
{
    MyPaletteModel palette(std::make_unique<Corvo::ScratchPaletteStore>());
    fill(palette, {{QPoint(0, 0), kPlain.name}});
    QVERIFY(!palette.savePaletteTo(PaletteFileFormat::Ase,
                                   m_environment.root() + "/missing/folder/palette.ase"));
}

QTEST_GUILESS_MAIN(TestPaletteInterchange)
#include "tst_paletteinterchange.moc"
