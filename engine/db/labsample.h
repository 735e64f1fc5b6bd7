#pragma once

#include <QtGlobal>

namespace Corvo::DB {

// One chip of a collection's colour index: its stored CIELAB values and its row ID.
struct LabSample
{
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    qint64 rowId = -1;
};

} // namespace Corvo::DB
