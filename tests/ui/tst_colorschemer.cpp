#include "demoworld.h"
#include "fixturefiles.h"

#include "engine/db/navigationqueries.h"
#include "engine/db/schemequeries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/schemecomputation.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/preferences.h"
#include "ui/colorschemerlayout.h"
#include "ui/colorschemerlustrellayout.h"
#include "ui/colorschemerlustrelwidget.h"
#include "ui/colorschemerwidget.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace Corvo;

namespace {

// Chip schemes, five chips a row; its middle chip of card 1 has harmonic schemes of 10
// chips on two cards, contrasting ones of 7 and wide-contrast ones of 20.
const QUuid kChipSchemes(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000c1}"));
// Card schemes, two chips a row: card 1 has tonal neutral scheme cards only, card 2 both.
const QUuid kCardSchemes(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000c2}"));
// No schemes page: its one chip is nearly the demo deck's VM 0054 (#D96871).
const QUuid kNoSchemes(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000c3}"));
// Scheme cards of a chip, three chips a row.
const QUuid kChipCards(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000c4}"));
// Chip schemes but "max.chips.on.a.page" 0.
const QUuid kNoChipsPerRow(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000c5}"));
const QUuid kUnknown(QStringLiteral("{5c4e0a10-0000-4000-8000-0000000000ff}"));

const QSize kSchemerSize(565, 226);
constexpr int kDemoRichCard = 5;
constexpr int kDemoNeutralCard = 2;
constexpr int kDemoChip = 4;

using Writer = Tintwell::CollectionFileWriter;

// A card of `count` chips with IDs pageId * 100 + 1 ..., at ROW_INDEX 10, 20, 30 ...
bool addCard(Writer &w, qint64 collection, qint64 pageId, int pageIndex, int count,
             QColor first = QColor(40, 90, 140))
{
    Tintwell::PageFields page;
    page.id = pageId;
    page.pageIndex = pageIndex;
    page.segment = 1;
    page.mood = 4;
    if (!w.addPage(collection, page))
        return false;
    for (int n = 1; n <= count; ++n) {
        Tintwell::RowFields row;
        row.id = pageId * 100 + n;
        row.pageId = pageId;
        row.rowIndex = 10 * n;
        row.code = QStringLiteral("FX %1").arg(*row.id);
        const QColor colour =
            n == 1 ? first : QColor::fromHsv((pageId * 37 + n * 23) % 360, 120, 200);
        row.red = colour.red();
        row.green = colour.green();
        row.blue = colour.blue();
        row.mood = 4;
        row.names = {QStringLiteral("Fixture %1").arg(*row.id)};
        if (!w.addRow(collection, row))
            return false;
    }
    return true;
}

bool addChipScheme(Writer &w, qint64 collection, qint64 rowId, int scheme,
                   const QList<qint64> &schemeRows)
{
    for (int n = 0; n < schemeRows.size(); ++n) {
        const qint64 schemeRow = schemeRows.at(n);
        if (!w.addRowScheme(collection, rowId, scheme, schemeRow, int(schemeRow / 100), n + 1))
            return false;
    }
    return true;
}

QList<qint64> chipIds(qint64 pageId, int count)
{
    QList<qint64> ids;
    for (int n = 1; n <= count; ++n)
        ids.append(pageId * 100 + n);
    return ids;
}

bool addSchemeSettings(Writer &w, qint64 collection, const QString &mode, const QString &perRow)
{
    return w.addSetting(collection, QStringLiteral("has.color.schemes.page"),
                        QStringLiteral("1")) &&
           w.addSetting(collection, QStringLiteral("mode.card"), mode) &&
           w.addSetting(collection, QStringLiteral("max.chips.on.a.page"), perRow) &&
           w.addSettingList(collection, QStringLiteral("schemes"),
                            {QStringLiteral("harmonic"), QStringLiteral("tonal neutral"),
                             QStringLiteral("contrast"), QStringLiteral("complementary neutral"),
                             QStringLiteral("wide contrast")});
}

bool writeSchemeFixture(const QString &path)
{
    using FixtureFiles::collection;
    return FixtureFiles::writeCollectionFile(
        path,
        {collection(41, kChipSchemes.toString(), QStringLiteral("SCHA"), 41),
         collection(42, kCardSchemes.toString(), QStringLiteral("SCHB"), 42),
         collection(43, kNoSchemes.toString(), QStringLiteral("SCHC"), 43),
         collection(44, kChipCards.toString(), QStringLiteral("SCHD"), 44),
         collection(45, kNoChipsPerRow.toString(), QStringLiteral("SCHE"), 45)},
        false, [](Writer &w) {
            const QString colorToColor = QStringLiteral("ModeColorToColor");
            const qint64 middle = 410102;
            const QList<qint64> ten = chipIds(4102, 5) + chipIds(4103, 5);
            return addSchemeSettings(w, 41, colorToColor, QStringLiteral("5")) &&
                   addCard(w, 41, 4101, 1, 3) && addCard(w, 41, 4102, 2, 5) &&
                   addCard(w, 41, 4103, 3, 5) &&
                   addChipScheme(w, 41, middle, DB::Scheme::Harmonic, ten) &&
                   addChipScheme(w, 41, middle, DB::Scheme::Contrast, ten.mid(0, 7)) &&
                   addChipScheme(w, 41, middle, DB::Scheme::WideContrast, ten + ten) &&
                   addChipScheme(w, 41, middle, DB::Scheme::TonalNeutral, ten.mid(0, 5)) &&

                   addSchemeSettings(w, 42, QStringLiteral("ModeCardToCard"),
                                     QStringLiteral("2")) &&
                   addCard(w, 42, 4201, 1, 2) && addCard(w, 42, 4202, 2, 2) &&
                   addCard(w, 42, 4203, 3, 2) && addCard(w, 42, 4204, 4, 2) &&
                   w.addPageScheme(42, 4201, 4203, DB::Scheme::TonalNeutral, 0) &&
                   w.addPageScheme(42, 4202, 4203, DB::Scheme::TonalNeutral, 0) &&
                   w.addPageScheme(42, 4202, 4204, DB::Scheme::ComplementaryNeutral, 0) &&

                   addCard(w, 43, 4301, 1, 1, QColor(0xDA, 0x68, 0x71)) &&
                   w.addSettingList(43, QStringLiteral("schemes"), {QStringLiteral("harmonic")}) &&

                   addSchemeSettings(w, 44, QStringLiteral("ModeColorToCard"),
                                     QStringLiteral("3")) &&
                   addCard(w, 44, 4401, 1, 1) && addCard(w, 44, 4402, 2, 3) &&
                   w.addRowToPageScheme(44, 440101, DB::Scheme::Harmonic, 4402, 0) &&

                   addSchemeSettings(w, 45, colorToColor, QStringLiteral("0")) &&
                   addCard(w, 45, 4501, 1, 1) && addCard(w, 45, 4502, 2, 5) &&
                   addChipScheme(w, 45, 450101, DB::Scheme::Harmonic, chipIds(4502, 5));
        });
}

QList<qint64> idsOf(const QList<DB::ColorEntry> &chips)
{
    QList<qint64> ids;
    for (const DB::ColorEntry &chip : chips)
        ids.append(chip.id);
    return ids;
}

void select(const QUuid &collection, int pageIndex, int rowIndex, int kind, int subKind = 7)
{
    DemoWorld::makeCurrent(collection);
    Preferences::setPageIndex(collection, pageIndex);
    Preferences::setRowIndex(collection, rowIndex);
    Preferences::setSchemeKind(collection, kind);
    Preferences::setSchemeNeutralSubKind(collection, subKind);
}

template <typename Widget>
std::unique_ptr<Widget> shown()
{
    auto widget = std::make_unique<Widget>();
    widget->resize(kSchemerSize);
    widget->show();
    widget->activateWindow();
    if (!QTest::qWaitForWindowExposed(widget.get()))
        qWarning("schemer window not exposed");
    widget->repaint();
    return widget;
}

QPoint buttonCentre(const ColorSchemerWidget &widget, int kind)
{
    const SchemeButtonGeometry *button = widget.schemerLayout().button(kind);
    return button ? button->image.center() : QPoint(-1, -1);
}

// A move with the left button held.
void dragMove(QWidget &widget, const QPoint &point)
{
    QMouseEvent move(QEvent::MouseMove, point, widget.mapToGlobal(point), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// The payload of the drag the call starts. The offscreen platform ends a drag at once; the
// drag object stays until the event loop deletes it.
QVariantMap dragPayload(QWidget &widget, const std::function<void()> &start)
{
    start();
    const auto *drag = widget.findChild<QDrag *>();
    return drag ? readChipPayload(drag->mimeData()).value_or(QVariantMap()) : QVariantMap();
}

} // namespace

class TestColorSchemer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void buttonKinds_data();
    void buttonKinds();
    void buttonRow_data();
    void buttonRow();
    void hitAreas_data();
    void hitAreas();
    void chipGrid_data();
    void chipGrid();
    void lustrelLayout();

    void schemeByMode_data();
    void schemeByMode();
    void schemesOfAnotherCollection();
    void noSourceNoInput();

    void pressAsksForAKind();
    void pressOnCurrentNeutralToggles();
    void shortcutsSwitchSchemes();
    void widgetShowsAtMostThreeRows();
    void toolTipAndAccessibleText();
    void dragCarriesTheChip();
    void badInputPaintsWithoutChips();
    void lustrelGroupsToolTipAndDrag();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestColorSchemer::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(
        writeSchemeFixture(m_world->environment().collectionFile(QStringLiteral("schemes.db"))));
    TestEnvironment::resetCatalogue();
}

void TestColorSchemer::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestColorSchemer::buttonKinds_data()
{
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QList<int>>("kinds");
    QTest::newRow("demo") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("sub-kinds fold where the first stands")
        << QList<int>{1, 8, 2, 7, 9, 3} << QList<int>{1, 6, 2, 3};
    QTest::newRow("group listed after a sub-kind") << QList<int>{7, 1, 6} << QList<int>{6, 1};
    QTest::newRow("0 and repeats dropped") << QList<int>{0, 2, 2, 0, 5} << QList<int>{2, 5};
    QTest::newRow("empty") << QList<int>() << QList<int>();
}

void TestColorSchemer::buttonKinds()
{
    QFETCH(QList<int>, listed);
    QFETCH(QList<int>, kinds);
    QCOMPARE(schemeButtonKinds(listed), kinds);
}

void TestColorSchemer::buttonRow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QRect>("firstImage");
    QTest::addColumn<QRect>("firstCaption");
    QTest::addColumn<QRect>("lastCaption");
    QTest::addColumn<QRect>("chipArea");

    // Six buttons of 44 with 40 between: 464 px, centred.
    QTest::newRow("demo kinds") << kSchemerSize << QList<int>{1, 2, 3, 4, 5, 6}
                                << QRect(50, 8, 44, 44) << QRect(30, 56, 84, 14)
                                << QRect(444, 56, 97, 42) << QRect(24, 114, 517, 78);
    QTest::newRow("neutral first")
        << kSchemerSize << QList<int>{6, 2} << QRect(218, 8, 44, 44) << QRect(192, 56, 97, 42)
        << QRect(282, 56, 84, 14) << QRect(24, 114, 517, 78);
    QTest::newRow("one kind, height trimmed to a multiple of 3")
        << QSize(565, 227) << QList<int>{2} << QRect(260, 8, 44, 44) << QRect(240, 56, 84, 14)
        << QRect(240, 56, 84, 14) << QRect(24, 86, 517, 108);
    QTest::newRow("too small for chips")
        << QSize(100, 90) << QList<int>{1} << QRect(28, 8, 44, 44) << QRect(8, 56, 84, 14)
        << QRect(8, 56, 84, 14) << QRect(24, 86, 52, 0);
}

void TestColorSchemer::buttonRow()
{
    QFETCH(QSize, size);
    QFETCH(QList<int>, kinds);
    QFETCH(QRect, firstImage);
    QFETCH(QRect, firstCaption);
    QFETCH(QRect, lastCaption);
    QFETCH(QRect, chipArea);
    const ColorSchemerLayout layout(size, kinds, kSchemeButtonSize, {14, 42});
    QCOMPARE(layout.buttons().size(), kinds.size());
    QCOMPARE(layout.buttons().first().image, firstImage);
    QCOMPARE(layout.buttons().first().hitEllipse, firstImage.adjusted(6, 6, -6, -6));
    QCOMPARE(layout.buttons().first().caption, firstCaption);
    QCOMPARE(layout.buttons().last().caption, lastCaption);
    for (int index = 1; index < layout.buttons().size(); ++index)
        QCOMPARE(layout.buttons().at(index).image.left() -
                     layout.buttons().at(index - 1).image.right(),
                 41);
    QCOMPARE(layout.chipArea(), chipArea);
    QCOMPARE(layout.chipArea().height() % 3, 0);
    QCOMPARE(layout.messageRect(), QRect(24, size.height() - 32, chipArea.width(), 32));
}

void TestColorSchemer::hitAreas_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("kind");
    // First button's image (50, 8, 44, 44), its ellipse (56, 14, 32, 32).
    QTest::newRow("centre") << QPoint(72, 30) << 1;
    QTest::newRow("ellipse's left edge") << QPoint(56, 30) << 1;
    QTest::newRow("image but outside the ellipse") << QPoint(55, 30) << 0;
    QTest::newRow("image corner") << QPoint(52, 10) << 0;
    QTest::newRow("caption") << QPoint(35, 60) << 1;
    QTest::newRow("neutral caption's widened edge") << QPoint(444, 90) << 6;
    QTest::newRow("between buttons") << QPoint(120, 30) << 0;
    QTest::newRow("chip area") << QPoint(100, 150) << 0;
}

void TestColorSchemer::hitAreas()
{
    QFETCH(QPoint, point);
    QFETCH(int, kind);
    const ColorSchemerLayout layout(kSchemerSize, {1, 2, 3, 4, 5, 6}, kSchemeButtonSize, {14, 42});
    QCOMPARE(layout.kindAt(point), kind);
}

void TestColorSchemer::chipGrid_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perRow");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("last");
    // Chip area (24, 114, 517, 78): rows of (78 - 3) / 3 = 25 px.
    QTest::newRow("d 5, 10 entries: two rows centred")
        << 10 << 5 << 10 << QRect(25, 127, 102, 25) << QRect(437, 153, 102, 25);
    QTest::newRow("one row") << 7 << 7 << 7 << QRect(24, 140, 73, 25) << QRect(468, 140, 73, 25);
    QTest::newRow("three rows fill the area")
        << 21 << 7 << 21 << QRect(24, 114, 73, 25) << QRect(468, 166, 73, 25);
    QTest::newRow("at most three rows")
        << 28 << 7 << 21 << QRect(24, 114, 73, 25) << QRect(468, 166, 73, 25);
    QTest::newRow("not a multiple: last row partly filled")
        << 7 << 5 << 7 << QRect(25, 127, 102, 25) << QRect(128, 153, 102, 25);
    QTest::newRow("d 0") << 10 << 0 << 0 << QRect() << QRect();
    QTest::newRow("d wider than the area") << 600 << 600 << 0 << QRect() << QRect();
    QTest::newRow("no chips") << 0 << 5 << 0 << QRect() << QRect();
}

void TestColorSchemer::chipGrid()
{
    QFETCH(int, count);
    QFETCH(int, perRow);
    QFETCH(int, shown);
    QFETCH(QRect, first);
    QFETCH(QRect, last);
    const ColorSchemerLayout layout(kSchemerSize, {1, 2, 3, 4, 5, 6}, kSchemeButtonSize, {14, 42});
    const QList<QRect> chips = layout.chipRects(count, perRow);
    QCOMPARE(chips.size(), shown);
    if (shown == 0)
        return;
    QCOMPARE(chips.first(), first);
    QCOMPARE(chips.last(), last);
    QCOMPARE(chipIndexAt(chips, last.center()), shown - 1);
    // The gap right of the first chip is no chip.
    QCOMPARE(chipIndexAt(chips, QPoint(first.right() + 1, first.top())), -1);
}

void TestColorSchemer::lustrelLayout()
{
    const ColorSchemerLustrelLayout layout(kSchemerSize, 14);
    QCOMPARE(layout.captionRect(0), QRect(24, 8, 517, 14));
    QCOMPARE(layout.chipStrip(0), QRect(24, 25, 517, 41));
    QCOMPARE(layout.captionRect(1), QRect(24, 72, 517, 14));
    QCOMPARE(layout.chipStrip(2), QRect(24, 153, 517, 41));
    QCOMPARE(layout.messageRect(), QRect(24, 194, 517, 32));
    QCOMPARE(layout.captionRect(3), QRect());
    const QList<QRect> seven = ColorSchemerLustrelLayout::chipRects(layout.chipStrip(0), 7, 7);
    QCOMPARE(seven.size(), 7);
    QCOMPARE(seven.last(), QRect(24 + 6 * 74, 25, 73, 41));
    // Fewer chips than places keep the width of a full strip.
    QCOMPARE(ColorSchemerLustrelLayout::chipRects(layout.chipStrip(0), 3, 7).last().width(), 73);
    QCOMPARE(ColorSchemerLustrelLayout::chipRects(layout.chipStrip(0), 0, 7).size(), 0);
    QCOMPARE(ColorSchemerLustrelLayout(QSize(565, 40), 14).chipStrip(0).height(), 0);
}

void TestColorSchemer::schemeByMode_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("rowIndex");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("subKind");
    QTest::addColumn<QList<qint64>>("chips");
    QTest::addColumn<int>("shownSubKind");
    QTest::addColumn<bool>("offersComplementary");

    const QList<qint64> ten = chipIds(4102, 5) + chipIds(4103, 5);
    QTest::newRow("colour to colour: d 5, 10 entries on two cards")
        << kChipSchemes << 1 << 20 << 1 << 7 << ten << 7 << false;
    QTest::newRow("7 entries are no multiple of 5")
        << kChipSchemes << 1 << 20 << 2 << 7 << QList<qint64>() << 7 << false;
    QTest::newRow("neutral group by its sub-kind")
        << kChipSchemes << 1 << 20 << 6 << 7 << chipIds(4102, 5) << 7 << false;
    QTest::newRow("natural neutral shows nothing")
        << kChipSchemes << 1 << 20 << 6 << 9 << QList<qint64>() << 9 << false;
    QTest::newRow("chip without schemes")
        << kChipSchemes << 1 << 10 << 1 << 7 << QList<qint64>() << 7 << false;
    QTest::newRow("d 0 shows nothing")
        << kNoChipsPerRow << 1 << 10 << 1 << 7 << QList<qint64>() << 7 << false;
    QTest::newRow("colour to card")
        << kChipCards << 1 << 10 << 1 << 7 << chipIds(4402, 3) << 7 << false;
    QTest::newRow("card to card, complementary offered")
        << kCardSchemes << 2 << 10 << 6 << 8 << chipIds(4204, 2) << 8 << true;
    QTest::newRow("card to card, complementary missing: tonal instead")
        << kCardSchemes << 1 << 20 << 6 << 8 << chipIds(4203, 2) << 7 << false;
}

void TestColorSchemer::schemeByMode()
{
    QFETCH(QUuid, collection);
    QFETCH(int, pageIndex);
    QFETCH(int, rowIndex);
    QFETCH(int, kind);
    QFETCH(int, subKind);
    QFETCH(QList<qint64>, chips);
    QFETCH(int, shownSubKind);
    QFETCH(bool, offersComplementary);
    const SchemeSource source = schemeSourceFor(collection);
    QCOMPARE(source.collection, collection);
    QVERIFY(source.colorIndex.isEmpty());
    const std::optional<SchemeInput> input =
        schemeInputFor(source, collection, pageIndex, rowIndex);
    QVERIFY(input);
    QCOMPARE(input->chip.rowIndex, rowIndex);
    QCOMPARE(input->rowPosition, rowIndex / 10);
    const SchemeResult result = computeScheme(source, *input, kind, subKind);
    QCOMPARE(idsOf(result.chips), chips);
    QCOMPARE(result.neutralSubKind, shownSubKind);
    QCOMPARE(result.offersComplementaryNeutral, offersComplementary);
}

void TestColorSchemer::schemesOfAnotherCollection()
{
    // The first offered collection with a schemes page answers, for the nearest colour.
    const SchemeSource source = schemeSourceFor(kNoSchemes);
    QCOMPARE(source.collection, DemoWorld::mainCollection());
    QCOMPARE(source.mode, CardMode::ColorToColor);
    QCOMPARE(source.chipsPerRow, 7);
    QVERIFY(!source.colorIndex.isEmpty());
    const std::optional<SchemeInput> input = schemeInputFor(source, kNoSchemes, 1, 10);
    QVERIFY(input);
    QCOMPARE(input->chip.code, QStringLiteral("VM 0054"));
    QCOMPARE(input->pageIndex, kDemoRichCard);
    QCOMPARE(input->rowPosition, kDemoChip);
    QList<DB::ColorEntry> expected;
    QCOMPARE(
        DB::schemeRows(source.collection, DB::Scheme::Harmonic, kDemoRichCard, kDemoChip, expected),
        0);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(idsOf(computeScheme(source, *input, 1, 7).chips), idsOf(expected));

    select(kNoSchemes, 1, 10, SchemeHarmonic);
    auto widget = shown<ColorSchemerWidget>();
    QCOMPARE(widget->sourceCollection(), DemoWorld::mainCollection());
    QCOMPARE(idsOf(widget->shownChips()), idsOf(expected));
    QCOMPARE(widget->chipRects().size(), expected.size());
}

void TestColorSchemer::noSourceNoInput()
{
    // An unknown collection has no schemes page, and no chip to stand for.
    const SchemeSource other = schemeSourceFor(kUnknown);
    QCOMPARE(other.collection, DemoWorld::mainCollection());
    QVERIFY(!schemeInputFor(other, kUnknown, 1, 10));
    const SchemeSource none;
    QVERIFY(!schemeInputFor(none, kChipSchemes, 1, 20));
    QVERIFY(computeScheme(none, {}, 1, 7).chips.isEmpty());
    const SchemeSource own = schemeSourceFor(kChipSchemes);
    QVERIFY(!schemeInputFor(own, kChipSchemes, 1, 0));
    QVERIFY(!schemeInputFor(own, kChipSchemes, 9, 10));
    QVERIFY(lustrelSchemeGroups(kUnknown, 1, 1).isEmpty());
    QVERIFY(lustrelSchemeGroups(DemoWorld::lustrelCollection(), 1, 0).isEmpty());
}

void TestColorSchemer::pressAsksForAKind()
{
    select(DemoWorld::mainCollection(), kDemoRichCard, kDemoChip, SchemeHarmonic);
    auto widget = shown<ColorSchemerWidget>();
    QSignalSpy kinds(widget.get(), &ColorSchemerWidget::schemeKindChangedInteractively);
    QSignalSpy subKinds(widget.get(),
                        &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, buttonCentre(*widget, SchemeWideContrast));
    QCOMPARE(kinds.size(), 1);
    QCOMPARE(kinds.at(0).at(0).value<SchemeKind>(), SchemeWideContrast);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {},
                      widget->schemerLayout().button(SchemeNeutral)->caption.center());
    QCOMPARE(kinds.at(1).at(0).value<SchemeKind>(), SchemeNeutral);
    // The current kind, another button and the chip area do not ask.
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, buttonCentre(*widget, SchemeHarmonic));
    QTest::mouseClick(widget.get(), Qt::RightButton, {}, buttonCentre(*widget, SchemeDynamic));
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, widget->chipRects().first().center());
    QCOMPARE(kinds.size(), 2);
    QCOMPARE(subKinds.size(), 0);
    // It only asks: the preferences are the main widget's to write.
    QCOMPARE(Preferences::schemeKind(DemoWorld::mainCollection()), int(SchemeHarmonic));
}

void TestColorSchemer::pressOnCurrentNeutralToggles()
{
    const QUuid demo = DemoWorld::mainCollection();
    QVERIFY(DB::hasComplementaryNeutralPages(demo, kDemoRichCard));
    QVERIFY(!DB::hasComplementaryNeutralPages(demo, kDemoNeutralCard));
    select(demo, kDemoRichCard, kDemoChip, SchemeNeutral, SchemeTonalNeutral);
    auto widget = shown<ColorSchemerWidget>();
    QSignalSpy subKinds(widget.get(),
                        &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively);
    QSignalSpy kinds(widget.get(), &ColorSchemerWidget::schemeKindChangedInteractively);
    const QPoint neutral = buttonCentre(*widget, SchemeNeutral);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, neutral);
    QCOMPARE(subKinds.size(), 1);
    QCOMPARE(subKinds.at(0).at(0).value<SchemeKind>(), SchemeComplementaryNeutral);
    Preferences::setSchemeNeutralSubKind(demo, SchemeComplementaryNeutral);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, neutral);
    QCOMPARE(subKinds.at(1).at(0).value<SchemeKind>(), SchemeTonalNeutral);
    // A card without the complementary scheme offers no alternative.
    Preferences::setPageIndex(demo, kDemoNeutralCard);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, neutral);
    QCOMPARE(subKinds.size(), 2);
    QCOMPARE(kinds.size(), 0);
}

void TestColorSchemer::shortcutsSwitchSchemes()
{
    const QUuid demo = DemoWorld::mainCollection();
    select(demo, kDemoRichCard, kDemoChip, SchemeHarmonic);
    auto widget = shown<ColorSchemerWidget>();
    QVERIFY(QTest::qWaitForWindowActive(widget.get()));
    QSignalSpy kinds(widget.get(), &ColorSchemerWidget::schemeKindChangedInteractively);
    QSignalSpy subKinds(widget.get(),
                        &ColorSchemerWidget::schemeNeutralSubKindChangedInteractively);
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+S, Ctrl+3")));
    QCOMPARE(kinds.size(), 1);
    QCOMPARE(kinds.at(0).at(0).value<SchemeKind>(), SchemeWideContrast);
    // Six kinds: the seventh does nothing, the current one does nothing.
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+S, Ctrl+7")));
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+S, Ctrl+1")));
    QCOMPARE(kinds.size(), 1);
    // On the current neutral group: complementary when offered from tonal, else tonal.
    Preferences::setSchemeKind(demo, SchemeNeutral);
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+S, Ctrl+6")));
    QCOMPARE(subKinds.size(), 1);
    QCOMPARE(subKinds.at(0).at(0).value<SchemeKind>(), SchemeComplementaryNeutral);
    Preferences::setPageIndex(demo, kDemoNeutralCard);
    widget->switchToScheme6();
    QCOMPARE(subKinds.at(1).at(0).value<SchemeKind>(), SchemeTonalNeutral);
    widget->hide();
    widget->switchToScheme2();
    QCOMPARE(kinds.size(), 1);
}

void TestColorSchemer::widgetShowsAtMostThreeRows()
{
    select(kChipSchemes, 1, 20, SchemeWideContrast);
    auto widget = shown<ColorSchemerWidget>();
    QCOMPARE(widget->shownChips().size(), 20);
    QCOMPARE(widget->chipRects().size(), 15);
    // Kinds as listed, sub-kinds folded into the neutral group.
    QList<int> kinds;
    for (const SchemeButtonGeometry &button : widget->schemerLayout().buttons())
        kinds.append(button.kind);
    QCOMPARE(kinds, (QList<int>{1, 6, 2, 3}));
}

void TestColorSchemer::toolTipAndAccessibleText()
{
    const QUuid demo = DemoWorld::mainCollection();
    select(demo, kDemoRichCard, kDemoChip, SchemeContrast);
    auto widget = shown<ColorSchemerWidget>();
    QVERIFY(!widget->accessibleName().isEmpty());
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("Contrasting, 7 colour(s)"));
    const DB::ColorEntry chip = widget->shownChips().at(2);
    QTest::mouseMove(widget.get(), widget->chipRects().at(2).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("<span style=\"font-size: 12px;\">%1</span>")
                                   .arg(chipToolTip(demo, chip.id)));
    QVERIFY(QToolTip::text().contains(chip.code));
    QTest::mouseMove(widget.get(), QPoint(2, 2));
    QTRY_VERIFY(!QToolTip::isVisible());
    Preferences::setSchemeKind(demo, SchemeNeutral);
    Preferences::setSchemeNeutralSubKind(demo, SchemeComplementaryNeutral);
    widget->repaint();
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("Complementary neutral, 7 colour(s)"));
}

void TestColorSchemer::dragCarriesTheChip()
{
    const QUuid demo = DemoWorld::mainCollection();
    select(demo, kDemoRichCard, kDemoChip, SchemeHarmonic);
    auto widget = shown<ColorSchemerWidget>();
    const QPoint press = widget->chipRects().at(1).center();
    const qint64 id = widget->shownChips().at(1).id;
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, press);
    const QVariantMap payload = dragPayload(*widget, [&] {
        dragMove(*widget, press + QPoint(QApplication::startDragDistance() + 2, 0));
    });
    QCOMPARE(chipOrigin(payload), ChipOrigin::ChipView);
    QCOMPARE(QUuid(payload.value(ChipPayloadKey::collectionUuid).toString()), demo);
    QCOMPARE(payload.value(ChipPayloadKey::colorId).toLongLong(), id);
}

void TestColorSchemer::badInputPaintsWithoutChips()
{
    // No selected chip, a kind the collection does not list, an unknown collection.
    select(DemoWorld::mainCollection(), kDemoRichCard, 0, SchemeHarmonic);
    auto widget = shown<ColorSchemerWidget>();
    QVERIFY(widget->shownChips().isEmpty());
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("Harmonising, no colours"));
    QSignalSpy kinds(widget.get(), &ColorSchemerWidget::schemeKindChangedInteractively);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, buttonCentre(*widget, SchemeDynamic));
    QCOMPARE(kinds.size(), 1);
    Preferences::setRowIndex(DemoWorld::mainCollection(), kDemoChip);
    Preferences::setSchemeKind(DemoWorld::mainCollection(), 0);
    widget->repaint();
    QVERIFY(widget->shownChips().isEmpty());
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("No scheme selected"));

    select(kUnknown, 1, 1, SchemeHarmonic);
    widget->selectedCollectionChanged(kUnknown);
    widget->repaint();
    QVERIFY(widget->schemerLayout().buttons().isEmpty());
    QVERIFY(widget->shownChips().isEmpty());
    QTest::mouseMove(widget.get(), QPoint(100, 150));
    QVERIFY(!QToolTip::isVisible());
}

void TestColorSchemer::lustrelGroupsToolTipAndDrag()
{
    const QUuid lustrel = DemoWorld::lustrelCollection();
    select(lustrel, 3, 3, SchemeContrast);
    auto widget = shown<ColorSchemerLustrelWidget>();
    const LustrelSchemeGroups groups = lustrelSchemeGroups(lustrel, 3, 3);
    QVERIFY(!groups.wideContrast1.isEmpty() && !groups.wideContrast2.isEmpty() &&
            !groups.contrast.isEmpty());
    QCOMPARE(idsOf(widget->shownChips(ColorSchemerLustrelLayout::kWideContrast1)),
             idsOf(groups.wideContrast1));
    QCOMPARE(idsOf(widget->shownChips(ColorSchemerLustrelLayout::kContrast)),
             idsOf(groups.contrast));
    QCOMPARE(widget->accessibleDescription(),
             QStringLiteral("Wide contrast 1: 7 colour(s), Wide contrast 2: 7 colour(s), "
                            "Contrasting: 7 colour(s)"));
    const QRect chip = widget->chipRects(ColorSchemerLustrelLayout::kWideContrast2).at(3);
    const DB::ColorEntry entry = groups.wideContrast2.at(3);
    QTest::mouseMove(widget.get(), chip.center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), ColorSchemerWidget::chipToolTipText(lustrel, entry.id));
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, chip.center());
    const QVariantMap payload = dragPayload(*widget, [&] {
        dragMove(*widget, chip.center() + QPoint(0, QApplication::startDragDistance() + 2));
    });
    QCOMPARE(chipOrigin(payload), ChipOrigin::ChipView);
    QCOMPARE(payload.value(ChipPayloadKey::colorId).toLongLong(), entry.id);

    // Without a selected chip the groups are empty; the captions still paint.
    Preferences::setRowIndex(lustrel, 0);
    widget->repaint();
    QVERIFY(widget->chipRects(ColorSchemerLustrelLayout::kContrast).isEmpty());
    widget->selectedCollectionChanged(kUnknown);
    widget->repaint();
    QVERIFY(widget->shownChips(ColorSchemerLustrelLayout::kWideContrast1).isEmpty());
}

QTEST_MAIN(TestColorSchemer)
#include "tst_colorschemer.moc"
