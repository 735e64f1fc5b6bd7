#include "engine/db/recordreader.h"

#include <QSqlField>

namespace Corvo::DB {

RecordReader::RecordReader(const QSqlRecord &record) : m_record(record)
{
    const int count = record.count();
    m_names.reserve(count);
    for (int i = 0; i < count; ++i)
        m_names.append(record.fieldName(i));
}

int RecordReader::indexOf(const char *name) const
{
    const QLatin1StringView wanted(name);
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i) == wanted)
            return i;
    }
    return -1;
}

QVariant RecordReader::value(const char *name) const
{
    const int index = indexOf(name);
    return index < 0 ? QVariant() : m_record.value(index);
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

QString RecordReader::textOrEmpty(const QString &column) const
{
    const QByteArray latin = column.toLatin1();
    QString text;
    read(latin.constData(), text);
    return text;
}

void RecordReader::readTenTexts(const char *namePrefix, const char *extraPrefix, QStringList &names,
                                QStringList &extras) const
{
    const QString namePart = QLatin1StringView(namePrefix);
    const QString extraPart = QLatin1StringView(extraPrefix);
    for (int n = 0; n < 10; ++n) {
        names.append(textOrEmpty(namePart + QString::number(n)));
        extras.append(textOrEmpty(extraPart + QString::number(n)));
    }
}

} // namespace Corvo::DB
