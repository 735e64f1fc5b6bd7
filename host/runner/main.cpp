// hueport-host: a stand-in for the CAD host. It loads the add-on module, hands over its
// service table, runs the add-on's start-up and menu commands, and keeps the materials and
// pen tables the add-on creates in a project file. It is not a Qt program: the add-on
// makes its own application object inside each command.

#include "host/runner/addonsession.h"
#include "host/runner/commandline.h"
#include "host/runner/hostreport.h"
#include "host/runner/projectseed.h"
#include "host/runner/projectstore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

using namespace HostRunner;

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitBreach = 3 };

// The common application-data folder the platform layer reports is the first entry of
// XDG_DATA_DIRS.
void useDataFolder(const std::string &folder)
{
    const char *current = std::getenv("XDG_DATA_DIRS");
    const std::string value = current && *current ? folder + ":" + current : folder;
    setenv("XDG_DATA_DIRS", value.c_str(), 1);
}

constexpr const char *kDebugLogVariable = "HUEPORT_DEBUG_LOG";
constexpr const char *kStandardError = "-";

// The add-on's debug print goes to a file, so that the terminal stays the user's: the
// option, else the variable, else hueport-debug.log beside the project file. The support
// library reads the variable when the first message arrives.
std::string chooseDebugLog(const CommandLine &line)
{
    const char *variable = std::getenv(kDebugLogVariable);
    std::string log =
        !line.debugLog.empty() ? line.debugLog
        : variable && *variable
            ? variable
            : (std::filesystem::path(line.project).parent_path() / "hueport-debug.log").string();
    setenv(kDebugLogVariable, log.c_str(), 1);
    return log;
}

std::uintmax_t sizeOf(const std::string &path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// One line naming the log, when the run added to it.
void reportDebugLog(const std::string &log, std::uintmax_t sizeBefore)
{
    std::fflush(stdout);
    if (log != kStandardError && sizeOf(log) > sizeBefore)
        std::fprintf(stderr, "hueport-host: debug messages written to %s\n", log.c_str());
}

// Installed, the host finds the module and the demo data beside itself:
// PREFIX/bin/hueport-host, PREFIX/lib/hueport/<module>, PREFIX/share/Velmora/...; in the
// build tree it takes the module built beside it.
std::filesystem::path installPrefix()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path().parent_path();
}

std::string defaultModule()
{
    const std::filesystem::path installed =
        installPrefix() / "lib" / "hueport" / "hueport.archicad.addon.apx";
    std::error_code error;
    return std::filesystem::is_regular_file(installed, error) ? installed.string()
                                                              : HUEPORT_DEFAULT_MODULE;
}

std::string defaultDataFolder()
{
    const std::filesystem::path share = installPrefix() / "share";
    std::error_code error;
    return std::filesystem::is_directory(share / "Velmora" / "Tintwell" / "SQLite", error)
               ? share.string()
               : std::string();
}

class Host
{
public:
    Host(const CommandLine &line, ProjectStore &project)
        : m_line(line), m_project(project), m_session(project, line.servicesVersion),
          m_report(line.json, stdout)
    {
        m_session.setBreachAnnouncer([this](const Breach &breach) { m_report.breach(breach); });
    }

    int run()
    {
        m_report.module(m_line.module, m_line.project);
        std::string error;
        if (!m_session.load(m_line.module, error)) {
            m_report.problem("start", error);
            return kExitFailure;
        }
        const AddOnSession::Handshake &handshake = m_session.start();
        m_report.handshake(handshake);
        if (!handshake.started()) {
            m_report.problem("start", "the add-on did not start (initialise: " +
                                          std::to_string(handshake.initialize) + ")");
            return end(kExitFailure);
        }
        if (m_line.commands.empty())
            terminalMenu();
        for (const std::string &command : m_line.commands)
            runCommand(command);
        return end(m_failed ? kExitFailure : kExitOk);
    }

private:
    // A run in which the add-on breached the contract fails, whatever else happened.
    int end(int code)
    {
        m_session.finish();
        const std::size_t breaches = m_session.breaches().size();
        m_report.finish(breaches);
        return breaches > 0 ? kExitBreach : code;
    }

    void runCommand(const std::string &command)
    {
        if (command == "menus") {
            m_report.menus(m_session.menuItems());
            return;
        }
        const auto number = menuNumberOf(command);
        const auto &items = m_session.menuItems();
        if (!number || *number > items.size()) {
            m_report.problem(command, "the add-on registered no menu for \"" + command + "\"");
            m_failed = true;
            return;
        }
        const AddOnSession::MenuItem &item = items[*number - 1];
        int32_t result = 0;
        if (!m_session.run(item, result)) {
            m_report.problem(command, (item.enabled ? "no handler for " : "the add-on disabled ") +
                                          menuPath(item));
            m_failed = true;
            return;
        }
        const auto changes = m_project.takeChanges();
        m_report.command(command, item, result, changes, m_project);
        std::string error;
        if (!changes.empty() && !m_project.save(m_line.project, error)) {
            m_report.problem(command, error);
            m_failed = true;
        }
    }

    void terminalMenu()
    {
        const auto &items = m_session.menuItems();
        for (;;) {
            std::printf("\n");
            for (std::size_t i = 0; i < items.size(); ++i)
                std::printf("  %zu  %s\n", i + 1, menuPath(items[i]).c_str());
            std::printf("  q  Quit\nChoose: ");
            std::fflush(stdout);
            std::string answer;
            if (!std::getline(std::cin, answer) || answer == "q" || answer == "Q")
                return;
            const auto number = menuNumberOf(answer);
            if (!number || *number > items.size()) {
                std::printf("No such command: %s\n", answer.c_str());
                continue;
            }
            runCommand(std::to_string(*number));
        }
    }

    const CommandLine &m_line;
    ProjectStore &m_project;
    AddOnSession m_session;
    HostReport m_report;
    bool m_failed = false;
};

// add-material and add-pens: the project gets the attribute, or stays as it was.
int seedProject(const CommandLine &line, ProjectStore &project)
{
    HostReport report(line.json, stdout);
    std::string error;
    const std::string &command = line.seed[0];
    const bool added = command == "add-material"
                           ? ProjectSeed::addMaterial(project, line.seed[1], line.seed[2], error)
                           : ProjectSeed::addPens(project, line.seed[1], line.seed[2], error);
    if (!added || !project.save(line.project, error)) {
        report.problem(command, error);
        return kExitFailure;
    }
    report.seeded(command, project.takeChanges(), project);
    return kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    std::string error;
    const auto line =
        CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc), defaultModule(), error);
    if (!line) {
        std::fprintf(stderr, "hueport-host: %s\n\n%s", error.c_str(), CommandLine::usage());
        return kExitUsage;
    }
    if (line->help) {
        std::fputs(CommandLine::usage(), stdout);
        return kExitOk;
    }
    const std::string dataFolder =
        line->dataFolder.empty() ? defaultDataFolder() : line->dataFolder;
    if (!dataFolder.empty())
        useDataFolder(dataFolder);
    auto project = ProjectStore::load(line->project, error);
    if (!project || !project->save(line->project, error)) {
        std::fprintf(stderr, "hueport-host: %s\n", error.c_str());
        return kExitFailure;
    }
    if (!line->seed.empty())
        return seedProject(*line, *project);
    const std::string log = chooseDebugLog(*line);
    const std::uintmax_t logSize = sizeOf(log);
    const int status = Host(*line, *project).run();
    reportDebugLog(log, logSize);
    return status;
}
