#include "addon/addonmodule.h"

#include "addon/addonresources.h"
#include "addon/hostconnection.h"
#include "addon/hostdebugoutput.h"

namespace Corvo {

AddOnModule &AddOnModule::instance()
{
    static AddOnModule module;
    return module;
}

void AddOnModule::attach(const QString &modulePath)
{
    m_modulePath = modulePath;
    HostDebugOutput::install();
    m_resourceModule = AddOnResources::registerWithHost();
}

void AddOnModule::detach()
{
    if (m_resourceModule != kInvalidResModule)
        RSRemoveModule(m_resourceModule);
    m_resourceModule = kInvalidResModule;
    HostConnection &host = HostConnection::instance();
    if (host.context()) {
        DBPrintf("Abnormal add-on termination (\"%s\")\n", m_modulePath.toUtf8().constData());
        host.setContext(nullptr);
    }
    HostDebugOutput::restore();
}

ResourceScope::ResourceScope()
    : m_previous(RSSetActiveModule(AddOnModule::instance().resourceModule()))
{}

ResourceScope::~ResourceScope()
{
    RSSetActiveModule(m_previous);
}

} // namespace Corvo
