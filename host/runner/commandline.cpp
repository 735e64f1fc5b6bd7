#include "host/runner/commandline.h"

#include <charconv>

namespace HostRunner {

namespace {

constexpr const char *kMenuCommands[] = {"picker", "about"};

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
           "  N         the N-th registered menu\n"
           "  menus     prints the start-up results and the registered menus\n"
           "Without a command, a menu in the terminal asks which to run, until you quit.\n"
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
           "  --json          one JSON document on standard output instead of text\n";
}

} // namespace HostRunner
