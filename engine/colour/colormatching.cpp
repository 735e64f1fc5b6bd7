#include "engine/colour/colormatching.h"

#include <algorithm>
#include <cmath>

namespace Corvo {

namespace {

Lab labOf(const DB::LabSample &sample)
{
    return {sample.l, sample.a, sample.b};
}

void insertMatch(QList<ColorMatch> &matches, const ColorMatch &match, int count)
{
    // After every kept difference equal to this one, so that index order breaks ties.
    const auto position = std::upper_bound(
        matches.begin(), matches.end(), match.deltaE,
        [](double deltaE, const ColorMatch &kept) { return deltaE < kept.deltaE; });
    if (position - matches.begin() >= count)
        return;
    matches.insert(position, match);
    if (matches.size() > count)
        matches.removeLast();
}

} // namespace

QList<ColorMatch> nearestColors(const Lab &reference, const QList<DB::LabSample> &index, int count,
                                double ceiling)
{
    QList<ColorMatch> matches;
    if (count <= 0)
        return matches;
    matches.reserve(std::min<qsizetype>(count, index.size()) + 1);
    for (const DB::LabSample &sample : index) {
        const Lab lab = labOf(sample);
        // Once the list is full, a colour whose lower bound reaches the last kept
        // difference could only tie it or rank below it, and would not be kept.
        const double limit = matches.size() == count ? matches.last().deltaE : ceiling;
        if (deltaE2000LightnessBound(reference, lab) >= limit)
            continue;
        const double deltaE = deltaE2000(reference, lab);
        if (std::isnan(deltaE) || deltaE >= ceiling)
            continue;
        insertMatch(matches, {deltaE, sample.rowId}, count);
    }
    return matches;
}

} // namespace Corvo
