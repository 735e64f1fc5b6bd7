#pragma once

#include <functional>
#include <string>
#include <vector>

namespace HostRunner {

// Something the add-on did that the host's contract forbids.
struct Breach
{
    std::string during;  // "initialise", "command picker", "unload", ...
    std::string service; // the service called, or what was checked
    std::string text;
};

// Holds the add-on to the host's contract: every service call carries the context that
// initialise handed over (none before it, none after free-data) and comes in a phase in
// which the service may be called. Each breach is kept and announced at once.
class ContractMonitor
{
public:
    enum Phase : unsigned {
        Loading = 1u << 0,
        CheckEnvironment = 1u << 1,
        RegisterInterface = 1u << 2,
        Initialise = 1u << 3,
        Idle = 1u << 4,
        Command = 1u << 5,
        FreeData = 1u << 6,
        Unload = 1u << 7,
    };

    // A service: its name and the phases (bits) in which it may be called.
    struct Service
    {
        const char *name;
        unsigned phases;
    };

    // `label` names a command ("picker").
    void enter(Phase phase, const std::string &label = {});
    Phase phase() const { return m_phase; }
    // The context initialise hands over.
    void setContext(void *context) { m_context = context; }
    void setAnnouncer(std::function<void(const Breach &)> announce);

    // Checks the call's context and phase. False when the context is not the one the
    // add-on should pass: the host then refuses the call.
    bool admit(const Service &service, void *context);
    void breach(const std::string &service, const std::string &text);
    // One breach per problem found in what the service was handed.
    void breach(const std::string &service, const std::vector<std::string> &problems);
    const std::vector<Breach> &breaches() const { return m_breaches; }

private:
    std::string during() const;

    Phase m_phase = Loading;
    std::string m_label;
    void *m_context = nullptr;
    std::function<void(const Breach &)> m_announce;
    std::vector<Breach> m_breaches;
};

} // namespace HostRunner
