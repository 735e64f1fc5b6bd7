#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// The small JSON codec between QVariant trees and text, used for the data that travels
// with a colour chip drag. The reader is lenient: commas are optional, text after the
// first value is ignored and numbers that do not convert read as 0. Malformed input is
// reported through ok, together with the partial result the format defines.
namespace Corvo {

// Containers nested deeper than this fail to read and to write.
inline constexpr int maxJsonNesting = 256;

// An empty text gives the null variant with ok true.
QVariant parseJson(const QString &text, bool &ok);
// The same for UTF-8 bytes; bytes that are not UTF-8 give the null variant with ok false.
QVariant parseJson(const QByteArray &utf8, bool &ok);

// UTF-8 text of the value; an empty result with ok false when some part cannot be written.
QByteArray serializeJson(const QVariant &value, bool &ok);

} // namespace Corvo
