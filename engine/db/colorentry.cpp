#include "engine/db/colorentry.h"

#include "engine/db/dblog.h"
#include "engine/db/recordreader.h"

namespace Corvo::DB {

ColorEntry::ColorEntry()
{
    ColorEntry::clear();
}

ColorEntry::ColorEntry(const QSqlRecord &record)
{
    ColorEntry::read(record);
}

void ColorEntry::clear()
{
    AbstractBase::clear();
    collectionId = -1;
    pageId = -1;
    rowIndex = -1;
    pageOrder = -1;
    code.clear();
    segment = -1;
    red = green = blue = -1;
    l = a = b = 0.0;
    isMto = neutral = white = false;
    mood = 0;
    schemePos = -1;
    nschemePos = -1;
    names.clear();
    extras.clear();
}

int ColorEntry::read(const QSqlRecord &record)
{
    clear();
    const RecordReader reader(record);
    reader.read("ID", id);
    if (!reader.read("COLLECTION_ID", collectionId))
        qCDebug(lcDb) << "Oops.";
    reader.read("PAGE_ID", pageId);
    reader.read("CODE", code);
    reader.readTenTexts("NAME", "EXTRA", names, extras);
    reader.read("SEGMENT", segment);
    reader.read("ROW_INDEX", rowIndex);
    reader.read("PAGE_ORDER", pageOrder);
    reader.read("RED", red);
    reader.read("GREEN", green);
    reader.read("BLUE", blue);
    reader.read("L", l);
    reader.read("A", a);
    reader.read("B", b);
    reader.read("IS_MTO", isMto);
    reader.read("NEUTRAL", neutral);
    reader.read("WHITE", white);
    reader.readMood("MOOD", mood);
    reader.read("SCHEME_POS", schemePos);
    reader.read("NSCHEME_POS", nschemePos);
    return 0;
}

QColor chipColor(const ColorEntry &entry)
{
    constexpr int channelMax = 255;
    return QColor(qBound(0, entry.red, channelMax), qBound(0, entry.green, channelMax),
                  qBound(0, entry.blue, channelMax));
}

} // namespace Corvo::DB
