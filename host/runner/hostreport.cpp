#include "host/runner/hostreport.h"

#include <cmath>
#include <utility>

namespace HostRunner {

namespace {

const char *typeName(int32_t type)
{
    return type == kAttributeMaterial   ? "material"
           : type == kAttributePenTable ? "pen table"
                                        : "attribute";
}

int channel(const JsonValue &rgb, std::size_t i)
{
    return i < rgb.items().size() ? int(std::lround(rgb.items()[i].toNumber() * 255)) : 0;
}

// "material "Sage" (rgb 128 160 112)" or "pen table "Hall" (3 colour pens)".
std::string describe(const ProjectStore::Change &change, const JsonValue &attribute)
{
    std::string text = std::string(typeName(change.type)) + " \"" + change.name + "\"";
    if (change.type == kAttributeMaterial) {
        const JsonValue &rgb = attribute["rgb"];
        text += " (rgb " + std::to_string(channel(rgb, 0)) + " " + std::to_string(channel(rgb, 1)) +
                " " + std::to_string(channel(rgb, 2)) + ")";
    } else if (change.type == kAttributePenTable) {
        int coloured = 0;
        for (const JsonValue &pen : attribute["pens"].items())
            coloured += pen["width"].toNumber() > 0 ? 1 : 0;
        text += " (" + std::to_string(coloured) + " colour pens)";
    }
    return text;
}

// A modified attribute as it was: a material whole, a pen table's name and the pens that
// changed, so that old and new colours and names stand side by side.
JsonValue changedPart(const JsonValue &before, const JsonValue &after)
{
    if (before["type"].toString() != "penTable")
        return before;
    JsonValue pens = JsonValue::array();
    const auto &old = before["pens"].items();
    const auto &now = after["pens"].items();
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (i >= now.size() || old[i].serialize() != now[i].serialize())
            pens.append(old[i]);
    }
    return JsonValue::object({{"type", "penTable"}, {"name", before["name"]}, {"pens", pens}});
}

} // namespace

std::string menuPath(const AddOnSession::MenuItem &item)
{
    return item.menuTitle + " > " + item.itemText;
}

HostReport::HostReport(bool json, std::FILE *out) : m_json(json), m_out(out) {}

void HostReport::print(JsonValue document)
{
    document.insert("breaches", std::exchange(m_breaches, JsonValue::array()));
    std::fputs(document.serialize(true).c_str(), m_out);
    std::fflush(m_out);
}

void HostReport::module(const std::string &modulePath, const std::string &projectPath)
{
    if (!m_json)
        std::fprintf(m_out, "module:  %s\nproject: %s\n", modulePath.c_str(), projectPath.c_str());
}

void HostReport::handshake(const AddOnSession::Handshake &handshake)
{
    m_handshake = JsonValue::object({
        {"checkEnvironment", int(handshake.checkEnvironment)},
        {"name", handshake.name},
        {"description", handshake.description},
        {"registerInterface", int(handshake.registerInterface)},
        {"initialize", int(handshake.initialize)},
        {"started", handshake.started()},
    });
    if (m_json)
        return;
    std::fprintf(m_out, "check-environment:  %d (%s: %s)\n", handshake.checkEnvironment,
                 handshake.name.c_str(), handshake.description.c_str());
    std::fprintf(m_out, "register-interface: %d\n", handshake.registerInterface);
    std::fprintf(m_out, "initialise:         %d\n", handshake.initialize);
}

void HostReport::menus(const std::vector<AddOnSession::MenuItem> &items)
{
    if (m_json) {
        JsonValue list = JsonValue::array();
        for (std::size_t i = 0; i < items.size(); ++i) {
            list.append(JsonValue::object({{"number", int(i + 1)},
                                           {"menu", items[i].menuTitle},
                                           {"item", items[i].itemText},
                                           {"menuResId", int(items[i].menuResId)},
                                           {"promptResId", int(items[i].promptResId)},
                                           {"enabled", items[i].enabled}}));
        }
        print(
            JsonValue::object({{"command", "menus"}, {"handshake", m_handshake}, {"menus", list}}));
        return;
    }
    std::fprintf(m_out, "menus:\n");
    for (std::size_t i = 0; i < items.size(); ++i)
        std::fprintf(m_out, "  %zu  %s%s\n", i + 1, menuPath(items[i]).c_str(),
                     items[i].enabled ? "" : " (disabled)");
}

void HostReport::command(const std::string &name, const AddOnSession::MenuItem &item,
                         int32_t result, const std::vector<ProjectStore::Change> &changes,
                         const ProjectStore &project)
{
    const Changes listed = collect(changes, project);
    if (m_json) {
        print(JsonValue::object({{"command", name},
                                 {"menu", menuPath(item)},
                                 {"result", int(result)},
                                 {"created", listed.created},
                                 {"modified", listed.modified}}));
        return;
    }
    std::fprintf(m_out, "%s (%s): result %d\n", name.c_str(), menuPath(item).c_str(), result);
    for (const std::string &line : listed.lines)
        std::fprintf(m_out, "  %s\n", line.c_str());
    if (listed.lines.empty())
        std::fprintf(m_out, "  nothing created\n");
}

HostReport::Changes HostReport::collect(const std::vector<ProjectStore::Change> &changes,
                                        const ProjectStore &project)
{
    Changes listed;
    for (const ProjectStore::Change &change : changes) {
        JsonValue attribute = project.attributeJson(change.type, change.name);
        const bool isNew = change.kind == ProjectStore::ChangeKind::Created;
        listed.lines.push_back(std::string(isNew ? "created " : "modified ") +
                               describe(change, attribute));
        if (!isNew)
            attribute.insert("before", changedPart(change.before, attribute));
        (isNew ? listed.created : listed.modified).append(std::move(attribute));
    }
    return listed;
}

void HostReport::seeded(const std::string &command,
                        const std::vector<ProjectStore::Change> &changes,
                        const ProjectStore &project)
{
    const Changes listed = collect(changes, project);
    if (m_json) {
        print(JsonValue::object({{"command", command}, {"created", listed.created}}));
        return;
    }
    for (const std::string &line : listed.lines)
        std::fprintf(m_out, "%s\n", line.c_str());
}

void HostReport::problem(const std::string &command, const std::string &text)
{
    if (m_json) {
        JsonValue document = JsonValue::object({{"command", command}, {"error", text}});
        if (command == "start" && !m_handshake.isNull())
            document.insert("handshake", m_handshake);
        print(document);
        return;
    }
    std::fprintf(stderr, "hueport-host: %s\n", text.c_str());
}

void HostReport::breach(const Breach &breach)
{
    std::fprintf(stderr, "hueport-host: contract breach during %s: %s %s\n", breach.during.c_str(),
                 breach.service.c_str(), breach.text.c_str());
    std::fflush(stderr);
    if (m_json)
        m_breaches.append(JsonValue::object(
            {{"during", breach.during}, {"service", breach.service}, {"text", breach.text}}));
}

void HostReport::finish(std::size_t breaches)
{
    if (m_json && !m_breaches.items().empty())
        print(JsonValue::object({{"command", "finish"}}));
    if (breaches > 0)
        std::fprintf(stderr, "hueport-host: the add-on breached the host's contract %zu times\n",
                     breaches);
}

} // namespace HostRunner
