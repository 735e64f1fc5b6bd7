#include "engine/palette/palettexml.h"

#include "engine/xml/xmlsupport.h"

#include <libxml/xmlwriter.h>

namespace Corvo {

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 4;
const char kUtf8[] = "UTF-8";
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

const char kRootElement[] = "velmora-palette";
const char kVersionAttribute[] = "version";
const char kSystemAttribute[] = "system";
const char kDescriptionElement[] = "description";
const char kChipsElement[] = "chips";
const char kChipElement[] = "chip";
const char kRowAttribute[] = "row";
const char kColumnAttribute[] = "col";
const char kEntryElement[] = "entry";
const char kCollectionAttribute[] = "uuid-of-collection";
const char kPageIndexAttribute[] = "page-index";
const char kRowIndexAttribute[] = "row-index";
const char kColorCodeAttribute[] = "color-code";

const char kVersionPath[] = "/velmora-palette/@version";
const char kSystemPath[] = "/velmora-palette/@system";
const char kDescriptionPath[] = "/velmora-palette/description";
const char kChipsPath[] = "/velmora-palette/chips/chip";

// The whitespace between elements keeps the file stable byte for byte.
const char kBeforeTopLevel[] = "\n\t";
const char kBeforeChip[] = "\n\t\t";
const char kBeforeEntry[] = "\n\t\t\t";
const char kBeforeRootEnd[] = "\n";

struct TextWriterDeleter
{
    void operator()(xmlTextWriter *writer) const { xmlFreeTextWriter(writer); }
};
using TextWriter = std::unique_ptr<xmlTextWriter, TextWriterDeleter>;

const xmlChar *xml(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Writes a text, dropping what XML 1.0 forbids.
class DocumentWriter
{
public:
    explicit DocumentWriter(xmlTextWriter *writer) : m_writer(writer) {}

    bool ok() const { return m_ok; }
    void startDocument() { check(xmlTextWriterStartDocument(m_writer, nullptr, kUtf8, nullptr)); }
    void endDocument() { check(xmlTextWriterEndDocument(m_writer)); }
    void startElement(const char *name) { check(xmlTextWriterStartElement(m_writer, xml(name))); }
    void endElement() { check(xmlTextWriterEndElement(m_writer)); }
    void attribute(const char *name, const QString &value)
    {
        check(xmlTextWriterWriteAttribute(m_writer, xml(name), utf8(value)));
    }
    void text(const QString &value) { check(xmlTextWriterWriteString(m_writer, utf8(value))); }
    void whitespace(const char *value) { check(xmlTextWriterWriteString(m_writer, xml(value))); }

private:
    void check(int result) { m_ok = m_ok && result >= 0; }
    const xmlChar *utf8(const QString &value)
    {
        m_buffer = withoutXmlForbiddenCharacters(value).toUtf8();
        return xml(m_buffer.constData());
    }

    xmlTextWriter *m_writer;
    QByteArray m_buffer;
    bool m_ok = true;
};

void writeChip(DocumentWriter &out, const PaletteXmlChip &chip)
{
    out.whitespace(kBeforeChip);
    out.startElement(kChipElement);
    out.attribute(kRowAttribute, QString::number(chip.row));
    out.attribute(kColumnAttribute, QString::number(chip.column));
    out.whitespace(kBeforeEntry);
    out.startElement(kEntryElement);
    out.attribute(kCollectionAttribute, chip.collection.toString(QUuid::WithBraces));
    out.attribute(kPageIndexAttribute, QString::number(chip.pageIndex));
    out.attribute(kRowIndexAttribute, QString::number(chip.rowIndex));
    out.attribute(kColorCodeAttribute, chip.colorCode);
    out.endElement();
    out.whitespace(kBeforeChip);
    out.endElement();
}

QByteArray serialized(xmlDoc *document)
{
    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(document, &buffer, &size, kUtf8, 0);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), buffer != nullptr ? size : 0);
    xmlFree(buffer);
    return bytes;
}

// "3.0" and "03.00" are version 3; "3", "3.1" and "3.x" are no version at all.
std::optional<int> majorVersion(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    bool minorOk = false;
    if (parts.at(1).toInt(&minorOk) != 0 || !minorOk)
        return std::nullopt;
    return parts.at(0).toInt();
}

std::optional<QString> rootAttribute(xmlXPathContext *context, const char *path)
{
    const Xml::XPathObject result = Xml::evaluateNodeSet(context, path);
    QString value;
    if (!result || result->nodesetval->nodeTab[0]->type != XML_ATTRIBUTE_NODE ||
        !Xml::firstChildText(result->nodesetval->nodeTab[0], value))
        return std::nullopt;
    return value;
}

QString descriptionText(xmlXPathContext *context)
{
    const Xml::XPathObject result = Xml::evaluateNodeSet(context, kDescriptionPath);
    if (!result || result->nodesetval->nodeTab[0]->type != XML_ELEMENT_NODE)
        return QString();
    xmlChar *content = xmlNodeGetContent(result->nodesetval->nodeTab[0]);
    const QString text = Xml::fromXmlString(content);
    xmlFree(content);
    return text;
}

bool isEntryElement(const xmlNode *node)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE &&
           xmlStrcasecmp(node->name, xml(kEntryElement)) == 0;
}

// An attribute that is absent or not a number reads as 0, as it always has.
int decimalAttribute(const xmlNode *element, const char *name)
{
    return Xml::attributeValue(element, name).toInt();
}

PaletteFileChip readChip(const xmlNode *element)
{
    PaletteFileChip chip;
    chip.row = decimalAttribute(element, kRowAttribute);
    chip.column = decimalAttribute(element, kColumnAttribute);
    const xmlNode *first = element->children;
    if (isEntryElement(first)) {
        chip.hasEntry = true;
        chip.collection = QUuid::fromString(Xml::attributeValue(first, kCollectionAttribute));
        chip.pageIndex = decimalAttribute(first, kPageIndexAttribute);
        chip.rowIndex = decimalAttribute(first, kRowIndexAttribute);
        chip.colorCode = Xml::attributeValue(first, kColorCodeAttribute);
    } else {
        Xml::firstChildText(element, chip.text);
    }
    return chip;
}

bool insideGrid(const PaletteFileChip &chip)
{
    return chip.column >= 0 && chip.column < kColumns && chip.row >= 0 && chip.row < kRows;
}

QList<PaletteFileChip> readChips(xmlXPathContext *context)
{
    QList<PaletteFileChip> chips;
    const Xml::XPathObject result = Xml::evaluateNodeSet(context, kChipsPath);
    if (!result)
        return chips;
    const xmlNodeSet *nodes = result->nodesetval;
    chips.reserve(nodes->nodeNr);
    for (int i = 0; i < nodes->nodeNr; ++i) {
        if (nodes->nodeTab[i]->type != XML_ELEMENT_NODE)
            continue;
        const PaletteFileChip chip = readChip(nodes->nodeTab[i]);
        if (insideGrid(chip))
            chips.append(chip);
    }
    return chips;
}

} // namespace

QString withoutXmlForbiddenCharacters(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            kept.append(c);
            kept.append(text.at(++i));
        } else if (!c.isSurrogate() && isXmlCharacter(c.unicode())) {
            kept.append(c);
        }
    }
    return kept;
}

QByteArray paletteXmlDocument(const QString &description, const QList<PaletteXmlChip> &chips)
{
    Xml::ensureInitialised();
    xmlDoc *rawDocument = nullptr;
    TextWriter writer(xmlNewTextWriterDoc(&rawDocument, 0));
    const Xml::Document document(rawDocument);
    if (!writer || !document)
        return QByteArray();
    DocumentWriter out(writer.get());
    out.startDocument();
    out.startElement(kRootElement);
    out.attribute(kVersionAttribute, QString::fromLatin1(kPaletteXmlVersion));
    out.attribute(kSystemAttribute, QString::fromLatin1(kMultiCollectionSystem));
    out.whitespace(kBeforeTopLevel);
    out.startElement(kDescriptionElement);
    out.text(description);
    out.endElement();
    out.whitespace(kBeforeTopLevel);
    out.startElement(kChipsElement);
    for (const PaletteXmlChip &chip : chips)
        writeChip(out, chip);
    out.whitespace(kBeforeTopLevel);
    out.endElement();
    out.whitespace(kBeforeRootEnd);
    out.endElement();
    out.endDocument();
    writer.reset();
    if (!out.ok())
        return QByteArray();
    const QByteArray body = serialized(document.get());
    return body.isEmpty() ? QByteArray() : kByteOrderMark + body;
}

std::optional<PaletteFileContents> readPaletteXml(const QByteArray &bytes)
{
    const Xml::Document document = Xml::parseUntrusted(bytes, kMaxPaletteFileBytes);
    if (!document)
        return std::nullopt;
    const Xml::XPathContext context = Xml::newXPathContext(document.get());
    if (!context)
        return std::nullopt;
    const std::optional<QString> version = rootAttribute(context.get(), kVersionPath);
    const std::optional<int> major = version ? majorVersion(*version) : std::nullopt;
    if (!major)
        return std::nullopt;
    const std::optional<QString> system = rootAttribute(context.get(), kSystemPath);
    if (!system)
        return std::nullopt;
    PaletteFileContents contents;
    contents.majorVersion = *major;
    contents.system = *system;
    contents.description = descriptionText(context.get());
    contents.chips = readChips(context.get());
    return contents;
}

} // namespace Corvo
