#pragma once

#include "host/api/hostapi.h"

#include <array>
#include <cstdint>

namespace Corvo {

// The add-on's side of the host: the service table handed over at load time and the
// context received at initialisation. Every service call passes the context first; a
// service the table lacks answers kHostServiceMissing without reaching the host.
class HostConnection
{
public:
    static HostConnection &instance();

    // Copies the host's whole table.
    void setServiceTable(const void *table);
    bool hasServiceTable() const { return m_hasTable; }
    void setContext(void *context) { m_context = context; }
    void *context() const { return m_context; }
    // Forgets table and context (the module is unloading, or a test starts afresh).
    void reset();

    int32_t registerMenu(int16_t menuResId, int16_t promptResId, int32_t flags = 0) const;
    int32_t installMenuHandler(int16_t menuResId, MenuCommandProc handler) const;
    int32_t installNotificationHandler(NotificationProc handler) const;
    // The host's main window, or null when the host does not say.
    void *mainWindow() const;
    int32_t getAttribute(void *attributeRecord) const;
    int32_t createAttribute(void *attributeRecord, void *definitionRecord) const;
    int32_t modifyAttribute(void *attributeRecord, void *definitionRecord) const;
    int32_t requestResidency() const;
    // Whether the host's table lists attributes by type (an older host's does not).
    bool listsAttributes() const;
    int32_t attributeCount(int32_t type, int32_t &count) const;
    int32_t attributeByIndex(int32_t type, int32_t index, void *attributeRecord,
                             void *definitionRecord) const;

private:
    HostConnection() = default;
    const HostServices *services() const;

    alignas(HostServices) std::array<unsigned char, HostApi::kServiceTableBytes> m_table{};
    bool m_hasTable = false;
    void *m_context = nullptr;
};

} // namespace Corvo
