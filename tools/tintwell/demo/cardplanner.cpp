#include "tools/tintwell/demo/cardplanner.h"

#include "tools/tintwell/demo/colournamer.h"

#include <algorithm>
#include <cmath>

namespace Tintwell {

namespace {

constexpr int kFresh = 1;
constexpr int kWarm = 2;
constexpr int kCalm = 3;
constexpr int kRich = 4;
constexpr int kOffwhite = 5;
constexpr int kNeutral = 6;

constexpr double kOffwhiteChroma = 8.0;
constexpr double kOffwhiteLightness = 82.0;
constexpr double kNeutralChroma = 13.0;
constexpr double kRichChroma = 40.0;
// Real decks drift a little in hue from the light to the dark end of a card.
constexpr double kHueDriftPerChip = 0.8;

// Light tints carry less chroma than the middle of a card, as in paint.
double chromaTaper(double lightness)
{
    if (lightness > 80.0)
        return 1.0 - (lightness - 80.0) / 20.0 * 0.55;
    if (lightness < 35.0)
        return 0.85;
    return 1.0;
}

bool isWarmHue(double hue)
{
    return hue >= 345.0 || hue < 100.0;
}

bool isFreshHue(double hue)
{
    return hue >= 100.0 && hue < 185.0;
}

} // namespace

int moodOfColours(const QList<ColourMath::Lch> &colours)
{
    if (colours.isEmpty())
        return 0;
    double lightness = 0.0;
    double chroma = 0.0;
    for (const ColourMath::Lch &colour : colours) {
        lightness += colour.l;
        chroma += colour.c;
    }
    lightness /= static_cast<double>(colours.size());
    chroma /= static_cast<double>(colours.size());
    if (chroma < kOffwhiteChroma && lightness > kOffwhiteLightness)
        return kOffwhite;
    if (chroma < kNeutralChroma)
        return kNeutral;
    if (chroma >= kRichChroma)
        return kRich;
    const double hue = ColourMath::meanHue(colours);
    if (isWarmHue(hue))
        return kWarm;
    return isFreshHue(hue) ? kFresh : kCalm;
}

CardPlanner::CardPlanner(const DeckDesign &design, ColourNamer &namer)
    : m_design(design), m_namer(namer)
{
    const double step = 360.0 / m_design.segments / m_design.huesPerSegment;
    for (int segment = 1; segment <= m_design.segments; ++segment) {
        for (int hue = 0; hue < m_design.huesPerSegment; ++hue) {
            for (int tone = 0; tone < toneCount(); ++tone)
                planCard(segment, std::fmod(segmentHue(segment) + hue * step, 360.0), tone);
        }
    }
}

double CardPlanner::segmentHue(int segment) const
{
    const double step = 360.0 / m_design.segments;
    return std::fmod(m_design.firstHue + (segment - 1) * step, 360.0);
}

int CardPlanner::cardIndex(int segment, int tone) const
{
    const int wrapped =
        ((segment - 1) % m_design.segments + m_design.segments) % m_design.segments + 1;
    return (wrapped - 1) * cardsPerSegment() + std::clamp(tone, 0, toneCount() - 1);
}

ChipRef CardPlanner::nearestByLightness(int segment, int tone, double lightness) const
{
    const int index = cardIndex(segment, tone);
    const QList<ColourMath::Lch> &colours = m_lch.at(index);
    int best = 0;
    for (int chip = 1; chip < colours.size(); ++chip) {
        if (std::fabs(colours.at(chip).l - lightness) < std::fabs(colours.at(best).l - lightness))
            best = chip;
    }
    return {index, best};
}

void CardPlanner::planCard(int segment, double hue, int tone)
{
    const ToneDesign &design = m_design.tones.at(tone);
    const int count = m_design.chipsPerCard;
    CardModel card;
    card.segment = segment;
    QList<ColourMath::Lch> colours;
    const int cardNumber = static_cast<int>(m_cards.size()) + 1;
    for (int position = 0; position < count; ++position) {
        const double fraction = count > 1 ? double(position) / double(count - 1) : 0.0;
        const double lightness = design.lightest + (design.darkest - design.lightest) * fraction;
        const double chipHue =
            std::fmod(hue + (position - count / 2) * kHueDriftPerChip + 360.0, 360.0);
        const Rgb rgb = ColourMath::rgbFromLchInGamut(
            {lightness, design.chroma * chromaTaper(lightness), chipHue});
        const ColourMath::Lch actual = ColourMath::lchFromLab(ColourMath::labFromRgb(rgb));
        colours.append(actual);
        ChipModel chip;
        chip.code = m_design.codeFormat.arg(cardNumber, 3, 10, QLatin1Char('0')).arg(position + 1);
        chip.rgb = rgb;
        chip.names = {m_namer.takeName(rgb), ColourNamer::describe(actual)};
        chip.extras = {QStringLiteral("LRV %1").arg(ColourMath::lightReflectance(rgb))};
        chip.neutral = ColourMath::isNeutral(actual);
        chip.white = ColourMath::isWhite(actual);
        if (m_design.madeToOrderColumn)
            chip.madeToOrder = false;
        card.chips.append(chip);
    }
    card.mood = moodOfColours(colours);
    for (ChipModel &chip : card.chips)
        chip.mood = card.mood;
    const QString family = ColourNamer::hueWord(hue);
    card.names = {QStringLiteral("%1 %2").arg(family).arg(cardNumber),
                  QStringLiteral("%1 %2").arg(design.word, family)};
    m_cards.append(card);
    m_lch.append(colours);
}

} // namespace Tintwell
