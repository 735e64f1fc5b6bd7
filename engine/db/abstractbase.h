#pragma once

#include <QtGlobal>

class QSqlRecord;

namespace Corvo::DB {

// Base of every record read from a collection database. A record is filled from one
// result row by column name, so one record type serves every query that selects its
// columns, whatever else the query returns.
class AbstractBase
{
public:
    AbstractBase() = default;
    AbstractBase(const AbstractBase &) = default;
    AbstractBase &operator=(const AbstractBase &) = default;
    virtual ~AbstractBase();

    virtual bool isValid() const = 0;
    // Back to the state of a record read from no row.
    virtual void clear();
    // Resets the record, then reads "ID". Always returns 0: reading never fails.
    virtual int read(const QSqlRecord &record);

    qint64 id = 0;
};

} // namespace Corvo::DB
