#include "tools/tintwell/import/importschemeplanner.h"

#include "engine/db/selectiontypes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tintwell {

namespace {

constexpr double kSofterChroma = 0.6;
constexpr double kSplit = 150.0;
constexpr double kTriad = 120.0;
constexpr double kDynamicChroma = 40.0;
constexpr double kAccentLightness = 45.0;
constexpr double kAccentChroma = 60.0;
constexpr double kAnchorLightness = 30.0;
constexpr double kGreyChroma = 3.0;
constexpr double kTintedGreyChroma = 8.0;
// A card's range, light to dark.
constexpr double kLightest = 92.0;
constexpr double kDarkest = 28.0;

double turned(double hue, double degrees)
{
    return std::fmod(hue + degrees + 720.0, 360.0);
}

double squaredDistance(const Corvo::Lab &one, const Corvo::Lab &other)
{
    const double l = one.l - other.l;
    const double a = one.a - other.a;
    const double b = one.b - other.b;
    return l * l + a * a + b * b;
}

} // namespace

ImportSchemePlanner::ImportSchemePlanner(const QList<CardModel> &cards, int chipsPerCard,
                                         int segments)
    : m_chipsPerCard(std::max(1, chipsPerCard)), m_segmentWidth(360.0 / std::max(1, segments))
{
    for (int card = 0; card < cards.size(); ++card) {
        QList<ColourMath::Lch> colours;
        for (int chip = 0; chip < cards.at(card).chips.size(); ++chip) {
            const Corvo::Lab lab = ColourMath::labFromRgb(cards.at(card).chips.at(chip).rgb);
            colours.append(ColourMath::lchFromLab(lab));
            m_byLightness.append({{card, chip}, lab});
        }
        m_lch.append(colours);
    }
    std::sort(m_byLightness.begin(), m_byLightness.end(),
              [](const Chip &one, const Chip &other) { return one.lab.l < other.lab.l; });
}

// Searches outwards from the target's lightness and stops once the lightness alone is
// farther than the best chip so far.
ChipRef ImportSchemePlanner::nearest(const ColourMath::Lch &target) const
{
    const Corvo::Lab lab = ColourMath::labFromLch(target);
    const auto start =
        std::lower_bound(m_byLightness.cbegin(), m_byLightness.cend(), lab.l,
                         [](const Chip &chip, double lightness) { return chip.lab.l < lightness; });
    double best = std::numeric_limits<double>::max();
    ChipRef found = m_byLightness.first().ref;
    const auto consider = [&](const Chip &chip) {
        const double gap = chip.lab.l - lab.l;
        if (gap * gap > best)
            return false;
        const double distance = squaredDistance(chip.lab, lab);
        if (distance < best) {
            best = distance;
            found = chip.ref;
        }
        return true;
    };
    for (auto up = start; up != m_byLightness.cend() && consider(*up); ++up) {
    }
    for (auto down = start; down != m_byLightness.cbegin() && consider(*(down - 1)); --down) {
    }
    return found;
}

// One chip a segment apart, the chip's own hue in the middle.
QList<ChipRef> ImportSchemePlanner::hueRow(const ColourMath::Lch &lch, double chroma) const
{
    QList<ChipRef> row;
    const double middle = (m_chipsPerCard - 1) / 2.0;
    for (int i = 0; i < m_chipsPerCard; ++i)
        row.append(nearest({lch.l, chroma, turned(lch.h, (i - middle) * m_segmentWidth)}));
    return row;
}

// A card's worth of one hue, graded from light to dark.
QList<ChipRef> ImportSchemePlanner::gradedRow(double hue, double chroma) const
{
    QList<ChipRef> row;
    for (int i = 0; i < m_chipsPerCard; ++i) {
        const double fraction = m_chipsPerCard > 1 ? double(i) / (m_chipsPerCard - 1) : 0.5;
        row.append(nearest({kLightest + (kDarkest - kLightest) * fraction, chroma, hue}));
    }
    return row;
}

QList<QList<ChipRef>> ImportSchemePlanner::schemeOf(const ColourMath::Lch &lch, int kind) const
{
    switch (kind) {
    case Corvo::SchemeHarmonic:
        return {hueRow(lch, lch.c), hueRow(lch, lch.c * kSofterChroma)};
    case Corvo::SchemeContrast:
        return {gradedRow(turned(lch.h, 180.0), lch.c)};
    case Corvo::SchemeWideContrast:
        return {gradedRow(turned(lch.h, kSplit), lch.c), gradedRow(turned(lch.h, -kSplit), lch.c)};
    case Corvo::SchemeDynamic: {
        QList<ChipRef> row;
        const double chroma = std::max(lch.c, kDynamicChroma);
        for (int i = 0; i < m_chipsPerCard; ++i) {
            const int third = i * 3 / m_chipsPerCard;
            row.append(nearest({lch.l, chroma, turned(lch.h, (1 - third) * kTriad)}));
        }
        return {row};
    }
    case Corvo::SchemeDramatic: {
        QList<ChipRef> row;
        const int accents = std::max(1, m_chipsPerCard - 1);
        for (int i = 0; i < accents; ++i)
            row.append(
                nearest({kAccentLightness, kAccentChroma, turned(lch.h, i * 360.0 / accents)}));
        if (m_chipsPerCard > 1)
            row.append(nearest({kAnchorLightness, kGreyChroma, lch.h}));
        return {row};
    }
    case Corvo::SchemeNeutral:
        return {gradedRow(lch.h, kGreyChroma)};
    case Corvo::SchemeTonalNeutral:
        return {gradedRow(lch.h, kTintedGreyChroma)};
    case Corvo::SchemeComplementaryNeutral:
        return {gradedRow(turned(lch.h, 180.0), kTintedGreyChroma)};
    default:
        return {};
    }
}

QList<RowSchemeModel> ImportSchemePlanner::chipSchemes() const
{
    QList<RowSchemeModel> schemes;
    for (int card = 0; card < m_lch.size(); ++card) {
        for (int chip = 0; chip < m_lch.at(card).size(); ++chip) {
            for (int kind = Corvo::SchemeHarmonic; kind <= Corvo::SchemeComplementaryNeutral;
                 ++kind)
                schemes.append({{card, chip}, kind, schemeOf(m_lch.at(card).at(chip), kind)});
        }
    }
    return schemes;
}

} // namespace Tintwell
