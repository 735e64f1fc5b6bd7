#include "tools/tintwell/import/swatchfilereader.h"

#include "tools/tintwell/import/asereader.h"
#include "tools/tintwell/import/csvswatchreader.h"
#include "tools/tintwell/import/cxf3swatchreader.h"
#include "tools/tintwell/import/gplreader.h"
#include "tools/tintwell/import/swatchreadcontext.h"

#include <QFile>
#include <QFileInfo>

namespace Tintwell {

SwatchFileReader::Outcome SwatchFileReader::refuse(const QString &what)
{
    m_lastError = what;
    return Outcome::Refused;
}

SwatchFileReader::Outcome SwatchFileReader::read(const QString &path, SwatchReadContext &context)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.isFile())
        return refuse(QStringLiteral("%1: no such file").arg(path));
    if (info.size() > kMaxBytes)
        return refuse(QStringLiteral("%1: larger than 64 MiB").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("%1: %2").arg(name, file.errorString()));
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes)
        return refuse(QStringLiteral("%1: larger than 64 MiB").arg(name));
    if (bytes.trimmed().isEmpty())
        return refuse(QStringLiteral("%1: the file is empty").arg(name));
    context.beginFile(name);
    const bool whole = AseReader::isAse(bytes)           ? AseReader::read(bytes, context)
                       : GplReader::isGpl(bytes)         ? GplReader::read(bytes, context)
                       : Cxf3SwatchReader::isCxf3(bytes) ? Cxf3SwatchReader::read(bytes, context)
                                                         : CsvSwatchReader::read(bytes, context);
    if (!whole && context.strict()) {
        m_lastError = QStringLiteral("%1: stopped at the first bad row").arg(name);
        return Outcome::Stopped;
    }
    if (context.entriesOfFile() == 0)
        return refuse(QStringLiteral("%1: no readable colour").arg(name));
    return Outcome::Read;
}

} // namespace Tintwell
