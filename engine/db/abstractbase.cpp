#include "engine/db/abstractbase.h"

#include "engine/db/recordreader.h"

namespace Corvo::DB {

AbstractBase::~AbstractBase() = default;

void AbstractBase::clear()
{
    id = -1;
}

int AbstractBase::read(const QSqlRecord &record)
{
    clear();
    RecordReader(record).read("ID", id);
    return 0;
}

} // namespace Corvo::DB
