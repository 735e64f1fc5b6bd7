#pragma once

// While the module is loaded, Qt's messages (the database layer's debug channel among
// them) go to the host's debug print instead of the host process's standard error, which
// belongs to the host.
namespace Corvo::HostDebugOutput {

// Installs the handler; a second call changes nothing.
void install();
// Puts back the handler that was there before install().
void restore();

} // namespace Corvo::HostDebugOutput
