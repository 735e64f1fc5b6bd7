#include "tools/tintwell/validation/presentationchecks.h"

#include "tools/tintwell/model/presentationkeys.h"
#include "tools/tintwell/validation/validationcontext.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace Tintwell::PresentationChecks {

namespace {

constexpr qint64 kSystemWideId = 0;
constexpr int kLastTextColumn = 9;
constexpr double kShapeTolerance = 0.05;

enum class Form {
    Integer,
    Real,
    Flag,
    Choice,
    TabPages,
    SchemeKinds,
    DeltaIntervals,
    VerdictLimits,
    Size,
    Priority,
    PageNameOrder,
    PageExtraOrder,
    RowNameOrder,
    RowExtraOrder,
    FontList,
};

struct SettingForm
{
    const char *key;
    Form form;
    QStringList choices;
};

QList<SettingForm> settingForms()
{
    return {
        {"max.chips.on.a.page", Form::Integer, {}},
        {"num.of.segments", Form::Integer, {}},
        {"widget.vistara.chip.width", Form::Integer, {}},
        {"widget.vistara.chip.height", Form::Integer, {}},
        {"first.segment.angle", Form::Real, {}},
        {"card.type", Form::Choice, {QStringLiteral("normal"), QStringLiteral("lustrel")}},
        {"segment.increment.orientation",
         Form::Choice,
         {QStringLiteral("CW"), QStringLiteral("CCW")}},
        {"mode.card",
         Form::Choice,
         {QStringLiteral("ModeColorToColor"), QStringLiteral("ModeColorToCard"),
          QStringLiteral("ModeCardToCard")}},
        {"mode.mood",
         Form::Choice,
         {QStringLiteral("MoodModeNormal"), QStringLiteral("MoodModeWarmFreshEquals")}},
        {"product.groups.mode",
         Form::Choice,
         {QStringLiteral("GroupsWithProductTooltip"), QStringLiteral("Products")}},
        {"collection.enabled", Form::Flag, {}},
        {"has.exterior.filter", Form::Flag, {}},
        {"mood.visible", Form::Flag, {}},
        {"has.product.groups.page", Form::Flag, {}},
        {"has.textures.page", Form::Flag, {}},
        {"has.vistara.page", Form::Flag, {}},
        {"has.color.schemes.page", Form::Flag, {}},
        {"color.tooltip.show.page.name", Form::Flag, {}},
        {"color.tooltip.show.card.name", Form::Flag, {}},
        {"color.tooltip.show.row.name", Form::Flag, {}},
        {"color.tooltip.show.color.name", Form::Flag, {}},
        {"color.tooltip.show.row.code", Form::Flag, {}},
        {"color.tooltip.show.color.code", Form::Flag, {}},
        {"color.tooltip.show.row.auxiliary.info", Form::Flag, {}},
        {"color.tooltip.show.auxiliary", Form::Flag, {}},
        {"color.tooltip.show.collection.name", Form::Flag, {}},
        {"color.tooltip.show.page.index", Form::Flag, {}},
        {"color.tooltip.show.row.row.index", Form::Flag, {}},
        {"export.color.name.append.product.code", Form::Flag, {}},
        {"save.palette.text.format", Form::Flag, {}},
        {"capsure.enabled", Form::Flag, {}},
        {"tab.bar.page", Form::TabPages, {}},
        {"schemes", Form::SchemeKinds, {}},
        {"cie2000.delta.intervals", Form::DeltaIntervals, {}},
        {"project.colors.verdict.limits", Form::VerdictLimits, {}},
        {"texture.size", Form::Size, {}},
        {"capsure.priority", Form::Priority, {}},
        {"page.name.display.order", Form::PageNameOrder, {}},
        {"page.name.search.order", Form::PageNameOrder, {}},
        {"page.extra.display.order", Form::PageExtraOrder, {}},
        {"row.name.display.order", Form::RowNameOrder, {}},
        {"row.name.search.order", Form::RowNameOrder, {}},
        {"row.extra.display.order", Form::RowExtraOrder, {}},
        {"list.of.preferred.font.faces", Form::FontList, {}},
    };
}

const QStringList kTabPages = {QStringLiteral("PageOfColorSchemes"),
                               QStringLiteral("PageOfProducts"), QStringLiteral("PageOfVistara"),
                               QStringLiteral("PageOfTextures")};
const QStringList kSchemeKinds = {
    QStringLiteral("harmonic"),       QStringLiteral("contrast"),
    QStringLiteral("wide contrast"),  QStringLiteral("dynamic"),
    QStringLiteral("dramatic"),       QStringLiteral("neutral"),
    QStringLiteral("tonal neutral"),  QStringLiteral("complementary neutral"),
    QStringLiteral("natural neutral")};

struct SettingValue
{
    QVariant value;
    bool isText = false;
};

bool containsIgnoringCase(const QStringList &list, const QString &text)
{
    return std::any_of(list.cbegin(), list.cend(), [&](const QString &item) {
        return item.compare(text, Qt::CaseInsensitive) == 0;
    });
}

bool isBase10Integer(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    return form.match(text.trimmed()).hasMatch();
}

// The problem with the values of one setting, or an empty text.
QString formProblem(const SettingForm &form, const QList<SettingValue> &values,
                    ValidationContext &context, bool &asWarning)
{
    asWarning = false;
    const QString first = values.value(0).value.toString();
    bool ok = false;
    switch (form.form) {
    case Form::Integer:
        values.value(0).value.toInt(&ok);
        return ok ? QString()
                  : QStringLiteral("\"%1\" is not a whole number; the picker uses its "
                                   "default")
                        .arg(first);
    case Form::Real:
        values.value(0).value.toDouble(&ok);
        return ok ? QString() : QStringLiteral("\"%1\" is not a number").arg(first);
    case Form::Flag:
        values.value(0).value.toInt(&ok);
        return ok ? QString()
                  : QStringLiteral("\"%1\" is not 0 or 1; the picker reads it as its "
                                   "default")
                        .arg(first);
    case Form::Choice:
        return containsIgnoringCase(form.choices, first)
                   ? QString()
                   : QStringLiteral("\"%1\" is none of %2").arg(first, form.choices.join(u", "));
    case Form::TabPages:
    case Form::SchemeKinds: {
        const QStringList &names = form.form == Form::TabPages ? kTabPages : kSchemeKinds;
        for (const SettingValue &value : values) {
            if (!value.isText)
                return QStringLiteral("a value not stored as text makes the whole list fall "
                                      "back to its default; store names as text");
            if (!containsIgnoringCase(names, value.value.toString().trimmed()))
                return QStringLiteral("\"%1\" is none of %2")
                    .arg(value.value.toString(), names.join(u", "));
        }
        return QString();
    }
    case Form::DeltaIntervals: {
        for (const QString &part : first.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (part.toDouble(&ok) > 0.0 && ok)
                return QString();
        }
        return QStringLiteral("\"%1\" holds no positive number; matching falls back to 0.05")
            .arg(first);
    }
    case Form::VerdictLimits: {
        const QStringList parts = first.split(QLatin1Char(','), Qt::SkipEmptyParts);
        QList<double> limits;
        for (const QString &part : parts) {
            const double limit = part.toDouble(&ok);
            if (ok && limit > 0.0 && (limits.isEmpty() || limit > limits.last()))
                limits.append(limit);
        }
        if (parts.size() == 3 && limits.size() == 3)
            return QString();
        return QStringLiteral("\"%1\" is not three increasing positive numbers; the project "
                              "colours use 0.5, 2, 5")
            .arg(first);
    }
    case Form::Size: {
        const QStringList parts = first.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (parts.size() == 2 && isBase10Integer(parts.at(0)) && isBase10Integer(parts.at(1)) &&
            parts.at(0).toInt() > 0 && parts.at(1).toInt() > 0)
            return QString();
        return QStringLiteral("\"%1\" is not a width and a height, such as \"148,96\"").arg(first);
    }
    case Form::Priority:
        asWarning = true;
        return isBase10Integer(first) ? QString()
                                      : QStringLiteral("\"%1\" is not a whole number: it ranks "
                                                       "last (999)")
                                            .arg(first);
    case Form::PageNameOrder:
    case Form::PageExtraOrder:
    case Form::RowNameOrder:
    case Form::RowExtraOrder: {
        asWarning = true;
        const QString table = form.form == Form::PageNameOrder || form.form == Form::PageExtraOrder
                                  ? QStringLiteral("PAGE")
                                  : QStringLiteral("ROW");
        const QString prefix = form.form == Form::PageNameOrder || form.form == Form::RowNameOrder
                                   ? QStringLiteral("NAME")
                                   : QStringLiteral("EXTRA");
        for (const SettingValue &value : values) {
            const int column = value.value.toInt(&ok);
            if (!ok || column < 0 || column > kLastTextColumn)
                return QStringLiteral("\"%1\" names no column 0 to 9; it is skipped")
                    .arg(value.value.toString());
            const QString name = prefix + QString::number(column);
            if (!context.hasColumn(table, name))
                return QStringLiteral("names %1.%2, which the file lacks").arg(table, name);
        }
        return QString();
    }
    case Form::FontList: {
        asWarning = true;
        QStringList faces;
        for (const QString &entry : first.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList parts = entry.split(QLatin1Char(','));
            if (parts.size() != 2 || parts.at(0).trimmed().isEmpty() ||
                parts.at(1).trimmed().toInt() <= 0)
                return QStringLiteral("entry \"%1\" is not a face name and a point size")
                    .arg(entry);
            // A face listed twice makes the picker drop the whole list for its defaults.
            if (faces.contains(parts.at(0).trimmed()))
                return QStringLiteral("the face \"%1\" is listed twice: the whole list is "
                                      "ignored")
                    .arg(parts.at(0).trimmed());
            faces.append(parts.at(0).trimmed());
        }
        return QString();
    }
    }
    return QString();
}

// Images may come at a multiple of the drawn size (for high-density screens); only a
// different shape shows as a fault. An image the picker does not draw has no shape to keep.
bool sameShape(const QSize &image, const QSize &drawn)
{
    if (!drawn.isValid() || drawn.isEmpty())
        return true;
    const double imageRatio = double(image.width()) / double(image.height());
    const double drawnRatio = double(drawn.width()) / double(drawn.height());
    return std::fabs(imageRatio / drawnRatio - 1.0) < kShapeTolerance;
}

QHash<QString, QList<SettingValue>> settingsOf(ValidationContext &context, qint64 collection)
{
    QHash<QString, QList<SettingValue>> settings;
    context.forEachRow(QStringLiteral("table SETTING"),
                       QStringLiteral("SELECT NAME, VALUE, typeof(VALUE) FROM SETTING WHERE "
                                      "COLLECTION_ID = ? ORDER BY NAME, VALUE_INDEX"),
                       {collection}, [&](const QList<QVariant> &row) {
                           settings[row.at(0).toString().toLower()].append(
                               {row.at(1), row.at(2).toString() == QLatin1String("text")});
                       });
    return settings;
}

bool isOffered(ValidationContext &context, qint64 collection)
{
    return context
               .scalar(QStringLiteral("SELECT COUNT(*) FROM SETTING WHERE COLLECTION_ID = ? AND "
                                      "NAME = 'collection.enabled' COLLATE NOCASE AND "
                                      "VALUE_INDEX = 0 AND CAST(VALUE AS TEXT) = '1'"),
                       {collection})
               .toLongLong() > 0;
}

} // namespace

void checkSettings(ValidationContext &context)
{
    if (!context.hasTable(QStringLiteral("SETTING")))
        return;
    const QList<SettingForm> forms = settingForms();
    for (const CollectionEntry &collection : context.collections()) {
        const QHash<QString, QList<SettingValue>> settings = settingsOf(context, collection.id);
        for (const SettingForm &form : forms) {
            const QString key = QString::fromLatin1(form.key);
            const auto it = settings.constFind(key);
            if (it == settings.cend() || it->isEmpty())
                continue;
            bool asWarning = false;
            const QString problem = formProblem(form, *it, context, asWarning);
            if (problem.isEmpty())
                continue;
            const QString where = QStringLiteral("%1, setting \"%2\"")
                                      .arg(context.collectionLabel(collection.id), key);
            if (asWarning)
                context.problems().warning(where, problem);
            else
                context.problems().error(where, problem);
        }
    }
}

void checkTheme(ValidationContext &context)
{
    if (!context.hasTable(QStringLiteral("THEME")))
        return;
    const QList<PresentationKeys::ThemeImage> expected = PresentationKeys::themeImages();
    QHash<QString, QSize> drawnSize;
    for (const PresentationKeys::ThemeImage &image : expected)
        drawnSize.insert(image.key.toLower(), image.size);
    for (const CollectionEntry &collection : context.collections()) {
        if (collection.id == kSystemWideId)
            continue;
        const QString label = context.collectionLabel(collection.id);
        QSet<QString> present;
        context.forEachRow(
            QStringLiteral("table THEME"),
            QStringLiteral("SELECT ITEM_KEY, ITEM_DATA FROM THEME WHERE COLLECTION_ID = ?"),
            {collection.id}, [&](const QList<QVariant> &row) {
                const QString key = row.at(0).toString();
                present.insert(key.toLower());
                const QString where = QStringLiteral("%1, theme item \"%2\"").arg(label, key);
                if (key.startsWith(QLatin1String("image."), Qt::CaseInsensitive)) {
                    const QImage image = QImage::fromData(row.at(1).toByteArray());
                    if (image.isNull())
                        context.problems().error(where, QStringLiteral("does not decode as an "
                                                                       "image"));
                    else if (!sameShape(image.size(), drawnSize.value(key.toLower())))
                        context.problems().warning(
                            where, QStringLiteral("is %1 x %2 pixels; the picker draws it at "
                                                  "%3 x %4, so it will look stretched")
                                       .arg(image.width())
                                       .arg(image.height())
                                       .arg(drawnSize.value(key.toLower()).width())
                                       .arg(drawnSize.value(key.toLower()).height()));
                } else if (key.startsWith(QLatin1String("color."), Qt::CaseInsensitive)) {
                    if (!QColor(QString::fromUtf8(row.at(1).toByteArray()).trimmed()).isValid())
                        context.problems().error(where, QStringLiteral("is not a colour such as "
                                                                       "\"#f2f2f2\""));
                }
            });
        if (!isOffered(context, collection.id))
            continue;
        QStringList missing;
        for (const PresentationKeys::ThemeImage &image : expected) {
            if (!present.contains(image.key.toLower()))
                missing.append(image.key);
        }
        for (const QString &colour : PresentationKeys::themeColours()) {
            if (!present.contains(colour.toLower()))
                missing.append(colour);
        }
        if (!missing.isEmpty())
            context.problems().warning(label, QStringLiteral("no theme item %1: the picker "
                                                             "draws nothing there")
                                                  .arg(missing.join(u", ")));
    }
}

void checkTranslations(ValidationContext &context)
{
    if (!context.hasTable(QStringLiteral("LOCALE")))
        return;
    const QStringList keys = PresentationKeys::translationKeys();
    for (const CollectionEntry &collection : context.collections()) {
        if (collection.id == kSystemWideId || !isOffered(context, collection.id))
            continue;
        QSet<QString> present;
        context.forEachRow(
            QStringLiteral("table LOCALE"),
            QStringLiteral("SELECT \"KEY\" FROM LOCALE WHERE COLLECTION_ID = ?"), {collection.id},
            [&](const QList<QVariant> &row) { present.insert(row.at(0).toString().toLower()); });
        QStringList missing;
        for (const QString &key : keys) {
            if (!present.contains(key.toLower()))
                missing.append(key);
        }
        if (!missing.isEmpty())
            context.problems().error(context.collectionLabel(collection.id),
                                     QStringLiteral("missing translation keys (the windows "
                                                    "would show the keys themselves): %1")
                                         .arg(missing.join(u", ")));
    }
}

void checkNames(ValidationContext &context)
{
    static const QRegularExpression markup(
        QStringLiteral("<\\s*/?\\s*[A-Za-z!]|&(#[0-9]+|#x[0-9A-Fa-f]+|[A-Za-z]+);"));
    for (const QString &table : {QStringLiteral("PAGE"), QStringLiteral("ROW")}) {
        if (!context.hasTable(table))
            continue;
        QStringList columns;
        for (int n = 0; n <= kLastTextColumn; ++n) {
            for (const QString &prefix : {QStringLiteral("NAME"), QStringLiteral("EXTRA")}) {
                if (context.hasColumn(table, prefix + QString::number(n)))
                    columns.append(prefix + QString::number(n));
            }
        }
        if (columns.isEmpty())
            continue;
        OffenderReport report(context.problems(), false);
        context.forEachRow(
            QStringLiteral("table %1").arg(table),
            QStringLiteral("SELECT ID, %1 FROM \"%2\"").arg(columns.join(u", "), table), {},
            [&](const QList<QVariant> &row) {
                for (int column = 1; column < row.size(); ++column) {
                    const QString text = row.at(column).toString();
                    if (!markup.match(text).hasMatch())
                        continue;
                    const qint64 id = row.at(0).toLongLong();
                    report.add(table == QLatin1String("PAGE") ? context.pageLabel(id)
                                                              : context.rowLabel(id),
                               QStringLiteral("%1 \"%2\" looks like markup; the picker shows "
                                              "it as plain text")
                                   .arg(columns.at(column - 1), text));
                }
            });
    }
}

} // namespace Tintwell::PresentationChecks
