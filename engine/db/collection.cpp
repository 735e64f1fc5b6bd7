#include "engine/db/collection.h"

#include "engine/db/recordreader.h"

namespace Corvo::DB {

Collection::Collection(const QSqlRecord &record)
{
    AbstractBase::read(record);
    const RecordReader reader(record);
    reader.read("SYSTEMID", systemId);
    reader.read("VERSION", version);
    QString uuidText;
    if (reader.read("UUID", uuidText)) {
        const QUuid parsed(uuidText);
        if (!parsed.isNull())
            uuid = parsed;
    }
    reader.read("NAME", name);
    reader.read("ORDER", order);
}

} // namespace Corvo::DB
