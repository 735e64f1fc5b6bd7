#include "engine/db/textureplacement.h"

#include "engine/db/recordreader.h"

namespace Corvo::DB {

TexturePlacement::TexturePlacement(const QSqlRecord &record)
{
    const RecordReader reader(record);
    reader.read("TEXTURE_ID", textureId);
    reader.read("PAGE_ID", pageId);
    reader.read("NAME", name);
    reader.read("ALPHA", alpha);
}

} // namespace Corvo::DB
