#include "engine/settings/jsoncodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Corvo {

namespace {

enum class Token {
    None,
    ObjectOpen,
    ObjectClose,
    ArrayOpen,
    ArrayClose,
    Colon,
    Comma,
    String,
    Number,
    True,
    False,
    Null
};

const QString trueWord = QStringLiteral("true");
const QString falseWord = QStringLiteral("false");
const QString nullWord = QStringLiteral("null");
const QString numberCharacters = QStringLiteral("0123456789+-.eE");

constexpr char16_t firstPrintable = 0x20;

bool isJsonWhitespace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

int hexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// Four hexadecimal digits as one UTF-16 code unit; anything else is the code unit 0.
char16_t codeUnitFromHex(QStringView digits)
{
    char16_t unit = 0;
    for (QChar c : digits) {
        const int value = hexDigitValue(c);
        if (value < 0)
            return 0;
        unit = char16_t(unit * 16 + value);
    }
    return unit;
}

class JsonReader
{
public:
    explicit JsonReader(const QString &text) : m_text(text) {}

    QVariant parseDocument(bool &ok)
    {
        m_ok = true;
        QVariant value = parseValue(0);
        ok = m_ok;
        return value;
    }

private:
    QVariant parseValue(int depth)
    {
        switch (peekToken()) {
        case Token::ObjectOpen:
            return parseObject(depth + 1);
        case Token::ArrayOpen:
            return parseArray(depth + 1);
        case Token::String:
            return parseString();
        case Token::Number:
            return parseNumber();
        case Token::True:
            nextToken();
            return true;
        case Token::False:
            nextToken();
            return false;
        case Token::Null:
            nextToken();
            return QVariant();
        default:
            m_ok = false;
            return QVariant();
        }
    }

    QVariant parseObject(int depth)
    {
        if (depth > maxJsonNesting) {
            m_ok = false;
            return QVariant();
        }
        nextToken();
        QVariantMap map;
        for (;;) {
            const Token token = peekToken();
            if (token == Token::None) {
                m_ok = false;
                return QVariantMap();
            }
            if (token == Token::Comma) {
                nextToken();
                continue;
            }
            if (token == Token::ObjectClose) {
                nextToken();
                return map;
            }
            // The key is read as a string whatever token starts it.
            const QString key = parseString().toString();
            if (!m_ok)
                return QVariantMap();
            if (nextToken() != Token::Colon) {
                m_ok = false;
                return QVariantMap();
            }
            const QVariant value = parseValue(depth);
            if (!m_ok)
                return QVariantMap();
            map.insert(key, value);
        }
    }

    QVariant parseArray(int depth)
    {
        if (depth > maxJsonNesting) {
            m_ok = false;
            return QVariant();
        }
        nextToken();
        QVariantList list;
        for (;;) {
            const Token token = peekToken();
            if (token == Token::None) {
                m_ok = false;
                return QVariantList();
            }
            if (token == Token::Comma) {
                nextToken();
                continue;
            }
            if (token == Token::ArrayClose) {
                nextToken();
                return list;
            }
            const QVariant value = parseValue(depth);
            if (!m_ok)
                return QVariantList();
            list.append(value);
        }
    }

    QVariant parseString()
    {
        skipWhitespace();
        ++m_position; // the opening quote, or whatever stands in its place
        QString text;
        while (m_position < m_text.size()) {
            const QChar c = m_text.at(m_position++);
            if (c == u'"')
                return text;
            if (c != u'\\') {
                text.append(c);
                continue;
            }
            if (m_position >= m_text.size())
                break;
            if (!appendEscape(text))
                break;
        }
        m_ok = false;
        return QVariant();
    }

    // Reads the character after a backslash; false when a \u escape is cut short.
    bool appendEscape(QString &text)
    {
        const QChar c = m_text.at(m_position++);
        switch (c.unicode()) {
        case u'"':
        case u'\\':
        case u'/':
            text.append(c);
            return true;
        case u'b':
            text.append(QChar(u'\b'));
            return true;
        case u'f':
            text.append(QChar(u'\f'));
            return true;
        case u'n':
            text.append(QChar(u'\n'));
            return true;
        case u'r':
            text.append(QChar(u'\r'));
            return true;
        case u't':
            text.append(QChar(u'\t'));
            return true;
        case u'u': {
            constexpr int hexLength = 4;
            if (m_text.size() - m_position < hexLength)
                return false;
            text.append(QChar(codeUnitFromHex(QStringView(m_text).mid(m_position, hexLength))));
            m_position += hexLength;
            return true;
        }
        default:
            return true; // an unknown escape is dropped with its backslash
        }
    }

    QVariant parseNumber()
    {
        skipWhitespace();
        const qsizetype start = m_position;
        while (m_position < m_text.size() && numberCharacters.contains(m_text.at(m_position)))
            ++m_position;
        const QString run = m_text.mid(start, m_position - start);

        bool converted = false;
        // An exponent makes a real too: the writer puts out large reals as 1e+21.
        if (run.contains(u'.') || run.contains(u'e', Qt::CaseInsensitive)) {
            const double value = run.toDouble(&converted);
            return converted && std::isfinite(value) ? value : 0.0;
        }
        if (run.startsWith(u'-')) {
            const qint64 value = run.toLongLong(&converted);
            return converted ? value : qint64(0);
        }
        const quint64 value = run.toULongLong(&converted);
        return converted ? value : quint64(0);
    }

    void skipWhitespace()
    {
        while (m_position < m_text.size() && isJsonWhitespace(m_text.at(m_position)))
            ++m_position;
    }

    bool startsWithWord(const QString &word) const
    {
        return QStringView(m_text).mid(m_position).startsWith(word);
    }

    Token nextToken()
    {
        skipWhitespace();
        if (m_position >= m_text.size())
            return Token::None;
        switch (m_text.at(m_position).unicode()) {
        case u'{':
            ++m_position;
            return Token::ObjectOpen;
        case u'}':
            ++m_position;
            return Token::ObjectClose;
        case u'[':
            ++m_position;
            return Token::ArrayOpen;
        case u']':
            ++m_position;
            return Token::ArrayClose;
        case u':':
            ++m_position;
            return Token::Colon;
        case u',':
            ++m_position;
            return Token::Comma;
        case u'"':
            ++m_position;
            return Token::String;
        default:
            break;
        }
        const QChar c = m_text.at(m_position);
        if ((c >= u'0' && c <= u'9') || c == u'-') {
            ++m_position;
            return Token::Number;
        }
        if (startsWithWord(trueWord)) {
            m_position += trueWord.size();
            return Token::True;
        }
        if (startsWithWord(falseWord)) {
            m_position += falseWord.size();
            return Token::False;
        }
        if (startsWithWord(nullWord)) {
            m_position += nullWord.size();
            return Token::Null;
        }
        return Token::None;
    }

    Token peekToken()
    {
        const qsizetype saved = m_position;
        const Token token = nextToken();
        m_position = saved;
        return token;
    }

    const QString &m_text;
    qsizetype m_position = 0;
    bool m_ok = true;
};

// The escape of one UTF-16 code unit (backslash, "u", four hex digits); the reader turns
// it back into the same unit.
void appendCodeUnitEscape(QString &escaped, char16_t unit)
{
    constexpr int hexDigits = 4;
    escaped.append(u"\\u");
    escaped.append(QString::number(unit, 16).rightJustified(hexDigits, u'0'));
}

bool startsSurrogatePair(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

QByteArray escapedString(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped.append(u'"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (startsSurrogatePair(text, i)) {
            escaped.append(c);
            escaped.append(text.at(++i));
            continue;
        }
        // A lone surrogate has no UTF-8 form (it would become "?"), yet the reader makes one
        // from an escape; written as that escape again, the text reads back unchanged.
        if (c.isSurrogate()) {
            appendCodeUnitEscape(escaped, c.unicode());
            continue;
        }
        switch (c.unicode()) {
        case u'\\':
            escaped.append(u"\\\\");
            break;
        case u'"':
            escaped.append(u"\\\"");
            break;
        case u'\b':
            escaped.append(u"\\b");
            break;
        case u'\f':
            escaped.append(u"\\f");
            break;
        case u'\n':
            escaped.append(u"\\n");
            break;
        case u'\r':
            escaped.append(u"\\r");
            break;
        case u'\t':
            escaped.append(u"\\t");
            break;
        default:
            if (c.unicode() < firstPrintable) {
                // A raw control character would not survive strict JSON readers.
                appendCodeUnitEscape(escaped, c.unicode());
            } else {
                escaped.append(c);
            }
        }
    }
    escaped.append(u'"');
    return escaped.toUtf8();
}

// printf's %.20g without its locale; "nan" and "inf" would not read back as JSON.
QByteArray realText(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    constexpr int significantDigits = 20;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    QByteArray text(buffer, int(result.ptr - buffer));
    if (!text.contains('.') && !text.contains('e'))
        text.append(".0");
    return text;
}

bool isSignedIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool writeValue(const QVariant &value, QByteArray &out, int depth);

bool writeList(const QVariantList &list, QByteArray &out, int depth)
{
    if (depth > maxJsonNesting)
        return false;
    out.append("[ ");
    bool first = true;
    for (const QVariant &element : list) {
        if (!first)
            out.append(", ");
        first = false;
        if (!writeValue(element, out, depth))
            return false;
    }
    out.append(" ]");
    return true;
}

bool writeMap(const QVariantMap &map, QByteArray &out, int depth)
{
    if (depth > maxJsonNesting)
        return false;
    out.append("{ ");
    bool first = true;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (!first)
            out.append(", ");
        first = false;
        out.append(escapedString(it.key()));
        out.append(" : ");
        if (!writeValue(it.value(), out, depth))
            return false;
    }
    out.append(" }");
    return true;
}

// A hash is written in key order too, so that equal values give equal text.
QVariantMap sortedMap(const QVariantHash &hash)
{
    QVariantMap map;
    for (auto it = hash.cbegin(); it != hash.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

bool writeAsText(const QVariant &value, QByteArray &out)
{
    QVariant text = value;
    if (!value.canConvert<QString>() || !text.convert(QMetaType::fromType<QString>()))
        return false;
    out.append(escapedString(text.toString()));
    return true;
}

bool writeValue(const QVariant &value, QByteArray &out, int depth)
{
    const int typeId = value.typeId();
    if (!value.isValid() || typeId == QMetaType::Nullptr) {
        out.append("null");
        return true;
    }
    if (typeId == QMetaType::QVariantList || typeId == QMetaType::QStringList)
        return writeList(value.toList(), out, depth + 1);
    if (typeId == QMetaType::QVariantMap)
        return writeMap(value.toMap(), out, depth + 1);
    if (typeId == QMetaType::QVariantHash)
        return writeMap(sortedMap(value.toHash()), out, depth + 1);
    if (typeId == QMetaType::QString || typeId == QMetaType::QByteArray) {
        out.append(escapedString(value.toString()));
        return true;
    }
    if (typeId == QMetaType::Double || typeId == QMetaType::Float) {
        out.append(realText(value.toDouble()));
        return true;
    }
    if (typeId == QMetaType::Bool) {
        out.append(value.toBool() ? "true" : "false");
        return true;
    }
    if (typeId == QMetaType::ULongLong || typeId == QMetaType::ULong) {
        out.append(QByteArray::number(value.toULongLong()));
        return true;
    }
    if (isSignedIntegerType(typeId)) {
        out.append(QByteArray::number(value.toLongLong()));
        return true;
    }
    return writeAsText(value, out);
}

} // namespace

QVariant parseJson(const QString &text, bool &ok)
{
    ok = true;
    if (text.isEmpty())
        return QVariant();
    return JsonReader(text).parseDocument(ok);
}

QVariant parseJson(const QByteArray &utf8, bool &ok)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(utf8);
    if (decoder.hasError()) {
        ok = false;
        return QVariant();
    }
    return parseJson(text, ok);
}

QByteArray serializeJson(const QVariant &value, bool &ok)
{
    QByteArray out;
    ok = writeValue(value, out, 0);
    if (!ok)
        out.clear();
    return out;
}

} // namespace Corvo
