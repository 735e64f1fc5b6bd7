#include "host/runner/addonsession.h"

#include "host/api/gsroot.h"
#include "host/runner/attributeenumeration.h"
#include "host/runner/recordchecks.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace HostRunner {

namespace {

// The add-on runs on the host's one user-interface thread; the services find the session
// through this pointer, since an add-on calls some of them before it has the context.
AddOnSession *g_current = nullptr;

// A menu string list: its title first, then the items. The host's "^..." suffix of an
// item carries options that this host does not use.
std::vector<std::string> menuStrings(int16_t menuResId)
{
    std::vector<std::string> strings;
    char buffer[256];
    for (int32_t index = 1;
         RSGetIndString_ParamAdapter(buffer, sizeof buffer, menuResId, index, kAnyResModule);
         ++index) {
        std::string text(buffer);
        strings.push_back(text);
    }
    return strings;
}

std::string withoutOptions(const std::string &item)
{
    return item.substr(0, item.find('^'));
}

using Monitor = ContractMonitor;
constexpr Monitor::Service kRegisterMenu{"register menu", Monitor::RegisterInterface};
constexpr Monitor::Service kInstallMenuHandler{"install menu handler", Monitor::Initialise};
constexpr Monitor::Service kInstallNotificationHandler{"install notification handler",
                                                       Monitor::Initialise};
constexpr Monitor::Service kEnvironment{"environment query",
                                        Monitor::Initialise | Monitor::Command};
constexpr Monitor::Service kGetAttribute{"get attribute", Monitor::Command};
constexpr Monitor::Service kCreateAttribute{"create attribute", Monitor::Command};
constexpr Monitor::Service kModifyAttribute{"modify attribute", Monitor::Command};
constexpr Monitor::Service kResidencyRequest{"residency request",
                                             Monitor::Initialise | Monitor::Command};
constexpr Monitor::Service kGetAttributeCount{"attribute count", Monitor::Command};
constexpr Monitor::Service kGetAttributeByIndex{"get attribute by index", Monitor::Command};
constexpr int32_t kStayResident = 1;
constexpr char kHandles[] = "memory handles";

} // namespace

bool AddOnSession::Handshake::started() const
{
    return checkEnvironment != kAddOnTypeRefused && registerInterface == kHostNoError &&
           initialize == kHostNoError;
}

AddOnSession::AddOnSession(ProjectStore &project, uint32_t servicesVersion) : m_project(project)
{
    HostServices services{};
    services.size = sizeof services;
    services.version = kHostServicesVersion;
    if (servicesVersion >= kHostServicesWithAttributeList) {
        services.getAttributeCount = &AddOnSession::getAttributeCount;
        services.getAttributeByIndex = &AddOnSession::getAttributeByIndex;
    } else {
        services.size = offsetof(HostServices, getAttributeCount);
        services.version = servicesVersion;
    }
    services.registerMenu = &AddOnSession::registerMenu;
    services.installMenuHandler = &AddOnSession::installMenuHandler;
    services.installNotificationHandler = &AddOnSession::installNotificationHandler;
    services.environment = &AddOnSession::environment;
    services.getAttribute = &AddOnSession::getAttribute;
    services.createAttribute = &AddOnSession::createAttribute;
    services.modifyAttribute = &AddOnSession::modifyAttribute;
    services.residencyRequest = &AddOnSession::residencyRequest;
    std::memcpy(m_serviceTable.data(), &services, sizeof services);
}

AddOnSession::~AddOnSession()
{
    finish();
}

void AddOnSession::setBreachAnnouncer(std::function<void(const Breach &)> announce)
{
    m_monitor.setAnnouncer(std::move(announce));
}

bool AddOnSession::load(const std::string &modulePath, std::string &error)
{
    g_current = this;
    m_handlesAtLoad = BMGetHandleStatistics();
    m_monitor.enter(ContractMonitor::Loading);
    m_module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_module) {
        const char *reason = dlerror();
        error = reason ? reason : modulePath + ": cannot be loaded";
        return false;
    }
    auto setImported =
        reinterpret_cast<SetImportedFuncAddrsProc>(dlsym(m_module, "SetImportedFuncAddrs"));
    auto getExported =
        reinterpret_cast<GetExportedFuncAddrsProc>(dlsym(m_module, "GetExportedFuncAddrs"));
    if (!setImported || !getExported) {
        error =
            modulePath + ": not an add-on (SetImportedFuncAddrs or GetExportedFuncAddrs missing)";
        finish();
        return false;
    }
    setImported(m_serviceTable.data());
    // Filled with a pattern, so that a record the add-on does not zero shows.
    std::array<unsigned char, HostApi::kExportRecordBytes> record;
    record.fill(0xA5);
    getExported(record.data());
    m_monitor.breach("GetExportedFuncAddrs", RecordChecks::exportRecord(record.data()));
    m_checkEnvironment =
        HostApi::read<CheckEnvironmentProc>(record.data(), HostApi::kCheckEnvironmentOffset);
    m_registerInterface =
        HostApi::read<RegisterInterfaceProc>(record.data(), HostApi::kRegisterInterfaceOffset);
    m_initialize = HostApi::read<InitializeProc>(record.data(), HostApi::kInitializeOffset);
    m_freeData = HostApi::read<FreeDataProc>(record.data(), HostApi::kFreeDataOffset);
    const auto version = HostApi::read<uint32_t>(record.data(), HostApi::kExportVersionOffset);
    if (version != HostApi::kExportVersion || !m_checkEnvironment || !m_registerInterface ||
        !m_initialize || !m_freeData) {
        error = modulePath + ": the add-on's record of callbacks is incomplete";
        m_initialize = nullptr; // never initialised: free-data must not run
        finish();
        return false;
    }
    return true;
}

const AddOnSession::Handshake &AddOnSession::start()
{
    if (!m_module)
        return m_handshake;
    HostEnvironmentRecord environment{};
    m_monitor.enter(ContractMonitor::CheckEnvironment);
    m_handshake.checkEnvironment = m_checkEnvironment(&environment);
    m_monitor.breach("check-environment", RecordChecks::environmentRecord(environment));
    m_handshake.name = validUtf8(
        environment.addOnName, HostApi::textLength(&environment, 0, sizeof environment.addOnName));
    m_handshake.description = validUtf8(
        environment.addOnDescription,
        HostApi::textLength(environment.addOnDescription, 0, sizeof environment.addOnDescription));
    if (m_handshake.checkEnvironment != kAddOnTypeRefused) {
        m_monitor.enter(ContractMonitor::RegisterInterface);
        m_handshake.registerInterface = m_registerInterface();
    }
    if (m_handshake.registerInterface == kHostNoError) {
        m_monitor.enter(ContractMonitor::Initialise);
        m_monitor.setContext(this);
        m_handshake.initialize = m_initialize(this);
    }
    m_monitor.enter(ContractMonitor::Idle);
    return m_handshake;
}

bool AddOnSession::run(const MenuItem &item, int32_t &result)
{
    for (const Handler &handler : m_handlers) {
        if (handler.menuResId == item.menuResId && m_handshake.started() && item.enabled) {
            const HostMenuParams params{item.menuResId, item.itemIndex};
            m_monitor.enter(ContractMonitor::Command, item.itemText);
            result = handler.proc(&params);
            m_monitor.enter(ContractMonitor::Idle);
            return true;
        }
    }
    return false;
}

void AddOnSession::finish()
{
    if (!m_module)
        return;
    if (m_handshake.initialize == kHostNoError && m_freeData) {
        m_monitor.enter(ContractMonitor::FreeData);
        m_freeData();
    }
    m_monitor.enter(ContractMonitor::Unload);
    dlclose(m_module);
    m_module = nullptr;
    m_handlers.clear();
    m_notificationHandler = nullptr;
    checkHandles();
    if (g_current == this)
        g_current = nullptr;
}

void AddOnSession::checkHandles()
{
    const BMHandleStatistics now = BMGetHandleStatistics();
    if (const int64_t forgotten = now.live - m_handlesAtLoad.live; forgotten > 0)
        m_monitor.breach(kHandles, "handles the add-on allocated and never released: " +
                                       std::to_string(forgotten));
    if (const int64_t bad = now.badReleases - m_handlesAtLoad.badReleases; bad > 0)
        m_monitor.breach(kHandles, "releases of handles that were not live (released before, "
                                   "or never allocated): " +
                                       std::to_string(bad));
}

AddOnSession *AddOnSession::enter(const ContractMonitor::Service &service, void *context)
{
    if (!g_current)
        return nullptr;
    return g_current->m_monitor.admit(service, context) ? g_current : nullptr;
}

bool AddOnSession::checkDefinition(const char *service, RecordChecks::AttributeUse use,
                                   const void *attributeRecord, const void *definitionRecord)
{
    if (!attributeRecord || !definitionRecord) {
        m_monitor.breach(service, "called without an attribute record and a definition record");
        return false;
    }
    m_monitor.breach(service, RecordChecks::attributeRecord(attributeRecord, use));
    const auto type = HostApi::read<int32_t>(attributeRecord, HostApi::kAttributeTypeOffset);
    m_monitor.breach(service, RecordChecks::definitionRecord(definitionRecord, type));
    if (type != kAttributePenTable)
        return true;
    const auto pens = HostApi::read<GSHandle>(definitionRecord, HostApi::kPenTableHandleOffset);
    if (BMGetHandleSize(pens) < GSSize(HostApi::kPenTableBytes)) {
        m_monitor.breach(service, "the pen table is not a live handle of " +
                                      std::to_string(HostApi::kPenTableBytes) + " bytes");
        return false;
    }
    m_monitor.breach(service, RecordChecks::penTable(*pens));
    return true;
}

int32_t AddOnSession::registerMenu(void *context, int16_t menuResId, int16_t promptResId, int32_t,
                                   int32_t flags)
{
    AddOnSession *session = enter(kRegisterMenu, context);
    if (!session)
        return kHostGeneralError;
    const std::vector<std::string> strings = menuStrings(menuResId);
    if (strings.size() < 2)
        return kHostGeneralError;
    for (std::size_t i = 1; i < strings.size(); ++i) {
        session->m_menuItems.push_back({menuResId, promptResId, static_cast<int16_t>(i), strings[0],
                                        withoutOptions(strings[i]),
                                        (flags & kMenuItemDisabled) == 0});
    }
    return kHostNoError;
}

int32_t AddOnSession::installMenuHandler(void *context, int16_t menuResId, MenuCommandProc handler)
{
    AddOnSession *session = enter(kInstallMenuHandler, context);
    if (!session)
        return kHostGeneralError;
    const auto &items = session->m_menuItems;
    const bool registered = std::any_of(items.begin(), items.end(), [&](const MenuItem &item) {
        return item.menuResId == menuResId;
    });
    if (!handler || !registered) {
        session->m_monitor.breach(kInstallMenuHandler.name,
                                  !handler ? "called without a handler"
                                           : "called for menu " + std::to_string(menuResId) +
                                                 ", which register-interface did not register");
        return kHostGeneralError;
    }
    for (Handler &existing : session->m_handlers) {
        if (existing.menuResId == menuResId) {
            existing.proc = handler;
            return kHostNoError;
        }
    }
    session->m_handlers.push_back({menuResId, handler});
    return kHostNoError;
}

int32_t AddOnSession::installNotificationHandler(void *context, int32_t, NotificationProc handler)
{
    AddOnSession *session = enter(kInstallNotificationHandler, context);
    if (!session)
        return kHostGeneralError;
    if (!handler) {
        session->m_monitor.breach(kInstallNotificationHandler.name, "called without a handler");
        return kHostGeneralError;
    }
    session->m_notificationHandler = handler;
    return kHostNoError;
}

int32_t AddOnSession::environment(void *context, uint32_t code, void *result, void *, void *)
{
    AddOnSession *session = enter(kEnvironment, context);
    if (!session)
        return kHostGeneralError;
    if (!result) {
        session->m_monitor.breach(kEnvironment.name, "called without a place for the answer");
        return kHostGeneralError;
    }
    if (code != kEnvironmentMainWindow)
        return kHostGeneralError;
    // This host has no window of its own; the session stands in for its handle.
    HostApi::write<void *>(result, 0, session);
    return kHostNoError;
}

int32_t AddOnSession::getAttribute(void *context, void *attributeRecord)
{
    AddOnSession *session = enter(kGetAttribute, context);
    if (!session)
        return kHostGeneralError;
    if (!attributeRecord) {
        session->m_monitor.breach(kGetAttribute.name, "called without an attribute record");
        return kHostGeneralError;
    }
    session->m_monitor.breach(
        kGetAttribute.name,
        RecordChecks::attributeRecord(attributeRecord, RecordChecks::AttributeUse::Query));
    return session->m_project.getAttribute(attributeRecord);
}

int32_t AddOnSession::createAttribute(void *context, void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = enter(kCreateAttribute, context);
    if (!session ||
        !session->checkDefinition(kCreateAttribute.name, RecordChecks::AttributeUse::Definition,
                                  attributeRecord, definitionRecord))
        return kHostGeneralError;
    return session->m_project.createAttribute(attributeRecord, definitionRecord);
}

int32_t AddOnSession::modifyAttribute(void *context, void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = enter(kModifyAttribute, context);
    if (!session ||
        !session->checkDefinition(kModifyAttribute.name, RecordChecks::AttributeUse::Modification,
                                  attributeRecord, definitionRecord))
        return kHostGeneralError;
    return session->m_project.modifyAttribute(attributeRecord, definitionRecord);
}

int32_t AddOnSession::residencyRequest(void *context, int32_t value)
{
    AddOnSession *session = enter(kResidencyRequest, context);
    if (!session)
        return kHostGeneralError;
    if (value != kStayResident) {
        session->m_monitor.breach(kResidencyRequest.name, "called with " + std::to_string(value) +
                                                              "; the host knows only " +
                                                              std::to_string(kStayResident));
        return kHostGeneralError;
    }
    ++session->m_residencyRequests;
    return kHostNoError;
}

int32_t AddOnSession::getAttributeCount(void *context, int32_t type, int32_t *count)
{
    AddOnSession *session = enter(kGetAttributeCount, context);
    return session ? AttributeEnumeration::count(session->m_project, type, count)
                   : kHostGeneralError;
}

int32_t AddOnSession::getAttributeByIndex(void *context, int32_t type, int32_t index,
                                          void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = enter(kGetAttributeByIndex, context);
    return session ? AttributeEnumeration::get(session->m_project, type, index, attributeRecord,
                                               definitionRecord)
                   : kHostGeneralError;
}

} // namespace HostRunner
