#include "engine/db/vistaraentry.h"

#include "engine/db/recordreader.h"

namespace Corvo::DB {

VistaraEntry::VistaraEntry(const QSqlRecord &record)
{
    AbstractBase::read(record);
    const RecordReader reader(record);
    reader.read("ROW_ID", rowId);
    reader.read("NAME_1", name1);
    reader.read("NAME_2", name2);
    int channel = 0;
    // Each channel read makes the colour an opaque RGB colour, as a partial row would.
    if (reader.read("RED", channel))
        color.setRgb(channel, color.isValid() ? color.green() : 0,
                     color.isValid() ? color.blue() : 0);
    if (reader.read("GREEN", channel))
        color.setRgb(color.isValid() ? color.red() : 0, channel,
                     color.isValid() ? color.blue() : 0);
    if (reader.read("BLUE", channel))
        color.setRgb(color.isValid() ? color.red() : 0, color.isValid() ? color.green() : 0,
                     channel);
    reader.read("ORDER", order);
}

} // namespace Corvo::DB
