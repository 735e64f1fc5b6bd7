#include "engine/db/texture.h"

#include "engine/db/dblog.h"
#include "engine/db/recordreader.h"

namespace Corvo::DB {

Texture::Texture(const QSqlRecord &record)
{
    AbstractBase::read(record);
    const RecordReader reader(record);
    if (!reader.read("COLLECTION_ID", collectionId))
        qCDebug(lcDb) << "Oops.";
    reader.read("NAME", name);
    reader.read("BASE_ALPHA", baseAlpha);
    QByteArray bytes;
    if (reader.read("IMAGE", bytes))
        image = QImage::fromData(bytes);
}

} // namespace Corvo::DB
