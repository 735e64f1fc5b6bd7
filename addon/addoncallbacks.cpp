#include "addon/addoncallbacks.h"

#include "addon/addonmodule.h"
#include "addon/addonresources.h"
#include "addon/commanddispatch.h"
#include "addon/hostconnection.h"
#include "addon/startup.h"

#include <QDebug>

#include <cstring>

namespace Corvo::AddOnCallbacks {

namespace {

void readString(int index, char *field, std::size_t capacity)
{
    RSGetIndString_ParamAdapter(field, int32_t(capacity), AddOnResources::kNameList, index,
                                kInvalidResModule);
}

// The first failing result of the installations, else 0.
int32_t installHandlers()
{
    const HostConnection &host = HostConnection::instance();
    const int32_t results[] = {
        host.installMenuHandler(AddOnResources::kPickerMenu, &menuCommand),
        host.installMenuHandler(AddOnResources::kAboutMenu, &menuCommand),
        host.installMenuHandler(AddOnResources::kProjectColoursMenu, &menuCommand),
        host.installNotificationHandler(&notification),
    };
    for (const int32_t result : results) {
        if (result != kHostNoError)
            return result;
    }
    return kHostNoError;
}

} // namespace

int32_t checkEnvironment(HostEnvironmentRecord *environment) noexcept
{
    if (!HostConnection::instance().hasServiceTable() || !environment)
        return kAddOnTypeRefused;
    const ResourceScope resources;
    readString(AddOnResources::kNameIndex, environment->addOnName, sizeof environment->addOnName);
    readString(AddOnResources::kDescriptionIndex, environment->addOnDescription,
               sizeof environment->addOnDescription);
    return kAddOnTypeNormal;
}

int32_t registerInterface() noexcept
{
    const HostConnection &host = HostConnection::instance();
    if (!host.hasServiceTable())
        return kHostGeneralError;
    host.registerMenu(AddOnResources::kPickerMenu, AddOnResources::kPickerPrompts);
    host.registerMenu(AddOnResources::kAboutMenu, AddOnResources::kAboutPrompts);
    // An older host cannot list the project's attributes: the command is offered, disabled.
    const bool listsAttributes = host.listsAttributes();
    if (!listsAttributes)
        qDebug("The host's services cannot list attributes: \"Project colours\" is disabled");
    host.registerMenu(AddOnResources::kProjectColoursMenu, AddOnResources::kProjectColoursPrompts,
                      listsAttributes ? 0 : kMenuItemDisabled);
    return kHostNoError;
}

int32_t initialize(void *hostContext) noexcept
{
    HostConnection &host = HostConnection::instance();
    if (!host.hasServiceTable())
        return kHostGeneralError;
    host.setContext(hostContext);
    // An add-on that did not start gets no free-data call, so it keeps no context.
    int32_t result = kHostGeneralError;
    try {
        if (Startup::initialize(AddOnModule::instance().modulePath()) == 0)
            result = installHandlers();
    } catch (...) {
        qWarning("The add-on's start-up failed with an exception");
    }
    if (result != kHostNoError)
        host.setContext(nullptr);
    return result;
}

int32_t freeData() noexcept
{
    HostConnection &host = HostConnection::instance();
    if (!host.hasServiceTable())
        return kHostGeneralError;
    host.setContext(nullptr);
    return kHostNoError;
}

int32_t menuCommand(const HostMenuParams *params) noexcept
{
    if (!params)
        return kHostNoError;
    try {
        const ResourceScope resources;
        CommandDispatch::run(params->menuResId);
    } catch (...) {
        qWarning("A command of the add-on failed with an exception");
    }
    HostConnection::instance().requestResidency();
    return kHostNoError;
}

int32_t notification(int32_t, void *) noexcept
{
    return kHostNoError;
}

void fillExportRecord(void *record) noexcept
{
    if (!record)
        return;
    std::memset(record, 0, HostApi::kExportRecordBytes);
    HostApi::write<uint32_t>(record, HostApi::kExportVersionOffset, HostApi::kExportVersion);
    HostApi::write<CheckEnvironmentProc>(record, HostApi::kCheckEnvironmentOffset,
                                         &checkEnvironment);
    HostApi::write<RegisterInterfaceProc>(record, HostApi::kRegisterInterfaceOffset,
                                          &registerInterface);
    HostApi::write<InitializeProc>(record, HostApi::kInitializeOffset, &initialize);
    HostApi::write<FreeDataProc>(record, HostApi::kFreeDataOffset, &freeData);
    HostApi::write<uint32_t>(record, HostApi::kExportApiLevelOffset, HostApi::kExportApiLevel);
}

} // namespace Corvo::AddOnCallbacks
