#include "engine/capsure/cxf3measurement.h"

#include "engine/colour/illuminantwhites.h"

namespace Corvo {

namespace {

const QString kDefaultIlluminant = QStringLiteral("D50");
const QString kTwoDegree = QStringLiteral("2_Degree");
const QString kTenDegree = QStringLiteral("10_Degree");

std::optional<StandardObserver> observerNamed(const QString &observer)
{
    const QString name = observer.trimmed();
    if (name.isEmpty() || name.compare(kTwoDegree, Qt::CaseInsensitive) == 0)
        return StandardObserver::TwoDegree;
    if (name.compare(kTenDegree, Qt::CaseInsensitive) == 0)
        return StandardObserver::TenDegree;
    return std::nullopt;
}

std::optional<XYZ> statedWhite(const QString &illuminant, const QString &observer)
{
    const std::optional<StandardObserver> standard = observerNamed(observer);
    if (!standard)
        return std::nullopt;
    return illuminantWhite(illuminant.trimmed().isEmpty() ? kDefaultIlluminant : illuminant,
                           *standard);
}

bool sameWhite(const XYZ &one, const XYZ &other)
{
    return one.x == other.x && one.y == other.y && one.z == other.z;
}

} // namespace

std::optional<Lab> Cxf3Measurement::engineLab() const
{
    if (lab) {
        if (const std::optional<XYZ> white = statedWhite(illuminant, observer))
            return sameWhite(*white, d65White) ? *lab : labAdapted(*lab, *white, d65White);
    }
    if (rgb)
        return labFromXyz(xyzFromRgb(rgb->red / 255.0, rgb->green / 255.0, rgb->blue / 255.0),
                          d65White);
    return std::nullopt;
}

} // namespace Corvo
