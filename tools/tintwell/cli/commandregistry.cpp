#include "tools/tintwell/cli/commandregistry.h"

#include <algorithm>

namespace Tintwell {

CommandRegistry &CommandRegistry::instance()
{
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::add(const CommandDefinition &definition)
{
    m_commands.append(definition);
}

const CommandDefinition *CommandRegistry::find(const QString &name) const
{
    const auto it =
        std::find_if(m_commands.cbegin(), m_commands.cend(),
                     [&](const CommandDefinition &command) { return command.name == name; });
    return it == m_commands.cend() ? nullptr : &*it;
}

QList<CommandDefinition> CommandRegistry::commands() const
{
    QList<CommandDefinition> sorted = m_commands;
    std::sort(
        sorted.begin(), sorted.end(),
        [](const CommandDefinition &x, const CommandDefinition &y) { return x.name < y.name; });
    return sorted;
}

} // namespace Tintwell
