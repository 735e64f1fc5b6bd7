#pragma once

#include "engine/capsure/cxf3measurement.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Reading the colour names and values out of a Capsure measurement (a CxF3 document).
namespace Corvo {

// The CxF3 core namespace; "Object" elements in any other namespace are not measurements.
inline constexpr char kCxf3CoreNamespace[] = "http://colorexchangeformat.com/CxF3-core";
// A measurement file is a few kilobytes; anything this large is not one.
inline constexpr qsizetype kMaxCxf3Bytes = 16 * 1024 * 1024;

// The Name attribute of every CxF3 core Object, in document order. Empty when the bytes
// are not a readable document (malformed, too large, declaring entities).
QStringList readCxf3ObjectNames(const QByteArray &bytes);

// Every CxF3 core Object in document order, named or not, with the first usable CIELAB
// and sRGB values of its ColorValues. Empty when the bytes are not a readable document.
QList<Cxf3Measurement> readCxf3Measurements(const QByteArray &bytes);

} // namespace Corvo
