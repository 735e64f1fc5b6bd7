#include "host/runner/addonsession.h"

#include "host/api/gsroot.h"
#include "host/runner/attributeenumeration.h"

#include <dlfcn.h>

#include <cstddef>
#include <cstring>

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

bool AddOnSession::load(const std::string &modulePath, std::string &error)
{
    g_current = this;
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
    std::array<unsigned char, HostApi::kExportRecordBytes> record{};
    getExported(record.data());
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
    m_handshake.checkEnvironment = m_checkEnvironment(&environment);
    m_handshake.name = validUtf8(
        environment.addOnName, HostApi::textLength(&environment, 0, sizeof environment.addOnName));
    m_handshake.description = validUtf8(
        environment.addOnDescription,
        HostApi::textLength(environment.addOnDescription, 0, sizeof environment.addOnDescription));
    if (m_handshake.checkEnvironment == kAddOnTypeRefused)
        return m_handshake;
    m_handshake.registerInterface = m_registerInterface();
    if (m_handshake.registerInterface != kHostNoError)
        return m_handshake;
    m_handshake.initialize = m_initialize(this);
    return m_handshake;
}

bool AddOnSession::run(const MenuItem &item, int32_t &result)
{
    for (const Handler &handler : m_handlers) {
        if (handler.menuResId == item.menuResId && m_handshake.started() && item.enabled) {
            const HostMenuParams params{item.menuResId, item.itemIndex};
            result = handler.proc(&params);
            return true;
        }
    }
    return false;
}

void AddOnSession::finish()
{
    if (!m_module)
        return;
    if (m_handshake.initialize == kHostNoError && m_freeData)
        m_freeData();
    dlclose(m_module);
    m_module = nullptr;
    m_handlers.clear();
    m_notificationHandler = nullptr;
    if (g_current == this)
        g_current = nullptr;
}

AddOnSession *AddOnSession::sessionFor(void *context)
{
    if (!g_current || (context && context != g_current)) {
        if (g_current)
            ++g_current->m_unknownContextCalls;
        return nullptr;
    }
    return g_current;
}

int32_t AddOnSession::registerMenu(void *context, int16_t menuResId, int16_t promptResId, int32_t,
                                   int32_t flags)
{
    AddOnSession *session = sessionFor(context);
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
    AddOnSession *session = sessionFor(context);
    if (!session || !handler)
        return kHostGeneralError;
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
    AddOnSession *session = sessionFor(context);
    if (!session)
        return kHostGeneralError;
    session->m_notificationHandler = handler;
    return kHostNoError;
}

int32_t AddOnSession::environment(void *context, uint32_t code, void *result, void *, void *)
{
    AddOnSession *session = sessionFor(context);
    if (!session || !result || code != kEnvironmentMainWindow)
        return kHostGeneralError;
    // This host has no window of its own; the session stands in for its handle.
    HostApi::write<void *>(result, 0, session);
    return kHostNoError;
}

int32_t AddOnSession::getAttribute(void *context, void *attributeRecord)
{
    AddOnSession *session = sessionFor(context);
    return session ? session->m_project.getAttribute(attributeRecord) : kHostGeneralError;
}

int32_t AddOnSession::createAttribute(void *context, void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = sessionFor(context);
    return session ? session->m_project.createAttribute(attributeRecord, definitionRecord)
                   : kHostGeneralError;
}

int32_t AddOnSession::modifyAttribute(void *context, void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = sessionFor(context);
    return session ? session->m_project.modifyAttribute(attributeRecord, definitionRecord)
                   : kHostGeneralError;
}

int32_t AddOnSession::residencyRequest(void *context, int32_t)
{
    AddOnSession *session = sessionFor(context);
    if (!session)
        return kHostGeneralError;
    ++session->m_residencyRequests;
    return kHostNoError;
}

int32_t AddOnSession::getAttributeCount(void *context, int32_t type, int32_t *count)
{
    AddOnSession *session = sessionFor(context);
    return session ? AttributeEnumeration::count(session->m_project, type, count)
                   : kHostGeneralError;
}

int32_t AddOnSession::getAttributeByIndex(void *context, int32_t type, int32_t index,
                                          void *attributeRecord, void *definitionRecord)
{
    AddOnSession *session = sessionFor(context);
    return session ? AttributeEnumeration::get(session->m_project, type, index, attributeRecord,
                                               definitionRecord)
                   : kHostGeneralError;
}

} // namespace HostRunner
