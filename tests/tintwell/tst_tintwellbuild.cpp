#include "testenvironment.h"

#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/settings/collectionsettings.h"
#include "tools/tintwell/cli/commandline.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/presentationkeys.h"

#include <QColor>
#include <QCryptographicHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <cmath>

namespace {

const QString kExampleSource = QStringLiteral(TINTWELL_EXAMPLE_SOURCE);
const QString kConnection = QStringLiteral("tst_tintwellbuild");
const QString kHarbourUuid = QStringLiteral("{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E9F}");
constexpr int kChipsPerCard = 7;
const QString kWheelKey = QStringLiteral("image.widget.color.wheel.background");

// A finished picture, not a blank placeholder: more than one colour in it.
bool hasDetail(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

Tintwell::PresentationKeys::ThemeImage themeImageEntry(const QString &key)
{
    for (const auto &image : Tintwell::PresentationKeys::themeImages()) {
        if (image.key == key)
            return image;
    }
    return {};
}

} // namespace

// "tintwell build": the example source and the demo file set, opened through the engine
// and checked for the content a user meets first; and sources the tool must refuse.
class TintwellBuildTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void demoPassesValidation();
    void demoOffersTwoCollections();
    void mainDeckLooksLikeAFanDeck();
    void moodsFollowColour();
    void chipTextsAreRealistic();
    void labIsComputedFromRgb();
    void everyChipHasEverySchemeInRowsOfSeven();
    void cardSchemesOfferTheNeutralAlternativeOnColouredCards();
    void trendGroupsMixChipsCodesAndFreeColours();
    void productsAndTexturesAreMapped();
    void metallicRangeIsSetUpForItsSchemer();
    void settingsReadThroughTheirAccessors();
    void everyKeyHasTextAndImage();
    void wheelShowsSegmentsWhereTheSettingsSayTheyAre();
    void demoIsTheSameOnEveryRun();
    void grownDemoFilesHoldCollectionsOfTheirOwn();
    void badDemoCountsAreRefusedWithoutOutput_data();
    void badDemoCountsAreRefusedWithoutOutput();

    void exampleSourceBuilds();
    void badSourceIsRefusedWithoutOutput_data();
    void badSourceIsRefusedWithoutOutput();
    void failedBuildKeepsThePreviousFile();
    void collectionsWithoutOrderKeepSourceOrder();
    void reportsWhatItWroteInJson();

private:
    int run(const QStringList &arguments);
    QSqlQuery query(const QString &sql, const QVariantList &values = {});
    qint64 count(const QString &sql, const QVariantList &values = {});
    QString writeSource(const QByteArray &deckJson);

    std::unique_ptr<TestEnvironment> m_environment;
    QString m_demoFile;
    int m_sources = 0;
    QString m_out;
    QString m_err;
};

int TintwellBuildTest::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    return Tintwell::runCommandLine(arguments, out, err);
}

QSqlQuery TintwellBuildTest::query(const QString &sql, const QVariantList &values)
{
    QSqlQuery result(QSqlDatabase::database(kConnection));
    result.prepare(sql);
    for (const QVariant &value : values)
        result.addBindValue(value);
    if (!result.exec())
        qWarning() << sql << result.lastError().text();
    return result;
}

qint64 TintwellBuildTest::count(const QString &sql, const QVariantList &values)
{
    QSqlQuery result = query(sql, values);
    return result.next() ? result.value(0).toLongLong() : -1;
}

void TintwellBuildTest::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    QVERIFY(m_environment->isValid());
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(run({QStringLiteral("build"), QStringLiteral("--demo"), m_environment->dataFolder()}),
             0);
    qInfo("demo built in %lld ms", timer.elapsed());
    m_demoFile = m_environment->collectionFile(QStringLiteral("velmora.db"));
    QVERIFY(QFile::exists(m_demoFile));
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    database.setDatabaseName(m_demoFile);
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QVERIFY(database.open());
}

void TintwellBuildTest::cleanupTestCase()
{
    QSqlDatabase::database(kConnection).close();
    QSqlDatabase::removeDatabase(kConnection);
    m_environment.reset();
}

void TintwellBuildTest::demoPassesValidation()
{
    QCOMPARE(run({QStringLiteral("validate"), m_demoFile, QStringLiteral("--json")}), 0);
    const QJsonObject report = QJsonDocument::fromJson(m_out.toUtf8()).object();
    QVERIFY(report.value(QStringLiteral("ok")).toBool());
    QVERIFY2(report.value(QStringLiteral("problems")).toArray().isEmpty(), qPrintable(m_out));
}

void TintwellBuildTest::demoOffersTwoCollections()
{
    TestEnvironment::resetCatalogue();
    const QList<QUuid> offered = Corvo::DB::orderedCollections();
    QCOMPARE(offered, (QList<QUuid>{Tintwell::DemoDeck::mainCollectionUuid(),
                                    Tintwell::DemoDeck::lustrelCollectionUuid()}));
    QUuid bySystemId;
    QCOMPARE(Corvo::DB::collectionUuidBySystemId(QStringLiteral("lustrel"), bySystemId), 0);
    QCOMPARE(bySystemId, Tintwell::DemoDeck::lustrelCollectionUuid());
    QVERIFY(Corvo::DB::catalogue().find(Corvo::DB::systemWideCollectionUuid()) != nullptr);
    QSharedPointer<Corvo::DB::Collection> record;
    QCOMPARE(Corvo::DB::collectionRecord(Tintwell::DemoDeck::mainCollectionUuid(), record), 0);
    QVERIFY(record);
}

void TintwellBuildTest::mainDeckLooksLikeAFanDeck()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM COLLECTION_PAGE_MAP WHERE COLLECTION_ID "
                                 "= 1")) >= 140);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" R JOIN COLLECTION_PAGE_MAP M ON "
                                 "M.PAGE_ID = R.PAGE_ID WHERE M.COLLECTION_ID = 1")) >= 1000);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT SEGMENT) FROM PAGE WHERE "
                                  "COLLECTION_ID = 1")),
             24);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT PAGE_ID FROM \"ROW\" WHERE "
                                  "COLLECTION_ID = 1 GROUP BY PAGE_ID HAVING COUNT(*) <> ?)"),
                   {kChipsPerCard}),
             0);
    // Every card runs from light to dark.
    QSqlQuery cards = query(QStringLiteral("SELECT PAGE_ID, GROUP_CONCAT(L) FROM (SELECT "
                                           "PAGE_ID, L FROM \"ROW\" ORDER BY PAGE_ID, "
                                           "ROW_INDEX) GROUP BY PAGE_ID"));
    while (cards.next()) {
        const QStringList lightness = cards.value(1).toString().split(QLatin1Char(','));
        for (int i = 1; i < lightness.size(); ++i)
            QVERIFY2(lightness.at(i).toDouble() < lightness.at(i - 1).toDouble(),
                     qPrintable(cards.value(0).toString()));
    }
    const double exteriorShare =
        double(count(QStringLiteral("SELECT SUM(EXTERIOR) FROM PAGE WHERE COLLECTION_ID = 1"))) /
        double(count(QStringLiteral("SELECT COUNT(*) FROM PAGE WHERE COLLECTION_ID = 1")));
    QVERIFY2(exteriorShare > 0.2 && exteriorShare < 0.3,
             qPrintable(QString::number(exteriorShare)));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) - COUNT(DISTINCT UPPER(CODE)) FROM \"ROW\"")),
             0);
}

void TintwellBuildTest::moodsFollowColour()
{
    for (int mood = 1; mood <= 6; ++mood)
        QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM PAGE WHERE COLLECTION_ID = 1 AND "
                                      "MOOD = ?"),
                       {mood}) > 0,
                 qPrintable(QString::number(mood)));
    // Offwhite cards are the lightest and greyest, neutral cards grey, rich cards strong.
    const auto average = [&](const QString &what, int mood) {
        QSqlQuery result = query(QStringLiteral("SELECT AVG(%1) FROM \"ROW\" R JOIN PAGE P ON "
                                                "P.ID = R.PAGE_ID WHERE P.MOOD = ? AND "
                                                "P.COLLECTION_ID = 1")
                                     .arg(what),
                                 {mood});
        return result.next() ? result.value(0).toDouble() : -1.0;
    };
    const QString chroma = QStringLiteral("SQRT(R.A * R.A + R.B * R.B)");
    QVERIFY(average(QStringLiteral("R.L"), 5) > 85.0);
    QVERIFY(average(chroma, 5) < 8.0);
    QVERIFY(average(chroma, 6) < 13.0);
    QVERIFY(average(chroma, 4) > 40.0);
    // Vivid colours are not sold for outside: the exterior filter leaves rich cards out.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PAGE WHERE COLLECTION_ID = 1 AND "
                                  "EXTERIOR = 1 AND MOOD = 4")),
             0);
}

void TintwellBuildTest::chipTextsAreRealistic()
{
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) - COUNT(DISTINCT NAME0) FROM \"ROW\"")), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE NAME0 IS NULL OR "
                                  "TRIM(NAME0) = '' OR NAME0 GLOB 'Colo*r [0-9]*' OR NAME1 IS "
                                  "NULL OR TRIM(NAME1) = ''")),
             0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE EXTRA0 NOT GLOB 'LRV "
                                  "[0-9]*'")),
             0);
    QSqlQuery white = query(QStringLiteral("SELECT EXTRA0, RED, GREEN, BLUE FROM \"ROW\" ORDER BY "
                                           "L DESC LIMIT 1"));
    QVERIFY(white.next());
    QVERIFY(white.value(0).toString().mid(4).toInt() > 80);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PAGE WHERE NAME0 IS NULL OR NAME1 IS "
                                  "NULL")),
             0);
}

void TintwellBuildTest::labIsComputedFromRgb()
{
    QSqlQuery rows = query(QStringLiteral("SELECT RED, GREEN, BLUE, L, A, B FROM \"ROW\""));
    int checked = 0;
    while (rows.next()) {
        const Corvo::Lab computed = Corvo::labFromColor(
            QColor(rows.value(0).toInt(), rows.value(1).toInt(), rows.value(2).toInt()));
        QVERIFY(std::fabs(computed.l - rows.value(3).toDouble()) < 1e-9);
        QVERIFY(std::fabs(computed.a - rows.value(4).toDouble()) < 1e-9);
        QVERIFY(std::fabs(computed.b - rows.value(5).toDouble()) < 1e-9);
        ++checked;
    }
    QVERIFY(checked >= 1300);
}

void TintwellBuildTest::everyChipHasEverySchemeInRowsOfSeven()
{
    const qint64 chips = count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE "
                                              "COLLECTION_ID = 1"));
    for (int kind = 1; kind <= 8; ++kind)
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT ROW_ID) FROM ROW_SCHEME_MAP WHERE "
                                      "COLLECTION_ID = 1 AND SCHEME_ID = ?"),
                       {kind}),
                 chips);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT COUNT(*) AS N FROM "
                                  "ROW_SCHEME_MAP GROUP BY COLLECTION_ID, ROW_ID, SCHEME_ID) "
                                  "WHERE N % 7 <> 0")),
             0);
    // Contrast comes from the opposite side of the wheel: 12 of 24 segments away.
    QSqlQuery contrast = query(QStringLiteral(
        "SELECT R.SEGMENT, S.SEGMENT FROM ROW_SCHEME_MAP M JOIN \"ROW\" R ON R.ID = M.ROW_ID "
        "JOIN \"ROW\" S ON S.ID = M.SCHEME_ROW_ID WHERE M.COLLECTION_ID = 1 AND M.SCHEME_ID = "
        "2"));
    while (contrast.next())
        QCOMPARE((contrast.value(0).toInt() + 11) % 24 + 1, contrast.value(1).toInt());
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM ROW_TO_PAGE_SCHEME")) > 0);
}

void TintwellBuildTest::cardSchemesOfferTheNeutralAlternativeOnColouredCards()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM PAGE_SCHEME WHERE SCHEME_ID = 8")) > 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PAGE_SCHEME S JOIN PAGE P ON P.ID = "
                                  "S.PAGE_ID WHERE S.SCHEME_ID = 8 AND P.MOOD IN (5, 6)")),
             0);
    for (int kind = 1; kind <= 7; ++kind)
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT PAGE_ID) FROM PAGE_SCHEME WHERE "
                                      "COLLECTION_ID = 1 AND SCHEME_ID = ?"),
                       {kind}),
                 count(QStringLiteral("SELECT COUNT(*) FROM PAGE WHERE COLLECTION_ID = 1")));
}

void TintwellBuildTest::trendGroupsMixChipsCodesAndFreeColours()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_GROUP WHERE COLLECTION_ID IN "
                                 "(0, 1)")) >= 3);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_GROUP WHERE DEFAULT_OPEN = 1")) > 0);
    // Entries that point at chips carry those chips' colours.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_ENTRY E JOIN \"ROW\" R ON R.ID = "
                                 "E.ROW_ID WHERE E.RED = R.RED AND E.GREEN = R.GREEN AND E.BLUE = "
                                 "R.BLUE")) >= 10);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_ENTRY E JOIN \"ROW\" R ON R.ID = "
                                  "E.ROW_ID WHERE NOT (E.RED = R.RED AND E.GREEN = R.GREEN AND "
                                  "E.BLUE = R.BLUE)")),
             0);
    // Free colours named by a chip code, found by the code look-up.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_ENTRY E WHERE E.ROW_ID IS NULL "
                                 "AND EXISTS (SELECT 1 FROM \"ROW\" R WHERE R.CODE = E.NAME_1 "
                                 "COLLATE NOCASE)")) >= 3);
    // Free colours that match nothing: neither a code nor a chip's exact RGB.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM VISTARA_ENTRY E WHERE E.ROW_ID IS NULL "
                                 "AND NOT EXISTS (SELECT 1 FROM \"ROW\" R WHERE R.CODE = E.NAME_1 "
                                 "COLLATE NOCASE OR R.CODE = E.NAME_2 COLLATE NOCASE OR (R.RED = "
                                 "E.RED AND R.GREEN = E.GREEN AND R.BLUE = E.BLUE))")) >= 3);
}

void TintwellBuildTest::productsAndTexturesAreMapped()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM PRODUCT")) >= 8);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM PRODUCT_GROUP")) >= 3);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM PRODUCT WHERE PRODUCT_CODE IS NOT "
                                 "NULL")) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM PRODUCT WHERE PRODUCT_CODE IS NULL")) > 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" R WHERE NOT EXISTS (SELECT 1 "
                                  "FROM ROW_PRODUCT_MAP M WHERE M.ROW_ID = R.ID)")),
             0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" R WHERE NOT EXISTS (SELECT 1 "
                                  "FROM ROW_PRODUCT_GROUP_MAP M WHERE M.ROW_ID = R.ID)")),
             0);
    QSqlQuery textures = query(QStringLiteral("SELECT NAME, IMAGE FROM TEXTURE WHERE "
                                              "COLLECTION_ID = 1 ORDER BY ID"));
    QStringList names;
    while (textures.next()) {
        names.append(textures.value(0).toString());
        const QImage image = QImage::fromData(textures.value(1).toByteArray());
        QCOMPARE(image.size(), QSize(148, 96));
        QVERIFY(image.isGrayscale());
    }
    QCOMPARE(names, (QStringList{QStringLiteral("Plaster"), QStringLiteral("Wood"),
                                 QStringLiteral("Brick"), QStringLiteral("Concrete"),
                                 QStringLiteral("Linen"), QStringLiteral("Stone")}));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PAGE P WHERE P.COLLECTION_ID = 1 AND NOT "
                                  "EXISTS (SELECT 1 FROM TEXTURE_MAP T WHERE T.PAGE_ID = P.ID)")),
             0);
    // Brick and stone go on exterior cards only.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TEXTURE_MAP M JOIN TEXTURE T ON T.ID = "
                                  "M.TEXTURE_ID JOIN PAGE P ON P.ID = M.PAGE_ID WHERE T.NAME IN "
                                  "('Brick', 'Stone') AND P.EXTERIOR = 0")),
             0);
}

void TintwellBuildTest::metallicRangeIsSetUpForItsSchemer()
{
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    QCOMPARE(Corvo::CollectionSettings::cardType(lustrel), Corvo::CardType::Lustrel);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE COLLECTION_ID = 2")) >= 300);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE COLLECTION_ID = 2 AND "
                                 "IS_MTO = 1")) > 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE COLLECTION_ID = 2 AND "
                                  "IS_MTO IS NULL")),
             0);
    // Three groups per chip: wide contrast 1 and 2 (kind 3, groups 0 and 1) and contrast.
    const qint64 chips = count(QStringLiteral("SELECT COUNT(*) FROM \"ROW\" WHERE "
                                              "COLLECTION_ID = 2"));
    for (const auto &[kind, group] : {std::pair{3, 0}, std::pair{2, 0}, std::pair{3, 1}})
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT ROW_ID) FROM ROW_SCHEME_MAP WHERE "
                                      "COLLECTION_ID = 2 AND SCHEME_ID = ? AND PAGE_ORDER = ?"),
                       {kind, group}),
                 chips);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ROW_SCHEME_MAP WHERE COLLECTION_ID = 2 "
                                  "AND SCHEME_ID NOT IN (2, 3)")),
             0);
    QCOMPARE(Corvo::DB::localizedString(lustrel, QStringLiteral("do.not.show.mto")),
             QStringLiteral("Hide made-to-order colours"));
    QByteArray mto;
    QCOMPARE(Corvo::DB::themeItem(lustrel, QStringLiteral("image.mto"), mto), 0);
    QCOMPARE(QImage::fromData(mto).size(),
             themeImageEntry(QStringLiteral("image.mto")).storedSize());
}

void TintwellBuildTest::settingsReadThroughTheirAccessors()
{
    using Corvo::CollectionSettings;
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    QCOMPARE(CollectionSettings::cardType(main), Corvo::CardType::Normal);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(main), kChipsPerCard);
    QCOMPARE(CollectionSettings::numOfSegments(main), 24);
    QCOMPARE(CollectionSettings::segmentOrientation(main), Corvo::SegmentOrientation::Clockwise);
    QCOMPARE(CollectionSettings::cardMode(main), Corvo::CardMode::ColorToColor);
    QCOMPARE(CollectionSettings::tabBarPages(main), (QList<int>{1, 2, 4, 8}));
    QCOMPARE(CollectionSettings::availableTabBarPages(main), 15);
    QCOMPARE(CollectionSettings::schemes(main), (QList<int>{1, 2, 3, 4, 5, 6}));
    QCOMPARE(CollectionSettings::deltaIntervals(main), (QList<double>{1.5, 3.0, 5.0}));
    QCOMPARE(CollectionSettings::textureSize(main, QSize(1, 1)), QSize(148, 96));
    QVERIFY(CollectionSettings::capsureEnabled(main));
    QCOMPARE(CollectionSettings::capsureFolderToWatch(main),
             QStringLiteral("%PROGRAMDATA%/Velmora/Capsure"));
    QVERIFY(!CollectionSettings::capsureFileNameToWatch(main).isEmpty());
    QVERIFY(CollectionSettings::hasExteriorFilter(main));
    QVERIFY(!CollectionSettings::hasPageWithExteriorMood(main, 4));
    QVERIFY(CollectionSettings::hasPageWithExteriorMood(main, 5));
    QCOMPARE(Corvo::DB::settingValue(main, QStringLiteral("capsure.priority")).toString(),
             QStringLiteral("1"));
    const QString fonts = Corvo::DB::settingValue(Corvo::DB::systemWideCollectionUuid(),
                                                  QStringLiteral("list.of.preferred.font.faces"))
                              .toString();
    QVERIFY(fonts.startsWith(QLatin1String("DejaVu Sans,")));
}

void TintwellBuildTest::everyKeyHasTextAndImage()
{
    for (const QUuid &uuid :
         {Tintwell::DemoDeck::mainCollectionUuid(), Tintwell::DemoDeck::lustrelCollectionUuid()}) {
        for (const QString &key : Tintwell::PresentationKeys::translationKeys())
            QVERIFY2(Corvo::DB::localizedString(uuid, key) != key, qPrintable(key));
        for (const auto &image : Tintwell::PresentationKeys::themeImages()) {
            QByteArray bytes;
            QCOMPARE(Corvo::DB::themeItem(uuid, image.key, bytes), 0);
            const QImage decoded = QImage::fromData(bytes);
            QVERIFY2(!decoded.isNull(), qPrintable(image.key));
            QCOMPARE(decoded.size(), image.storedSize());
            QVERIFY2(hasDetail(decoded), qPrintable(image.key));
        }
    }
}

void TintwellBuildTest::wheelShowsSegmentsWhereTheSettingsSayTheyAre()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    QByteArray bytes;
    QCOMPARE(Corvo::DB::themeItem(main, kWheelKey, bytes), 0);
    const QImage wheel = QImage::fromData(bytes);
    // The wheel is painted in the coordinates of its drawn size, at more pixels.
    const double scale = wheel.width() / double(themeImageEntry(kWheelKey).size.width());
    const double first = Corvo::CollectionSettings::firstSegmentAngle(main);
    const int segments = Corvo::CollectionSettings::numOfSegments(main);
    // Clockwise: segment i sits at first - (i - 1) * 360 / n degrees.
    for (int segment : {1, 7, 13, 19}) {
        const double degrees = first - (segment - 1) * 360.0 / segments;
        const double radians = degrees * M_PI / 180.0;
        const QPoint point(
            static_cast<int>(std::lround(scale * (60.0 + 53.0 * std::cos(radians)))),
            static_cast<int>(std::lround(scale * (61.0 - 53.0 * std::sin(radians)))));
        const QColor painted = wheel.pixelColor(point);
        // The segment's most colourful card is its last.
        QSqlQuery vivid = query(
            QStringLiteral(
                "SELECT AVG(R.A), AVG(R.B) FROM \"ROW\" R JOIN PAGE P ON P.ID = R.PAGE_ID WHERE "
                "P.COLLECTION_ID = 1 AND P.PAGE_INDEX = (SELECT MAX(PAGE_INDEX) FROM PAGE WHERE "
                "COLLECTION_ID = 1 AND SEGMENT = ?)"),
            {segment});
        QVERIFY(vivid.next());
        const Corvo::Lab lab = Corvo::labFromColor(painted);
        const double paintedHue = std::atan2(lab.b, lab.a);
        const double deckHue = std::atan2(vivid.value(1).toDouble(), vivid.value(0).toDouble());
        double difference = std::fabs(paintedHue - deckHue);
        difference = std::min(difference, 2 * M_PI - difference);
        QVERIFY2(difference < 0.35, qPrintable(QStringLiteral("segment %1").arg(segment)));
    }
}

void TintwellBuildTest::demoIsTheSameOnEveryRun()
{
    QTemporaryDir second;
    QCOMPARE(run({QStringLiteral("build"), QStringLiteral("--demo"), second.path()}), 0);
    QFile first(m_demoFile);
    QFile again(second.filePath(QStringLiteral("Contents/Resources/velmora.db")));
    QVERIFY(first.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
    QCOMPARE(QCryptographicHash::hash(again.readAll(), QCryptographicHash::Sha256),
             QCryptographicHash::hash(first.readAll(), QCryptographicHash::Sha256));
}

// The benchmarks' data folders: every file valid, the main deck grown on the same wheel.
void TintwellBuildTest::grownDemoFilesHoldCollectionsOfTheirOwn()
{
    TestEnvironment environment;
    QCOMPARE(run({"build", "--demo", "--chips", "1009", "--files", "2", "--json",
                  environment.dataFolder()}),
             0);
    const QJsonArray files = QJsonDocument::fromJson(m_out.toUtf8()).array();
    QCOMPARE(files.size(), 2);
    for (const QJsonValue &file : files) {
        QCOMPARE(file[QStringLiteral("chips")].toInt(), 2 * 1008 + 336);
        QCOMPARE(run({"validate", file[QStringLiteral("file")].toString()}), 0);
    }
    const QList<QUuid> collections = Corvo::DB::orderedCollections();
    QCOMPARE(collections.size(), 4);
    QCOMPARE(collections.first(), Tintwell::DemoDeck::mainCollectionUuid());
    QCOMPARE(QSet<QUuid>(collections.cbegin(), collections.cend()).size(), 4);
    QSharedPointer<Corvo::DB::Collection> record;
    QCOMPARE(Corvo::DB::collectionRecord(collections.at(2), record), 0);
    QCOMPARE(record->name, QStringLiteral("Velmora Colour Collection 2"));
    QCOMPARE(Corvo::CollectionSettings::numOfSegments(collections.at(2)), 24);
}

void TintwellBuildTest::badDemoCountsAreRefusedWithoutOutput_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("no chips") << QStringList{"--demo", "--chips", "0"};
    QTest::newRow("not a number") << QStringList{"--demo", "--chips", "many"};
    QTest::newRow("too many files") << QStringList{"--demo", "--files", "100"};
    QTest::newRow("without the demo") << QStringList{"--files", "2", kExampleSource};
}

void TintwellBuildTest::badDemoCountsAreRefusedWithoutOutput()
{
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    QCOMPARE(run(QStringList{"build"} + options + QStringList{folder.path()}), 2);
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TintwellBuildTest::exampleSourceBuilds()
{
    TestEnvironment environment;
    const QString file = environment.collectionFile(QStringLiteral("harbour.db"));
    QCOMPARE(run({QStringLiteral("build"), kExampleSource, file}), 0);
    QVERIFY(m_out.contains(QLatin1String("cards 4, chips 20")));
    QCOMPARE(run({QStringLiteral("validate"), file}), 0);
    const QUuid harbour(kHarbourUuid);
    QCOMPARE(Corvo::DB::orderedCollections(), QList<QUuid>{harbour});
    QCOMPARE(Corvo::CollectionSettings::maxChipsOnAPage(harbour), 5);
    QCOMPARE(Corvo::DB::localizedString(harbour, QStringLiteral("tab.bar.vistara.caption")),
             QStringLiteral("Trends"));
    QByteArray banner;
    QCOMPARE(Corvo::DB::themeItem(harbour, QStringLiteral("image.banner"), banner), 0);
    QVERIFY(!QImage::fromData(banner).isNull());
    QVERIFY(Corvo::CollectionSettings::hasPageWithExteriorMood(harbour, 2));
    QSqlDatabase database =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("harbour"));
    database.setDatabaseName(file);
    QVERIFY(database.open());
    {
        QSqlQuery rows(database);
        QVERIFY(rows.exec(QStringLiteral("SELECT P.PAGE_INDEX, R.ROW_INDEX, R.CODE, R.NAME0, "
                                         "R.IS_MTO, R.L FROM \"ROW\" R JOIN PAGE P ON P.ID = "
                                         "R.PAGE_ID WHERE R.CODE = 'HB 305'")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 3);
        QCOMPARE(rows.value(1).toInt(), 5);
        QCOMPARE(rows.value(3).toString(), QStringLiteral("Night Tide"));
        QCOMPARE(rows.value(4).toInt(), 1);
        QCOMPARE(rows.value(5).toDouble(), Corvo::labFromColor(QColor(0x22, 0x47, 0x6B)).l);
        QVERIFY(rows.exec(QStringLiteral("SELECT GROUP_CONCAT(S.CODE) FROM ROW_SCHEME_MAP M JOIN "
                                         "\"ROW\" R ON R.ID = M.ROW_ID JOIN \"ROW\" S ON S.ID = "
                                         "M.SCHEME_ROW_ID WHERE R.CODE = 'HB 103' AND "
                                         "M.SCHEME_ID = 2 ORDER BY M.ROW_ORDER")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toString(), QStringLiteral("HB 301,HB 302,HB 303,HB 304,HB 305"));
        QVERIFY(rows.exec(QStringLiteral("SELECT P.NAME, M.PRODUCT_ID FROM ROW_PRODUCT_MAP M "
                                         "JOIN PRODUCT P ON P.ID = M.PRODUCT_ID JOIN \"ROW\" R ON "
                                         "R.ID = M.ROW_ID WHERE R.CODE = 'HB 101' ORDER BY "
                                         "P.NAME")));
        QStringList products;
        while (rows.next())
            products.append(rows.value(0).toString());
        QCOMPARE(products,
                 (QStringList{QStringLiteral("Harbour Masonry"), QStringLiteral("Harbour Matt")}));
    }
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("harbour"));
}

QString TintwellBuildTest::writeSource(const QByteArray &deckJson)
{
    const QString folder =
        m_environment->root() + QStringLiteral("/source-") + QString::number(++m_sources);
    QDir().mkpath(folder + QStringLiteral("/images"));
    QFile::copy(kExampleSource + QStringLiteral("/images/banner.png"),
                folder + QStringLiteral("/images/banner.png"));
    // A sibling whose name starts with the source's own: still outside the source.
    QDir().mkpath(folder + QStringLiteral("-twin"));
    QFile::copy(kExampleSource + QStringLiteral("/images/banner.png"),
                folder + QStringLiteral("-twin/banner.png"));
    QFile broken(folder + QStringLiteral("/images/broken.png"));
    broken.open(QIODevice::WriteOnly);
    broken.write("not a picture");
    broken.close();
    if (!deckJson.isNull()) {
        QFile deck(folder + QStringLiteral("/deck.json"));
        deck.open(QIODevice::WriteOnly);
        deck.write(deckJson);
    }
    return folder;
}

void TintwellBuildTest::badSourceIsRefusedWithoutOutput_data()
{
    QTest::addColumn<QByteArray>("deck");
    QTest::addColumn<QString>("names");
    const QByteArray head = R"({"collections": [{"uuid": "{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E9F}",
        "systemId": "T", "name": "T", )";
    const QByteArray card =
        R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030"}]}])";
    QTest::newRow("no deck file") << QByteArray() << QStringLiteral("deck.json");
    QTest::newRow("not json") << QByteArray("{\"collections\": [") << QStringLiteral("JSON");
    QTest::newRow("no collections") << QByteArray("{}") << QStringLiteral("collections");
    QTest::newRow("bad uuid")
        << QByteArray(R"({"collections": [{"uuid": "12", "systemId": "T", "name": "T"}]})")
        << QStringLiteral("collections[0].uuid");
    QTest::newRow("system-wide uuid")
        << QByteArray(R"({"collections": [{"uuid": "{ffffffff-ffff-ffff-ffff-ffffffffffff}",
            "systemId": "T", "name": "T"}]})")
        << QStringLiteral("system-wide");
    QTest::newRow("no cards") << head + R"("cards": []}]})"
                              << QStringLiteral("collections[0].cards");
    QTest::newRow("bad colour")
        << head + R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#12"}]}]}]})"
        << QStringLiteral("collections[0].cards[0].chips[0].rgb");
    QTest::newRow("channel out of range")
        << head + R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": [1, 2, 300]}]}]}]})"
        << QStringLiteral("chips[0].rgb[2]");
    QTest::newRow("segment zero")
        << head + R"("cards": [{"segment": 0, "chips": [{"code": "A", "rgb": "#102030"}]}]}]})"
        << QStringLiteral("cards[0].segment");
    QTest::newRow("repeated code")
        << head + R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030"},
            {"code": "a", "rgb": "#102031"}]}]}]})"
        << QStringLiteral("chips[1].code");
    QTest::newRow("unknown mood")
        << head +
               R"("cards": [{"segment": 1, "mood": "sleepy", "chips": [{"code": "A", "rgb": "#102030"}]}]}]})"
        << QStringLiteral("cards[0].mood");
    QTest::newRow("unknown product")
        << head +
               R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030", "products": ["Gloss"]}]}]}]})"
        << QStringLiteral("products[0]");
    QTest::newRow("scheme names unknown chip")
        << head + card + R"(, "schemes": [{"chip": "A", "kind": "contrast", "groups": [["B"]]}]}]})"
        << QStringLiteral("schemes[0].groups[0][0]");
    QTest::newRow("unknown scheme kind")
        << head + card + R"(, "schemes": [{"chip": "A", "kind": "loud", "groups": [["A"]]}]}]})"
        << QStringLiteral("schemes[0].kind");
    QTest::newRow("card scheme beyond the deck")
        << head + card + R"(, "cardSchemes": [{"card": 1, "kind": 2, "cards": [2]}]}]})"
        << QStringLiteral("cardSchemes[0].cards[0]");
    QTest::newRow("missing image")
        << head + R"("theme": {"image.banner": "images/none.png"}, )" + card + "}]}"
        << QStringLiteral("theme.image.banner");
    QTest::newRow("image that does not decode")
        << head + R"("theme": {"image.banner": "images/broken.png"}, )" + card + "}]}"
        << QStringLiteral("broken.png");
    QTest::newRow("image outside the source")
        << head + R"("theme": {"image.banner": "../../etc/passwd"}, )" + card + "}]}"
        << QStringLiteral("outside");
    QTest::newRow("texture alpha zero")
        << head + card +
               R"(, "textures": [{"name": "P", "image": "images/banner.png", "cards": [{"card": 1, "alpha": 0}]}]}]})"
        << QStringLiteral("textures[0].cards[0].alpha");
    QTest::newRow("order taken twice") << QByteArray(R"({"collections": [
            {"uuid": "{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E9F}", "systemId": "A", "name": "A",
             "cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030"}]}]},
            {"uuid": "{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E90}", "systemId": "B", "name": "B",
             "order": 1, "cards": [{"segment": 1, "chips": [{"code": "B", "rgb": "#102030"}]}]}]})")
                                       << QStringLiteral("collections[1].order: order 1 repeats");
    QTest::newRow("image in a sibling folder")
        << head + R"("theme": {"image.banner": "../%FOLDER%-twin/banner.png"}, )" + card + "}]}"
        << QStringLiteral("outside");
    QTest::newRow("system-wide part not an object")
        << QByteArray(R"({"systemWide": ["has.textures.page"], "collections": []})")
        << QStringLiteral("systemWide: expected an object");
    QTest::newRow("products of a group not a list")
        << QByteArray(R"({"productGroups": [{"name": "G", "products": {"name": "P"}}]})")
        << QStringLiteral("productGroups[0].products");
    QTest::newRow("exterior as text")
        << head +
               R"("cards": [{"segment": 1, "exterior": "yes", "chips": [{"code": "A", "rgb": "#102030"}]}]}]})"
        << QStringLiteral("cards[0].exterior");
    QTest::newRow("made to order as a number")
        << head +
               R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030", "madeToOrder": 1}]}]}]})"
        << QStringLiteral("chips[0].madeToOrder");
    QTest::newRow("chip products not a list")
        << head +
               R"("cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030", "products": "Gloss"}]}]}]})"
        << QStringLiteral("chips[0].products");
    QTest::newRow("schemes not a list")
        << head + card + R"(, "schemes": {"chip": "A", "kind": 2, "groups": [["A"]]}}]})"
        << QStringLiteral("collections[0].schemes");
    QTest::newRow("card scheme not an object")
        << head + card + R"(, "cardSchemes": [1]}]})" << QStringLiteral("cardSchemes[0]");
    QTest::newRow("trend entries not a list")
        << head + card + R"(, "trends": [{"name": "G", "entries": "A"}]}]})"
        << QStringLiteral("trends[0].entries");
    QTest::newRow("trend name as a number")
        << head + card +
               R"(, "trends": [{"name": "G", "entries": [{"rgb": "#102030", "name1": 7}]}]}]})"
        << QStringLiteral("trends[0].entries[0].name1");
    QTest::newRow("textures not a list")
        << head + card + R"(, "textures": {"name": "P"}}]})" << QStringLiteral("textures");
    QTest::newRow("texture alpha as text")
        << head + card +
               R"(, "textures": [{"name": "P", "image": "images/banner.png", "cards": [{"card": 1, "alpha": "0.5"}]}]}]})"
        << QStringLiteral("textures[0].cards[0].alpha");
    QTest::newRow("base alpha as text")
        << head + card +
               R"(, "textures": [{"name": "P", "image": "images/banner.png", "baseAlpha": "half"}]}]})"
        << QStringLiteral("textures[0].baseAlpha");
}

void TintwellBuildTest::badSourceIsRefusedWithoutOutput()
{
    QFETCH(QByteArray, deck);
    QFETCH(QString, names);
    deck.replace("%FOLDER%", QByteArray("source-").append(QByteArray::number(m_sources + 1)));
    const QString source = writeSource(deck);
    const QString output = m_environment->root() + QStringLiteral("/out/refused.db");
    QDir().mkpath(m_environment->root() + QStringLiteral("/out"));
    QCOMPARE(run({QStringLiteral("build"), source, output}), 2);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
    QVERIFY2(m_err.contains(names), qPrintable(m_err));
    QVERIFY(QDir(m_environment->root() + QStringLiteral("/out"))
                .entryList(QDir::Files | QDir::Hidden)
                .isEmpty());
}

void TintwellBuildTest::failedBuildKeepsThePreviousFile()
{
    const QString output = m_environment->root() + QStringLiteral("/kept.db");
    QCOMPARE(run({QStringLiteral("build"), kExampleSource, output}), 0);
    QFile before(output);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();
    QCOMPARE(run({QStringLiteral("build"), writeSource("{\"collections\": 3}"), output}), 2);
    QFile after(output);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), original);
}

void TintwellBuildTest::collectionsWithoutOrderKeepSourceOrder()
{
    const QString source = writeSource(R"({"collections": [
        {"uuid": "{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E9F}", "systemId": "FIRST", "name": "First",
         "cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030"}]}]},
        {"uuid": "{2B7E5A10-9C3D-4F61-8E24-0A5B6C7D8E90}", "systemId": "SECOND", "name": "Second",
         "cards": [{"segment": 1, "chips": [{"code": "B", "rgb": "#302010"}]}]}]})");
    const QString output = m_environment->root() + QStringLiteral("/unordered.db");
    QCOMPARE(run({QStringLiteral("build"), source, output}), 0);
    QSqlDatabase database =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("unordered"));
    database.setDatabaseName(output);
    QVERIFY(database.open());
    {
        QSqlQuery orders(database);
        QVERIFY(orders.exec(QStringLiteral(
            "SELECT SYSTEMID, \"ORDER\" FROM COLLECTION WHERE ID <> 0 ORDER BY \"ORDER\"")));
        QStringList listed;
        while (orders.next())
            listed << orders.value(0).toString() + QLatin1Char(':') + orders.value(1).toString();
        QCOMPARE(listed, QStringList({QStringLiteral("FIRST:1"), QStringLiteral("SECOND:2")}));
    }
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("unordered"));
}

void TintwellBuildTest::reportsWhatItWroteInJson()
{
    const QString output = m_environment->root() + QStringLiteral("/reported.db");
    QCOMPARE(run({QStringLiteral("build"), kExampleSource, output, QStringLiteral("--json")}), 0);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(m_out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(report.value(QStringLiteral("collections")).toInt(), 1);
    QCOMPARE(report.value(QStringLiteral("cards")).toInt(), 4);
    QCOMPARE(report.value(QStringLiteral("chips")).toInt(), 20);
    QCOMPARE(report.value(QStringLiteral("chipSchemeEntries")).toInt(), 15);
    QCOMPARE(report.value(QStringLiteral("products")).toInt(), 3);
    QCOMPARE(report.value(QStringLiteral("file")).toString(), QDir::toNativeSeparators(output));
    QVERIFY(report.contains(QStringLiteral("milliseconds")));
}

QTEST_MAIN(TintwellBuildTest)
#include "tst_tintwellbuild.moc"
