#include "host/runner/jsonvalue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace HostRunner {

namespace {

constexpr int kMaxDepth = 64;

void appendUtf8(std::string &out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

void writeString(std::string &out, const std::string &text)
{
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void writeNumber(std::string &out, double number)
{
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, number);
    out.append(text, result.ptr);
}

void writeValue(std::string &out, const JsonValue &value, int indent)
{
    // A negative indent writes everything on one line.
    const bool compact = indent < 0;
    const std::string inner = compact ? std::string() : std::string(std::size_t(indent + 2), ' ');
    const char *const separator = compact ? "," : ",\n";
    const char *const last = compact ? "" : "\n";
    const std::string closing = compact ? std::string() : std::string(std::size_t(indent), ' ');
    const int nested = compact ? indent : indent + 2;
    switch (value.kind()) {
    case JsonValue::Kind::Null:
        out += "null";
        break;
    case JsonValue::Kind::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case JsonValue::Kind::Number:
        writeNumber(out, value.toNumber());
        break;
    case JsonValue::Kind::String:
        writeString(out, value.toString());
        break;
    case JsonValue::Kind::Array:
        if (value.items().empty()) {
            out += "[]";
            break;
        }
        out += compact ? "[" : "[\n";
        for (std::size_t i = 0; i < value.items().size(); ++i) {
            out += inner;
            writeValue(out, value.items()[i], nested);
            out += i + 1 < value.items().size() ? separator : last;
        }
        out += closing + "]";
        break;
    case JsonValue::Kind::Object:
        if (value.members().empty()) {
            out += "{}";
            break;
        }
        out += compact ? "{" : "{\n";
        for (std::size_t i = 0; i < value.members().size(); ++i) {
            out += inner;
            writeString(out, value.members()[i].first);
            out += compact ? ":" : ": ";
            writeValue(out, value.members()[i].second, nested);
            out += i + 1 < value.members().size() ? separator : last;
        }
        out += closing + "}";
        break;
    }
}

class Parser
{
public:
    explicit Parser(const std::string &text) : m_text(text) {}

    std::optional<JsonValue> document()
    {
        auto value = parseValue(0);
        skipSpace();
        if (!value || m_at != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void skipSpace()
    {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    bool take(char c)
    {
        skipSpace();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool takeWord(const char *word)
    {
        const std::string w(word);
        if (m_text.compare(m_at, w.size(), w) != 0)
            return false;
        m_at += w.size();
        return true;
    }

    std::optional<JsonValue> parseValue(int depth)
    {
        if (depth > kMaxDepth)
            return std::nullopt;
        skipSpace();
        if (m_at >= m_text.size())
            return std::nullopt;
        const char c = m_text[m_at];
        if (c == '{')
            return parseObject(depth);
        if (c == '[')
            return parseArray(depth);
        if (c == '"') {
            auto text = parseString();
            if (!text)
                return std::nullopt;
            return JsonValue(std::move(*text));
        }
        if (takeWord("true"))
            return JsonValue(true);
        if (takeWord("false"))
            return JsonValue(false);
        if (takeWord("null"))
            return JsonValue();
        return parseNumber();
    }

    std::optional<JsonValue> parseNumber()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_at]) != std::string_view::npos)
            ++m_at;
        double number = 0;
        const char *first = m_text.data() + start;
        const char *last = m_text.data() + m_at;
        const auto result = std::from_chars(first, last, number);
        if (start == m_at || result.ec != std::errc() || result.ptr != last)
            return std::nullopt;
        return JsonValue(number);
    }

    std::optional<unsigned> parseHex4()
    {
        if (m_at + 4 > m_text.size())
            return std::nullopt;
        unsigned value = 0;
        const auto result =
            std::from_chars(m_text.data() + m_at, m_text.data() + m_at + 4, value, 16);
        if (result.ec != std::errc() || result.ptr != m_text.data() + m_at + 4)
            return std::nullopt;
        m_at += 4;
        return value;
    }

    std::optional<std::string> parseString()
    {
        ++m_at; // the opening quote
        std::string out;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size())
                return std::nullopt;
            const char escape = m_text[m_at++];
            switch (escape) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                auto unit = parseHex4();
                if (!unit)
                    return std::nullopt;
                unsigned codePoint = *unit;
                if (codePoint >= 0xD800 && codePoint < 0xDC00 && takeWord("\\u")) {
                    const auto low = parseHex4();
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (*low - 0xDC00);
                } else if (codePoint >= 0xD800 && codePoint < 0xE000) {
                    return std::nullopt; // a lone surrogate is no character
                }
                appendUtf8(out, codePoint);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<JsonValue> parseArray(int depth)
    {
        ++m_at;
        JsonValue array = JsonValue::array();
        if (take(']'))
            return array;
        do {
            auto item = parseValue(depth + 1);
            if (!item)
                return std::nullopt;
            array.append(std::move(*item));
        } while (take(','));
        if (!take(']'))
            return std::nullopt;
        return array;
    }

    std::optional<JsonValue> parseObject(int depth)
    {
        ++m_at;
        JsonValue object = JsonValue::object();
        if (take('}'))
            return object;
        do {
            skipSpace();
            if (m_at >= m_text.size() || m_text[m_at] != '"')
                return std::nullopt;
            auto key = parseString();
            if (!key || !take(':'))
                return std::nullopt;
            auto value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            object.insert(std::move(*key), std::move(*value));
        } while (take(','));
        if (!take('}'))
            return std::nullopt;
        return object;
    }

    const std::string &m_text;
    std::size_t m_at = 0;
};

} // namespace

JsonValue::JsonValue(bool value) : m_kind(Kind::Bool), m_bool(value) {}
JsonValue::JsonValue(double value) : m_kind(Kind::Number), m_number(value) {}
JsonValue::JsonValue(int value) : m_kind(Kind::Number), m_number(value) {}
JsonValue::JsonValue(std::string value) : m_kind(Kind::String), m_string(std::move(value)) {}
JsonValue::JsonValue(const char *value) : JsonValue(std::string(value)) {}

JsonValue JsonValue::array(Array items)
{
    JsonValue value;
    value.m_kind = Kind::Array;
    value.m_array = std::move(items);
    return value;
}

JsonValue JsonValue::object(Object members)
{
    JsonValue value;
    value.m_kind = Kind::Object;
    value.m_object = std::move(members);
    return value;
}

const JsonValue &JsonValue::operator[](const std::string &key) const
{
    static const JsonValue null;
    for (const auto &member : m_object) {
        if (member.first == key)
            return member.second;
    }
    return null;
}

void JsonValue::append(JsonValue item)
{
    m_array.push_back(std::move(item));
}

void JsonValue::insert(std::string key, JsonValue value)
{
    for (auto &member : m_object) {
        if (member.first == key) {
            member.second = std::move(value);
            return;
        }
    }
    m_object.emplace_back(std::move(key), std::move(value));
}

std::string JsonValue::serialize(bool compact) const
{
    std::string out;
    writeValue(out, *this, compact ? -1 : 0);
    out += '\n';
    return out;
}

std::optional<JsonValue> JsonValue::parse(const std::string &text)
{
    return Parser(text).document();
}

} // namespace HostRunner
