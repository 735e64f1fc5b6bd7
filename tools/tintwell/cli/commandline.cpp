#include "tools/tintwell/cli/commandline.h"

#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include "engine/db/dblog.h"

#include <QLoggingCategory>

#include <exception>

namespace Tintwell {

namespace {

// Whether the database channel speaks during this run, whatever logging rules say.
bool databaseLogOn = false;
QLoggingCategory::CategoryFilter filterBeforeRun = nullptr;
// Taken before the filter is installed: the filter runs under the logging registry's lock,
// where creating the category would wait for that lock forever.
const char *databaseCategory = nullptr;

void databaseLogFilter(QLoggingCategory *category)
{
    if (filterBeforeRun != nullptr)
        filterBeforeRun(category);
    if (qstrcmp(category->categoryName(), databaseCategory) == 0)
        category->setEnabled(QtDebugMsg, databaseLogOn);
}

// Installing the filter applies it to every category again.
void setDatabaseLog(bool on)
{
    databaseLogOn = on;
    QLoggingCategory::installFilter(databaseLogFilter);
}

void printCommandList(QTextStream &stream)
{
    stream << "usage: tintwell <command> [arguments] [--data DIR] [--json] [--verbose]\n\n"
              "commands:\n";
    for (const CommandDefinition &command : CommandRegistry::instance().commands()) {
        stream << "  " << command.name << ' ' << command.usage << '\n';
        stream << "      " << command.summary << '\n';
    }
    stream << "\nexit status: 0 success, 1 not found or a failed check, 2 bad usage or "
              "unreadable input\n";
    stream.flush();
}

bool isOption(const QString &argument)
{
    return argument.startsWith(QLatin1String("--")) && argument.size() > 2;
}

bool takesValue(const CommandDefinition &command, const QString &option)
{
    return option == QLatin1String(kDataOption) || command.valueOptions.contains(option);
}

bool standsAlone(const CommandDefinition &command, const QString &option)
{
    return option == QLatin1String(kJsonFlag) || option == QLatin1String(kHelpFlag) ||
           option == QLatin1String(kVerboseFlag) || command.flagOptions.contains(option);
}

// Fills the invocation; returns an empty text, or what is wrong.
QString parseArguments(const CommandDefinition &command, const QStringList &arguments,
                       Invocation &invocation)
{
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !isOption(argument)) {
            if (argument == QLatin1String("--"))
                optionsEnded = true;
            else
                invocation.addArgument(argument);
            continue;
        }
        QString option = argument;
        QString inlineValue;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals > 0) {
            option = argument.left(equals);
            inlineValue = argument.mid(equals + 1);
        }
        if (takesValue(command, option)) {
            if (equals > 0) {
                invocation.setValue(option, inlineValue);
            } else if (i + 1 < arguments.size()) {
                invocation.setValue(option, arguments.at(++i));
            } else {
                return QStringLiteral("option %1 needs a value").arg(option);
            }
        } else if (standsAlone(command, option) && equals < 0) {
            invocation.setFlag(option);
        } else {
            return QStringLiteral("unknown option %1").arg(argument);
        }
    }
    return QString();
}

int runCommand(const CommandDefinition &command, const QStringList &arguments, QTextStream &out,
               QTextStream &err)
{
    Invocation invocation(command.name, out, err);
    const QString problem = parseArguments(command, arguments, invocation);
    if (!problem.isEmpty())
        return invocation.usageError(
            problem + QStringLiteral(" (usage: tintwell %1 %2)").arg(command.name, command.usage));
    if (invocation.hasFlag(QLatin1String(kHelpFlag))) {
        out << "usage: tintwell " << command.name << ' ' << command.usage << '\n'
            << command.summary << '\n';
        out.flush();
        return ExitSuccess;
    }
    const qsizetype count = invocation.arguments().size();
    if (count < command.minArguments || count > command.maxArguments)
        return invocation.usageError(
            QStringLiteral("usage: tintwell %1 %2").arg(command.name, command.usage));
    setDatabaseLog(invocation.hasFlag(QLatin1String(kVerboseFlag)));
    try {
        return command.run(invocation);
    } catch (const std::exception &error) {
        return invocation.fail(ExitBadUsage, QString::fromLocal8Bit(error.what()));
    }
}

// The database layer logs every scheme statement it runs: useful to a collection author
// chasing a query, noise in every other run.
int runWithDatabaseLog(const CommandDefinition &command, const QStringList &arguments,
                       QTextStream &out, QTextStream &err)
{
    databaseLogOn = false;
    databaseCategory = lcDb().categoryName();
    filterBeforeRun = QLoggingCategory::installFilter(databaseLogFilter);
    const int status = runCommand(command, arguments, out, err);
    QLoggingCategory::installFilter(filterBeforeRun);
    filterBeforeRun = nullptr;
    return status;
}

} // namespace

int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty()) {
        printCommandList(err);
        return ExitBadUsage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String(kHelpFlag) || name == QLatin1String("help")) {
        printCommandList(out);
        return ExitSuccess;
    }
    const CommandDefinition *command = CommandRegistry::instance().find(name);
    if (command == nullptr) {
        err << "tintwell: unknown command \"" << name << "\" (tintwell --help lists them)\n";
        err.flush();
        return ExitBadUsage;
    }
    return runWithDatabaseLog(*command, arguments.mid(1), out, err);
}

} // namespace Tintwell
