#pragma once

#include "host/api/hostapi.h"

// The four callbacks the add-on gives the host, and its menu and notification handlers.
// None lets an exception reach the host.
namespace Corvo::AddOnCallbacks {

// kAddOnTypeNormal with the add-on's name and description filled in; kAddOnTypeRefused
// before the service table arrived.
int32_t checkEnvironment(HostEnvironmentRecord *environment) noexcept;
// Registers the three menus; the project colours one disabled when the host cannot list
// attributes.
int32_t registerInterface() noexcept;
// Keeps the context, runs the start-up and installs the handlers: 0, or the first failing
// installation's result; the general error when the start-up fails.
int32_t initialize(void *hostContext) noexcept;
int32_t freeData() noexcept;
// Runs the menu's command in a window of its own; always 0.
int32_t menuCommand(const HostMenuParams *params) noexcept;
int32_t notification(int32_t notification, void *parameter) noexcept;

// Fills the host's 120-byte record of callbacks.
void fillExportRecord(void *record) noexcept;

} // namespace Corvo::AddOnCallbacks
