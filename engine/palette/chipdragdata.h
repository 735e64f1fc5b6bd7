#pragma once

#include "engine/db/colorentry.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QUuid>
#include <QVariantMap>

#include <memory>
#include <optional>

class QMimeData;

// The data that travels with a colour chip drag: one MIME type whose data is a small JSON
// object naming where the drag started and either a collection chip or a free colour.
namespace Corvo {

inline const QString chipMimeType = QStringLiteral("velmora.hueport/color.chip.dnd.info");

// Where a drag started; None stands for no valid drag.
enum class ChipOrigin : int {
    None = 0,
    CardRoller = 1,
    ChipView = 2, // the colour schemer and the other views of database chips
    Palette = 3,
    FreeColor = 4, // a colour of the Vistara view that is not a database chip
};

// Member names of the payload. "collectuionUuid" is spelt as the other end reads it.
namespace ChipPayloadKey {
inline const QString from = QStringLiteral("from");
inline const QString collectionUuid = QStringLiteral("collectuionUuid");
inline const QString colorId = QStringLiteral("colorId");
inline const QString colorRgb = QStringLiteral("colorRgb");
inline const QString colorName1 = QStringLiteral("colorName1");
inline const QString colorName2 = QStringLiteral("colorName2");
} // namespace ChipPayloadKey

// A collection chip (origins 1 to 3).
QVariantMap chipPayload(ChipOrigin origin, const QUuid &collection, qint64 rowId);
// A free colour (origin 4): the colour as ARGB with alpha 255 and its two name lines.
QVariantMap freeColorPayload(const QColor &color, const QString &name1, const QString &name2);

// The payload written under the chip MIME type; nothing when it cannot be written.
std::unique_ptr<QMimeData> chipMimeData(const QVariantMap &payload);

bool hasChipData(const QMimeData *mime);
// The payload object; nothing when the type is missing or the data is not a JSON object.
std::optional<QVariantMap> readChipPayload(const QMimeData *mime);

// 1 to 4 from "from"; None when absent, not an integer or out of range.
ChipOrigin chipOrigin(const QVariantMap &payload);
ChipOrigin chipOrigin(const QMimeData *mime);

// The chip's collection ("collectuionUuid"; null when absent) and its colour row read from
// that collection by "colorId". False when the row cannot be read.
bool decodeChip(const QVariantMap &payload, QUuid &collection, DB::ColorEntry &entry);
bool decodeChip(const QMimeData *mime, QUuid &collection, DB::ColorEntry &entry);

// "colorRgb" as an opaque colour, alpha ignored; nothing when absent or when it is not an
// integer from 0 to 0xFFFFFFFF.
std::optional<QColor> decodeColor(const QVariantMap &payload);
std::optional<QColor> decodeColor(const QMimeData *mime);

struct ChipNames
{
    QString name1;
    QString name2;
};
// "colorName1" and "colorName2"; a member that is missing or not text is empty.
ChipNames decodeNames(const QVariantMap &payload);
ChipNames decodeNames(const QMimeData *mime);

// Which drops a receiver takes. No view takes its own chips back.
bool paletteAcceptsChip(ChipOrigin origin, bool paletteZoomed);
bool cardRollerAcceptsChip(ChipOrigin origin);

} // namespace Corvo
