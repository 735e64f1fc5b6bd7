#include "testenvironment.h"

#include "engine/db/dblog.h"
#include "engine/db/schemequeries.h"

#include "tools/tintwell/authoring/collectionfilewriter.h"
#include "tools/tintwell/cli/commandline.h"
#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include <QtTest>

namespace {

// A command of this suite only: prints the UUID its argument resolves to.
int runProbe(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    call.out() << uuid.toString(QUuid::WithBraces).toUpper() << '|'
               << call.value(QStringLiteral("--level"), QStringLiteral("none")) << '|'
               << (call.hasFlag(QStringLiteral("--loud")) ? "loud" : "quiet") << '\n';
    return Tintwell::ExitSuccess;
}

const Tintwell::CommandRegistration probe({QStringLiteral("probe"),
                                           QStringLiteral("C [--level N] [--loud]"),
                                           QStringLiteral("resolves a collection"),
                                           {QStringLiteral("--level")},
                                           {QStringLiteral("--loud")},
                                           1,
                                           1,
                                           runProbe});

// Another command of this suite: the harmonic scheme of card 1's first chip, a statement
// the database layer logs on its debug channel.
int runScheme(Tintwell::Invocation &call)
{
    QUuid uuid;
    if (const int status = call.resolveCollection(call.argument(0), uuid))
        return status;
    QList<Corvo::DB::ColorEntry> entries;
    call.out() << Corvo::DB::schemeRows(uuid, Corvo::DB::Scheme::Harmonic, 1, 1, entries) << '|'
               << entries.size() << '\n';
    return Tintwell::ExitSuccess;
}

const Tintwell::CommandRegistration scheme({QStringLiteral("scheme"),
                                            QStringLiteral("C"),
                                            QStringLiteral("a scheme"),
                                            {},
                                            {},
                                            1,
                                            1,
                                            runScheme});

QStringList databaseLines;

void collectDatabaseLines(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, lcDb().categoryName()) == 0)
        databaseLines.append(message);
}

const QString kUuid = QStringLiteral("{1A2B3C4D-5E6F-4A7B-8C9D-0E1F2A3B4C5D}");

} // namespace

// The command frame every sub-command shares: options, exit codes, error lines and the
// resolution of a collection argument.
class TintwellFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void resolvesCollections_data();
    void resolvesCollections();
    void rejectsBadUsage_data();
    void rejectsBadUsage();
    void optionsTakeValuesEitherWay();
    void listsCommands();
    void missingDataFolderIsBadInput();
    void dataFolderDefaultsToTheAddOnsOwn();
    void databaseLinesOnlyWhenVerbose_data();
    void databaseLinesOnlyWhenVerbose();

private:
    int run(const QStringList &arguments);

    std::unique_ptr<TestEnvironment> m_environment;
    QString m_out;
    QString m_err;
};

void TintwellFrameTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.create(m_environment->collectionFile(QStringLiteral("frame.db"))));
    QVERIFY(writer.addSystemWideCollection());
    Tintwell::CollectionFields fields;
    fields.uuid = QUuid(kUuid);
    fields.systemId = QStringLiteral("Harbour");
    fields.name = QStringLiteral("Harbour");
    const std::optional<qint64> id = writer.addCollection(fields);
    QVERIFY(id);
    QVERIFY(writer.addSetting(*id, QStringLiteral("collection.enabled"), QStringLiteral("1")));
    const std::optional<qint64> page = writer.addPage(*id, {});
    QVERIFY(page);
    Tintwell::RowFields chip;
    chip.pageId = *page;
    chip.code = QStringLiteral("HB 1");
    const std::optional<qint64> row = writer.addRow(*id, chip);
    QVERIFY(row);
    QVERIFY(writer.addRowScheme(*id, *row, Corvo::DB::Scheme::Harmonic, *row, 0, 1));
}

void TintwellFrameTest::cleanup()
{
    m_environment.reset();
}

int TintwellFrameTest::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    return Tintwell::runCommandLine(arguments, out, err);
}

void TintwellFrameTest::resolvesCollections_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("status");
    QTest::newRow("braced upper") << kUuid << 0;
    QTest::newRow("braced lower") << kUuid.toLower() << 0;
    QTest::newRow("bare lower") << kUuid.toLower().mid(1, 36) << 0;
    QTest::newRow("bare upper, padded") << QStringLiteral(" ") + kUuid.mid(1, 36) << 0;
    QTest::newRow("system id") << QStringLiteral("Harbour") << 0;
    QTest::newRow("system id other case") << QStringLiteral("hARBOUR") << 0;
    QTest::newRow("unknown system id") << QStringLiteral("Lighthouse") << 1;
    QTest::newRow("unknown uuid") << QStringLiteral("{00000000-0000-4000-8000-000000000001}") << 1;
    QTest::newRow("blank") << QStringLiteral("  ") << 2;
}

void TintwellFrameTest::resolvesCollections()
{
    QFETCH(QString, argument);
    QFETCH(int, status);
    QCOMPARE(run({QStringLiteral("probe"), argument, QStringLiteral("--data"),
                  m_environment->dataFolder()}),
             status);
    if (status == 0) {
        QVERIFY(m_out.startsWith(kUuid));
        QVERIFY(m_err.isEmpty());
    } else {
        QVERIFY(m_out.isEmpty());
        QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
        QVERIFY(m_err.startsWith(QLatin1String("tintwell probe: ")));
    }
}

void TintwellFrameTest::rejectsBadUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("nothing") << QStringList() << QStringLiteral("usage");
    QTest::newRow("unknown command")
        << QStringList{QStringLiteral("paint")} << QStringLiteral("unknown command");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("probe"), QStringLiteral("x"), QStringLiteral("--colour")}
        << QStringLiteral("--colour");
    QTest::newRow("option without value")
        << QStringList{QStringLiteral("probe"), QStringLiteral("x"), QStringLiteral("--level")}
        << QStringLiteral("needs a value");
    QTest::newRow("value given to a flag")
        << QStringList{QStringLiteral("probe"), QStringLiteral("x"), QStringLiteral("--loud=1")}
        << QStringLiteral("--loud");
    QTest::newRow("too many arguments")
        << QStringList{QStringLiteral("probe"), QStringLiteral("x"), QStringLiteral("y")}
        << QStringLiteral("usage");
    QTest::newRow("too few arguments")
        << QStringList{QStringLiteral("probe")} << QStringLiteral("usage");
}

void TintwellFrameTest::rejectsBadUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentions);
    QCOMPARE(run(arguments), 2);
    QVERIFY(m_out.isEmpty());
    QVERIFY2(m_err.contains(mentions), qPrintable(m_err));
    if (!arguments.isEmpty())
        QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
}

void TintwellFrameTest::optionsTakeValuesEitherWay()
{
    const QString data = QStringLiteral("--data=") + m_environment->dataFolder();
    QCOMPARE(run({QStringLiteral("probe"), QStringLiteral("harbour"), QStringLiteral("--level"),
                  QStringLiteral("3"), data}),
             0);
    QCOMPARE(m_out.trimmed(), kUuid + QStringLiteral("|3|quiet"));
    QCOMPARE(run({QStringLiteral("probe"), QStringLiteral("--level=-4"), QStringLiteral("--loud"),
                  data, QStringLiteral("--"), QStringLiteral("harbour")}),
             0);
    QCOMPARE(m_out.trimmed(), kUuid + QStringLiteral("|-4|loud"));
}

void TintwellFrameTest::listsCommands()
{
    QCOMPARE(run({QStringLiteral("--help")}), 0);
    QVERIFY(m_out.contains(QLatin1String("probe C [--level N] [--loud]")));
    QVERIFY(m_out.contains(QLatin1String("validate FILE")));
    QVERIFY(m_out.contains(QLatin1String("build --demo [--chips N] [--files N] OUTDIR")));
    QCOMPARE(run({QStringLiteral("probe"), QStringLiteral("--help")}), 0);
    QVERIFY(m_out.contains(QLatin1String("resolves a collection")));
}

void TintwellFrameTest::missingDataFolderIsBadInput()
{
    QCOMPARE(run({QStringLiteral("probe"), QStringLiteral("harbour"), QStringLiteral("--data"),
                  m_environment->root() + QStringLiteral("/nowhere")}),
             2);
    QVERIFY(m_err.contains(QLatin1String("nowhere")));
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
}

void TintwellFrameTest::dataFolderDefaultsToTheAddOnsOwn()
{
    // The environment points the common application-data folder into its own tree.
    QCOMPARE(Tintwell::Invocation::defaultDataFolder(), m_environment->dataFolder());
    QCOMPARE(run({QStringLiteral("probe"), QStringLiteral("harbour")}), 0);
    QVERIFY(m_out.startsWith(kUuid));
}

void TintwellFrameTest::databaseLinesOnlyWhenVerbose_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("logged");
    QTest::newRow("by default") << QStringList() << false;
    QTest::newRow("verbose") << QStringList{QStringLiteral("--verbose")} << true;
    QTest::newRow("verbose json") << QStringList{QStringLiteral("--json"), "--verbose"} << true;
}

void TintwellFrameTest::databaseLinesOnlyWhenVerbose()
{
    QFETCH(QStringList, options);
    QFETCH(bool, logged);
    databaseLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectDatabaseLines);
    const int status = run(QStringList{QStringLiteral("scheme"), QStringLiteral("Harbour"),
                                       QStringLiteral("--data"), m_environment->dataFolder()} +
                           options);
    qInstallMessageHandler(previous);
    QCOMPARE(status, 0);
    QCOMPARE(m_out, QStringLiteral("0|1\n"));
    QCOMPARE(databaseLines.size(), logged ? 1 : 0);
    if (logged)
        QVERIFY2(databaseLines.first().contains(QLatin1String("ROW_SCHEME_MAP")),
                 qPrintable(databaseLines.first()));
}

QTEST_MAIN(TintwellFrameTest)
#include "tst_tintwellframe.moc"
