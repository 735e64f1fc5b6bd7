#include "engine/db/colorpage.h"

#include "engine/db/recordreader.h"

#include <algorithm>

namespace Corvo::DB {

ColorPage::ColorPage(const QSqlRecord &record)
{
    AbstractBase::read(record);
    const RecordReader reader(record);
    reader.read("PAGE_INDEX", pageIndex);
    reader.read("SEGMENT", segment);
    reader.readTenTexts("NAME", "EXTRA", names, extras);
    reader.read("EXTERIOR", exterior);
    reader.readMood("MOOD", mood);
}

void ColorPage::sortRows()
{
    std::stable_sort(rows.begin(), rows.end(), [](const ColorEntry &x, const ColorEntry &y) {
        return x.rowIndex < y.rowIndex;
    });
}

} // namespace Corvo::DB
