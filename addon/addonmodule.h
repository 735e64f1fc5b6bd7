#pragma once

#include "host/api/gsroot.h"

#include <QString>

namespace Corvo {

// The loaded module: its file, its resources registered with the host library and Qt's
// messages sent to the host's debug print. Attach and detach run when the library is
// loaded and unloaded.
class AddOnModule
{
public:
    static AddOnModule &instance();

    void attach(const QString &modulePath);
    // Unregisters the resources; a host context still set means free-data never came,
    // which is reported on the host's debug output.
    void detach();

    QString modulePath() const { return m_modulePath; }
    GSResModule resourceModule() const { return m_resourceModule; }

private:
    AddOnModule() = default;

    QString m_modulePath;
    GSResModule m_resourceModule = kInvalidResModule;
};

// Makes the add-on's resources current for the scope and restores the previous module.
class ResourceScope
{
public:
    ResourceScope();
    ~ResourceScope();
    ResourceScope(const ResourceScope &) = delete;
    ResourceScope &operator=(const ResourceScope &) = delete;

private:
    GSResModule m_previous;
};

} // namespace Corvo
