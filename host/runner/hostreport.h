#pragma once

#include "host/runner/addonsession.h"
#include "host/runner/jsonvalue.h"
#include "host/runner/projectstore.h"

#include <cstdio>
#include <string>
#include <vector>

namespace HostRunner {

// What the host tells its user: readable lines, or with --json one JSON document per
// command, each on a line of its own. Contract breaches go to standard error as they
// happen; with --json each document also lists, under "breaches", those since the one
// before.
class HostReport
{
public:
    HostReport(bool json, std::FILE *out);

    void module(const std::string &modulePath, const std::string &projectPath);
    void handshake(const AddOnSession::Handshake &handshake);
    void menus(const std::vector<AddOnSession::MenuItem> &items);
    // What the command created or modified, as the project holds it now.
    void command(const std::string &name, const AddOnSession::MenuItem &item, int32_t result,
                 const std::vector<ProjectStore::Change> &changes, const ProjectStore &project);
    // What add-material or add-pens put into the project.
    void seeded(const std::string &command, const std::vector<ProjectStore::Change> &changes,
                const ProjectStore &project);
    // "start" for the loading and the handshake, else the command that failed.
    void problem(const std::string &command, const std::string &text);
    void breach(const Breach &breach);
    // The end of the run: breaches not yet listed get a document of their own ("finish"),
    // and the count of all of them is said on standard error.
    void finish(std::size_t breaches);

private:
    void print(JsonValue document);
    // The changes as the project holds them now, a modified attribute with "before", and as
    // readable lines.
    struct Changes
    {
        JsonValue created = JsonValue::array();
        JsonValue modified = JsonValue::array();
        std::vector<std::string> lines;
    };
    static Changes collect(const std::vector<ProjectStore::Change> &changes,
                           const ProjectStore &project);

    bool m_json;
    std::FILE *m_out;
    JsonValue m_handshake;
    JsonValue m_breaches = JsonValue::array();
};

// "Velmora > Color Picker".
std::string menuPath(const AddOnSession::MenuItem &item);

} // namespace HostRunner
