#pragma once

#include <optional>
#include <string>
#include <vector>

namespace HostRunner {

// hueport-host [--module FILE] [--project FILE] [--data DIR] [--debug-log FILE] [--json]
//              [COMMAND ...]
struct CommandLine
{
    std::string module;
    std::string project = "hueport-project.json";
    std::string dataFolder; // empty: the environment's
    std::string debugLog;   // empty: HUEPORT_DEBUG_LOG, else beside the project; "-": stderr
    bool json = false;
    bool help = false;
    // "picker", "about", "menus" or a menu number, in the order given; none: the terminal menu.
    std::vector<std::string> commands;

    // Nothing, and `error` set, for an unknown option, a missing value or an unknown command.
    static std::optional<CommandLine> parse(const std::vector<std::string> &arguments,
                                            const std::string &defaultModule, std::string &error);
    static const char *usage();
};

// The command names of the registered menus, by position from 1.
std::optional<std::size_t> menuNumberOf(const std::string &command);

} // namespace HostRunner
