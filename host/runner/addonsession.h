#pragma once

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"
#include "host/runner/contractmonitor.h"
#include "host/runner/projectstore.h"
#include "host/runner/recordchecks.h"

#include <array>
#include <string>
#include <vector>

namespace HostRunner {

// One loaded add-on module: the handshake, the menus it registered, its commands, and its
// orderly end. The services it calls reach the project through this session, which holds
// every call to the host's contract and reports each breach.
class AddOnSession
{
public:
    struct Handshake
    {
        int32_t checkEnvironment = kAddOnTypeRefused;
        std::string name;
        std::string description;
        int32_t registerInterface = kHostGeneralError;
        int32_t initialize = kHostGeneralError;
        bool started() const;
    };

    // One command of a registered menu.
    struct MenuItem
    {
        int16_t menuResId = 0;
        int16_t promptResId = 0;
        int16_t itemIndex = 0;
        std::string menuTitle;
        std::string itemText; // without the host's "^..." suffix
        bool enabled = true;
    };

    // `servicesVersion` below kHostServicesVersion hands over the table of that older host.
    explicit AddOnSession(ProjectStore &project, uint32_t servicesVersion = kHostServicesVersion);
    ~AddOnSession();
    AddOnSession(const AddOnSession &) = delete;
    AddOnSession &operator=(const AddOnSession &) = delete;

    // Loads the module and exchanges the two tables; false, and `error` set, when the
    // module cannot be loaded or lacks its entry points.
    bool load(const std::string &modulePath, std::string &error);
    // Check-environment, register-interface and initialise, in that order, each only
    // after the previous one succeeded.
    const Handshake &start();
    const std::vector<MenuItem> &menuItems() const { return m_menuItems; }
    // Runs the item's command; false when it has no handler or is disabled (nothing is
    // called then).
    bool run(const MenuItem &item, int32_t &result);
    // Free-data (when initialised) and unload; a memory handle the add-on never released
    // is a breach reported then.
    void finish();

    int residencyRequests() const { return m_residencyRequests; }
    // Each breach is handed to `announce` as it happens.
    void setBreachAnnouncer(std::function<void(const Breach &)> announce);
    const std::vector<Breach> &breaches() const { return m_monitor.breaches(); }

private:
    struct Handler
    {
        int16_t menuResId;
        MenuCommandProc proc;
    };

    // Every service starts here: the session when the call may be served, else null (the
    // breach is reported).
    static AddOnSession *enter(const ContractMonitor::Service &service, void *context);
    // The records of a create or modify call; false when there is nothing to serve.
    bool checkDefinition(const char *service, RecordChecks::AttributeUse use,
                         const void *attributeRecord, const void *definitionRecord);
    void checkHandles();
    static int32_t registerMenu(void *context, int16_t menuResId, int16_t promptResId,
                                int32_t menuCode, int32_t flags);
    static int32_t installMenuHandler(void *context, int16_t menuResId, MenuCommandProc handler);
    static int32_t installNotificationHandler(void *context, int32_t mask,
                                              NotificationProc handler);
    static int32_t environment(void *context, uint32_t code, void *result, void *, void *);
    static int32_t getAttribute(void *context, void *attributeRecord);
    static int32_t createAttribute(void *context, void *attributeRecord, void *definitionRecord);
    static int32_t modifyAttribute(void *context, void *attributeRecord, void *definitionRecord);
    static int32_t residencyRequest(void *context, int32_t value);
    static int32_t getAttributeCount(void *context, int32_t type, int32_t *count);
    static int32_t getAttributeByIndex(void *context, int32_t type, int32_t index,
                                       void *attributeRecord, void *definitionRecord);

    ProjectStore &m_project;
    void *m_module = nullptr;
    std::array<unsigned char, HostApi::kServiceTableBytes> m_serviceTable{};
    CheckEnvironmentProc m_checkEnvironment = nullptr;
    RegisterInterfaceProc m_registerInterface = nullptr;
    InitializeProc m_initialize = nullptr;
    FreeDataProc m_freeData = nullptr;
    Handshake m_handshake;
    std::vector<MenuItem> m_menuItems;
    std::vector<Handler> m_handlers;
    NotificationProc m_notificationHandler = nullptr;
    int m_residencyRequests = 0;
    ContractMonitor m_monitor;
    BMHandleStatistics m_handlesAtLoad{};
};

} // namespace HostRunner
