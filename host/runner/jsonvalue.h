#pragma once

#include <optional>
#include <string>
#include <vector>

namespace HostRunner {

// A JSON document in memory, for the project file and the --json output. The host is not
// a Qt program, so it carries this small reader and writer of its own.
class JsonValue
{
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };
    using Array = std::vector<JsonValue>;
    // Members keep their insertion order, so files read as they were written.
    using Object = std::vector<std::pair<std::string, JsonValue>>;

    JsonValue() = default;
    JsonValue(bool value);
    JsonValue(double value);
    JsonValue(int value);
    JsonValue(std::string value);
    JsonValue(const char *value);
    static JsonValue array(Array items = {});
    static JsonValue object(Object members = {});

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool toBool() const { return m_bool; }
    double toNumber() const { return m_number; }
    const std::string &toString() const { return m_string; }
    const Array &items() const { return m_array; }
    const Object &members() const { return m_object; }
    // The member's value; a null value when there is none (or this is no object).
    const JsonValue &operator[](const std::string &key) const;

    void append(JsonValue item);
    void insert(std::string key, JsonValue value);

    // UTF-8 text ending with a line break: two-space indented, or all on that one line.
    std::string serialize(bool compact = false) const;
    // Nothing when the text is not one JSON value (or nests deeper than 64 levels).
    static std::optional<JsonValue> parse(const std::string &text);

private:
    Kind m_kind = Kind::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    Array m_array;
    Object m_object;
};

} // namespace HostRunner
