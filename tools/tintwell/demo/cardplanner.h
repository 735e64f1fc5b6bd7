#pragma once

#include "tools/tintwell/demo/colourmath.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QList>
#include <QString>

namespace Tintwell {

class ColourNamer;

// One tone family of a deck: every hue segment gets one card of each tone, graded from
// its lightest to its darkest chip.
struct ToneDesign
{
    QString word; // "Soft", "Vivid": part of the card's second name
    double chroma = 0.0;
    double lightest = 95.0;
    double darkest = 30.0;
};

struct DeckDesign
{
    QString codeFormat; // "VM %1%2": card number (3 digits) and chip number
    int segments = 24;
    double firstHue = 20.0; // CIE LCh hue of segment 1, degrees
    int chipsPerCard = 7;
    // Cards of one tone per segment, at evenly spaced hues inside it: a larger deck grades
    // each segment finer instead of adding segments to the wheel.
    int huesPerSegment = 1;
    QList<ToneDesign> tones;
    bool madeToOrderColumn = false;
};

// The cards of a deck laid out as a grid of hue segment x hue step x tone, with the LCh of
// every chip as it came out in 8-bit sRGB (the schemes are chosen from those).
class CardPlanner
{
public:
    CardPlanner(const DeckDesign &design, ColourNamer &namer);

    QList<CardModel> cards() const { return m_cards; }
    const DeckDesign &design() const { return m_design; }
    // Card position of segment (1-based, wrapping) and tone, at the segment's first hue.
    int cardIndex(int segment, int tone) const;
    int segmentOf(int card) const { return card / cardsPerSegment() + 1; }
    int toneOf(int card) const { return card % toneCount(); }
    int toneCount() const { return static_cast<int>(m_design.tones.size()); }
    int cardsPerSegment() const { return toneCount() * m_design.huesPerSegment; }
    const ColourMath::Lch &lch(const ChipRef &chip) const
    {
        return m_lch.at(chip.card).at(chip.chip);
    }
    // The chip of that card whose lightness is nearest.
    ChipRef nearestByLightness(int segment, int tone, double lightness) const;
    double segmentHue(int segment) const;

private:
    void planCard(int segment, double hue, int tone);

    DeckDesign m_design;
    ColourNamer &m_namer;
    QList<CardModel> m_cards;
    QList<QList<ColourMath::Lch>> m_lch;
};

// Mood of a card or chip by its colour: 5 offwhite (very light, nearly no chroma),
// 6 neutral (low chroma), else 4 rich (high chroma), 2 warm, 1 fresh or 3 calm by hue.
int moodOfColours(const QList<ColourMath::Lch> &colours);

} // namespace Tintwell
