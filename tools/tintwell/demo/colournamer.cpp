#include "tools/tintwell/demo/colournamer.h"

#include <QColor>
#include <QFile>
#include <QTextStream>

#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace Tintwell {

namespace {

const QString kNameList = QStringLiteral(":/tintwell/colornames.csv");
// Farther than this (CIE76) a list name no longer describes the colour.
constexpr double kGoodReach = 7.0;
constexpr double kAnyReach = 9.0;
constexpr int kLongestName = 22;
constexpr int kMostWords = 3;

struct HueWord
{
    double hue;
    const char *word;
};

// Hue angles of CIE LCh (D65) and the word a paint maker would use for them.
constexpr std::array<HueWord, 24> kHueWords = {{
    {20, "Crimson"}, {35, "Red"},      {50, "Vermilion"}, {65, "Orange"},      {80, "Amber"},
    {95, "Ochre"},   {105, "Yellow"},  {118, "Citron"},   {130, "Lime"},       {145, "Leaf"},
    {160, "Green"},  {178, "Emerald"}, {195, "Jade"},     {210, "Teal"},       {225, "Lagoon"},
    {240, "Aqua"},   {255, "Sky"},     {270, "Azure"},    {285, "Cornflower"}, {300, "Blue"},
    {315, "Violet"}, {330, "Purple"},  {345, "Magenta"},  {5, "Rose"},
}};

bool usableName(const QString &name)
{
    if (name.isEmpty() || name.size() > kLongestName || name.at(0).isDigit() ||
        name.count(QLatin1Char(' ')) >= kMostWords)
        return false;
    for (const QChar character : name) {
        if (character.unicode() > 0x24F || character == QLatin1Char('<') ||
            character == QLatin1Char('>') || character == QLatin1Char('&') ||
            character == QLatin1Char('"'))
            return false;
    }
    return true;
}

double distance76(const Corvo::Lab &x, const Corvo::Lab &y)
{
    return std::sqrt((x.l - y.l) * (x.l - y.l) + (x.a - y.a) * (x.a - y.a) +
                     (x.b - y.b) * (x.b - y.b));
}

QString lightnessWord(double lightness)
{
    if (lightness > 86.0)
        return QStringLiteral("Pale");
    if (lightness > 72.0)
        return QStringLiteral("Light");
    if (lightness < 34.0)
        return QStringLiteral("Deep");
    if (lightness < 48.0)
        return QStringLiteral("Dark");
    return QString();
}

} // namespace

ColourNamer::ColourNamer()
{
    load();
}

void ColourNamer::load()
{
    QFile file(kNameList);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream stream(&file);
    stream.readLine(); // column names
    while (!stream.atEnd()) {
        const QStringList fields = stream.readLine().split(QLatin1Char(','));
        if (fields.size() < 2 || !usableName(fields.at(0).trimmed()))
            continue;
        const QColor colour(fields.at(1).trimmed());
        if (!colour.isValid())
            continue;
        Entry entry;
        entry.name = fields.at(0).trimmed();
        entry.lab = Corvo::labFromColor(colour);
        entry.good = fields.value(2).trimmed() == QLatin1String("x");
        m_entries.append(entry);
    }
}

void ColourNamer::reserve(const QString &name)
{
    m_taken.insert(name.toLower());
}

QString ColourNamer::takeName(const Rgb &rgb)
{
    const Corvo::Lab lab = ColourMath::labFromRgb(rgb);
    const Entry *bestGood = nullptr;
    const Entry *bestAny = nullptr;
    double goodDistance = std::numeric_limits<double>::max();
    double anyDistance = std::numeric_limits<double>::max();
    for (const Entry &entry : std::as_const(m_entries)) {
        const double distance = distance76(lab, entry.lab);
        if (distance >= anyDistance && (!entry.good || distance >= goodDistance))
            continue;
        if (m_taken.contains(entry.name.toLower()))
            continue;
        if (distance < anyDistance) {
            anyDistance = distance;
            bestAny = &entry;
        }
        if (entry.good && distance < goodDistance) {
            goodDistance = distance;
            bestGood = &entry;
        }
    }
    QString name;
    if (bestGood != nullptr && goodDistance <= kGoodReach)
        name = bestGood->name;
    else if (bestAny != nullptr && anyDistance <= kAnyReach)
        name = bestAny->name;
    else
        name = uniqueDescription(ColourMath::lchFromLab(lab));
    reserve(name);
    return name;
}

QString ColourNamer::uniqueDescription(const ColourMath::Lch &lch)
{
    const QString base = describe(lch);
    QString name = base;
    for (int number = 2; m_taken.contains(name.toLower()); ++number)
        name = QStringLiteral("%1 %2").arg(base).arg(number);
    return name;
}

QString ColourNamer::hueWord(double hue)
{
    const HueWord *nearest = &kHueWords.front();
    for (const HueWord &word : kHueWords) {
        if (ColourMath::hueDistance(hue, word.hue) < ColourMath::hueDistance(hue, nearest->hue))
            nearest = &word;
    }
    return QString::fromLatin1(nearest->word);
}

QString ColourNamer::describe(const ColourMath::Lch &lch)
{
    QStringList words;
    if (lch.c < 7.0) {
        const bool warm = lch.h > 20.0 && lch.h < 110.0;
        const bool cool = lch.h > 180.0 && lch.h < 300.0;
        const QString temperature = warm   ? QStringLiteral("Warm")
                                    : cool ? QStringLiteral("Cool")
                                           : QString();
        if (lch.l > 93.0) {
            words << temperature << QStringLiteral("White");
        } else {
            words << lightnessWord(lch.l) << temperature << QStringLiteral("Grey");
        }
    } else {
        words << lightnessWord(lch.l);
        if (lch.c < 16.0)
            words << QStringLiteral("Dusty");
        else if (lch.c > 55.0 && words.first().isEmpty())
            words << QStringLiteral("Bright");
        words << hueWord(lch.h);
    }
    words.removeAll(QString());
    return words.join(QLatin1Char(' '));
}

} // namespace Tintwell
