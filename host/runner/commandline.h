#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace HostRunner {

// hueport-host [--module FILE] [--project FILE] [--data DIR] [--debug-log FILE] [--json]
//              [COMMAND ...], or
// hueport-host [--project FILE] [--json] add-material|add-pens NAME COLOURS
struct CommandLine
{
    std::string module;
    std::string project = "hueport-project.json";
    std::string dataFolder; // empty: the environment's
    std::string debugLog;   // empty: HUEPORT_DEBUG_LOG, else beside the project; "-": stderr
    bool json = false;
    bool help = false;
    // "picker", "about", "colours", "menus" or a menu number, in the order given; none: the
    // terminal menu.
    std::vector<std::string> commands;
    // "add-material" or "add-pens", the name and the colours; empty when not seeding.
    std::vector<std::string> seed;
    // The service table of an older host, for trying an add-on against it.
    uint32_t servicesVersion = 0;

    // Nothing, and `error` set, for an unknown option, a missing value or an unknown command.
    static std::optional<CommandLine> parse(const std::vector<std::string> &arguments,
                                            const std::string &defaultModule, std::string &error);
    static const char *usage();
};

// The command names of the registered menus, by position from 1.
std::optional<std::size_t> menuNumberOf(const std::string &command);

} // namespace HostRunner
