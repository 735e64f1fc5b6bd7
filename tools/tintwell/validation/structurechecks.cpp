#include "tools/tintwell/validation/structurechecks.h"

#include "tools/tintwell/validation/validationcontext.h"

#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <tuple>

namespace Tintwell::StructureChecks {

namespace {

const QString kView = QStringLiteral("CAPSURE_COLLECTION_IDS_BY_PRIORITY");
const QString kProbeConnection = QStringLiteral("tintwell-validate-view-probe");
constexpr qint64 kSystemWideId = 0;
constexpr int kUnrankedPriority = 999;

QStringList textColumns()
{
    QStringList columns;
    for (int n = 0; n < 10; ++n)
        columns << QStringLiteral("NAME%1").arg(n) << QStringLiteral("EXTRA%1").arg(n);
    return columns;
}

// Tables the queries read and the columns they need.
QMap<QString, QStringList> requiredLayout()
{
    return {
        {QStringLiteral("COLLECTION"),
         {QStringLiteral("ID"), QStringLiteral("UUID"), QStringLiteral("SYSTEMID"),
          QStringLiteral("VERSION"), QStringLiteral("NAME"), QStringLiteral("ORDER")}},
        {QStringLiteral("SETTING"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("NAME"),
          QStringLiteral("VALUE"), QStringLiteral("VALUE_INDEX")}},
        {QStringLiteral("LOCALE"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("KEY"),
          QStringLiteral("STRING")}},
        {QStringLiteral("THEME"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("ITEM_KEY"),
          QStringLiteral("ITEM_DATA")}},
        // A page's name and extra columns are read only where a setting names them.
        {QStringLiteral("PAGE"),
         {QStringLiteral("ID"), QStringLiteral("PAGE_INDEX"), QStringLiteral("SEGMENT"),
          QStringLiteral("EXTERIOR"), QStringLiteral("MOOD")}},
        {QStringLiteral("COLLECTION_PAGE_MAP"),
         {QStringLiteral("COLLECTION_ID"), QStringLiteral("PAGE_ID")}},
        // The scheme statements name every name and extra column of a chip.
        {QStringLiteral("ROW"),
         QStringList{QStringLiteral("ID"), QStringLiteral("PAGE_ID"), QStringLiteral("ROW_INDEX"),
                     QStringLiteral("CODE"), QStringLiteral("SEGMENT"), QStringLiteral("RED"),
                     QStringLiteral("GREEN"), QStringLiteral("BLUE"), QStringLiteral("L"),
                     QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("NEUTRAL"),
                     QStringLiteral("WHITE"), QStringLiteral("MOOD"), QStringLiteral("SCHEME_POS"),
                     QStringLiteral("NSCHEME_POS")} +
             textColumns()},
        {QStringLiteral("PAGE_SCHEME"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("PAGE_ID"),
          QStringLiteral("SCHEME_PAGE_ID"), QStringLiteral("SCHEME_ID"), QStringLiteral("ORDER")}},
        {QStringLiteral("ROW_SCHEME_MAP"),
         {QStringLiteral("COLLECTION_ID"), QStringLiteral("ROW_ID"), QStringLiteral("SCHEME_ID"),
          QStringLiteral("SCHEME_ROW_ID"), QStringLiteral("PAGE_ORDER"),
          QStringLiteral("ROW_ORDER")}},
        {QStringLiteral("ROW_TO_PAGE_SCHEME"),
         {QStringLiteral("COLLECTION_ID"), QStringLiteral("ROW_ID"), QStringLiteral("SCHEME_ID"),
          QStringLiteral("SCHEME_PAGE_ID"), QStringLiteral("ORDER")}},
        {QStringLiteral("VISTARA_GROUP"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("NAME"),
          QStringLiteral("DEFAULT_OPEN"), QStringLiteral("ORDER")}},
        {QStringLiteral("VISTARA_ENTRY"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("VISTARA_GROUP_ID"),
          QStringLiteral("ROW_ID"), QStringLiteral("NAME_1"), QStringLiteral("NAME_2"),
          QStringLiteral("RED"), QStringLiteral("GREEN"), QStringLiteral("BLUE"),
          QStringLiteral("ORDER")}},
        {QStringLiteral("PRODUCT_GROUP"), {QStringLiteral("ID"), QStringLiteral("NAME")}},
        {QStringLiteral("PRODUCT"), {QStringLiteral("ID"), QStringLiteral("NAME")}},
        {QStringLiteral("ROW_PRODUCT_MAP"),
         {QStringLiteral("COLLECTION_ID"), QStringLiteral("ROW_ID"), QStringLiteral("PRODUCT_ID")}},
        {QStringLiteral("ROW_PRODUCT_GROUP_MAP"),
         {QStringLiteral("COLLECTION_ID"), QStringLiteral("ROW_ID"),
          QStringLiteral("PRODUCT_GROUP_ID")}},
        {QStringLiteral("TEXTURE"),
         {QStringLiteral("ID"), QStringLiteral("COLLECTION_ID"), QStringLiteral("NAME"),
          QStringLiteral("IMAGE"), QStringLiteral("BASE_ALPHA")}},
        {QStringLiteral("TEXTURE_MAP"),
         {QStringLiteral("TEXTURE_ID"), QStringLiteral("PAGE_ID"), QStringLiteral("ALPHA"),
          QStringLiteral("NAME")}},
    };
}

struct Probe
{
    qint64 collection;
    const char *enabled;  // nullptr: no "capsure.enabled" row
    const char *priority; // nullptr: no "capsure.priority" row
};

// Settings that tell a faithful view from a careless one: a text that is no integer must
// rank 999 (a plain CAST ranks it 0), a disabled or unranked collection must not appear.
const Probe kProbes[] = {
    {1, "1", "7"},  {2, "1", "abc"}, {3, "0", "1"},  {4, "1", nullptr},
    {5, "1", "-2"}, {6, "1", "1.5"}, {7, "01", "3"}, {8, nullptr, "4"},
};

QList<QPair<qint64, qint64>> expectedProbeRanking()
{
    return {{5, -2}, {7, 3}, {1, 7}, {2, kUnrankedPriority}, {6, kUnrankedPriority}};
}

// Runs the file's own view definition over the probe settings in a scratch in-memory
// database; the file itself is never written.
QString probeView(const QString &definition)
{
    QString problem;
    {
        QSqlDatabase scratch =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kProbeConnection);
        scratch.setDatabaseName(QStringLiteral(":memory:"));
        if (!scratch.open())
            return QStringLiteral("cannot open a scratch database to try the view");
        QSqlQuery query(scratch);
        if (!query.exec(QStringLiteral("CREATE TABLE SETTING (ID integer PRIMARY KEY, "
                                       "COLLECTION_ID integer NOT NULL, NAME varchar(255) NOT "
                                       "NULL COLLATE NOCASE, VALUE TEXT NOT NULL, VALUE_INDEX "
                                       "integer NOT NULL DEFAULT 0)")))
            return QStringLiteral("cannot prepare the view probe");
        query.prepare(
            QStringLiteral("INSERT INTO SETTING (COLLECTION_ID, NAME, VALUE) VALUES (?, ?, ?)"));
        for (const Probe &probe : kProbes) {
            for (const auto &[name, value] : {std::pair{"capsure.enabled", probe.enabled},
                                              std::pair{"capsure.priority", probe.priority}}) {
                if (value == nullptr)
                    continue;
                query.addBindValue(probe.collection);
                query.addBindValue(QString::fromLatin1(name));
                query.addBindValue(QString::fromLatin1(value));
                query.exec();
            }
        }
        if (!query.exec(definition)) {
            problem = QStringLiteral("its definition does not run: %1")
                          .arg(query.lastError().text().trimmed());
        } else if (!query.exec(
                       QStringLiteral("SELECT COLLECTION_ID, PRIORITY FROM %1").arg(kView))) {
            problem = QStringLiteral("it has no columns COLLECTION_ID and PRIORITY");
        } else {
            QList<QPair<qint64, qint64>> ranking;
            while (query.next())
                ranking.append({query.value(0).toLongLong(), query.value(1).toLongLong()});
            const bool ascending =
                std::is_sorted(ranking.cbegin(), ranking.cend(),
                               [](const auto &x, const auto &y) { return x.second < y.second; });
            // Collections of equal priority may come in any order.
            std::sort(ranking.begin(), ranking.end(), [](const auto &x, const auto &y) {
                return std::tie(x.second, x.first) < std::tie(y.second, y.first);
            });
            if (!ascending || ranking != expectedProbeRanking()) {
                QStringList got;
                for (const auto &[collection, priority] : ranking)
                    got << QStringLiteral("%1:%2").arg(collection).arg(priority);
                problem =
                    QStringLiteral("it ranks the wrong collections or in the wrong order; for "
                                   "priorities 7, abc, -2, 1.5 and 3 it gives %1 (collection:"
                                   "priority), expected 5:-2 7:3 1:7 2:999 6:999")
                        .arg(got.isEmpty() ? QStringLiteral("nothing")
                                           : got.join(QLatin1Char(' ')));
            }
        }
        scratch.close();
    }
    QSqlDatabase::removeDatabase(kProbeConnection);
    return problem;
}

} // namespace

bool checkTables(ValidationContext &context)
{
    const QMap<QString, QStringList> layout = requiredLayout();
    for (auto it = layout.cbegin(); it != layout.cend(); ++it) {
        if (!context.hasTable(it.key())) {
            context.problems().error(QStringLiteral("table %1").arg(it.key()),
                                     QStringLiteral("missing"));
            continue;
        }
        QStringList missing;
        for (const QString &column : it.value()) {
            if (!context.hasColumn(it.key(), column))
                missing.append(column);
        }
        if (!missing.isEmpty())
            context.problems().error(
                QStringLiteral("table %1").arg(it.key()),
                QStringLiteral("missing columns %1").arg(missing.join(QStringLiteral(", "))));
    }
    return context.hasTable(QStringLiteral("COLLECTION"));
}

void checkCapsureView(ValidationContext &context)
{
    const bool holdsSystemWide =
        context
            .scalar(QStringLiteral("SELECT COUNT(*) FROM COLLECTION WHERE ID = ?"), {kSystemWideId})
            .toLongLong() > 0;
    const QString where = QStringLiteral("view %1").arg(kView);
    if (!context.hasView(kView)) {
        if (holdsSystemWide)
            context.problems().error(where, QStringLiteral("missing in the file that holds the "
                                                           "system-wide collection"));
        return;
    }
    const QString definition =
        context
            .scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'view' AND "
                                   "UPPER(name) = ?"),
                    {kView})
            .toString();
    if (!definition.trimmed().startsWith(QLatin1String("CREATE VIEW"), Qt::CaseInsensitive)) {
        context.problems().error(where, QStringLiteral("its definition cannot be read"));
        return;
    }
    const QString problem = probeView(definition);
    if (!problem.isEmpty())
        context.problems().error(where, problem);
}

} // namespace Tintwell::StructureChecks
