#include "queryfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/phrasesearch.h"

#include <QtTest>

using namespace Corvo::DB;

class PhraseSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findPhrase_data();
    void findPhrase();
    void blankOrMissingPhrasesAreNotFound_data();
    void blankOrMissingPhrasesAreNotFound();
    void unusableCollections();
    void searchOrderEntriesOutsideTheColumnsAreSkipped();
    void withoutPageColumnsOnlyChipsAreFound();
    void suggestionsAreDistinctSortedAndNeverBlank();
    void suggestionsFollowTheSearchOrders();
    void suggestionsSortAsCaseInsensitiveComparison();
    void suggestionsOfAnEmptyCollection();
    void searchedColumnMissingFromTheFile();
    void withoutSearchOrdersOnlyCodesCount();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
};

void PhraseSearchTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
    loadNameOrders(QueryFixture::uuidA());
}

void PhraseSearchTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

void PhraseSearchTest::findPhrase_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("rowIndex");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("mood");
    QTest::addColumn<bool>("exterior");
    QTest::newRow("card name") << "Card 3" << 3 << -1 << 5 << 5 << true;
    QTest::newRow("card name in lower case") << "card 6" << 6 << -1 << 3 << 4 << false;
    QTest::newRow("non-ASCII card name in lower case") << "fjäll" << 5 << -1 << 9 << 1 << true;
    QTest::newRow("chip name") << "Name p4r3" << 4 << 3 << 7 << 6 << false;
    QTest::newRow("second searched chip name") << "ALT P6R2" << 6 << 2 << 3 << 4 << false;
    QTest::newRow("code in lower case") << "p2r3" << 2 << 3 << 2 << 2 << true;
    QTest::newRow("code with a quote") << "O'Brien 1" << 1 << 3 << 2 << 1 << false;
    QTest::newRow("non-ASCII chip name in lower case") << "blå" << 2 << 1 << 2 << 2 << true;
    QTest::newRow("non-ASCII second name in upper case") << "RØDGRÅ" << 2 << 1 << 2 << 2 << true;
    QTest::newRow("markup is plain text") << "black & tan <B>" << 4 << 2 << 7 << 6 << false;
}

void PhraseSearchTest::findPhrase()
{
    QFETCH(QString, phrase);
    PhraseMatch match;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), phrase, match), int(Ok));
    QTEST(match.pageIndex, "pageIndex");
    QTEST(match.rowIndex, "rowIndex");
    QTEST(match.segment, "segment");
    QTEST(match.mood, "mood");
    QTEST(match.exterior, "exterior");
}

void PhraseSearchTest::blankOrMissingPhrasesAreNotFound_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::newRow("empty") << "";
    QTest::newRow("blank matches no chip without code") << "   ";
    QTest::newRow("prefix") << "Card";
    QTest::newRow("name not searched") << "Third p1r1";
    QTest::newRow("another collection's chip") << "P7R1";
    QTest::newRow("statement text") << "') OR 1=1 --";
    QTest::newRow("wildcard") << "%";
}

void PhraseSearchTest::blankOrMissingPhrasesAreNotFound()
{
    QFETCH(QString, phrase);
    PhraseMatch match;
    match.pageIndex = 42;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), phrase, match), int(NothingQualifies));
    QCOMPARE(match.pageIndex, -1);
    QCOMPARE(match.rowIndex, -1);
    QCOMPARE(match.segment, -1);
    QCOMPARE(match.mood, 0);
    QCOMPARE(match.exterior, false);
}

void PhraseSearchTest::unusableCollections()
{
    PhraseMatch match;
    QCOMPARE(Corvo::DB::findPhrase(QUuid(), QStringLiteral("Card 1"), match), int(NullCollection));
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidC(), QStringLiteral("Card C1"), match),
             int(NotCatalogued));
    QStringList suggestions{QStringLiteral("stale")};
    QCOMPARE(searchSuggestions(QUuid::createUuid(), suggestions), int(NotCatalogued));
    QVERIFY(suggestions.isEmpty());
}

void PhraseSearchTest::searchOrderEntriesOutsideTheColumnsAreSkipped()
{
    // B's row order is 10, -1, 0 and it has no page order.
    loadNameOrders(QueryFixture::uuidB());
    PhraseMatch match;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidB(), QStringLiteral("name p7r2"), match),
             int(Ok));
    QCOMPARE(match.pageIndex, 7);
    QCOMPARE(match.rowIndex, 2);
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidB(), QStringLiteral("alt p7r2"), match),
             int(NothingQualifies));
}

void PhraseSearchTest::withoutPageColumnsOnlyChipsAreFound()
{
    loadNameOrders(QueryFixture::uuidB());
    PhraseMatch match;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidB(), QStringLiteral("Card B7"), match),
             int(NothingQualifies));
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidB(), QStringLiteral("p6r1"), match), int(Ok));
    QCOMPARE(match.pageIndex, 6);
    QCOMPARE(match.rowIndex, 1);
}

void PhraseSearchTest::suggestionsAreDistinctSortedAndNeverBlank()
{
    QStringList suggestions;
    QCOMPARE(searchSuggestions(QueryFixture::uuidA(), suggestions), int(Ok));
    // 6 card names, 18 first and 18 second chip names, 17 codes (one chip has none).
    QCOMPARE(suggestions.size(), 6 + 18 + 18 + 17);
    QCOMPARE(QSet<QString>(suggestions.cbegin(), suggestions.cend()).size(), suggestions.size());
    for (int i = 0; i < suggestions.size(); ++i) {
        QVERIFY(!suggestions.at(i).trimmed().isEmpty());
        if (i > 0)
            QVERIFY2(suggestions.at(i - 1).compare(suggestions.at(i), Qt::CaseInsensitive) <= 0,
                     qPrintable(suggestions.at(i)));
    }
    QVERIFY(suggestions.contains(QStringLiteral("Blå")));
    QVERIFY(suggestions.contains(QStringLiteral("Fjäll")));
    QVERIFY(suggestions.contains(QStringLiteral("O'BRIEN 1")));
    QVERIFY(suggestions.contains(QStringLiteral("Card 1")));
    QVERIFY(!suggestions.contains(QStringLiteral("Third p1r1")));
    QVERIFY(!suggestions.contains(QStringLiteral("P7R1")));
}

void PhraseSearchTest::suggestionsFollowTheSearchOrders()
{
    loadNameOrders(QueryFixture::uuidB());
    QStringList suggestions;
    QCOMPARE(searchSuggestions(QueryFixture::uuidB(), suggestions), int(Ok));
    // No card names; chip names NAME0 and codes of cards 6 (shared) and 7.
    QCOMPARE(suggestions.size(), 6 + 6);
    QVERIFY(suggestions.contains(QStringLiteral("Name p6r1")));
    QVERIFY(suggestions.contains(QStringLiteral("P7R3")));
    QVERIFY(!suggestions.contains(QStringLiteral("Card B7")));
}

// Names that agree in their first eight characters but for letter case, or differ only
// beyond them, non-ASCII letters, surrogate pairs at the eighth character, and a repeat:
// the order is exactly QString's case-insensitive order, ties by exact order.
void PhraseSearchTest::suggestionsSortAsCaseInsensitiveComparison()
{
    const QStringList names{
        QStringLiteral("Light Magenta 13"),
        QStringLiteral("LIGHT MAGENTA 2"),
        QStringLiteral("light magenta 13"),
        QStringLiteral("Light Magenta 13"),
        QStringLiteral("Velmora Blå"),
        QStringLiteral("VELMORA BLÅ"),
        QStringLiteral("velmora blåx"),
        QStringLiteral("1234567\U00010400b"),
        QStringLiteral("1234567\U00010428a"),
        QStringLiteral("1234567\U0001F600"),
        QStringLiteral("ÄPFEL GRÜN"),
        QStringLiteral("äpfel grün"),
        QStringLiteral("Straße weiß"),
        QStringLiteral("STRASSE WEISS"),
        QStringLiteral("Σίσυφος"),
        QStringLiteral("ΣΊΣΥΦΟΣ"),
        QStringLiteral("Ab"),
        QStringLiteral("ab\u0001"),
    };
    QList<qint64> chips;
    for (auto it = m_fixture->rows.cbegin(); it != m_fixture->rows.cend(); ++it)
        chips.append(it.value());
    std::sort(chips.begin(), chips.end());
    QVERIFY(chips.size() >= names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY(m_fixture->alter(QStringLiteral("UPDATE \"ROW\" SET NAME0 = ? WHERE ID = ?"),
                                 {names.at(i), chips.at(i)}));
    QStringList suggestions;
    QCOMPARE(searchSuggestions(QueryFixture::uuidA(), suggestions), int(Ok));
    QStringList expected = QSet<QString>(suggestions.cbegin(), suggestions.cend()).values();
    std::sort(expected.begin(), expected.end(), [](const QString &x, const QString &y) {
        const int order = x.compare(y, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : x < y;
    });
    QCOMPARE(suggestions, expected);
    QCOMPARE(suggestions.count(QStringLiteral("Light Magenta 13")), 1);
    for (const QString &name : names)
        QVERIFY2(suggestions.contains(name), qPrintable(name));
}

void PhraseSearchTest::suggestionsOfAnEmptyCollection()
{
    QStringList suggestions{QStringLiteral("stale")};
    QCOMPARE(searchSuggestions(QueryFixture::uuidE(), suggestions), int(Failed));
    QVERIFY(suggestions.isEmpty());
}

void PhraseSearchTest::searchedColumnMissingFromTheFile()
{
    // A's card names are searched in NAME0, which this file lacks: both statements fail.
    QVERIFY(m_fixture->alter(QStringLiteral("ALTER TABLE PAGE DROP COLUMN NAME0")));
    PhraseMatch match;
    match.rowIndex = 42;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), QStringLiteral("P1R1"), match),
             int(Failed));
    QCOMPARE(match.pageIndex, -1);
    QCOMPARE(match.rowIndex, -1);
    QStringList suggestions{QStringLiteral("stale")};
    QCOMPARE(searchSuggestions(QueryFixture::uuidA(), suggestions), int(Failed));
    QVERIFY(suggestions.isEmpty());
    // B searches no card names and still answers.
    loadNameOrders(QueryFixture::uuidB());
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidB(), QStringLiteral("P7R1"), match), int(Ok));
    QCOMPARE(searchSuggestions(QueryFixture::uuidB(), suggestions), int(Ok));
}

void PhraseSearchTest::withoutSearchOrdersOnlyCodesCount()
{
    // E has no search orders at all.
    loadNameOrders(QueryFixture::uuidE());
    PhraseMatch match;
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), QStringLiteral("Card 1"), match),
             int(NothingQualifies));
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), QStringLiteral("Name p1r1"), match),
             int(NothingQualifies));
    QCOMPARE(Corvo::DB::findPhrase(QueryFixture::uuidA(), QStringLiteral("p1r2"), match), int(Ok));
    QCOMPARE(match.pageIndex, 1);
    QCOMPARE(match.rowIndex, 2);
    QStringList suggestions;
    QCOMPARE(searchSuggestions(QueryFixture::uuidA(), suggestions), int(Ok));
    QCOMPARE(suggestions.size(), 17);
    for (const QString &suggestion : std::as_const(suggestions))
        QVERIFY2(suggestion.startsWith(QLatin1Char('P')) || suggestion.startsWith(QLatin1Char('O')),
                 qPrintable(suggestion));
}

QTEST_GUILESS_MAIN(PhraseSearchTest)
#include "tst_phrasesearch.moc"
