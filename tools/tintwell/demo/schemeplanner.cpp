#include "tools/tintwell/demo/schemeplanner.h"

#include "engine/db/selectiontypes.h"

#include "tools/tintwell/demo/cardplanner.h"

#include <algorithm>

namespace Tintwell {

namespace {

constexpr int kOffwhiteTone = 0;
constexpr int kNeutralTone = 1;
constexpr int kFirstColouredTone = 2;
constexpr double kDramaticLightness = 45.0;
constexpr double kDramaticAnchorLightness = 30.0;

} // namespace

SchemePlanner::SchemePlanner(const CardPlanner &cards)
    : m_cards(cards), m_half(cards.design().segments / 2),
      m_split(cards.design().segments * 5 / 12), m_third(cards.design().segments / 3)
{}

int SchemePlanner::neighbourTone(int tone) const
{
    return tone >= m_cards.toneCount() / 2 ? tone - 1 : tone + 1;
}

QList<ChipRef> SchemePlanner::row(int segment, const QList<Target> &targets) const
{
    QList<ChipRef> chips;
    for (const Target &target : targets)
        chips.append(m_cards.nearestByLightness(segment + target.segmentOffset, target.tone,
                                                target.lightness));
    return chips;
}

QList<ChipRef> SchemePlanner::wholeCard(int segment, int tone) const
{
    const int card = m_cards.cardIndex(segment, tone);
    QList<ChipRef> chips;
    for (int chip = 0; chip < m_cards.design().chipsPerCard; ++chip)
        chips.append({card, chip});
    return chips;
}

QList<QList<ChipRef>> SchemePlanner::schemeOf(const ChipRef &chip, int kind) const
{
    const int segment = m_cards.segmentOf(chip.card);
    const int tone = m_cards.toneOf(chip.card);
    const int vivid = m_cards.toneCount() - 1;
    const double lightness = m_cards.lch(chip).l;
    switch (kind) {
    case Corvo::SchemeHarmonic: {
        QList<Target> same;
        QList<Target> softer;
        for (int offset = -3; offset <= 3; ++offset) {
            same.append({offset, tone, lightness});
            softer.append({offset, neighbourTone(tone), lightness});
        }
        return {row(segment, same), row(segment, softer)};
    }
    case Corvo::SchemeContrast:
        return {wholeCard(segment + m_half, tone)};
    case Corvo::SchemeWideContrast:
        return {wholeCard(segment + m_split, tone), wholeCard(segment - m_split, tone)};
    case Corvo::SchemeDynamic:
        return {row(segment, {{m_third, vivid, lightness},
                              {m_third, vivid - 1, lightness},
                              {m_third, vivid - 2, lightness},
                              {0, vivid, lightness},
                              {-m_third, vivid - 2, lightness},
                              {-m_third, vivid - 1, lightness},
                              {-m_third, vivid, lightness}})};
    case Corvo::SchemeDramatic: {
        QList<Target> accents;
        const int step = std::max(1, m_cards.design().segments / 6);
        for (int n = 0; n < 6; ++n)
            accents.append({n * step, vivid, kDramaticLightness});
        accents.append({0, kNeutralTone, kDramaticAnchorLightness});
        return {row(segment, accents)};
    }
    case Corvo::SchemeNeutral:
        return {wholeCard(segment, kNeutralTone)};
    case Corvo::SchemeTonalNeutral:
        return {row(segment, {{-1, kNeutralTone, 90.0},
                              {0, kOffwhiteTone, 95.0},
                              {1, kNeutralTone, 75.0},
                              {0, kNeutralTone, 65.0},
                              {-1, kNeutralTone, 55.0},
                              {0, kNeutralTone, 45.0},
                              {1, kNeutralTone, 35.0}})};
    case Corvo::SchemeComplementaryNeutral:
        return {wholeCard(segment + m_half, kNeutralTone)};
    default:
        return {};
    }
}

QList<RowSchemeModel> SchemePlanner::chipSchemes() const
{
    QList<RowSchemeModel> schemes;
    const QList<CardModel> cards = m_cards.cards();
    for (int card = 0; card < cards.size(); ++card) {
        for (int chip = 0; chip < cards.at(card).chips.size(); ++chip) {
            for (int kind = Corvo::SchemeHarmonic; kind <= Corvo::SchemeComplementaryNeutral;
                 ++kind)
                schemes.append({{card, chip}, kind, schemeOf({card, chip}, kind)});
        }
    }
    return schemes;
}

QList<int> SchemePlanner::schemeCardsOf(int card, int kind) const
{
    const int segment = m_cards.segmentOf(card);
    const int tone = m_cards.toneOf(card);
    const int vivid = m_cards.toneCount() - 1;
    const auto at = [&](int offset, int t) { return m_cards.cardIndex(segment + offset, t); };
    switch (kind) {
    case Corvo::SchemeHarmonic:
        return {at(-1, tone), at(1, tone)};
    case Corvo::SchemeContrast:
        return {at(m_half, tone)};
    case Corvo::SchemeWideContrast:
        return {at(m_split, tone), at(-m_split, tone)};
    case Corvo::SchemeDynamic:
        return {at(m_third, vivid), at(-m_third, vivid)};
    case Corvo::SchemeDramatic:
        return {at(m_half, vivid), at(0, kNeutralTone)};
    case Corvo::SchemeNeutral:
        return {tone == kNeutralTone ? at(0, kOffwhiteTone) : at(0, kNeutralTone)};
    case Corvo::SchemeTonalNeutral:
        return {at(-1, kNeutralTone), at(1, kNeutralTone)};
    case Corvo::SchemeComplementaryNeutral:
        // Only coloured cards offer the complementary neutral alternative.
        if (tone < kFirstColouredTone)
            return {};
        return {at(m_half, kNeutralTone)};
    default:
        return {};
    }
}

QList<PageSchemeModel> SchemePlanner::cardSchemes() const
{
    QList<PageSchemeModel> schemes;
    const qsizetype count = m_cards.cards().size();
    for (int card = 0; card < count; ++card) {
        for (int kind = Corvo::SchemeHarmonic; kind <= Corvo::SchemeComplementaryNeutral; ++kind) {
            const QList<int> cards = schemeCardsOf(card, kind);
            if (!cards.isEmpty())
                schemes.append({card, kind, cards});
        }
    }
    return schemes;
}

QList<ChipPageSchemeModel> SchemePlanner::chipCardSchemes() const
{
    QList<ChipPageSchemeModel> schemes;
    const QList<CardModel> cards = m_cards.cards();
    for (int card = 0; card < cards.size(); ++card) {
        for (int kind = Corvo::SchemeHarmonic; kind <= Corvo::SchemeComplementaryNeutral; ++kind) {
            const QList<int> schemeCards = schemeCardsOf(card, kind);
            if (schemeCards.isEmpty())
                continue;
            for (int chip = 0; chip < cards.at(card).chips.size(); ++chip)
                schemes.append({{card, chip}, kind, schemeCards});
        }
    }
    return schemes;
}

QList<RowSchemeModel> SchemePlanner::lustrelSchemes() const
{
    QList<RowSchemeModel> schemes;
    const QList<CardModel> cards = m_cards.cards();
    for (int card = 0; card < cards.size(); ++card) {
        const int segment = m_cards.segmentOf(card);
        const int tone = m_cards.toneOf(card);
        for (int chip = 0; chip < cards.at(card).chips.size(); ++chip) {
            schemes.append(
                {{card, chip},
                 Corvo::SchemeWideContrast,
                 {wholeCard(segment + m_split, tone), wholeCard(segment - m_split, tone)}});
            schemes.append(
                {{card, chip}, Corvo::SchemeContrast, {wholeCard(segment + m_half, tone)}});
        }
    }
    return schemes;
}

} // namespace Tintwell
