#pragma once

#include <QString>

namespace Tintwell {

class SwatchReadContext;

// Reads one swatch file of any supported kind into the context, telling the kinds apart by
// their content: swatch exchange (.ase), image-editor palette (.gpl), measurement file
// (CxF3) and, failing those, a spreadsheet (.csv).
class SwatchFileReader
{
public:
    // Larger files are refused unread: no fan deck comes near this.
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    enum class Outcome {
        Read,    // at least one colour; bad rows may have been skipped
        Stopped, // a bad row with strict set
        Refused, // unreadable, empty, too large or without one readable colour
    };

    Outcome read(const QString &path, SwatchReadContext &context);
    // Why the file was refused or reading stopped.
    QString lastError() const { return m_lastError; }

private:
    Outcome refuse(const QString &what);

    QString m_lastError;
};

} // namespace Tintwell
