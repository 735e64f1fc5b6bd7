#include "tools/tintwell/import/importpresentation.h"

#include "tools/tintwell/demo/colourmath.h"
#include "tools/tintwell/demo/demotexts.h"
#include "tools/tintwell/model/standardsettings.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace Tintwell::ImportPresentation {

namespace {

constexpr int kRings = 4;
constexpr int kBannerSwatches = 12;
constexpr double kColourfulChroma = 8.0;
constexpr double kGreySegmentChroma = 4.0;
constexpr double kWheelLightness = 60.0;
constexpr qsizetype kMostBrandLetters = 12;
const QColor kFallbackAccent(0, 129, 183);

QColor colourOf(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

struct ChipColour
{
    Rgb rgb;
    ColourMath::Lch lch;
};

QList<QList<ChipColour>> colourfulBySegment(const QList<CardModel> &cards, int segments)
{
    QList<QList<ChipColour>> bySegment(segments);
    for (const CardModel &card : cards) {
        for (const ChipModel &chip : card.chips) {
            const ColourMath::Lch lch = ColourMath::lchFromLab(ColourMath::labFromRgb(chip.rgb));
            if (lch.c >= kColourfulChroma)
                bySegment[segmentOfHue(lch.h, segments) - 1].append({chip.rgb, lch});
        }
    }
    for (QList<ChipColour> &colours : bySegment)
        std::sort(
            colours.begin(), colours.end(),
            [](const ChipColour &one, const ChipColour &other) { return one.lch.c > other.lch.c; });
    return bySegment;
}

QList<QColor> ringsOf(const QList<ChipColour> &colours, double hue)
{
    QList<QColor> rings;
    for (int ring = 0; ring < kRings; ++ring) {
        if (colours.isEmpty())
            rings.append(colourOf(ColourMath::rgbFromLchInGamut(
                {kWheelLightness + ring * 5.0, kGreySegmentChroma, hue})));
        else
            rings.append(colourOf(colours.at(ring * colours.size() / kRings).rgb));
    }
    return rings;
}

QColor accentOf(const QList<QList<ChipColour>> &bySegment)
{
    std::optional<ChipColour> best;
    for (const QList<ChipColour> &colours : bySegment) {
        for (const ChipColour &colour : colours) {
            const bool usable = colour.lch.l > 35.0 && colour.lch.l < 70.0;
            if (usable && (!best || colour.lch.c > best->lch.c))
                best = colour;
        }
    }
    return best ? colourOf(best->rgb) : kFallbackAccent;
}

QList<QColor> bannerSwatches(const QList<QList<ChipColour>> &bySegment,
                             const QList<CardModel> &cards)
{
    QList<QColor> swatches;
    const int segments = static_cast<int>(bySegment.size());
    for (int i = 0; i < kBannerSwatches; ++i) {
        const QList<ChipColour> &colours = bySegment.at(i * segments / kBannerSwatches);
        if (!colours.isEmpty())
            swatches.append(colourOf(colours.first().rgb));
    }
    for (int card = 0; card < cards.size() && swatches.size() < kRings; ++card)
        swatches.append(colourOf(cards.at(card).chips.first().rgb));
    return swatches;
}

QStringList words(const QString &name)
{
    return name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

int segmentOfHue(double hue, int segments)
{
    const double width = 360.0 / segments;
    const double shifted = std::fmod(hue + width / 2.0 + 360.0, 360.0);
    return std::clamp(static_cast<int>(shifted / width) + 1, 1, segments);
}

QList<SettingModel> settings(const ImportOptions &options, bool hasExterior, bool hasProducts)
{
    QList<SettingModel> settings = StandardSettings::collection(
        options.segments, options.chipsPerCard, QStringLiteral("normal"));
    const QString on = QStringLiteral("1");
    QStringList tabs = {QStringLiteral("PageOfColorSchemes")};
    if (hasProducts)
        tabs.append(QStringLiteral("PageOfProducts"));
    settings += {
        {QStringLiteral("has.exterior.filter"), {hasExterior ? on : QStringLiteral("0")}},
        {QStringLiteral("schemes"),
         {QStringLiteral("harmonic"), QStringLiteral("contrast"), QStringLiteral("wide contrast"),
          QStringLiteral("dynamic"), QStringLiteral("dramatic"), QStringLiteral("neutral")}},
        {QStringLiteral("tab.bar.page"), tabs},
    };
    if (hasProducts)
        settings += {{QStringLiteral("has.product.groups.page"), {on}},
                     {QStringLiteral("product.groups.mode"), {QStringLiteral("Products")}}};
    return settings;
}

QList<TranslationModel> translations(const QString &name, int colours, int cards)
{
    const QString brand = words(name).value(0, name);
    QList<TranslationModel> texts = demoTranslations(brand, name);
    const QHash<QString, QString> own = {
        {QStringLiteral("aboutbox.copyright"),
         QStringLiteral("Colours imported from the maker's swatch files.")},
        {QStringLiteral("license.copyright"),
         QStringLiteral("<p><b>%1</b></p><p>Printed and on-screen colours are a guide only; "
                        "always check a painted sample before you buy.</p>")
             .arg(name.toHtmlEscaped())},
        {QStringLiteral("motto"), QStringLiteral("<h2>%1</h2><p>%2 colours on %3 cards.</p>")
                                      .arg(name.toHtmlEscaped())
                                      .arg(colours)
                                      .arg(cards)},
    };
    for (TranslationModel &text : texts)
        text.second = own.value(text.first, text.second);
    return texts;
}

ThemeStyle themeStyle(const QString &name, const QList<CardModel> &cards, int segments)
{
    const QStringList parts = words(name);
    ThemeStyle style;
    style.brand = parts.value(0, name).toUpper().left(kMostBrandLetters);
    style.tagline = parts.size() > 1 ? parts.mid(1).join(QLatin1Char(' ')).toUpper()
                                     : QStringLiteral("COLOUR COLLECTION");
    style.segments = segments;
    style.firstSegmentAngle = StandardSettings::firstSegmentAngle();
    style.clockwise = true;
    const QList<QList<ChipColour>> bySegment = colourfulBySegment(cards, segments);
    for (int segment = 1; segment <= segments; ++segment)
        style.wheelRings.append(
            ringsOf(bySegment.at(segment - 1), (segment - 1) * 360.0 / segments));
    style.accent = accentOf(bySegment);
    const ColourMath::Lch accent = ColourMath::lchFromLab(
        ColourMath::labFromRgb({style.accent.red(), style.accent.green(), style.accent.blue()}));
    style.background = colourOf(ColourMath::rgbFromLchInGamut({25.0, 5.0, accent.h}));
    style.bannerSwatches = bannerSwatches(bySegment, cards);
    return style;
}

} // namespace Tintwell::ImportPresentation
