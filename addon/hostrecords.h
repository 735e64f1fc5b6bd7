#pragma once

#include "host/api/hostapi.h"

#include <QString>

#include <vector>

namespace Corvo {

// The attribute and definition records of one host call, zeroed; the pen-table handle a
// definition record holds is released with them.
class HostRecords
{
public:
    HostRecords();
    // With the type and the name (cut to fit its field) written in.
    HostRecords(int32_t type, const QString &name);
    ~HostRecords();
    HostRecords(const HostRecords &) = delete;
    HostRecords &operator=(const HostRecords &) = delete;

    void *attribute() { return m_attribute.data(); }
    void *definition() { return m_definition.data(); }
    // The definition record's pen table: null when it holds none of the full size.
    char *pens();
    // Replaces the name field's text, cut to fit with its terminator.
    void setName(const QString &name);
    QString name() const;

private:
    std::vector<unsigned char> m_attribute;
    std::vector<unsigned char> m_definition;
};

// A text field of `capacity` bytes: emptied, then the text cut to fit with its terminator.
void writeHostText(void *block, std::size_t offset, const QString &text, std::size_t capacity);
// The field's UTF-8 text up to its terminator (or its end).
QString readHostText(const void *block, std::size_t offset, std::size_t capacity);

} // namespace Corvo
