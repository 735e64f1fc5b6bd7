#include "addon/hostconnection.h"

#include <cstddef>
#include <cstring>

namespace Corvo {

namespace {

constexpr int32_t kMenuCode = 0;
constexpr int32_t kStayResident = 1;

} // namespace

HostConnection &HostConnection::instance()
{
    static HostConnection connection;
    return connection;
}

void HostConnection::setServiceTable(const void *table)
{
    if (!table)
        return;
    std::memcpy(m_table.data(), table, m_table.size());
    m_hasTable = true;
}

void HostConnection::reset()
{
    m_table.fill(0);
    m_hasTable = false;
    m_context = nullptr;
}

const HostServices *HostConnection::services() const
{
    return m_hasTable ? reinterpret_cast<const HostServices *>(m_table.data()) : nullptr;
}

int32_t HostConnection::registerMenu(int16_t menuResId, int16_t promptResId, int32_t flags) const
{
    const HostServices *s = services();
    return s && s->registerMenu
               ? s->registerMenu(m_context, menuResId, promptResId, kMenuCode, flags)
               : kHostServiceMissing;
}

int32_t HostConnection::installMenuHandler(int16_t menuResId, MenuCommandProc handler) const
{
    const HostServices *s = services();
    return s && s->installMenuHandler ? s->installMenuHandler(m_context, menuResId, handler)
                                      : kHostServiceMissing;
}

int32_t HostConnection::installNotificationHandler(NotificationProc handler) const
{
    const HostServices *s = services();
    return s && s->installNotificationHandler
               ? s->installNotificationHandler(m_context, kAllNotifications, handler)
               : kHostServiceMissing;
}

void *HostConnection::mainWindow() const
{
    const HostServices *s = services();
    void *window = nullptr;
    if (!s || !s->environment ||
        s->environment(m_context, kEnvironmentMainWindow, &window, nullptr, nullptr) !=
            kHostNoError)
        return nullptr;
    return window;
}

int32_t HostConnection::getAttribute(void *attributeRecord) const
{
    const HostServices *s = services();
    return s && s->getAttribute ? s->getAttribute(m_context, attributeRecord) : kHostServiceMissing;
}

int32_t HostConnection::createAttribute(void *attributeRecord, void *definitionRecord) const
{
    const HostServices *s = services();
    return s && s->createAttribute
               ? s->createAttribute(m_context, attributeRecord, definitionRecord)
               : kHostServiceMissing;
}

int32_t HostConnection::modifyAttribute(void *attributeRecord, void *definitionRecord) const
{
    const HostServices *s = services();
    return s && s->modifyAttribute
               ? s->modifyAttribute(m_context, attributeRecord, definitionRecord)
               : kHostServiceMissing;
}

int32_t HostConnection::requestResidency() const
{
    const HostServices *s = services();
    return s && s->residencyRequest ? s->residencyRequest(m_context, kStayResident)
                                    : kHostServiceMissing;
}

bool HostConnection::listsAttributes() const
{
    const HostServices *s = services();
    return s && s->version >= kHostServicesWithAttributeList &&
           s->size >= offsetof(HostServices, getAttributeByIndex) + sizeof s->getAttributeByIndex &&
           s->getAttributeCount && s->getAttributeByIndex;
}

int32_t HostConnection::attributeCount(int32_t type, int32_t &count) const
{
    count = 0;
    return listsAttributes() ? services()->getAttributeCount(m_context, type, &count)
                             : kHostServiceMissing;
}

int32_t HostConnection::attributeByIndex(int32_t type, int32_t index, void *attributeRecord,
                                         void *definitionRecord) const
{
    return listsAttributes() ? services()->getAttributeByIndex(m_context, type, index,
                                                               attributeRecord, definitionRecord)
                             : kHostServiceMissing;
}

} // namespace Corvo
