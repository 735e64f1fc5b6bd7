#include "engine/colour/illuminantwhites.h"

#include <array>

namespace Corvo {

namespace {

struct IlluminantWhites
{
    const char *name;
    XYZ twoDegree;
    XYZ tenDegree;
};

constexpr std::array<IlluminantWhites, 10> kWhites{{
    {"A", {1.09850, 1.0, 0.35585}, {1.11144, 1.0, 0.35200}},
    {"C", {0.98074, 1.0, 1.18232}, {0.97285, 1.0, 1.16145}},
    {"D50", d50White, {0.96720, 1.0, 0.81427}},
    {"D55", {0.95682, 1.0, 0.92149}, {0.95799, 1.0, 0.90926}},
    {"D65", d65White, {0.94811, 1.0, 1.07304}},
    {"D75", {0.94972, 1.0, 1.22638}, {0.94416, 1.0, 1.20641}},
    {"E", {1.0, 1.0, 1.0}, {1.0, 1.0, 1.0}},
    {"F2", {0.99187, 1.0, 0.67395}, {1.03280, 1.0, 0.69026}},
    {"F7", {0.95044, 1.0, 1.08755}, {0.95792, 1.0, 1.07687}},
    {"F11", {1.00966, 1.0, 0.64370}, {1.03866, 1.0, 0.65627}},
}};

} // namespace

std::optional<XYZ> illuminantWhite(const QString &illuminant, StandardObserver observer)
{
    const QString name = illuminant.trimmed();
    for (const IlluminantWhites &whites : kWhites) {
        if (name.compare(QLatin1String(whites.name), Qt::CaseInsensitive) == 0)
            return observer == StandardObserver::TwoDegree ? whites.twoDegree : whites.tenDegree;
    }
    return std::nullopt;
}

} // namespace Corvo
