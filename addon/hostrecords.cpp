#include "addon/hostrecords.h"

#include "addon/hostexport.h"
#include "host/api/gsroot.h"

#include <cstring>

namespace Corvo {

HostRecords::HostRecords()
    : m_attribute(HostApi::kAttributeRecordBytes), m_definition(HostApi::kDefinitionRecordBytes)
{
    BNFillMemory(m_attribute.data(), GSSize(m_attribute.size()), 0);
    BNFillMemory(m_definition.data(), GSSize(m_definition.size()), 0);
}

HostRecords::HostRecords(int32_t type, const QString &name) : HostRecords()
{
    HostApi::write<int32_t>(attribute(), HostApi::kAttributeTypeOffset, type);
    setName(name);
}

HostRecords::~HostRecords()
{
    auto handle = HostApi::read<GSHandle>(definition(), HostApi::kPenTableHandleOffset);
    BMKillHandle(&handle);
}

char *HostRecords::pens()
{
    const auto handle = HostApi::read<GSHandle>(definition(), HostApi::kPenTableHandleOffset);
    return handle && *handle && BMGetHandleSize(handle) >= GSSize(HostApi::kPenTableBytes)
               ? *handle
               : nullptr;
}

void HostRecords::setName(const QString &name)
{
    writeHostText(attribute(), HostApi::kAttributeNameOffset, name, HostApi::kAttributeNameBytes);
}

QString HostRecords::name() const
{
    return readHostText(m_attribute.data(), HostApi::kAttributeNameOffset,
                        HostApi::kAttributeNameBytes);
}

void writeHostText(void *block, std::size_t offset, const QString &text, std::size_t capacity)
{
    char *field = static_cast<char *>(block) + offset;
    std::memset(field, 0, capacity);
    const QByteArray bytes = HostExport::fieldText(text, int(capacity));
    std::memcpy(field, bytes.constData(), std::size_t(bytes.size()));
}

QString readHostText(const void *block, std::size_t offset, std::size_t capacity)
{
    return QString::fromUtf8(HostApi::textField(block, offset),
                             qsizetype(HostApi::textLength(block, offset, capacity)));
}

} // namespace Corvo
