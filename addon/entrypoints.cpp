// The add-on module's face to the host: the two exported entry points, and the load and
// unload handling that registers the module's resources with the host library. Nothing
// else of the add-on is visible outside the module.

#include "addon/addoncallbacks.h"
#include "addon/addonmodule.h"
#include "addon/hostconnection.h"
#include "platform/platform.h"

#define HUEPORT_ADDON_EXPORT extern "C" __attribute__((visibility("default")))

HUEPORT_ADDON_EXPORT int32_t SetImportedFuncAddrs(const void *serviceTable)
{
    Corvo::HostConnection::instance().setServiceTable(serviceTable);
    return kHostNoError;
}

HUEPORT_ADDON_EXPORT int32_t GetExportedFuncAddrs(void *exportRecord)
{
    Corvo::AddOnCallbacks::fillExportRecord(exportRecord);
    return kHostNoError;
}

namespace {

__attribute__((constructor)) void attachModule()
{
    Corvo::AddOnModule::instance().attach(Corvo::Platform::currentModuleFileName());
}

__attribute__((destructor)) void detachModule()
{
    Corvo::AddOnModule::instance().detach();
}

} // namespace
