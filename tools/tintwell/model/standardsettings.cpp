#include "tools/tintwell/model/standardsettings.h"

namespace Tintwell::StandardSettings {

namespace {

// Segment 1 at twelve o'clock.
constexpr double kFirstSegmentAngle = 90.0;

SettingModel one(const char *key, const QString &value)
{
    return {QLatin1String(key), {value}};
}

} // namespace

QList<SettingModel> collection(int segments, int chipsPerCard, const QString &cardType)
{
    const QString on = QStringLiteral("1");
    const QString off = QStringLiteral("0");
    return {
        one("collection.enabled", on),
        one("max.chips.on.a.page", QString::number(chipsPerCard)),
        one("card.type", cardType),
        one("num.of.segments", QString::number(segments)),
        one("first.segment.angle", QString::number(kFirstSegmentAngle)),
        one("segment.increment.orientation", QStringLiteral("CW")),
        one("mode.card", QStringLiteral("ModeColorToColor")),
        one("mode.mood", QStringLiteral("MoodModeNormal")),
        one("mood.visible", on),
        one("has.color.schemes.page", on),
        one("color.tooltip.show.page.name", on),
        one("color.tooltip.show.row.name", on),
        one("color.tooltip.show.row.code", on),
        one("color.tooltip.show.row.auxiliary.info", on),
        one("color.tooltip.show.collection.name", on),
        one("color.tooltip.show.page.index", off),
        one("color.tooltip.show.row.row.index", off),
        one("cie2000.delta.intervals", QStringLiteral("1.5,3,5")),
        one("help.link", QStringLiteral("file:///%APP%/Contents/Resources/help/main.html")),
        one("save.palette.text.format", on),
        one("page.name.display.order", off),
        one("page.extra.display.order", off),
        one("page.name.search.order", off),
        {QStringLiteral("row.name.display.order"), {off, on}},
        one("row.extra.display.order", off),
        {QStringLiteral("row.name.search.order"), {off, on}},
    };
}

double firstSegmentAngle()
{
    return kFirstSegmentAngle;
}

QList<SettingModel> systemWide()
{
    return {
        one("has.textures.page", QStringLiteral("1")),
        one("texture.size", QStringLiteral("148,96")),
        one("list.of.preferred.font.faces",
            QStringLiteral("DejaVu Sans,9;Liberation Sans,9;Noto Sans,9;Arial,8")),
    };
}

} // namespace Tintwell::StandardSettings
