#include "engine/colour/colorscience.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"
#include "tools/tintwell/demo/cardplanner.h"
#include "tools/tintwell/demo/colourmath.h"
#include "tools/tintwell/demo/colournamer.h"
#include "tools/tintwell/demo/texturepainter.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/source/sourcedeckreader.h"

#include <QColor>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <cmath>

using Tintwell::ColourMath::Lch;

// The parts the collection tool builds decks from: colour arithmetic, names, moods,
// textures, the source reader's defaults and the deck writer.
class TintwellDeckTest : public QObject
{
    Q_OBJECT

private slots:
    void labRoundTripsThroughRgb_data();
    void labRoundTripsThroughRgb();
    void outOfGamutChromaIsReduced_data();
    void outOfGamutChromaIsReduced();
    void lightReflectance_data();
    void lightReflectance();
    void moodByColour_data();
    void moodByColour();
    void descriptions_data();
    void descriptions();
    void namesNeverRepeat();
    void texturesAreTheSameOnEveryRun();
    void sourceDefaultsComeFromTheColour();
    void settingsTakeTextNumbersFlagsAndLists();
    void writerHandsOutIdsAndKeepsGroups();
    void writerRefusesAMissingFolder();
    void fileWriterRecoversAfterAFailedStatement();

private:
    QString writeDeck(const QByteArray &json);
    QTemporaryDir m_folder;
};

void TintwellDeckTest::labRoundTripsThroughRgb_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("black") << QColor(0, 0, 0);
    QTest::newRow("white") << QColor(255, 255, 255);
    QTest::newRow("red") << QColor(255, 0, 0);
    QTest::newRow("teal") << QColor(0, 128, 128);
    QTest::newRow("sand") << QColor(220, 203, 182);
    QTest::newRow("deep blue") << QColor(34, 71, 107);
}

void TintwellDeckTest::labRoundTripsThroughRgb()
{
    QFETCH(QColor, colour);
    const Corvo::Lab lab = Corvo::labFromColor(colour);
    const std::optional<Tintwell::Rgb> back = Tintwell::ColourMath::rgbFromLab(lab);
    QVERIFY(back);
    QCOMPARE(back->red, colour.red());
    QCOMPARE(back->green, colour.green());
    QCOMPARE(back->blue, colour.blue());
}

void TintwellDeckTest::outOfGamutChromaIsReduced_data()
{
    QTest::addColumn<double>("lightness");
    QTest::addColumn<double>("hue");
    QTest::newRow("light cyan") << 90.0 << 200.0;
    QTest::newRow("dark yellow") << 30.0 << 100.0;
    QTest::newRow("mid blue") << 50.0 << 290.0;
}

void TintwellDeckTest::outOfGamutChromaIsReduced()
{
    QFETCH(double, lightness);
    QFETCH(double, hue);
    QVERIFY(!Tintwell::ColourMath::rgbFromLab(
        Tintwell::ColourMath::labFromLch({lightness, 150.0, hue})));
    const Tintwell::Rgb rgb = Tintwell::ColourMath::rgbFromLchInGamut({lightness, 150.0, hue});
    const Lch actual = Tintwell::ColourMath::lchFromLab(Tintwell::ColourMath::labFromRgb(rgb));
    // Lightness and hue kept, chroma as high as sRGB allows.
    QVERIFY(std::fabs(actual.l - lightness) < 1.0);
    QVERIFY(Tintwell::ColourMath::hueDistance(actual.h, hue) < 3.0);
    QVERIFY(actual.c > 10.0);
}

void TintwellDeckTest::lightReflectance_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("lrv");
    QTest::newRow("white") << QColor(255, 255, 255) << 100;
    QTest::newRow("black") << QColor(0, 0, 0) << 0;
    QTest::newRow("mid grey") << QColor(119, 119, 119) << 18;
}

void TintwellDeckTest::lightReflectance()
{
    QFETCH(QColor, colour);
    QFETCH(int, lrv);
    QCOMPARE(Tintwell::ColourMath::lightReflectance({colour.red(), colour.green(), colour.blue()}),
             lrv);
}

void TintwellDeckTest::moodByColour_data()
{
    QTest::addColumn<QList<Lch>>("colours");
    QTest::addColumn<int>("mood");
    QTest::newRow("nothing") << QList<Lch>() << 0;
    QTest::newRow("off-whites") << QList<Lch>{{96, 3, 80}, {90, 5, 80}} << 5;
    QTest::newRow("greys") << QList<Lch>{{70, 6, 250}, {40, 9, 250}} << 6;
    QTest::newRow("light but coloured") << QList<Lch>{{92, 20, 30}} << 2;
    QTest::newRow("strong blue") << QList<Lch>{{50, 60, 290}} << 4;
    QTest::newRow("soft orange") << QList<Lch>{{70, 30, 60}} << 2;
    QTest::newRow("soft rose wraps round") << QList<Lch>{{70, 30, 355}} << 2;
    QTest::newRow("soft green") << QList<Lch>{{70, 30, 140}} << 1;
    QTest::newRow("soft blue") << QList<Lch>{{70, 30, 250}} << 3;
}

void TintwellDeckTest::moodByColour()
{
    QFETCH(QList<Lch>, colours);
    QFETCH(int, mood);
    QCOMPARE(Tintwell::moodOfColours(colours), mood);
}

void TintwellDeckTest::descriptions_data()
{
    QTest::addColumn<Lch>("lch");
    QTest::addColumn<QString>("text");
    QTest::newRow("warm white") << Lch{96, 3, 80} << QStringLiteral("Warm White");
    QTest::newRow("cool grey") << Lch{40, 4, 250} << QStringLiteral("Dark Cool Grey");
    QTest::newRow("grey") << Lch{60, 2, 330} << QStringLiteral("Grey");
    QTest::newRow("pale dusty teal") << Lch{90, 10, 210} << QStringLiteral("Pale Dusty Teal");
    QTest::newRow("bright red") << Lch{55, 70, 35} << QStringLiteral("Bright Red");
    QTest::newRow("deep blue") << Lch{25, 50, 300} << QStringLiteral("Deep Blue");
}

void TintwellDeckTest::descriptions()
{
    QFETCH(Lch, lch);
    QFETCH(QString, text);
    QCOMPARE(Tintwell::ColourNamer::describe(lch), text);
}

void TintwellDeckTest::namesNeverRepeat()
{
    Tintwell::ColourNamer namer;
    QVERIFY(namer.isLoaded());
    namer.reserve(QStringLiteral("Ivory Tower"));
    QSet<QString> names;
    // The same colour again and again: near list names first, then its description,
    // numbered from then on; never a name twice.
    static const QRegularExpression numbered(QStringLiteral("^Warm White (\\d+)$"));
    QRegularExpressionMatch described;
    for (int i = 0; i < 3000 && !described.hasMatch(); ++i) {
        const QString name = namer.takeName({250, 244, 236});
        QVERIFY2(!name.isEmpty() && !names.contains(name.toLower()), qPrintable(name));
        QVERIFY(name.compare(QLatin1String("Ivory Tower"), Qt::CaseInsensitive) != 0);
        QVERIFY(!name.contains(QLatin1Char('<')));
        names.insert(name.toLower());
        described = numbered.match(name);
    }
    QVERIFY(described.hasMatch());
    QCOMPARE(namer.takeName({250, 244, 236}),
             QStringLiteral("Warm White %1").arg(described.captured(1).toInt() + 1));
}

void TintwellDeckTest::texturesAreTheSameOnEveryRun()
{
    for (const QString &name : Tintwell::TexturePainter::names()) {
        const QImage first = Tintwell::TexturePainter(7).paint(name, QSize(64, 48));
        const QImage second = Tintwell::TexturePainter(7).paint(name, QSize(64, 48));
        const QImage other = Tintwell::TexturePainter(8).paint(name, QSize(64, 48));
        QVERIFY(!first.isNull());
        QVERIFY(first.isGrayscale());
        QCOMPARE(first, second);
        if (name != QLatin1String("Linen"))
            QVERIFY2(first != other, qPrintable(name));
    }
    QVERIFY(Tintwell::TexturePainter(7).paint(QStringLiteral("Velvet"), QSize(8, 8)).isNull());
}

QString TintwellDeckTest::writeDeck(const QByteArray &json)
{
    static int number = 0;
    const QString folder = m_folder.filePath(QStringLiteral("deck%1").arg(++number));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/deck.json"));
    file.open(QIODevice::WriteOnly);
    file.write(json);
    return folder;
}

void TintwellDeckTest::sourceDefaultsComeFromTheColour()
{
    Tintwell::SourceDeckReader reader;
    const std::optional<Tintwell::DeckModel> deck = reader.read(writeDeck(R"({"collections": [{
        "uuid": "5b0c7e2a-1111-4222-8333-944455556666", "systemId": "S", "name": "S",
        "cards": [{"segment": 2, "chips": [
            {"code": "W", "rgb": "#FBFAF8"}, {"code": "G", "rgb": [128, 128, 128]},
            {"code": "R", "rgb": "#C0392B", "mood": "rich", "segment": 9, "neutral": true}]}],
        "trends": [{"name": "T", "shared": true, "entries": [{"chip": "r"}]}]}]})"));
    QVERIFY2(deck, qPrintable(reader.lastError()));
    const Tintwell::CollectionModel &collection = deck->collections.first();
    QCOMPARE(collection.uuid, QUuid(QStringLiteral("{5b0c7e2a-1111-4222-8333-944455556666}")));
    QCOMPARE(collection.order, 1);
    const Tintwell::CardModel &card = collection.cards.first();
    QCOMPARE(card.mood,
             Tintwell::moodOfColours(
                 {Tintwell::ColourMath::lchFromLab(Corvo::labFromColor(QColor(0xFBFAF8))),
                  Tintwell::ColourMath::lchFromLab(Corvo::labFromColor(QColor(0x808080))),
                  Tintwell::ColourMath::lchFromLab(Corvo::labFromColor(QColor(0xC0392B)))}));
    QVERIFY(card.chips.at(0).white && card.chips.at(0).neutral);
    QVERIFY(!card.chips.at(1).white && card.chips.at(1).neutral);
    QVERIFY(card.chips.at(2).neutral);
    QCOMPARE(card.chips.at(2).mood, 4);
    QCOMPARE(card.chips.at(0).mood, card.mood);
    QCOMPARE(card.chips.at(2).segment, 9);
    QVERIFY(!card.chips.at(0).madeToOrder);
    const Tintwell::VistaraGroupModel &group = collection.vistaraGroups.first();
    QVERIFY(group.shared);
    QCOMPARE(group.entries.first().name2, QStringLiteral("R"));
    QCOMPARE(group.entries.first().rgb, (Tintwell::Rgb{0xC0, 0x39, 0x2B}));
}

void TintwellDeckTest::settingsTakeTextNumbersFlagsAndLists()
{
    Tintwell::SourceDeckReader reader;
    const std::optional<Tintwell::DeckModel> deck = reader.read(writeDeck(R"({
        "systemWide": {"settings": {"has.textures.page": true}},
        "collections": [{"uuid": "{5b0c7e2a-1111-4222-8333-944455556666}", "systemId": "S",
        "name": "S", "settings": {"card.type": "normal", "num.of.segments": 24,
        "first.segment.angle": 97.5, "mood.visible": false, "schemes": ["harmonic", 2]},
        "cards": [{"segment": 1, "chips": [{"code": "A", "rgb": "#102030"}]}]}]})"));
    QVERIFY2(deck, qPrintable(reader.lastError()));
    QCOMPARE(deck->systemWideSettings.first().second, QStringList{QStringLiteral("1")});
    QHash<QString, QStringList> settings;
    for (const Tintwell::SettingModel &setting : deck->collections.first().settings)
        settings.insert(setting.first, setting.second);
    QCOMPARE(settings.value(QStringLiteral("num.of.segments")), QStringList{QStringLiteral("24")});
    QCOMPARE(settings.value(QStringLiteral("first.segment.angle")),
             QStringList{QStringLiteral("97.5")});
    QCOMPARE(settings.value(QStringLiteral("mood.visible")), QStringList{QStringLiteral("0")});
    QCOMPARE(settings.value(QStringLiteral("schemes")),
             (QStringList{QStringLiteral("harmonic"), QStringLiteral("2")}));
}

void TintwellDeckTest::writerHandsOutIdsAndKeepsGroups()
{
    Tintwell::DeckModel deck;
    deck.productGroups = {
        {QStringLiteral("Walls"),
         {{QStringLiteral("Matt"), QStringLiteral("M1")}, {QStringLiteral("Silk"), std::nullopt}}}};
    Tintwell::CollectionModel collection;
    collection.uuid = QUuid::fromString(QStringLiteral("{5b0c7e2a-1111-4222-8333-944455556666}"));
    collection.systemId = QStringLiteral("S");
    collection.name = QStringLiteral("S");
    Tintwell::CardModel card;
    card.segment = 3;
    card.mood = 2;
    for (int i = 0; i < 3; ++i) {
        Tintwell::ChipModel chip;
        chip.code = QStringLiteral("C%1").arg(i);
        chip.rgb = {200 - i * 50, 100, 50};
        chip.mood = 2;
        chip.products = {{0, i % 2}};
        card.chips.append(chip);
    }
    // Names that collide with each other and with a position must not break the file.
    card.names = {QStringLiteral("2")};
    Tintwell::CardModel unnamed = card;
    unnamed.names.clear();
    collection.cards = {card, unnamed};
    for (Tintwell::ChipModel &chip : collection.cards[1].chips)
        chip.code += QLatin1Char('b');
    collection.rowSchemes = {{{0, 1}, 2, {{{1, 0}, {1, 1}}, {{1, 2}}}}};
    collection.pageSchemes = {{0, 3, {1}}};
    deck.collections = {collection};
    const QString path = m_folder.filePath(QStringLiteral("written.db"));
    Tintwell::DeckWriter writer;
    QVERIFY2(writer.write(deck, path), qPrintable(writer.lastError()));
    QCOMPARE(writer.figures().chips, 6);
    QCOMPARE(writer.figures().rowSchemeEntries, 3);
    QCOMPARE(
        QDir(m_folder.path()).entryList({QStringLiteral(".*partial*")}, QDir::Hidden | QDir::Files),
        QStringList());
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("written"));
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral(
            "SELECT S.CODE, M.PAGE_ORDER, M.ROW_ORDER FROM ROW_SCHEME_MAP M JOIN \"ROW\" R ON "
            "R.ID = M.ROW_ID JOIN \"ROW\" S ON S.ID = M.SCHEME_ROW_ID WHERE R.CODE = 'C1' ORDER "
            "BY M.PAGE_ORDER, M.ROW_ORDER")));
        QStringList rows;
        while (query.next())
            rows << QStringLiteral("%1/%2/%3")
                        .arg(query.value(0).toString(), query.value(1).toString(),
                             query.value(2).toString());
        QCOMPARE(rows, (QStringList{QStringLiteral("C0b/0/1"), QStringLiteral("C1b/0/2"),
                                    QStringLiteral("C2b/1/1")}));
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM ROW_PRODUCT_GROUP_MAP")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 6);
        QVERIFY(
            query.exec(QStringLiteral("SELECT PAGE_INDEX, SEGMENT, MOOD FROM PAGE ORDER BY ID")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QCOMPARE(query.value(1).toInt(), 3);
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 2);
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("written"));
}

void TintwellDeckTest::writerRefusesAMissingFolder()
{
    Tintwell::DeckWriter writer;
    QVERIFY(!writer.write(Tintwell::DeckModel(), m_folder.filePath(QStringLiteral("no/such.db"))));
    QVERIFY(writer.lastError().contains(QLatin1String("does not exist")));
}

void TintwellDeckTest::fileWriterRecoversAfterAFailedStatement()
{
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.create(m_folder.filePath(QStringLiteral("recover.db"))));
    QVERIFY(writer.addSystemWideCollection());
    // The same statement again breaks the unique ID; the cached statement must still work.
    QVERIFY(!writer.addSystemWideCollection());
    QVERIFY(!writer.lastError().isEmpty());
    Tintwell::CollectionFields fields;
    fields.uuid = QUuid::fromString(QStringLiteral("{5b0c7e2a-1111-4222-8333-944455556666}"));
    fields.systemId = QStringLiteral("S");
    fields.name = QStringLiteral("S");
    QCOMPARE(writer.addCollection(fields), std::optional<qint64>(1));
    QVERIFY(writer.addSetting(1, QStringLiteral("a"), QStringLiteral("1")));
    QVERIFY(writer.addSetting(1, QStringLiteral("b"), QStringLiteral("2")));
    QVERIFY(!writer.addSetting(1, QStringLiteral("b"), QStringLiteral("3")));
    QVERIFY(writer.addSetting(1, QStringLiteral("c"), QStringLiteral("4")));
    QVERIFY(writer.close());
}

QTEST_MAIN(TintwellDeckTest)
#include "tst_tintwelldeck.moc"
