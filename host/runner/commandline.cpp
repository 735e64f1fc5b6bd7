#include "host/runner/commandline.h"

#include "host/api/hostapi.h"

#include <charconv>

namespace HostRunner {

namespace {

constexpr const char *kMenuCommands[] = {"picker", "about", "colours"};

bool isSeedCommand(const std::string &word)
{
    return word == "add-material" || word == "add-pens";
}

// A services version this host can stand in for: 1 up to its own.
bool parseServicesVersion(const std::string &text, uint32_t &version)
{
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, version);
    return result.ec == std::errc() && result.ptr == end && version >= 1 &&
           version <= kHostServicesVersion;
}

bool isCommand(const std::string &word)
{
    return word == "menus" || menuNumberOf(word).has_value();
}

} // namespace

std::optional<std::size_t> menuNumberOf(const std::string &command)
{
    for (std::size_t i = 0; i < std::size(kMenuCommands); ++i) {
        if (command == kMenuCommands[i])
            return i + 1;
    }
    std::size_t number = 0;
    const char *end = command.data() + command.size();
    const auto result = std::from_chars(command.data(), end, number);
    if (command.empty() || result.ec != std::errc() || result.ptr != end || number == 0)
        return std::nullopt;
    return number;
}

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string> &arguments,
                                              const std::string &defaultModule, std::string &error)
{
    CommandLine line;
    line.module = defaultModule;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &word = arguments[i];
        std::string *value = word == "--module"      ? &line.module
                             : word == "--project"   ? &line.project
                             : word == "--data"      ? &line.dataFolder
                             : word == "--debug-log" ? &line.debugLog
                                                     : nullptr;
        if (value) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                error = word + " needs a value";
                return std::nullopt;
            }
            *value = arguments[++i];
        } else if (word == "--services-version") {
            if (i + 1 >= arguments.size() ||
                !parseServicesVersion(arguments[i + 1], line.servicesVersion)) {
                error = word + " needs a version from 1 to " + std::to_string(kHostServicesVersion);
                return std::nullopt;
            }
            ++i;
        } else if (isSeedCommand(word)) {
            if (i + 2 >= arguments.size() || !line.seed.empty()) {
                error = word + " needs a name and colours, and runs alone";
                return std::nullopt;
            }
            line.seed = {word, arguments[i + 1], arguments[i + 2]};
            i += 2;
        } else if (word == "--json") {
            line.json = true;
        } else if (word == "--help" || word == "-h") {
            line.help = true;
        } else if (isCommand(word)) {
            line.commands.push_back(word);
        } else {
            error = "unknown " + std::string(word.rfind("-", 0) == 0 ? "option" : "command") +
                    " \"" + word + "\"";
            return std::nullopt;
        }
    }
    if (!line.seed.empty() && !line.commands.empty()) {
        error = line.seed[0] + " runs alone, without menu commands";
        return std::nullopt;
    }
    if (line.servicesVersion == 0)
        line.servicesVersion = kHostServicesVersion;
    return line;
}

const char *CommandLine::usage()
{
    return "usage: hueport-host [--module FILE] [--project FILE] [--data DIR] [--debug-log FILE] "
           "[--json] [COMMAND ...]\n"
           "\n"
           "Loads the add-on module, runs its start-up and the given commands in order:\n"
           "  picker    the first registered menu (the colour picker)\n"
           "  about     the second registered menu (the about box)\n"
           "  colours   the third registered menu (the project's colours)\n"
           "  N         the N-th registered menu\n"
           "  menus     prints the start-up results and the registered menus\n"
           "Without a command, a menu in the terminal asks which to run, until you quit.\n"
           "Every breach of the host's contract by the add-on is reported on standard error\n"
           "(and with --json under \"breaches\"); the run then exits with 3.\n"
           "\n"
           "Seeding a project, without loading the add-on:\n"
           "  add-material NAME R,G,B            a surface material of that colour\n"
           "  add-pens NAME R,G,B[;R,G,B...]     a pen table with those colours as its first pens\n"
           "\n"
           "  --module FILE   the add-on (default: PREFIX/lib/hueport when installed, else\n"
           "                  the one built beside this host)\n"
           "  --project FILE  where the created materials and pen tables are kept\n"
           "                  (default: hueport-project.json here, created when missing)\n"
           "  --data DIR      the common application-data folder the add-on uses\n"
           "                  (default: PREFIX/share when installed, else XDG_DATA_DIRS)\n"
           "  --debug-log FILE  where the add-on's debug messages go (default: the variable\n"
           "                  HUEPORT_DEBUG_LOG, else hueport-debug.log beside the project\n"
           "                  file; - for standard error)\n"
           "  --json          one JSON document on standard output instead of text\n"
           "  --services-version N\n"
           "                  hand over the service table of an older host (1: without\n"
           "                  the attribute list)\n";
}

} // namespace HostRunner
