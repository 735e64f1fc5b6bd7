#include "ui/interfacefonts.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"

#include <QFontDatabase>
#include <QHash>
#include <QSet>

namespace Corvo::InterfaceFonts {

namespace {

const QString kFaceListKey = QStringLiteral("list.of.preferred.font.faces");
const QString kFaceListKeyWindows = QStringLiteral("list.of.preferred.font.faces.windows");
const QString kDefaultFaceList = QStringLiteral("Myriad Pro,10;Arial,8");
constexpr int kRegularWeight = QFont::Normal;
constexpr int kBoldWeight = QFont::Bold;
constexpr int kFullSpacing = 100;

QList<FontFace> defaultFaces()
{
    return {{QStringLiteral("Myriad Pro"), 10}, {QStringLiteral("Arial"), 8}};
}

QString configuredFaceList()
{
    const QUuid systemWide = DB::systemWideCollectionUuid();
    for (const QString &key : {kFaceListKey, kFaceListKeyWindows}) {
        const QVariant value = DB::settingValue(systemWide, key);
        if (value.isValid() && !value.isNull())
            return value.toString();
    }
    return kDefaultFaceList;
}

const FontFace &chosenFace()
{
    static const FontFace face = chooseFace(
        parseFaceList(configuredFaceList()),
        [](const QString &name) { return QFontDatabase::hasFamily(name); },
        QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return face;
}

enum class Kind { Regular, Italic, Bold };

QFont makeFont(Kind kind, int sizeClass)
{
    static QHash<int, QFont> cache;
    const bool known = sizeClass >= kTwoStepsBelow && sizeClass <= kTwoStepsAbove;
    const int key = static_cast<int>(kind) * 8 + (known ? sizeClass : kBase);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    QFont font(family(), pointSizeForClass(baseSize(), sizeClass),
               kind == Kind::Bold ? kBoldWeight : kRegularWeight, kind == Kind::Italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setLetterSpacing(QFont::PercentageSpacing, kFullSpacing);
    font.setStretch(kFullSpacing);
    cache.insert(key, font);
    return font;
}

} // namespace

QList<FontFace> parseFaceList(const QString &text)
{
    QList<FontFace> faces;
    QSet<QString> seen;
    for (const QString &entry : text.split(QLatin1Char(';'))) {
        const int comma = entry.lastIndexOf(QLatin1Char(','));
        if (comma < 0)
            continue;
        const QString family = entry.left(comma).trimmed();
        bool ok = false;
        const int size = entry.mid(comma + 1).trimmed().toInt(&ok);
        if (family.isEmpty() || !ok || size <= 0)
            continue;
        if (seen.contains(family))
            return defaultFaces();
        seen.insert(family);
        faces.append({family, size});
    }
    return faces.isEmpty() ? defaultFaces() : faces;
}

FontFace chooseFace(const QList<FontFace> &faces,
                    const std::function<bool(const QString &)> &offered,
                    const QString &systemFamily)
{
    for (const FontFace &face : faces) {
        if (offered(face.family))
            return face;
    }
    return {systemFamily,
            faces.isEmpty() ? defaultFaces().last().pointSize : faces.last().pointSize};
}

int pointSizeForClass(int baseSize, int sizeClass)
{
    if (sizeClass < kTwoStepsBelow || sizeClass > kTwoStepsAbove)
        return baseSize;
    return baseSize + sizeClass - kBase;
}

QString family()
{
    return chosenFace().family;
}

int baseSize()
{
    return chosenFace().pointSize;
}

QFont regular(int sizeClass)
{
    return makeFont(Kind::Regular, sizeClass);
}

QFont italic(int sizeClass)
{
    return makeFont(Kind::Italic, sizeClass);
}

QFont bold(int sizeClass)
{
    return makeFont(Kind::Bold, sizeClass);
}

} // namespace Corvo::InterfaceFonts
