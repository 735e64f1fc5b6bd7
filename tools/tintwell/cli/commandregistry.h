#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tintwell {

class Invocation;

// What a sub-command accepts and the function that runs it.
struct CommandDefinition
{
    QString name;
    QString usage;            // arguments after the name, e.g. "C --index N [--next]"
    QString summary;          // one line for the command list
    QStringList valueOptions; // options followed by a value, e.g. "--index"
    QStringList flagOptions;  // options standing alone, e.g. "--next"
    int minArguments = 0;
    int maxArguments = 0;
    std::function<int(Invocation &)> run;
};

// Every sub-command of the tool, by name. Command groups register themselves from their
// own source file with one CommandRegistration object, so adding a group touches no
// shared code.
class CommandRegistry
{
public:
    static CommandRegistry &instance();

    void add(const CommandDefinition &definition);
    const CommandDefinition *find(const QString &name) const;
    // Sorted by name.
    QList<CommandDefinition> commands() const;

private:
    QList<CommandDefinition> m_commands;
};

struct CommandRegistration
{
    explicit CommandRegistration(const CommandDefinition &definition)
    {
        CommandRegistry::instance().add(definition);
    }
};

} // namespace Tintwell
