#include "engine/colour/colorvalue.h"

#include <QRegularExpression>

namespace Corvo {

namespace {

constexpr int kChannelMax = 255;

const QRegularExpression &hexPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:#\\s*([0-9a-f]{3}|[0-9a-f]{6})|([0-9a-f]{6}))$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Three channels, written bare with commas or blanks between them, or inside "rgb(...)"
// with commas.
const QList<QRegularExpression> &channelPatterns()
{
    static const QList<QRegularExpression> patterns{
        QRegularExpression(QStringLiteral("^(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)$")),
        QRegularExpression(QStringLiteral("^(\\d+)\\s+(\\d+)\\s+(\\d+)$")),
        QRegularExpression(
            QStringLiteral("^rgb\\s*\\(\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*\\)$"),
            QRegularExpression::CaseInsensitiveOption),
    };
    return patterns;
}

std::optional<QColor> colorFromHex(const QString &digits)
{
    // "#abc" stands for "#aabbcc".
    QString full;
    if (digits.size() == 3) {
        for (const QChar digit : digits)
            full += QString(2, digit);
    } else {
        full = digits;
    }
    bool ok = false;
    const uint value = full.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return QColor::fromRgb(QRgb(value));
}

std::optional<QColor> colorFromChannels(const QRegularExpressionMatch &match)
{
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        channels[i] = match.captured(i + 1).toInt(&ok);
        if (!ok || channels[i] > kChannelMax)
            return std::nullopt;
    }
    return QColor(channels[0], channels[1], channels[2]);
}

} // namespace

std::optional<QColor> colorFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch hex = hexPattern().match(trimmed);
    if (hex.hasMatch())
        return colorFromHex(hex.captured(1).isEmpty() ? hex.captured(2) : hex.captured(1));
    for (const QRegularExpression &pattern : channelPatterns()) {
        const QRegularExpressionMatch match = pattern.match(trimmed);
        if (match.hasMatch())
            return colorFromChannels(match);
    }
    return std::nullopt;
}

} // namespace Corvo
