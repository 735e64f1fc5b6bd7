#pragma once

#include "host/runner/addonsession.h"
#include "host/runner/jsonvalue.h"
#include "host/runner/projectstore.h"

#include <cstdio>
#include <string>
#include <vector>

namespace HostRunner {

// What the host tells its user: readable lines as things happen, or with --json one
// document at the end.
class HostReport
{
public:
    HostReport(bool json, std::FILE *out);

    void module(const std::string &modulePath, const std::string &projectPath);
    void handshake(const AddOnSession::Handshake &handshake);
    void menus(const std::vector<AddOnSession::MenuItem> &items);
    void command(const std::string &name, const AddOnSession::MenuItem &item, int32_t result,
                 const std::vector<ProjectStore::Change> &changes);
    void problem(const std::string &text);
    // Ends the report; the JSON document also lists the project's attributes.
    void finish(const ProjectStore &project, int residencyRequests);

private:
    bool m_json;
    std::FILE *m_out;
    JsonValue m_document = JsonValue::object();
    JsonValue m_commands = JsonValue::array();
    JsonValue m_problems = JsonValue::array();
};

// "Velmora > Color Picker".
std::string menuPath(const AddOnSession::MenuItem &item);

} // namespace HostRunner
