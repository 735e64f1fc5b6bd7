#include "host/runner/contractmonitor.h"

#include <utility>

namespace HostRunner {

namespace {

struct PhaseName
{
    ContractMonitor::Phase phase;
    const char *name;
};

constexpr PhaseName kPhaseNames[] = {
    {ContractMonitor::Loading, "loading"},
    {ContractMonitor::CheckEnvironment, "check-environment"},
    {ContractMonitor::RegisterInterface, "register-interface"},
    {ContractMonitor::Initialise, "initialise"},
    {ContractMonitor::Idle, "no call of the host"},
    {ContractMonitor::Command, "a menu command"},
    {ContractMonitor::FreeData, "free-data"},
    {ContractMonitor::Unload, "unload"},
};

const char *nameOf(ContractMonitor::Phase phase)
{
    for (const PhaseName &entry : kPhaseNames) {
        if (entry.phase == phase)
            return entry.name;
    }
    return "";
}

// "initialise or a menu command".
std::string namesOf(unsigned phases)
{
    std::string text;
    for (const PhaseName &entry : kPhaseNames) {
        if (phases & entry.phase)
            text += (text.empty() ? "" : " or ") + std::string(entry.name);
    }
    return text;
}

} // namespace

void ContractMonitor::enter(Phase phase, const std::string &label)
{
    m_phase = phase;
    m_label = label;
}

void ContractMonitor::setAnnouncer(std::function<void(const Breach &)> announce)
{
    m_announce = std::move(announce);
}

std::string ContractMonitor::during() const
{
    return m_label.empty() ? nameOf(m_phase) : std::string("command ") + m_label;
}

bool ContractMonitor::admit(const Service &service, void *context)
{
    // Before initialise the add-on has no context to pass; after free-data it has none.
    const bool started = m_phase & (Initialise | Idle | Command | FreeData);
    void *const expected = started ? m_context : nullptr;
    if (m_phase == Unload) {
        breach(service.name, "called after free-data");
        return false;
    }
    bool admitted = true;
    if (context != expected) {
        breach(service.name, !context  ? "called without the host context"
                             : started ? "called with a context other than the host's"
                                       : "called with a context before initialise handed one over");
        admitted = false;
    }
    if (!(m_phase & service.phases))
        breach(service.name, std::string("called during ") + during() + "; allowed only during " +
                                 namesOf(service.phases));
    return admitted;
}

void ContractMonitor::breach(const std::string &service, const std::string &text)
{
    m_breaches.push_back({during(), service, text});
    if (m_announce)
        m_announce(m_breaches.back());
}

void ContractMonitor::breach(const std::string &service, const std::vector<std::string> &problems)
{
    for (const std::string &problem : problems)
        breach(service, problem);
}

} // namespace HostRunner
