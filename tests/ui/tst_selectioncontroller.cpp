// The selection's rules, one table per request: the stored selection before, the request,
// the stored selection after and what the controller reports as changed. States are written
// as tokens: s segment, m mood, x exterior, o made-to-order shown, p card, r chip, t tab,
// k scheme kind, n neutral sub-kind; only the tokens given are set or compared.

#include "demoworld.h"
#include "selectionfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/schemecomputation.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/cardrollerwidget.h"
#include "ui/mainwidget.h"
#include "ui/productswidget.h"
#include "ui/selectioncontroller.h"
#include "ui/tabbarlayout.h"

#include <QLabel>
#include <QTest>

using namespace Corvo;

namespace {

using Setter = void (*)(const QUuid &, int);
using Getter = int (*)(const QUuid &);

struct Token
{
    QChar letter;
    Setter set;
    Getter get;
};

const QList<Token> &tokens()
{
    static const QList<Token> all{
        {'s', Preferences::setSegmentIndex, Preferences::segmentIndex},
        {'m', Preferences::setMoodFilter, Preferences::moodFilter},
        {'x', [](const QUuid &c, int v) { Preferences::setExteriorColors(c, v != 0); },
         [](const QUuid &c) { return int(Preferences::exteriorColors(c)); }},
        {'o', [](const QUuid &c, int v) { Preferences::setShowMto(c, v != 0); },
         [](const QUuid &c) { return int(Preferences::showMto(c)); }},
        {'p', Preferences::setPageIndex, Preferences::pageIndex},
        {'r', Preferences::setRowIndex, Preferences::rowIndex},
        {'t', Preferences::setTabPageIndex, Preferences::tabPageIndex},
        {'k', Preferences::setSchemeKind, Preferences::schemeKind},
        {'n', Preferences::setSchemeNeutralSubKind, Preferences::schemeNeutralSubKind},
    };
    return all;
}

const Token *tokenFor(QChar letter)
{
    for (const Token &token : tokens()) {
        if (token.letter == letter)
            return &token;
    }
    return nullptr;
}

void store(const QUuid &collection, const QString &state)
{
    for (const QString &part : state.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        tokenFor(part.at(0))->set(collection, part.mid(1).toInt());
}

// The stored values of the tokens named in `state`, in the same form.
QString storedAs(const QUuid &collection, const QString &state)
{
    QStringList parts;
    for (const QString &part : state.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        parts.append(part.at(0) + QString::number(tokenFor(part.at(0))->get(collection)));
    return parts.join(QLatin1Char(' '));
}

QString changeNames(SelectionController::Changes changes)
{
    using C = SelectionController;
    const QList<std::pair<C::Change, const char *>> names{
        {C::SegmentChanged, "segment"}, {C::FiltersChanged, "filters"},
        {C::CardChanged, "card"},       {C::ChipChanged, "chip"},
        {C::TabChanged, "tab"},         {C::SchemeChanged, "scheme"}};
    QStringList parts;
    for (const auto &[change, name] : names) {
        if (changes & change)
            parts.append(QLatin1String(name));
    }
    return parts.join(QLatin1Char(' '));
}

QUuid collectionNamed(const QString &name)
{
    if (name == QLatin1String("tiny"))
        return SelectionFixture::tiny();
    if (name == QLatin1String("metal"))
        return SelectionFixture::metal();
    if (name == QLatin1String("plain"))
        return SelectionFixture::plain();
    if (name == QLatin1String("inside"))
        return SelectionFixture::noExterior();
    if (name == QLatin1String("demo"))
        return DemoWorld::mainCollection();
    return DemoWorld::lustrelCollection();
}

SelectionController::Changes perform(SelectionController &selection, const QString &request)
{
    const QString verb = request.section(QLatin1Char(' '), 0, 0);
    const QString argument = request.section(QLatin1Char(' '), 1);
    const int number = argument.section(QLatin1Char(' '), 0, 0).toInt();
    if (verb == QLatin1String("apply"))
        return selection.applyCollection(selection.collection());
    if (verb == QLatin1String("segment"))
        return selection.changeSegment(number);
    if (verb == QLatin1String("mood"))
        return selection.changeMoodFilter(number);
    if (verb == QLatin1String("exterior"))
        return selection.changeExteriorFilter(number != 0);
    if (verb == QLatin1String("mto"))
        return selection.changeShowMto(number != 0);
    if (verb == QLatin1String("roll"))
        return selection.roll(argument == QLatin1String("back") ? Backward : Forward);
    if (verb == QLatin1String("page"))
        return selection.changePage(number);
    if (verb == QLatin1String("row"))
        return selection.changeRow(number);
    if (verb == QLatin1String("search"))
        return selection.search(argument);
    if (verb == QLatin1String("tab"))
        return selection.changeTab(number);
    if (verb == QLatin1String("scheme"))
        return selection.changeSchemeKind(number);
    if (verb == QLatin1String("sub"))
        return selection.changeSchemeNeutralSubKind(number);
    // "jump P R": the chip at row R of card P.
    DB::ColorPage page;
    DB::ColorEntry chip;
    DB::pageAt(selection.collection(), number, page);
    DB::rowAt(selection.collection(), number, argument.section(QLatin1Char(' '), 1).toInt(), chip);
    return selection.jumpTo(page, chip);
}

} // namespace

class TestSelectionController : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;

    void columns()
    {
        QTest::addColumn<QString>("collection");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("changes");
    }

    void row(const char *name, const char *collection, const char *before, const char *request,
             const char *after, const char *changes)
    {
        QTest::newRow(name) << collection << before << request << after << changes;
    }

    void runRow()
    {
        QFETCH(QString, collection);
        QFETCH(QString, before);
        QFETCH(QString, request);
        QFETCH(QString, after);
        QFETCH(QString, changes);
        const QUuid uuid = collectionNamed(collection);
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(uuid);
        store(uuid, before);
        SelectionController selection(uuid);
        const QString reported = changeNames(perform(selection, request));
        QCOMPARE(storedAs(uuid, after), after);
        QCOMPARE(reported, changes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        QVERIFY(SelectionFixture::write(
            m_world.environment().collectionFile(QStringLiteral("selection.db"))));
        DemoWorld::clearPreferences();
    }

    // Window start and collection switch: no stored value may leave the deck stuck.
    void applyCollection_data()
    {
        columns();
        row("an offwhite first card under all moods gives way", "tiny", "s1 m7 x0 p1 r1 t1",
            "apply", "s1 m7 x0 p2 r1", "card chip");
        row("the demo's first card likewise", "demo", "s1 m7 x0 p1 r1 t1", "apply", "s1 m7 p3",
            "card chip scheme");
        row("the segment follows a card that qualifies", "tiny", "s4 m7 x0 p3 r1 t1", "apply",
            "s2 p3", "segment");
        row("a missing card", "tiny", "s4 m7 x0 p99 r1 t1", "apply", "s4 p5", "card chip");
        row("filters under which no card qualifies", "tiny", "s9 m2 x1 p8 r1 t1", "apply",
            "s2 m2 x0 p3 r1", "segment filters card chip");
        row("not even without the exterior filter", "tiny", "s9 m3 x1 p8 r1 t1", "apply",
            "s1 m5 x0 p1 r1", "segment filters card chip");
        row("a stale exterior flag without the exterior filter", "inside", "s1 m7 x1 p1 r1 t1",
            "apply", "s1 m7 x1 p1 r1", "");
        row("a stored mood without mood control", "metal", "s1 m6 p2 r2 t1", "apply", "s1 m6 p2 r2",
            "");
        row("pale cards without mood control", "plain", "s1 m7 p1 r1 t1", "apply", "s1 p1", "");
        row("a hidden made-to-order chip", "metal", "s1 o0 p1 r2 t1", "apply", "p1 r1", "chip");
        row("a card of hidden chips only", "metal", "s2 o0 p3 r1 t1", "apply", "p3 r0", "chip");
        row("no tab page yet", "tiny", "s1 p2 t0", "apply", "t1", "tab");
        row("a tab page the collection does not show", "tiny", "s1 p2 t8", "apply", "t1", "tab");
        row("no scheme kind in a collection without schemes", "tiny", "s1 p2 t1 k0", "apply", "k0",
            "");
    }
    void applyCollection() { runRow(); }

    // The wheel: the first card of the segment under the filters, its segment stored.
    void changeSegment_data()
    {
        columns();
        row("a segment without cards under the filter hands on", "tiny", "s1 m7 x0 p2 r1",
            "segment 3", "s4 p5 r1", "segment card chip");
        row("the same segment", "tiny", "s1 m7 x0 p2 r1", "segment 1", "s1 p2", "");
        row("a stale exterior flag is ignored", "inside", "s1 m7 x1 p1 r1", "segment 2", "s2 p2",
            "segment card chip");
        row("every metallic card counts", "metal", "s1 m2 p2 r2", "segment 3", "s3 p4 r2",
            "segment card chip");
    }
    void changeSegment() { runRow(); }

    void changeFilters_data()
    {
        columns();
        row("a mood moves to its first card from the segment", "tiny", "s1 m7 x0 p2 r2", "mood 4",
            "s5 m4 x0 p6 r2", "segment filters card chip");
        row("a mood without cards is refused", "tiny", "s1 m7 x0 p2 r2", "mood 3", "s1 m7 x0 p2 r2",
            "");
        row("exterior colours", "tiny", "s2 m7 x0 p3 r1", "exterior 1", "s5 m7 x1 p6",
            "segment filters card chip");
        row("the first card of the segment, even when the card stays in", "tiny", "s4 m7 x0 p5 r1",
            "mood 1", "s4 m1 p5", "filters");
        row("a metallic deck stores the mood and stays", "metal", "s1 m7 p2 r2", "mood 6",
            "s1 m6 p2 r2", "filters");
        row("no exterior filter: stored, nothing moves", "inside", "s1 m7 x0 p1 r1", "exterior 1",
            "s1 x1 p1", "filters");
        row("hiding made-to-order colours moves the chip", "metal", "s1 o1 p1 r2", "mto 0",
            "o0 p1 r1", "filters chip");
        row("showing them keeps it", "metal", "s1 o0 p1 r1", "mto 1", "o1 p1 r1", "filters");
    }
    void changeFilters() { runRow(); }

    void roll_data()
    {
        columns();
        row("forward", "tiny", "s1 m7 x0 p2 r1", "roll fwd", "s2 p3 r1", "segment card chip");
        row("backward wraps to the last card", "tiny", "s1 m7 x0 p2 r1", "roll back", "s5 p6",
            "segment card chip");
        row("exterior with all moods takes pale exterior cards", "tiny", "s3 m7 x1 p4 r1",
            "roll fwd", "s5 p6", "segment card chip");
        row("the only card of the deck stays", "tiny", "s5 m4 x0 p6 r1", "roll fwd", "s5 p6", "");
        row("a stale exterior flag is ignored", "inside", "s1 m7 x1 p1 r1", "roll fwd", "s2 p2",
            "segment card chip");
        row("a stored mood does not shrink the metallic deck", "metal", "s1 m6 p2 r2", "roll fwd",
            "s2 p3", "segment card chip");
        row("onto a hidden made-to-order chip", "metal", "s1 o0 p1 r1", "roll fwd", "p2 r2",
            "card chip");
    }
    void roll() { runRow(); }

    // Home, End and the chips of the card.
    void changeCardAndChip_data()
    {
        columns();
        row("a card outside the filters widens them, with its segment", "tiny", "s5 m7 x0 p6 r1",
            "page 1", "s1 m5 x0 p1 r1", "segment filters card chip");
        row("a card that does not exist", "tiny", "s1 m7 x0 p2 r1", "page 42", "s1 p2", "");
        row("a chip", "tiny", "s1 m7 x0 p2 r1", "row 3", "p2 r3", "chip");
        row("a chip the card lacks", "tiny", "s1 m7 x0 p2 r1", "row 9", "p2 r1", "");
        row("a hidden made-to-order chip", "metal", "s1 o0 p1 r1", "row 2", "p1 r1", "");
    }
    void changeCardAndChip() { runRow(); }

    void search_data()
    {
        columns();
        row("a neutral exterior chip sets its mood", "tiny", "s1 m7 x1 p2 r1", "search tiny-4-2",
            "s3 m6 x1 p4 r2", "segment filters card chip");
        row("an interior card clears the exterior filter", "tiny", "s6 m5 x1 p7 r1",
            "search TINY-5-1", "s4 m7 x0 p5 r1", "segment filters card chip");
        row("a search that changes a filter only", "tiny", "s3 m7 x1 p4 r1", "search Tiny-4-1",
            "s3 m6 x1 p4 r1", "filters");
        row("a hidden made-to-order chip shows made-to-order colours", "metal", "s3 o0 p4 r1",
            "search Metal-1-2", "s1 o1 p1 r2", "segment filters card chip");
        row("nothing found", "tiny", "s1 m7 x0 p2 r1", "search nothing at all", "s1 m7 x0 p2 r1",
            "");
    }
    void search() { runRow(); }

    // A dropped chip, a Capsure pick, a similar colour.
    void jumpTo_data()
    {
        columns();
        row("the segment, the filters and the chip", "tiny", "s4 m1 x0 p5 r1", "jump 4 2",
            "s3 m6 x0 p4 r2", "segment filters card chip");
        row("a chip of the current card", "tiny", "s1 m7 x0 p2 r1", "jump 2 3", "s1 p2 r3", "chip");
        row("a hidden made-to-order chip", "metal", "s3 o0 p4 r1", "jump 2 1", "s1 o1 p2 r1",
            "segment filters card chip");
    }
    void jumpTo() { runRow(); }

    void tabsAndSchemes_data()
    {
        columns();
        row("products, offered without tab rows", "tiny", "t1", "tab 2", "t2", "tab");
        row("textures, not offered", "tiny", "t1", "tab 8", "t1", "");
        row("the same tab", "tiny", "t1", "tab 1", "t1", "");
        row("a scheme kind", "demo", "k1", "scheme 2", "k2", "scheme");
        row("a neutral sub-kind", "demo", "k6 n7", "sub 8", "n8", "scheme");
        row("a sub-kind that is no sub-kind stays tonal", "demo", "k6 n7", "sub 6", "n7", "");
    }
    void tabsAndSchemes() { runRow(); }

    void visibleTabsWithoutTabRows()
    {
        const QUuid tiny = SelectionFixture::tiny();
        QCOMPARE(visibleTabPages(CollectionSettings::tabBarPages(tiny),
                                 CollectionSettings::availableTabBarPages(tiny)),
                 (QList<int>{PageOfColorSchemes, PageOfProducts, PageOfVistara}));
    }

    // The neutral group offers complementary neutral exactly where it has chips, and shows
    // the tonal scheme elsewhere without storing it.
    void complementaryNeutralNeverBlank()
    {
        const QUuid demo = DemoWorld::mainCollection();
        DemoWorld::makeCurrent(demo);
        const SchemeSource source = schemeSourceFor(demo);
        int offered = 0;
        int withdrawn = 0;
        DB::ColorPage page;
        for (int index = 1; DB::pageAt(demo, index, page) == DB::Ok; ++index) {
            for (const DB::ColorEntry &chip : page.rows) {
                const auto input = schemeInputFor(source, demo, index, chip.rowIndex);
                QVERIFY(input);
                const SchemeResult result =
                    computeScheme(source, *input, kNeutralSchemeGroup, kComplementaryNeutralScheme);
                if (result.offersComplementaryNeutral) {
                    ++offered;
                    QCOMPARE(result.neutralSubKind, int(kComplementaryNeutralScheme));
                    QVERIFY(!result.chips.isEmpty());
                } else {
                    ++withdrawn;
                    QCOMPARE(result.neutralSubKind, int(kTonalNeutralScheme));
                }
            }
        }
        QVERIFY(offered > 0);
        QVERIFY(withdrawn > 0);
    }

    // A chip chosen while another tab is open shows when that tab opens.
    void hiddenViewsCatchUp()
    {
        const QUuid demo = DemoWorld::mainCollection();
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(demo);
        MainWidget widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        auto *products = widget.findChild<ProductsWidget *>();
        widget.tabPageSelected(PageOfProducts);
        widget.tabPageSelected(PageOfColorSchemes);
        QVERIFY(!products->isVisible());
        widget.rollCards(Forward);
        widget.rowChangedInteractively(3);
        widget.tabPageSelected(PageOfProducts);
        DB::ColorEntry chip;
        QCOMPARE(DB::rowAt(demo, Preferences::pageIndex(demo), 3, chip), int(DB::Ok));
        QCOMPARE(products->codeLabel()->text(), chip.code);
        // The roller's neighbours follow a search that changes only a filter.
        auto *roller = widget.findChild<CardRollerWidget *>();
        widget.exteriorFilterChangedInteractively(true);
        QCoreApplication::processEvents();
        DB::ColorPage next;
        QCOMPARE(DB::adjacentPage(demo, Preferences::pageIndex(demo), false, MoodAll, true, next),
                 int(DB::Ok));
        QCOMPARE(roller->shownCards().pages.at(2)->pageIndex, next.pageIndex);
    }
};

QTEST_MAIN(TestSelectionController)
#include "tst_selectioncontroller.moc"
