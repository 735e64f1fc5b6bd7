#include "engine/settings/preferences.h"

#include "testenvironment.h"

#include <QSettings>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Corvo;
namespace Prefs = Corvo::Preferences;

namespace {

const QUuid kCollection(QStringLiteral("{a1a1a1a1-0000-4000-8000-000000000001}"));

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                     QStringLiteral("Tintwell"));
}

// Puts a raw value into the store, as a hand edit or an older version would leave it.
void putRaw(const QString &group, const QString &key, const QVariant &value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                QStringLiteral("Tintwell"));
    if (!group.isEmpty())
        s.beginGroup(group);
    s.setValue(key, value);
}

bool hasRaw(const QString &group, const QString &key)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                QStringLiteral("Tintwell"));
    if (!group.isEmpty())
        s.beginGroup(group);
    return s.contains(key);
}

using IntReader = std::function<int()>;

} // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QByteArray onDisk() const
    {
        QFile file(env->configFolder() + QStringLiteral("/Velmora/Tintwell.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        Prefs::forgetCachedLastUsedCollection();
    }

    void cleanup() { env.reset(); }

    void storeLivesInTheTestFolder()
    {
        Prefs::setPageIndex(kCollection, 3);
        QVERIFY(QFile::exists(env->configFolder() + QStringLiteral("/Velmora/Tintwell.ini")));
    }

    void collectionIntegers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored"); // invalid: absent
        QTest::addColumn<int>("expected");

        QTest::newRow("segment absent") << "SegmentIndex" << QVariant() << 1;
        QTest::newRow("segment 17") << "SegmentIndex" << QVariant(17) << 17;
        QTest::newRow("segment text") << "SegmentIndex" << QVariant("seventeen") << 0;
        QTest::newRow("segment list") << "SegmentIndex" << QVariant(QStringList{"1", "2"}) << 1;
        QTest::newRow("mood absent") << "MoodFilter" << QVariant() << 7;
        QTest::newRow("mood 3") << "MoodFilter" << QVariant(3) << 3;
        QTest::newRow("mood 0") << "MoodFilter" << QVariant(0) << 7;
        QTest::newRow("mood 9") << "MoodFilter" << QVariant(9) << 7;
        QTest::newRow("mood text") << "MoodFilter" << QVariant("warm") << 7;
        QTest::newRow("page absent") << "PageIndex" << QVariant() << 1;
        QTest::newRow("page 40") << "PageIndex" << QVariant(40) << 40;
        QTest::newRow("page text") << "PageIndex" << QVariant("forty") << 0;
        QTest::newRow("row absent") << "RowIndex" << QVariant() << 1;
        QTest::newRow("row text") << "RowIndex" << QVariant("x") << 0;
        QTest::newRow("tab absent") << "TabPageIndex" << QVariant() << 0;
        QTest::newRow("tab 4") << "TabPageIndex" << QVariant(4) << 4;
        QTest::newRow("tab 3") << "TabPageIndex" << QVariant(3) << 0;
        QTest::newRow("scheme absent") << "SchemeKind" << QVariant() << 0;
        QTest::newRow("scheme 9") << "SchemeKind" << QVariant(9) << 9;
        QTest::newRow("scheme 10") << "SchemeKind" << QVariant(10) << 0;
        QTest::newRow("neutral absent") << "SchemeNeutralSubKind" << QVariant() << 7;
        QTest::newRow("neutral 8") << "SchemeNeutralSubKind" << QVariant(8) << 8;
        QTest::newRow("neutral 6") << "SchemeNeutralSubKind" << QVariant(6) << 7;
        QTest::newRow("neutral text") << "SchemeNeutralSubKind" << QVariant("x") << 7;
    }

    void collectionIntegers()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        if (stored.isValid())
            putRaw(kCollection.toString(), key, stored);
        static const QHash<QString, std::function<int(const QUuid &)>> readers = {
            {"SegmentIndex", &Prefs::segmentIndex},
            {"MoodFilter", &Prefs::moodFilter},
            {"PageIndex", &Prefs::pageIndex},
            {"RowIndex", &Prefs::rowIndex},
            {"TabPageIndex", &Prefs::tabPageIndex},
            {"SchemeKind", &Prefs::schemeKind},
            {"SchemeNeutralSubKind", &Prefs::schemeNeutralSubKind},
        };
        QCOMPARE(readers.value(key)(kCollection), expected);
    }

    void integersRoundTripPerCollection()
    {
        const QUuid other(QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}"));
        Prefs::setSegmentIndex(kCollection, 5);
        Prefs::setMoodFilter(kCollection, 2);
        Prefs::setPageIndex(kCollection, 33);
        Prefs::setRowIndex(kCollection, 4);
        Prefs::setTabPageIndex(kCollection, 8);
        Prefs::setSchemeKind(kCollection, 3);
        Prefs::setPageIndex(other, 2);
        QCOMPARE(Prefs::segmentIndex(kCollection), 5);
        QCOMPARE(Prefs::moodFilter(kCollection), 2);
        QCOMPARE(Prefs::pageIndex(kCollection), 33);
        QCOMPARE(Prefs::rowIndex(kCollection), 4);
        QCOMPARE(Prefs::tabPageIndex(kCollection), 8);
        QCOMPARE(Prefs::schemeKind(kCollection), 3);
        QCOMPARE(Prefs::pageIndex(other), 2);
        QCOMPARE(Prefs::segmentIndex(other), 1);
        // Per-collection keys live in a group named by the braced UUID.
        QVERIFY(hasRaw(kCollection.toString(), QStringLiteral("PageIndex")));
    }

    void neutralSubKindIsStoredAsSevenUnlessEightOrNine()
    {
        Prefs::setSchemeNeutralSubKind(kCollection, 6);
        QCOMPARE(
            store().value(kCollection.toString() + QStringLiteral("/SchemeNeutralSubKind")).toInt(),
            7);
        Prefs::setSchemeNeutralSubKind(kCollection, 9);
        QCOMPARE(Prefs::schemeNeutralSubKind(kCollection), 9);
    }

    void booleans_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("expected");
        QTest::newRow("absent") << QVariant() << false;
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("false") << QVariant(false) << false;
        QTest::newRow("1") << QVariant(1) << true;
        QTest::newRow("word") << QVariant("maybe") << false;
        QTest::newRow("TRUE") << QVariant("TRUE") << true;
    }

    void booleans()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, expected);
        if (stored.isValid()) {
            putRaw(kCollection.toString(), QStringLiteral("ExteriorColors"), stored);
            putRaw(kCollection.toString(), QStringLiteral("ShowMto"), stored);
        }
        QCOMPARE(Prefs::exteriorColors(kCollection), expected);
        QCOMPARE(Prefs::showMto(kCollection), expected);
    }

    void booleansRoundTrip()
    {
        Prefs::setExteriorColors(kCollection, true);
        Prefs::setShowMto(kCollection, true);
        QVERIFY(Prefs::exteriorColors(kCollection));
        QVERIFY(Prefs::showMto(kCollection));
        Prefs::setShowMto(kCollection, false);
        QVERIFY(!Prefs::showMto(kCollection));
    }

    void vistaraGroupsDefaultToTheirOwnFlag()
    {
        QVERIFY(Prefs::vistaraGroupOpenState(kCollection, 12, true));
        QVERIFY(!Prefs::vistaraGroupOpenState(kCollection, 12, false));
        Prefs::setVistaraGroupOpenState(kCollection, 12, false);
        QVERIFY(!Prefs::vistaraGroupOpenState(kCollection, 12, true));
        QVERIFY(hasRaw(kCollection.toString(), QStringLiteral("VistaraGroup_12_OpenState")));
    }

    void lastUsedCollectionIsCachedAfterFirstRead()
    {
        QVERIFY(Prefs::uuidOfLastUsedCollection().isNull());
        Prefs::setUuidOfLastUsedCollection(kCollection);
        QCOMPARE(Prefs::uuidOfLastUsedCollection(), kCollection);
        // An outside change is not seen while the cached copy lives.
        putRaw(QString(), QStringLiteral("UuidOfLastUsedCollection"),
               QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}"));
        QCOMPARE(Prefs::uuidOfLastUsedCollection(), kCollection);
        Prefs::forgetCachedLastUsedCollection();
        QCOMPARE(Prefs::uuidOfLastUsedCollection(),
                 QUuid(QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}")));
        putRaw(QString(), QStringLiteral("UuidOfLastUsedCollection"), QStringLiteral("garbage"));
        Prefs::forgetCachedLastUsedCollection();
        QVERIFY(Prefs::uuidOfLastUsedCollection().isNull());
    }

    void hostPid()
    {
        QCOMPARE(Prefs::hostApplicationPid(), 0);
        Prefs::setHostApplicationPid(Q_INT64_C(5000000000));
        QCOMPARE(Prefs::hostApplicationPid(), Q_INT64_C(5000000000));
        putRaw(QString(), QStringLiteral("HostApplicationPID"), QStringLiteral("pid"));
        QCOMPARE(Prefs::hostApplicationPid(), 0);
    }

    void paletteCellsAreStoredRowFirst()
    {
        const ItemIndex index(kCollection, 12, 345);
        Prefs::setMyPaletteEntry(5, 2, index);
        QCOMPARE(store().value(QStringLiteral("MyPalette/(2,5).Entry")).toString(),
                 index.toString());
        QCOMPARE(Prefs::myPaletteEntry(5, 2), index);
        QCOMPARE(Prefs::myPaletteEntry(2, 5), ItemIndex());

        Prefs::setMyPaletteEntry(5, 2, ItemIndex(kCollection, 12, 0));
        QVERIFY(!hasRaw(QStringLiteral("MyPalette"), QStringLiteral("(2,5).Entry")));

        putRaw(QStringLiteral("MyPalette"), QStringLiteral("(0,0).Entry"), QStringLiteral("junk"));
        QCOMPARE(Prefs::myPaletteEntry(0, 0), ItemIndex());
    }

    void paletteSelectionKeepsOnlySelectedKeys()
    {
        Prefs::setMyPaletteSelected(1, 3, true);
        QVERIFY(Prefs::myPaletteSelected(1, 3));
        QVERIFY(hasRaw(QStringLiteral("MyPalette"), QStringLiteral("(3,1).Selected")));
        Prefs::setMyPaletteSelected(1, 3, false);
        QVERIFY(!Prefs::myPaletteSelected(1, 3));
        QVERIFY(!hasRaw(QStringLiteral("MyPalette"), QStringLiteral("(3,1).Selected")));
    }

    void paletteViewOptions()
    {
        QVERIFY(Prefs::myPaletteGridVisible());
        Prefs::setMyPaletteGridVisible(false);
        QVERIFY(!Prefs::myPaletteGridVisible());

        QCOMPARE(Prefs::myPaletteZoomed(), QPoint(-1, -1));
        Prefs::setMyPaletteZoomed(QPoint(5, 3));
        QCOMPARE(Prefs::myPaletteZoomed(), QPoint(5, 3));
        Prefs::setMyPaletteZoomed(QPoint(6, 0));
        QCOMPARE(Prefs::myPaletteZoomed(), QPoint(-1, -1));
        putRaw(QStringLiteral("MyPalette"), QStringLiteral("MyPaletteZoomed"),
               QStringLiteral("2,2"));
        QCOMPARE(Prefs::myPaletteZoomed(), QPoint(-1, -1));

        QCOMPARE(Prefs::myPaletteFullBackgroundColor(), 176);
        Prefs::setMyPaletteFullBackgroundColor(90);
        QCOMPARE(Prefs::myPaletteFullBackgroundColor(), 90);

        QCOMPARE(Prefs::myPaletteLastSavePath(), QString());
        Prefs::setMyPaletteLastSavePath(QStringLiteral("/tmp/ä palette.palette"));
        QCOMPARE(Prefs::myPaletteLastSavePath(), QStringLiteral("/tmp/ä palette.palette"));

        Prefs::setMyPaletteDescription(QStringLiteral("Kitchen, north wall"));
        QCOMPARE(Prefs::myPaletteDescription(), QStringLiteral("Kitchen, north wall"));
    }

    // A batch's reads see its writes at once; the file gets them when the outermost ends.
    void batchWritesTogether()
    {
        {
            const Prefs::Batch outer;
            Prefs::setPageIndex(kCollection, 21);
            {
                const Prefs::Batch inner;
                Prefs::setRowIndex(kCollection, 4);
                Prefs::setMyPaletteGridVisible(false);
            }
            QCOMPARE(Prefs::pageIndex(kCollection), 21);
            QCOMPARE(Prefs::rowIndex(kCollection), 4);
            QVERIFY(!Prefs::myPaletteGridVisible());
            QVERIFY(!onDisk().contains("PageIndex=21"));
        }
        QVERIFY(onDisk().contains("PageIndex=21"));
        QVERIFY(onDisk().contains("RowIndex=4"));
        QVERIFY(onDisk().contains("MyPaletteGridVisible=false"));
        QCOMPARE(Prefs::rowIndex(kCollection), 4);
    }

    void handEditedFileIsReadQuietly()
    {
        const QString folder = env->configFolder() + QStringLiteral("/Velmora");
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + QStringLiteral("/Tintwell.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[%7Ba1a1a1a1-0000-4000-8000-000000000001%7D]\n"
                   "MoodFilter=abc\nPageIndex=12\nExteriorColors=true\nShowMto=0\n"
                   "SegmentIndex=1, 2\nTabPageIndex=\n"
                   "[MyPalette]\nMyPaletteGridVisible=nope\nMyPaletteFullBackgroundColor=dark\n"
                   "garbage line without equals\n");
        file.close();
        QCOMPARE(Prefs::moodFilter(kCollection), 7);
        QCOMPARE(Prefs::pageIndex(kCollection), 12);
        QVERIFY(Prefs::exteriorColors(kCollection));
        QVERIFY(!Prefs::showMto(kCollection));
        QCOMPARE(Prefs::segmentIndex(kCollection), 1);
        QCOMPARE(Prefs::tabPageIndex(kCollection), 0);
        QVERIFY(!Prefs::myPaletteGridVisible());
        QCOMPARE(Prefs::myPaletteFullBackgroundColor(), 0);
    }

    void saveFormatIsTextOnlyForExactlyOne_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("absent") << QVariant() << Prefs::kPaletteFormatXml;
        QTest::newRow("1") << QVariant(1) << Prefs::kPaletteFormatText;
        QTest::newRow("2") << QVariant(2) << Prefs::kPaletteFormatXml;
        QTest::newRow("text") << QVariant("one") << Prefs::kPaletteFormatXml;
    }

    void saveFormatIsTextOnlyForExactlyOne()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        if (stored.isValid())
            putRaw(QStringLiteral("MyPalette"), QStringLiteral("MyPaletteSaveFileFormat"), stored);
        QCOMPARE(Prefs::myPaletteSaveFileFormat(), expected);
    }
};

QTEST_GUILESS_MAIN(PreferencesTest)
#include "tst_preferences.moc"
