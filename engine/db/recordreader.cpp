#include "engine/db/recordreader.h"

#include <QSqlField>

#include <QVarLengthArray>

#include <cstring>

namespace Corvo::DB {

namespace {

// The same hash for a column name held as UTF-16 and for one asked for in Latin-1.
template <typename Text>
uint nameHash(const Text &name)
{
    uint hash = 2166136261u;
    for (const auto character : name)
        hash = (hash ^ static_cast<uint>(QChar(character).unicode())) * 16777619u;
    return hash;
}

// "PREFIX" followed by one digit, built in place without allocating.
class ColumnName
{
public:
    explicit ColumnName(const char *prefix) : m_length(qstrlen(prefix))
    {
        m_text.resize(m_length + 2);
        std::memcpy(m_text.data(), prefix, m_length);
        m_text[m_length + 1] = '\0';
    }

    const char *withDigit(int digit)
    {
        m_text[m_length] = static_cast<char>('0' + digit);
        return m_text.constData();
    }

private:
    size_t m_length;
    QVarLengthArray<char, 16> m_text;
};

} // namespace

RecordReader::RecordReader(const QSqlRecord &record)
{
    const int count = record.count();
    m_names.reserve(count);
    m_values.reserve(count);
    m_hashes.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QSqlField field = record.field(i);
        m_names.append(field.name());
        m_values.append(field.value());
        m_hashes.append(nameHash(QStringView(m_names.last())));
    }
}

int RecordReader::indexOf(const char *name) const
{
    const QLatin1StringView wanted(name);
    const uint hash = nameHash(wanted);
    for (int i = 0; i < m_hashes.size(); ++i) {
        if (m_hashes.at(i) == hash && m_names.at(i) == wanted)
            return i;
    }
    return -1;
}

QVariant RecordReader::value(const char *name) const
{
    const int index = indexOf(name);
    return index < 0 ? QVariant() : m_values.at(index);
}

bool RecordReader::read(const char *name, qint64 &field) const
{
    const QVariant v = value(name);
    if (!v.isValid())
        return false;
    bool ok = false;
    const qint64 converted = v.toLongLong(&ok);
    if (ok)
        field = converted;
    return ok;
}

bool RecordReader::read(const char *name, int &field) const
{
    const QVariant v = value(name);
    if (!v.isValid())
        return false;
    bool ok = false;
    const int converted = v.toInt(&ok);
    if (ok)
        field = converted;
    return ok;
}

bool RecordReader::read(const char *name, double &field) const
{
    const QVariant v = value(name);
    if (!v.isValid())
        return false;
    bool ok = false;
    const double converted = v.toDouble(&ok);
    if (ok)
        field = converted;
    return ok;
}

bool RecordReader::read(const char *name, bool &field) const
{
    qint64 number = 0;
    if (!read(name, number))
        return false;
    field = number != 0;
    return true;
}

bool RecordReader::read(const char *name, QString &field) const
{
    const QVariant v = value(name);
    if (!v.isValid() || !v.canConvert<QString>())
        return false;
    field = v.toString();
    return true;
}

bool RecordReader::read(const char *name, QByteArray &field) const
{
    const QVariant v = value(name);
    if (!v.isValid() || !v.canConvert<QByteArray>())
        return false;
    field = v.toByteArray();
    return true;
}

bool RecordReader::readMood(const char *name, int &field) const
{
    int mood = 0;
    if (!read(name, mood) || mood < 1 || mood > 6)
        return false;
    field = mood;
    return true;
}

QString RecordReader::textOrEmpty(const char *column) const
{
    QString text;
    read(column, text);
    return text;
}

void RecordReader::readTenTexts(const char *namePrefix, const char *extraPrefix, QStringList &names,
                                QStringList &extras) const
{
    ColumnName name(namePrefix);
    ColumnName extra(extraPrefix);
    for (int n = 0; n < 10; ++n) {
        names.append(textOrEmpty(name.withDigit(n)));
        extras.append(textOrEmpty(extra.withDigit(n)));
    }
}

} // namespace Corvo::DB
