#include "host/runner/hostreport.h"

namespace HostRunner {

namespace {

const char *typeName(int32_t type)
{
    return type == kAttributeMaterial   ? "material"
           : type == kAttributePenTable ? "pen table"
                                        : "attribute";
}

} // namespace

std::string menuPath(const AddOnSession::MenuItem &item)
{
    return item.menuTitle + " > " + item.itemText;
}

HostReport::HostReport(bool json, std::FILE *out) : m_json(json), m_out(out) {}

void HostReport::module(const std::string &modulePath, const std::string &projectPath)
{
    m_document.insert("module", modulePath);
    m_document.insert("project", projectPath);
    if (!m_json)
        std::fprintf(m_out, "module:  %s\nproject: %s\n", modulePath.c_str(), projectPath.c_str());
}

void HostReport::handshake(const AddOnSession::Handshake &handshake)
{
    m_document.insert("handshake", JsonValue::object({
                                       {"checkEnvironment", int(handshake.checkEnvironment)},
                                       {"name", handshake.name},
                                       {"description", handshake.description},
                                       {"registerInterface", int(handshake.registerInterface)},
                                       {"initialize", int(handshake.initialize)},
                                       {"started", handshake.started()},
                                   }));
    if (m_json)
        return;
    std::fprintf(m_out, "check-environment:  %d (%s: %s)\n", handshake.checkEnvironment,
                 handshake.name.c_str(), handshake.description.c_str());
    std::fprintf(m_out, "register-interface: %d\n", handshake.registerInterface);
    std::fprintf(m_out, "initialise:         %d\n", handshake.initialize);
}

void HostReport::menus(const std::vector<AddOnSession::MenuItem> &items)
{
    JsonValue list = JsonValue::array();
    for (std::size_t i = 0; i < items.size(); ++i) {
        list.append(JsonValue::object({{"number", int(i + 1)},
                                       {"menu", items[i].menuTitle},
                                       {"item", items[i].itemText},
                                       {"menuResId", int(items[i].menuResId)},
                                       {"promptResId", int(items[i].promptResId)}}));
    }
    m_document.insert("menus", list);
    if (m_json)
        return;
    std::fprintf(m_out, "menus:\n");
    for (std::size_t i = 0; i < items.size(); ++i)
        std::fprintf(m_out, "  %zu  %s\n", i + 1, menuPath(items[i]).c_str());
}

void HostReport::command(const std::string &name, const AddOnSession::MenuItem &item,
                         int32_t result, const std::vector<ProjectStore::Change> &changes)
{
    JsonValue created = JsonValue::array();
    JsonValue modified = JsonValue::array();
    for (const ProjectStore::Change &change : changes) {
        JsonValue entry =
            JsonValue::object({{"type", typeName(change.type)}, {"name", change.name}});
        (change.kind == ProjectStore::ChangeKind::Created ? created : modified).append(entry);
    }
    m_commands.append(JsonValue::object({{"command", name},
                                         {"menu", menuPath(item)},
                                         {"result", int(result)},
                                         {"created", created},
                                         {"modified", modified}}));
    if (m_json)
        return;
    std::fprintf(m_out, "%s (%s): result %d\n", name.c_str(), menuPath(item).c_str(), result);
    for (const ProjectStore::Change &change : changes) {
        std::fprintf(m_out, "  %s %s \"%s\"\n",
                     change.kind == ProjectStore::ChangeKind::Created ? "created" : "modified",
                     typeName(change.type), change.name.c_str());
    }
    if (changes.empty())
        std::fprintf(m_out, "  nothing created\n");
}

void HostReport::problem(const std::string &text)
{
    m_problems.append(text);
    if (!m_json)
        std::fprintf(stderr, "hueport-host: %s\n", text.c_str());
}

void HostReport::finish(const ProjectStore &project, int residencyRequests)
{
    if (!m_json)
        return;
    m_document.insert("commands", m_commands);
    m_document.insert("residencyRequests", residencyRequests);
    const JsonValue attributes = project.toJson();
    m_document.insert("materials", attributes["materials"]);
    m_document.insert("penTables", attributes["penTables"]);
    m_document.insert("problems", m_problems);
    std::fputs(m_document.serialize().c_str(), m_out);
}

} // namespace HostRunner
