#include "addon/applicationskeleton.h"
#include "addon/startup.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/nameorders.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"

#include "fixturefiles.h"
#include "testenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QWidget>
#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace Corvo;
using FixtureFiles::collection;
using FixtureFiles::writeCollectionFile;

namespace {

const QString kFirst = QStringLiteral("{a1a1a1a1-0000-4000-8000-000000000001}");
const QString kSecond = QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}");

class ThrowingObject : public QObject
{
public:
    bool event(QEvent *) override { throw std::runtime_error("handler failed"); }
};

} // namespace

// Start-up runs before any application object exists, as inside the host.
class StartupTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    bool writeDeck()
    {
        return writeCollectionFile(
            env->collectionFile(QStringLiteral("deck.db")),
            {collection(1, kFirst, QStringLiteral("FIRST"), 2),
             collection(2, kSecond, QStringLiteral("SECOND"), 1)},
            true, [](Tintwell::CollectionFileWriter &w) {
                return w.addSettingList(2, QStringLiteral("row.name.display.order"),
                                        {QStringLiteral("4"), QStringLiteral("1")}) &&
                       w.addSettingList(1, QStringLiteral("row.name.display.order"),
                                        {QStringLiteral("2")});
            });
    }

    QString modulePath() const { return env->root() + QStringLiteral("/addon/hueport.apx"); }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        Preferences::forgetCachedLastUsedCollection();
    }

    void cleanup() { env.reset(); }

    void dataFolderFollowsTheCommonFolder()
    {
        QCOMPARE(Startup::dataFolderUnder(QStringLiteral("/srv/share")),
                 QStringLiteral("/srv/share/Velmora/Tintwell/SQLite"));
        QCOMPARE(Platform::commonAppDataFolder(), env->root() + QStringLiteral("/share"));
        QCOMPARE(Startup::pluginFolderFor(QStringLiteral("/opt/addon/hueport.apx")),
                 QStringLiteral("/opt/addon/Contents/PlugIns"));
    }

    void failsWithoutCollections()
    {
        QCOMPARE(Startup::initialize(modulePath()), Startup::kNoCollections);
        QCOMPARE(Startup::modulePath(), modulePath());
        QCOMPARE(DB::dataFolder(), env->dataFolder());
    }

    void failsWhenOnlyDisabledCollectionsExist()
    {
        QVERIFY(writeCollectionFile(
            env->collectionFile(QStringLiteral("deck.db")), {}, true,
            [](Tintwell::CollectionFileWriter &w) {
                return w.addCollection(collection(1, kFirst, QStringLiteral("OFF"), 1)) &&
                       w.addSetting(1, QStringLiteral("collection.enabled"), QStringLiteral("0"));
            }));
        QCOMPARE(Startup::initialize(modulePath()), Startup::kNoCollections);
    }

    void newHostProcessStartsOnTheFirstCollection()
    {
        QVERIFY(writeDeck());
        Preferences::setUuidOfLastUsedCollection(QUuid(kFirst));
        Preferences::setHostApplicationPid(Platform::currentProcessId() + 1);
        Preferences::forgetCachedLastUsedCollection();

        QCOMPARE(Startup::initialize(modulePath()), 0);
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), QUuid(kSecond));
        QCOMPARE(Preferences::hostApplicationPid(), Platform::currentProcessId());
        QCOMPARE(DB::currentNameOrders().rowNameDisplay, QList<int>({4, 1}));
    }

    void sameHostProcessKeepsTheLastUsedCollection()
    {
        QVERIFY(writeDeck());
        Preferences::setUuidOfLastUsedCollection(QUuid(kFirst));
        Preferences::setHostApplicationPid(Platform::currentProcessId());
        Preferences::forgetCachedLastUsedCollection();

        QCOMPARE(Startup::initialize(modulePath()), 0);
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), QUuid(kFirst));
        QCOMPARE(DB::currentNameOrders().rowNameDisplay, QList<int>({2}));
    }

    void pluginFolderComesFirstAndQtsStay()
    {
        QVERIFY(writeDeck());
        const QString plugins = Startup::pluginFolderFor(modulePath());
        QVERIFY(QDir().mkpath(plugins));
        QCOMPARE(Startup::initialize(modulePath()), 0);
        const QStringList paths = QCoreApplication::libraryPaths();
        QVERIFY(!paths.isEmpty());
        QCOMPARE(paths.first(), QFileInfo(plugins).canonicalFilePath());
        QVERIFY(paths.contains(QLibraryInfo::path(QLibraryInfo::PluginsPath)));
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_PluginApplication));
    }

    void queriesWorkAcrossApplicationObjects()
    {
        QVERIFY(writeDeck());
        QCOMPARE(Startup::initialize(modulePath()), 0);
        // Each command has its own application object; connections and prepared
        // statements must survive the coming and going of those objects.
        for (int command = 0; command < 3; ++command) {
            ApplicationSkeleton application;
            QCOMPARE(DB::settingValues(QUuid(kSecond), QStringLiteral("row.name.display.order")),
                     QVariantList({QStringLiteral("4"), QStringLiteral("1")}));
            QSharedPointer<DB::Collection> record;
            QCOMPARE(DB::collectionRecord(QUuid(kFirst), record), 0);
            QCOMPARE(record->systemId, QStringLiteral("FIRST"));
        }
        QCOMPARE(DB::settingValues(QUuid(kSecond), QStringLiteral("row.name.display.order")).size(),
                 2);
    }

    void applicationObjectSwallowsHandlerExceptions()
    {
        // One application object per command, several commands per process.
        for (int command = 0; command < 2; ++command) {
            ApplicationSkeleton application;
            ThrowingObject object;
            object.setObjectName(QStringLiteral("thrower"));
            QEvent event(QEvent::User);
            QTest::ignoreMessage(
                QtDebugMsg,
                QRegularExpression(QStringLiteral(
                    "Application caught an exception from.*thrower.*from event type.*1000")));
            QVERIFY(!QCoreApplication::sendEvent(&object, &event));
            QWidget window;
            window.show();
            QVERIFY(window.isVisible());
        }
        QVERIFY(QCoreApplication::instance() == nullptr);
    }
};

int main(int argc, char **argv)
{
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
