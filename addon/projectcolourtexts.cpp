#include "addon/projectcolourtexts.h"

#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"

#include <QHash>

namespace Corvo::ProjectColourTexts {

namespace {

// Every cell of the table asks for its kind and verdict: each text is read once.
QHash<QPair<QUuid, QString>, QString> &cache()
{
    static QHash<QPair<QUuid, QString>, QString> texts;
    return texts;
}

} // namespace

void forget()
{
    cache().clear();
}

QString text(const char *key)
{
    const QPair<QUuid, QString> id(Preferences::uuidOfLastUsedCollection(),
                                   QString::fromLatin1(key));
    auto known = cache().constFind(id);
    if (known == cache().cend())
        known = cache().insert(id, DB::localizedString(id.first, id.second));
    return known.value();
}

QString verdict(ColourVerdict verdict)
{
    static const char *const keys[] = {
        "project.colors.verdict.exact", "project.colors.verdict.close",
        "project.colors.verdict.near", "project.colors.verdict.none"};
    return text(keys[int(verdict)]);
}

QString kind(ProjectAttributes::Attribute::Kind kind)
{
    return text(kind == ProjectAttributes::Attribute::Material ? "project.colors.kind.material"
                                                               : "project.colors.kind.pen");
}

QString attributeName(const ProjectAttributes::Attribute &attribute)
{
    if (attribute.kind == ProjectAttributes::Attribute::Material)
        return attribute.name;
    const QString format = text("project.colors.pen");
    const QString number = QString::number(attribute.pen);
    const QString pen = format.contains(QLatin1String("%1")) ? format.arg(number)
                                                             : format + QLatin1Char(' ') + number;
    const QString name =
        attribute.name.isEmpty() ? pen : QStringLiteral("%1, %2").arg(attribute.name, pen);
    return attribute.description.isEmpty()
               ? name
               : QStringLiteral("%1 (%2)").arg(name, attribute.description);
}

} // namespace Corvo::ProjectColourTexts
