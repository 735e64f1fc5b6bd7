#include "engine/db/vistaragroup.h"

#include "engine/db/recordreader.h"

namespace Corvo::DB {

VistaraGroup::VistaraGroup(const QSqlRecord &record)
{
    AbstractBase::read(record);
    const RecordReader reader(record);
    reader.read("NAME", name);
    reader.read("DEFAULT_OPEN", defaultOpen);
    reader.read("ORDER", order);
}

} // namespace Corvo::DB
