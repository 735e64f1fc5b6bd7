#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

namespace Corvo::DB {

// Reads the columns of one result row by exact name. A field is set only when the row
// has a column of that name, its value is valid and it converts to the field's type;
// otherwise the field keeps what it held. Where several columns share a name, the
// first one counts.
class RecordReader
{
public:
    explicit RecordReader(const QSqlRecord &record);

    bool has(const char *name) const { return indexOf(name) >= 0; }
    QVariant value(const char *name) const;

    bool read(const char *name, qint64 &field) const;
    bool read(const char *name, int &field) const;
    bool read(const char *name, double &field) const;
    bool read(const char *name, bool &field) const;
    bool read(const char *name, QString &field) const;
    bool read(const char *name, QByteArray &field) const;
    // Moods are 1 to 6; any other value leaves the field alone.
    bool readMood(const char *name, int &field) const;
    // Ten passes over PREFIXn: the column's text, or an empty text when absent or null.
    void readTenTexts(const char *namePrefix, const char *extraPrefix, QStringList &names,
                      QStringList &extras) const;

private:
    int indexOf(const char *name) const;
    QString textOrEmpty(const char *column) const;

    // Every column's name and value copied out once: QSqlRecord copies a whole field on
    // each fieldName() and value() call, and a chip is read from some forty columns.
    // Names are compared by a hash first, so a look-up rarely compares texts.
    QList<QString> m_names;
    QList<QVariant> m_values;
    QList<uint> m_hashes;
};

} // namespace Corvo::DB
