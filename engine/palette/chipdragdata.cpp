#include "engine/palette/chipdragdata.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/jsoncodec.h"

#include <QMimeData>

#include <cmath>
#include <limits>

namespace Corvo {

namespace {

constexpr qint64 largestArgb = 0xFFFFFFFFLL;

// The integer a member holds; nothing for text, booleans, fractions and other types, so
// that "2" or true never pass for a number.
std::optional<qint64> integerMember(const QVariantMap &payload, const QString &key)
{
    const QVariant value = payload.value(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return value.toLongLong();
    case QMetaType::Double: {
        // Another writer may put out whole numbers as reals.
        const double real = value.toDouble();
        constexpr double limit = 9007199254740992.0; // 2^53: every integer below is exact
        if (!std::isfinite(real) || std::trunc(real) != real || std::fabs(real) > limit)
            return std::nullopt;
        return qint64(real);
    }
    default:
        return std::nullopt;
    }
}

QString textMember(const QVariantMap &payload, const QString &key)
{
    const QVariant value = payload.value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace

QVariantMap chipPayload(ChipOrigin origin, const QUuid &collection, qint64 rowId)
{
    return {{ChipPayloadKey::from, int(origin)},
            {ChipPayloadKey::collectionUuid, collection.toString(QUuid::WithBraces)},
            {ChipPayloadKey::colorId, rowId}};
}

QVariantMap freeColorPayload(const QColor &color, const QString &name1, const QString &name2)
{
    const QRgb opaque = color.rgb() | 0xFF000000u;
    return {{ChipPayloadKey::from, int(ChipOrigin::FreeColor)},
            {ChipPayloadKey::colorRgb, quint64(opaque)},
            {ChipPayloadKey::colorName1, name1},
            {ChipPayloadKey::colorName2, name2}};
}

std::unique_ptr<QMimeData> chipMimeData(const QVariantMap &payload)
{
    bool ok = false;
    const QByteArray text = serializeJson(payload, ok);
    if (!ok)
        return nullptr;
    auto mime = std::make_unique<QMimeData>();
    mime->setData(chipMimeType, text);
    return mime;
}

bool hasChipData(const QMimeData *mime)
{
    return mime != nullptr && mime->hasFormat(chipMimeType);
}

std::optional<QVariantMap> readChipPayload(const QMimeData *mime)
{
    if (!hasChipData(mime))
        return std::nullopt;
    bool ok = false;
    const QVariant value = parseJson(mime->data(chipMimeType), ok);
    if (!ok || value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value.toMap();
}

ChipOrigin chipOrigin(const QVariantMap &payload)
{
    const std::optional<qint64> from = integerMember(payload, ChipPayloadKey::from);
    if (!from || *from < int(ChipOrigin::CardRoller) || *from > int(ChipOrigin::FreeColor))
        return ChipOrigin::None;
    return ChipOrigin(*from);
}

ChipOrigin chipOrigin(const QMimeData *mime)
{
    const std::optional<QVariantMap> payload = readChipPayload(mime);
    return payload ? chipOrigin(*payload) : ChipOrigin::None;
}

bool decodeChip(const QVariantMap &payload, QUuid &collection, DB::ColorEntry &entry)
{
    collection = QUuid::fromString(textMember(payload, ChipPayloadKey::collectionUuid));
    entry.clear();
    const qint64 rowId = integerMember(payload, ChipPayloadKey::colorId).value_or(0);
    if (collection.isNull() || rowId <= 0)
        return false;
    return DB::rowById(collection, rowId, entry) == DB::Ok;
}

bool decodeChip(const QMimeData *mime, QUuid &collection, DB::ColorEntry &entry)
{
    collection = QUuid();
    entry.clear();
    const std::optional<QVariantMap> payload = readChipPayload(mime);
    return payload && decodeChip(*payload, collection, entry);
}

std::optional<QColor> decodeColor(const QVariantMap &payload)
{
    const std::optional<qint64> argb = integerMember(payload, ChipPayloadKey::colorRgb);
    if (!argb || *argb < 0 || *argb > largestArgb)
        return std::nullopt;
    return QColor::fromRgb(QRgb(*argb) | 0xFF000000u);
}

std::optional<QColor> decodeColor(const QMimeData *mime)
{
    const std::optional<QVariantMap> payload = readChipPayload(mime);
    return payload ? decodeColor(*payload) : std::nullopt;
}

ChipNames decodeNames(const QVariantMap &payload)
{
    return {textMember(payload, ChipPayloadKey::colorName1),
            textMember(payload, ChipPayloadKey::colorName2)};
}

ChipNames decodeNames(const QMimeData *mime)
{
    const std::optional<QVariantMap> payload = readChipPayload(mime);
    return payload ? decodeNames(*payload) : ChipNames();
}

bool paletteAcceptsChip(ChipOrigin origin, bool paletteZoomed)
{
    return !paletteZoomed && (origin == ChipOrigin::CardRoller || origin == ChipOrigin::ChipView);
}

bool cardRollerAcceptsChip(ChipOrigin origin)
{
    return origin == ChipOrigin::ChipView || origin == ChipOrigin::Palette ||
           origin == ChipOrigin::FreeColor;
}

} // namespace Corvo
