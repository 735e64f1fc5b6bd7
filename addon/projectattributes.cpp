#include "addon/projectattributes.h"

#include "addon/hostconnection.h"
#include "addon/hostrecords.h"

#include <QtMath>

namespace Corvo::ProjectAttributes {

namespace {

QColor colourAt(const void *block, std::size_t offset)
{
    const auto channel = [&](std::size_t i) {
        return qBound(0, qRound(HostApi::read<double>(block, offset + 8 * i) * 255.0), 255);
    };
    return QColor(channel(0), channel(1), channel(2));
}

void writeColour(void *block, std::size_t offset, const QColor &colour)
{
    const double channels[] = {colour.red() / 255.0, colour.green() / 255.0, colour.blue() / 255.0};
    for (std::size_t i = 0; i < 3; ++i)
        HostApi::write<double>(block, offset + 8 * i, channels[i]);
}

char *penAt(char *pens, int pen)
{
    return pens + std::size_t(pen - 1) * HostApi::kPenRecordBytes;
}

// The white pens of width 0 that an export puts after its colours.
bool isFiller(const char *pen)
{
    return HostApi::read<double>(pen, HostApi::kPenWidthOffset) == 0.0 &&
           colourAt(pen, HostApi::kPenColorOffset) == QColor(Qt::white);
}

void readMaterials(QList<Attribute> &attributes)
{
    const HostConnection &host = HostConnection::instance();
    int32_t count = 0;
    host.attributeCount(kAttributeMaterial, count);
    for (int index = 1; index <= count; ++index) {
        HostRecords records;
        if (host.attributeByIndex(kAttributeMaterial, index, records.attribute(),
                                  records.definition()) != kHostNoError)
            continue;
        Attribute material;
        material.index = index;
        material.name = records.name();
        material.colour = colourAt(records.attribute(), HostApi::kMaterialSurfaceOffset);
        attributes.append(material);
    }
}

void readPens(QList<Attribute> &attributes)
{
    const HostConnection &host = HostConnection::instance();
    int32_t count = 0;
    host.attributeCount(kAttributePenTable, count);
    for (int index = 1; index <= count; ++index) {
        HostRecords records;
        if (host.attributeByIndex(kAttributePenTable, index, records.attribute(),
                                  records.definition()) != kHostNoError ||
            !records.pens())
            continue;
        for (int pen = 1; pen <= HostApi::kPenCount; ++pen) {
            const char *record = penAt(records.pens(), pen);
            if (isFiller(record))
                continue;
            Attribute attribute;
            attribute.kind = Attribute::Pen;
            attribute.index = index;
            attribute.pen = pen;
            attribute.name = records.name();
            attribute.description =
                readHostText(record, HostApi::kPenDescriptionOffset, HostApi::kPenDescriptionBytes);
            attribute.colour = colourAt(record, HostApi::kPenColorOffset);
            attributes.append(attribute);
        }
    }
}

// The material's name stays when another material carries the new one already.
bool nameBelongsToAnother(const QString &name, int index)
{
    HostRecords probe(kAttributeMaterial, name);
    return HostConnection::instance().getAttribute(probe.attribute()) == kHostNoError &&
           HostApi::read<int32_t>(probe.attribute(), HostApi::kAttributeIndexOffset) != index;
}

std::optional<Attribute> applyToMaterial(const Change &change)
{
    const HostConnection &host = HostConnection::instance();
    HostRecords records;
    if (host.attributeByIndex(kAttributeMaterial, change.attribute.index, records.attribute(),
                              records.definition()) != kHostNoError)
        return std::nullopt;
    writeColour(records.attribute(), HostApi::kMaterialSurfaceOffset, change.colour);
    if (!nameBelongsToAnother(change.name, change.attribute.index))
        records.setName(change.name);
    if (host.modifyAttribute(records.attribute(), records.definition()) != kHostNoError)
        return std::nullopt;
    Attribute now = change.attribute;
    now.colour = change.colour;
    now.name = records.name();
    return now;
}

// The changes of one pen table, at `positions` of the list, in one modify call.
void applyToPenTable(const QList<Change> &changes, const QList<int> &positions,
                     QList<std::optional<Attribute>> &results)
{
    const HostConnection &host = HostConnection::instance();
    HostRecords records;
    const int table = changes.at(positions.first()).attribute.index;
    if (host.attributeByIndex(kAttributePenTable, table, records.attribute(),
                              records.definition()) != kHostNoError ||
        !records.pens())
        return;
    for (const int position : positions) {
        const Change &change = changes.at(position);
        char *pen = penAt(records.pens(), change.attribute.pen);
        writeColour(pen, HostApi::kPenColorOffset, change.colour);
        writeHostText(pen, HostApi::kPenDescriptionOffset, change.name,
                      HostApi::kPenDescriptionBytes);
    }
    // Kept as the host has it, so that the table is found by its index and not renamed.
    if (host.modifyAttribute(records.attribute(), records.definition()) != kHostNoError)
        return;
    for (const int position : positions) {
        Attribute now = changes.at(position).attribute;
        now.colour = changes.at(position).colour;
        now.description =
            readHostText(penAt(records.pens(), now.pen), HostApi::kPenDescriptionOffset,
                         HostApi::kPenDescriptionBytes);
        results[position] = now;
    }
}

bool isValidPen(const Attribute &attribute)
{
    return attribute.pen >= 1 && attribute.pen <= HostApi::kPenCount;
}

} // namespace

std::optional<QList<Attribute>> read()
{
    if (!HostConnection::instance().listsAttributes())
        return std::nullopt;
    QList<Attribute> attributes;
    readMaterials(attributes);
    readPens(attributes);
    return attributes;
}

QList<std::optional<Attribute>> apply(const QList<Change> &changes)
{
    QList<std::optional<Attribute>> results(changes.size());
    QList<int> tables;
    for (int i = 0; i < changes.size(); ++i) {
        const Attribute &attribute = changes.at(i).attribute;
        if (attribute.kind == Attribute::Material)
            results[i] = applyToMaterial(changes.at(i));
        else if (isValidPen(attribute) && !tables.contains(attribute.index))
            tables.append(attribute.index);
    }
    for (const int table : tables) {
        QList<int> positions;
        for (int i = 0; i < changes.size(); ++i) {
            const Attribute &attribute = changes.at(i).attribute;
            if (attribute.kind == Attribute::Pen && attribute.index == table &&
                isValidPen(attribute))
                positions.append(i);
        }
        applyToPenTable(changes, positions, results);
    }
    return results;
}

} // namespace Corvo::ProjectAttributes
