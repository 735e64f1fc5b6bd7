#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include <QColor>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include <optional>

// Read-only look-ups through the engine's navigation and search queries: what the picker
// would show for a collection, a card, a wheel segment or a search phrase.
namespace {

using namespace Corvo;

const QString kIndexOption = QStringLiteral("--index");
const QString kSegmentOption = QStringLiteral("--segment");
const QString kMoodOption = QStringLiteral("--mood");
const QString kNextFlag = QStringLiteral("--next");
const QString kPreviousFlag = QStringLiteral("--previous");
const QString kExteriorFlag = QStringLiteral("--exterior");

const char *const kMoodNames[] = {"none", "fresh", "warm", "calm", "rich", "offwhite", "neutral"};

QString moodName(int mood)
{
    return mood >= 1 && mood <= 6 ? QString::fromLatin1(kMoodNames[mood]) : QStringLiteral("none");
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// The option's value as an integer; reports a usage error when it is missing or not one.
std::optional<int> integerOption(Tintwell::Invocation &call, const QString &option,
                                 std::optional<int> fallback = std::nullopt)
{
    if (!call.hasValue(option)) {
        if (!fallback)
            call.usageError(QStringLiteral("%1 N is required").arg(option));
        return fallback;
    }
    bool ok = false;
    const int value = call.value(option).trimmed().toInt(&ok);
    if (!ok) {
        call.usageError(
            QStringLiteral("%1 needs a whole number, not \"%2\"").arg(option, call.value(option)));
        return std::nullopt;
    }
    return value;
}

QJsonArray textsJson(const QStringList &texts)
{
    QJsonArray array;
    for (const QString &text : texts)
        array.append(text);
    return array;
}

QJsonObject rowJson(const DB::ColorEntry &row)
{
    return QJsonObject{
        {"id", row.id},
        {"rowIndex", row.rowIndex},
        {"code", row.code},
        {"rgb", QJsonArray{row.red, row.green, row.blue}},
        {"lab", QJsonArray{row.l, row.a, row.b}},
        {"mood", row.mood},
        {"neutral", row.neutral},
        {"white", row.white},
        {"isMto", row.isMto},
        {"names", textsJson(row.names)},
        {"extras", textsJson(row.extras)},
    };
}

QJsonObject pageJson(const DB::ColorPage &page)
{
    QJsonArray rows;
    for (const DB::ColorEntry &row : page.rows)
        rows.append(rowJson(row));
    return QJsonObject{
        {"result", 0},
        {"id", page.id},
        {"pageIndex", page.pageIndex},
        {"segment", page.segment},
        {"mood", page.mood},
        {"exterior", page.exterior},
        {"names", textsJson(page.names)},
        {"extras", textsJson(page.extras)},
        {"rows", rows},
    };
}

QString firstNonEmpty(const QStringList &texts)
{
    for (const QString &text : texts) {
        if (!text.trimmed().isEmpty())
            return text;
    }
    return {};
}

void printPage(QTextStream &out, const DB::ColorPage &page)
{
    out << "card " << page.pageIndex << " \"" << firstNonEmpty(page.names) << "\" (id " << page.id
        << "): segment " << page.segment << ", mood " << moodName(page.mood) << ", exterior "
        << yesNo(page.exterior) << ", " << page.rows.size() << " chips\n";
    for (const DB::ColorEntry &row : page.rows) {
        const QString hex = DB::chipColor(row).name().toUpper();
        out << "  " << row.rowIndex << "  " << row.code << "  " << hex << "  L "
            << QString::number(row.l, 'f', 2) << " a " << QString::number(row.a, 'f', 2) << " b "
            << QString::number(row.b, 'f', 2) << "  " << firstNonEmpty(row.names)
            << (row.isMto ? "  (made to order)" : "") << '\n';
    }
}

// The negative result of a look-up: {"result": R} in JSON, one error line otherwise.
int reportResult(Tintwell::Invocation &call, int result, const QString &what)
{
    if (call.json()) {
        call.printJson(QJsonDocument(QJsonObject{{"result", result}}));
        return Tintwell::ExitNotFound;
    }
    return call.fail(Tintwell::ExitNotFound,
                     QStringLiteral("%1 (result %2)").arg(what).arg(result));
}

int runCollections(Tintwell::Invocation &call)
{
    if (const int status = call.loadDataFolder())
        return status;
    QJsonArray array;
    for (const QUuid &uuid : DB::orderedCollections()) {
        const DB::CollectionInfo *info = DB::catalogue().find(uuid);
        const QString name = DB::collectionName(uuid);
        if (call.json()) {
            array.append(QJsonObject{{"uuid", uuid.toString(QUuid::WithBraces).toUpper()},
                                     {"systemId", info->systemId},
                                     {"name", name},
                                     {"order", info->order},
                                     {"id", info->id},
                                     {"file", info->path}});
            continue;
        }
        call.out() << info->order << "  " << info->systemId << "  " << name << "  "
                   << uuid.toString(QUuid::WithBraces).toUpper() << "  "
                   << QDir::toNativeSeparators(info->path) << '\n';
    }
    if (call.json())
        call.printJson(QJsonDocument(array));
    return Tintwell::ExitSuccess;
}

int runPage(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    const bool next = call.hasFlag(kNextFlag);
    const bool previous = call.hasFlag(kPreviousFlag);
    if (next && previous)
        return call.usageError(QStringLiteral("--next and --previous exclude each other"));
    const bool filtered = call.hasValue(kMoodOption) || call.hasFlag(kExteriorFlag);
    if (filtered && !next && !previous)
        return call.usageError(QStringLiteral("--mood and --exterior need --next or --previous"));
    const std::optional<int> index = integerOption(call, kIndexOption);
    if (!index)
        return Tintwell::ExitBadUsage;
    const std::optional<int> mood = integerOption(call, kMoodOption, DB::kAllMoods);
    if (!mood)
        return Tintwell::ExitBadUsage;
    DB::ColorPage page;
    const int result = next || previous ? DB::adjacentPage(uuid, *index, previous, *mood,
                                                           call.hasFlag(kExteriorFlag), page)
                                        : DB::pageAt(uuid, *index, page);
    if (result != DB::Ok)
        return reportResult(call, result,
                            next || previous ? QStringLiteral("no other card qualifies")
                                             : QStringLiteral("no such card"));
    if (call.json())
        call.printJson(QJsonDocument(pageJson(page)));
    else
        printPage(call.out(), page);
    return Tintwell::ExitSuccess;
}

int runSegment(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    const std::optional<int> segment = integerOption(call, kSegmentOption);
    if (!segment)
        return Tintwell::ExitBadUsage;
    const std::optional<int> mood = integerOption(call, kMoodOption, DB::kAllMoods);
    if (!mood)
        return Tintwell::ExitBadUsage;
    const bool exterior = call.hasFlag(kExteriorFlag);
    int found = *segment;
    int pageIndex = -1;
    int result = DB::nearestSegment(uuid, *segment, *mood, exterior, found);
    if (result == DB::Ok)
        result = DB::firstPageIndexOfSegment(uuid, found, *mood, exterior, pageIndex);
    if (call.json()) {
        call.printJson(QJsonDocument(
            QJsonObject{{"result", result}, {"segment", found}, {"pageIndex", pageIndex}}));
        return result == DB::Ok ? Tintwell::ExitSuccess : Tintwell::ExitNotFound;
    }
    if (result != DB::Ok)
        return call.fail(Tintwell::ExitNotFound,
                         QStringLiteral("no card qualifies (result %1)").arg(result));
    call.out() << "segment " << found << ", first card " << pageIndex << '\n';
    return Tintwell::ExitSuccess;
}

int runSearch(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    // The collection looked at is the current one: its search orders apply.
    DB::loadNameOrders(uuid);
    DB::PhraseMatch match;
    const int result = DB::findPhrase(uuid, call.argument(1), match);
    if (call.json()) {
        call.printJson(QJsonDocument(QJsonObject{{"result", result},
                                                 {"pageIndex", match.pageIndex},
                                                 {"rowIndex", match.rowIndex},
                                                 {"segment", match.segment},
                                                 {"mood", match.mood},
                                                 {"exterior", match.exterior}}));
        return result == DB::Ok ? Tintwell::ExitSuccess : Tintwell::ExitNotFound;
    }
    if (result != DB::Ok)
        return call.fail(
            Tintwell::ExitNotFound,
            QStringLiteral("\"%1\" not found (result %2)").arg(call.argument(1)).arg(result));
    if (match.rowIndex < 0)
        call.out() << "card " << match.pageIndex;
    else
        call.out() << "chip " << match.rowIndex << " of card " << match.pageIndex;
    call.out() << ": segment " << match.segment << ", mood " << moodName(match.mood)
               << ", exterior " << yesNo(match.exterior) << '\n';
    return Tintwell::ExitSuccess;
}

int runSuggest(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    DB::loadNameOrders(uuid);
    QStringList suggestions;
    const int result = DB::searchSuggestions(uuid, suggestions);
    if (result < DB::Failed)
        return reportResult(call, result, QStringLiteral("the collection cannot be read"));
    if (call.json()) {
        call.printJson(QJsonDocument(textsJson(suggestions)));
        return suggestions.isEmpty() ? Tintwell::ExitNotFound : Tintwell::ExitSuccess;
    }
    if (suggestions.isEmpty())
        return call.fail(Tintwell::ExitNotFound,
                         QStringLiteral("the collection has no names or codes to suggest"));
    for (const QString &suggestion : suggestions)
        call.out() << suggestion << '\n';
    return Tintwell::ExitSuccess;
}

const Tintwell::CommandRegistration collections({
    QStringLiteral("collections"),
    QString(),
    QStringLiteral("lists the collections in the order the picker offers them"),
    {},
    {},
    0,
    0,
    runCollections,
});

const Tintwell::CommandRegistration page({
    QStringLiteral("page"),
    QStringLiteral("C --index N [--next | --previous] [--mood M] [--exterior]"),
    QStringLiteral("shows a card with its chips, or the next or previous qualifying card"),
    {kIndexOption, kMoodOption},
    {kNextFlag, kPreviousFlag, kExteriorFlag},
    1,
    1,
    runPage,
});

const Tintwell::CommandRegistration segment({
    QStringLiteral("segment"),
    QStringLiteral("C --segment S [--mood M] [--exterior]"),
    QStringLiteral("finds the nearest wheel segment with a qualifying card and its first card"),
    {kSegmentOption, kMoodOption},
    {kExteriorFlag},
    1,
    1,
    runSegment,
});

const Tintwell::CommandRegistration search({
    QStringLiteral("search"),
    QStringLiteral("C PHRASE"),
    QStringLiteral("finds the card or chip a name or code names, as the search bar does"),
    {},
    {},
    2,
    2,
    runSearch,
});

const Tintwell::CommandRegistration suggest({
    QStringLiteral("suggest"),
    QStringLiteral("C"),
    QStringLiteral("lists the search bar's suggestions"),
    {},
    {},
    1,
    1,
    runSuggest,
});

} // namespace
