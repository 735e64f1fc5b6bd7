#include "demoworld.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "fixturefiles.h"
#include "ui/cardrollerlayout.h"
#include "ui/cardrollerpainter.h"
#include "ui/cardrollerwidget.h"
#include "ui/chipviewinput.h"

#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace Corvo;

namespace {

constexpr QSize kRollerSize(210, 220);
const QString kFixtureUuid = QStringLiteral("{5b0c7f5e-2a51-4c3e-9b67-0d8a3c1e7a01}");

QPoint centreOf(const QRect &rect)
{
    return rect.center();
}

// Everything the roller emits, in order, as text: "roll 0", "row 3", "page 7", and "chip"
// with the row ID for a chip to go to.
class SignalLog : public QObject
{
public:
    explicit SignalLog(CardRollerWidget &roller)
    {
        connect(&roller, &CardRollerWidget::roll, this,
                [this](Direction d) { entries.append(QStringLiteral("roll %1").arg(int(d))); });
        connect(&roller, &CardRollerWidget::rowChangedInteractively, this,
                [this](int row) { entries.append(QStringLiteral("row %1").arg(row)); });
        connect(&roller, &CardRollerWidget::pageChangedInteractively, this,
                [this](int page) { entries.append(QStringLiteral("page %1").arg(page)); });
        connect(&roller, &CardRollerWidget::chipChosenInteractively, this,
                [this](const QUuid &, const DB::ColorEntry &chip) {
                    entries.append(QStringLiteral("chip %1").arg(chip.id));
                });
    }
    QStringList entries;
};

std::unique_ptr<QMimeData> chipData(ChipOrigin origin, const QUuid &collection, qint64 rowId)
{
    return chipMimeData(chipPayload(origin, collection, rowId));
}

// The first or last card that the all-moods filter shows: every mood but offwhite and neutral.
int endOfDeck(const QUuid &collection, const QString &which)
{
    QList<int> shown;
    DB::ColorPage page;
    for (int index = 1; DB::pageAt(collection, index, page) == DB::Ok; ++index) {
        if (page.mood != DB::kMoodOffwhite && page.mood != DB::kMoodNeutral)
            shown.append(index);
    }
    return which == QLatin1String("first") ? shown.value(0) : shown.value(shown.size() - 1);
}

} // namespace

class TestCardRoller : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void layoutForWidth_data();
    void layoutForWidth();
    void chipRects_data();
    void chipRects();

    void clicksSelectAndRoll_data();
    void clicksSelectAndRoll();
    void wheelRolls_data();
    void wheelRolls();
    void keysEmitWhatTheMouseWould_data();
    void keysEmitWhatTheMouseWould();
    void hiddenMadeToOrderChips();
    void toolTipAndAccessibleTextNameTheChip();
    void everyChipShownDrags_data();
    void everyChipShownDrags();
    void titlesTellCardsApart_data();
    void titlesTellCardsApart();
    void dragsAcceptedFromOtherViewsOnly_data();
    void dragsAcceptedFromOtherViewsOnly();
    void dropsGoToTheColour_data();
    void dropsGoToTheColour();
    void dropOfAnotherCollectionsChipNamesIt();
    void lonelyCardAndBrokenSelection_data();
    void lonelyCardAndBrokenSelection();

private:
    void showRoller(CardRollerWidget &roller);
    void dragAt(CardRollerWidget &roller, QMimeData *mime, const QPoint &point, bool &entered,
                bool &moved);
    void dropAt(CardRollerWidget &roller, QMimeData *mime, const QPoint &point);

    std::unique_ptr<DemoWorld> m_world;
};

void TestCardRoller::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    // A small deck beside the demo: one card of three chips, one card without chips.
    using Tintwell::CollectionFileWriter;
    const bool written = FixtureFiles::writeCollectionFile(
        m_world->environment().collectionFile(QStringLiteral("small.db")),
        {FixtureFiles::collection(1, kFixtureUuid, QStringLiteral("small"), 9)}, false,
        [](CollectionFileWriter &writer) {
            Tintwell::PageFields card;
            card.pageIndex = 1;
            card.segment = 1;
            card.mood = 1;
            card.names = {QStringLiteral("Only card")};
            const auto page = writer.addPage(1, card);
            Tintwell::PageFields empty = card;
            empty.pageIndex = 2;
            empty.names = {QStringLiteral("Empty card")};
            empty.mood = 2;
            if (!page || !writer.addPage(1, empty))
                return false;
            for (int index = 1; index <= 3; ++index) {
                Tintwell::RowFields row;
                row.pageId = *page;
                row.rowIndex = index * 10; // row indexes need not be positions
                row.code = QStringLiteral("S-%1").arg(index);
                row.red = 60 * index;
                if (!writer.addRow(1, row))
                    return false;
            }
            return true;
        });
    QVERIFY(written);
    TestEnvironment::resetCatalogue();
}

void TestCardRoller::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    const QUuid main = DemoWorld::mainCollection();
    Preferences::setPageIndex(main, 40);
    Preferences::setRowIndex(main, 3);
    Preferences::setMoodFilter(main, DB::kAllMoods);
}

void TestCardRoller::showRoller(CardRollerWidget &roller)
{
    roller.resize(kRollerSize);
    roller.show();
    QVERIFY(QTest::qWaitForWindowExposed(&roller));
    roller.repaint();
}

void TestCardRoller::layoutForWidth_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QList<int>>("xs"); // left, right of each card
    QTest::newRow("254 wide") << QSize(254, 300) << 14 << QList<int>{2, 61, 66, 187, 192, 251};
    QTest::newRow("210 wide") << QSize(210, 220) << 12 << QList<int>{2, 50, 55, 154, 159, 207};
    QTest::newRow("narrow") << QSize(20, 40) << 10 << QList<int>{2, 2, 7, 12, 17, 17};
}

void TestCardRoller::layoutForWidth()
{
    QFETCH(QSize, size);
    QFETCH(int, lineHeight);
    QFETCH(QList<int>, xs);
    const CardRollerLayout layout = CardRollerLayout::forSize(size, lineHeight);
    for (int slot = 0; slot < CardRollerLayout::kSlotCount; ++slot) {
        const QRect card = layout.cards.at(slot);
        QCOMPARE(card.left(), xs.at(2 * slot));
        QCOMPARE(card.right(), xs.at(2 * slot + 1));
        QCOMPARE(card.top(), lineHeight + 2);
        QCOMPARE(card.bottom(), size.height() - 3);
        const QRect title = layout.titles.at(slot);
        QCOMPARE(title.top(), 0);
        QCOMPARE(title.bottom(), lineHeight + 1);
        QCOMPARE(title.left(), card.left());
        QCOMPARE(title.right(), card.right());
    }
    QCOMPARE(layout.cardArea.left(), xs.first());
    QCOMPARE(layout.cardArea.right(), xs.last());
    QCOMPARE(layout.slotAt(QPoint(xs.at(2), lineHeight + 2)), std::optional<int>(1));
    QCOMPARE(layout.slotAt(QPoint(xs.at(1) + 1, lineHeight + 2)), std::nullopt);
    QCOMPARE(layout.slotAt(QPoint(xs.at(0), 0)), std::nullopt);
}

void TestCardRoller::chipRects_data()
{
    QTest::addColumn<int>("innerHeight");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("heights");
    QTest::newRow("one chip fills the card") << 300 << 1 << QList<int>{300};
    QTest::newRow("seven in 300") << 300 << 7 << QList<int>{42, 42, 42, 42, 42, 42, 42};
    QTest::newRow("seven in 303") << 303 << 7 << QList<int>{42, 42, 42, 42, 42, 42, 45};
    QTest::newRow("no rows: empty card") << 300 << 0 << QList<int>{};
    QTest::newRow("more rows than pixels") << 5 << 7 << QList<int>{};
}

void TestCardRoller::chipRects()
{
    QFETCH(int, innerHeight);
    QFETCH(int, rows);
    QFETCH(QList<int>, heights);
    const QRect card(10, 20, 50, innerHeight + 2);
    const QList<QRect> chips = CardRollerLayout::chipRects(card, rows);
    QCOMPARE(chips.size(), heights.size());
    int top = card.top() + 1;
    for (int row = 0; row < chips.size(); ++row) {
        QCOMPARE(chips.at(row).height(), heights.at(row));
        QCOMPARE(chips.at(row).top(), top);
        QCOMPARE(chips.at(row).left(), card.left() + 1);
        QCOMPARE(chips.at(row).right(), card.right() - 1);
        top += heights.at(row) + 1; // one separator line below each chip
    }
    if (!chips.isEmpty())
        QCOMPARE(chips.last().bottom(), card.bottom() - 1);
}

void TestCardRoller::clicksSelectAndRoll_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("middle chip") << 1 << 5 << QStringList{"row 5"};
    QTest::newRow("the selected chip") << 1 << 3 << QStringList{};
    QTest::newRow("right card rolls forward, then selects")
        << 2 << 6 << QStringList{"roll 0", "row 6"};
    QTest::newRow("left card on the selected row rolls only") << 0 << 3 << QStringList{"roll 1"};
}

void TestCardRoller::clicksSelectAndRoll()
{
    QFETCH(int, slot);
    QFETCH(int, position);
    QFETCH(QStringList, expected);
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    const QRect chip = roller.shownCards().chipRects(roller.cardLayout(), slot).value(position - 1);
    QVERIFY(chip.isValid());
    QTest::mouseClick(&roller, Qt::LeftButton, Qt::NoModifier, centreOf(chip));
    QTest::mouseClick(&roller, Qt::RightButton, Qt::NoModifier, centreOf(chip));
    QCOMPARE(log.entries, expected);
}

void TestCardRoller::wheelRolls_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("towards the user: forward")
        << QList<int>{-120} << false << QStringList{"roll 0"};
    QTest::newRow("away: backward") << QList<int>{120} << false << QStringList{"roll 1"};
    QTest::newRow("inverted") << QList<int>{120} << true << QStringList{"roll 0"};
    QTest::newRow("half steps add up") << QList<int>{60, 30, 30} << false << QStringList{"roll 1"};
    QTest::newRow("two steps at once")
        << QList<int>{-240} << false << QStringList{"roll 0", "roll 0"};
    QTest::newRow("horizontal only") << QList<int>{0} << false << QStringList{};
}

void TestCardRoller::wheelRolls()
{
    QFETCH(QList<int>, deltas);
    QFETCH(bool, inverted);
    QFETCH(QStringList, expected);
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    const QPointF at(50, 50);
    for (const int delta : deltas) {
        QWheelEvent wheel(at, roller.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, inverted);
        QApplication::sendEvent(&roller, &wheel);
    }
    QCOMPARE(log.entries, expected);
}

void TestCardRoller::keysEmitWhatTheMouseWould_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("rowIndex");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("left") << int(Qt::Key_Left) << 3 << QStringList{"roll 1"};
    QTest::newRow("right") << int(Qt::Key_Right) << 3 << QStringList{"roll 0"};
    QTest::newRow("down") << int(Qt::Key_Down) << 3 << QStringList{"row 4"};
    QTest::newRow("up") << int(Qt::Key_Up) << 3 << QStringList{"row 2"};
    QTest::newRow("up at the top") << int(Qt::Key_Up) << 1 << QStringList{};
    QTest::newRow("down without a selection") << int(Qt::Key_Down) << 99 << QStringList{"row 1"};
    QTest::newRow("home") << int(Qt::Key_Home) << 3 << QStringList{"first"};
    QTest::newRow("end") << int(Qt::Key_End) << 3 << QStringList{"last"};
}

void TestCardRoller::keysEmitWhatTheMouseWould()
{
    QFETCH(int, key);
    QFETCH(int, rowIndex);
    QFETCH(QStringList, expected);
    const QUuid main = DemoWorld::mainCollection();
    Preferences::setRowIndex(main, rowIndex);
    if (expected == QStringList{"first"} || expected == QStringList{"last"})
        expected = QStringList{QStringLiteral("page %1").arg(endOfDeck(main, expected.first()))};
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    QTest::keyClick(&roller, Qt::Key(key));
    QCOMPARE(log.entries, expected);
}

void TestCardRoller::hiddenMadeToOrderChips()
{
    const QUuid lustrel = DemoWorld::lustrelCollection();
    DemoWorld::makeCurrent(lustrel);
    Preferences::setShowMto(lustrel, false);
    Preferences::setRowIndex(lustrel, 1);
    int card = 0;
    DB::ColorPage page;
    for (int index = 1; index < 200 && card == 0; ++index) {
        if (DB::pageAt(lustrel, index, page) == DB::Ok &&
            std::any_of(page.rows.cbegin(), page.rows.cend(),
                        [](const DB::ColorEntry &row) { return row.isMto; }))
            card = index;
    }
    QVERIFY(card > 0);
    Preferences::setPageIndex(lustrel, card);
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    const CardRollerState &shown = roller.shownCards();
    const QList<QRect> chips = shown.chipRects(roller.cardLayout(), CardRollerLayout::kMiddleSlot);
    QCOMPARE(chips.size(), page.rows.size());
    for (int row = 0; row < chips.size(); ++row) {
        if (!page.rows.at(row).isMto)
            continue;
        QVERIFY(shown.isHidden(page.rows.at(row)));
        QTest::mouseClick(&roller, Qt::LeftButton, Qt::NoModifier, centreOf(chips.at(row)));
        QTest::mouseMove(&roller, centreOf(chips.at(row)));
        QVERIFY(!QToolTip::isVisible());
    }
    QCOMPARE(log.entries, QStringList{});
    // Stepping down from the top skips them too.
    Preferences::setRowIndex(lustrel, page.rows.last().rowIndex);
    roller.selectionChanged();
    QTest::keyClick(&roller, Qt::Key_Down);
    QCOMPARE(log.entries, QStringList{});
}

void TestCardRoller::toolTipAndAccessibleTextNameTheChip()
{
    CardRollerWidget roller;
    showRoller(roller);
    const QRect chip = roller.shownCards().chipRects(roller.cardLayout(), 1).value(1);
    const DB::ColorEntry entry = roller.shownCards().pages.at(1)->rows.at(1);
    const auto selected = roller.shownCards().selectedChip(roller.cardLayout());
    QVERIFY(selected);
    QVERIFY(roller.accessibleDescription().contains(selected->entry.code));
    QVERIFY(roller.accessibleDescription().contains(selected->entry.names.value(0)));
    QTest::mouseMove(&roller, centreOf(chip));
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().contains(entry.code));
    QTest::mouseMove(&roller, QPoint(1, 1));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestCardRoller::everyChipShownDrags_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("extraDistance");
    QTest::addColumn<bool>("dragged");
    QTest::newRow("middle card") << 1 << 0 << true;
    // The press rolls the deck; the drag still carries the chip that was pressed.
    QTest::newRow("right card") << 2 << 0 << true;
    QTest::newRow("left card") << 0 << 0 << true;
    QTest::newRow("short of the drag distance") << 1 << -1 << false;
}

void TestCardRoller::everyChipShownDrags()
{
    QFETCH(int, slot);
    QFETCH(int, extraDistance);
    QFETCH(bool, dragged);
    CardRollerWidget roller;
    showRoller(roller);
    const QRect chip = roller.shownCards().chipRects(roller.cardLayout(), slot).value(1);
    QVERIFY(chip.isValid());
    const qint64 pressedId = roller.shownCards().pages.at(slot)->rows.at(1).id;
    auto *input = roller.findChild<ChipViewInput *>();
    QVERIFY(input);
    QSignalSpy starting(input, &ChipViewInput::dragStarting);
    // The drag runs its own event loop until the pointer is released; end it at once.
    connect(input, &ChipViewInput::dragStarting, this,
            [] { QTimer::singleShot(0, [] { QDrag::cancel(); }); });
    const QPoint from = chip.center();
    const QPoint to = from + QPoint(QApplication::startDragDistance() + extraDistance, 0);
    QTest::mousePress(&roller, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&roller, to);
    QTest::mouseRelease(&roller, Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(starting.count(), dragged ? 1 : 0);
    if (dragged)
        QCOMPARE(starting.first().first().toLongLong(), pressedId);
}

void TestCardRoller::titlesTellCardsApart_data()
{
    QTest::addColumn<QString>("title");
    // The room is as wide as this text.
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("starts");
    QTest::addColumn<QString>("ends");
    QTest::newRow("fits") << "Rose 12"
                          << "Rose 12"
                          << "Rose 12"
                          << "Rose 12";
    QTest::newRow("the number stays") << "Crimson 7"
                                      << "Cri\u2026 7"
                                      << "C"
                                      << "\u2026 7";
    QTest::newRow("only the number") << "Rose 12"
                                     << "12"
                                     << "12"
                                     << "12";
    QTest::newRow("no number: the middle goes") << "Autumn Meadow"
                                                << "Aut\u2026dow"
                                                << "A"
                                                << "w";
}

void TestCardRoller::titlesTellCardsApart()
{
    QFETCH(QString, title);
    QFETCH(QString, room);
    QFETCH(QString, starts);
    QFETCH(QString, ends);
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(room);
    const QString shown = fittedCardTitle(title, metrics, width);
    QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
    QVERIFY2(shown.startsWith(starts), qPrintable(shown));
    QVERIFY2(shown.endsWith(ends), qPrintable(shown));
}

void TestCardRoller::dragAt(CardRollerWidget &roller, QMimeData *mime, const QPoint &point,
                            bool &entered, bool &moved)
{
    QDragEnterEvent enter(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&roller, &enter);
    entered = enter.isAccepted();
    QDragMoveEvent move(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&roller, &move);
    moved = move.isAccepted();
}

// A drop reaches only the widget that took the drag's entry, as in a real drag.
void TestCardRoller::dropAt(CardRollerWidget &roller, QMimeData *mime, const QPoint &point)
{
    bool entered = false;
    bool moved = false;
    dragAt(roller, mime, point, entered, moved);
    QDropEvent drop(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&roller, &drop);
}

void TestCardRoller::dragsAcceptedFromOtherViewsOnly_data()
{
    QTest::addColumn<int>("origin");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("entered");
    QTest::addColumn<bool>("moved");
    QTest::newRow("schemer chip on a card") << 2 << QPoint(100, 100) << true << true;
    QTest::newRow("palette chip") << 3 << QPoint(20, 100) << true << true;
    QTest::newRow("free colour") << 4 << QPoint(100, 100) << true << true;
    QTest::newRow("its own chip") << 1 << QPoint(100, 100) << false << false;
    QTest::newRow("over the titles") << 2 << QPoint(100, 2) << true << false;
    QTest::newRow("not a chip") << 0 << QPoint(100, 100) << false << false;
}

void TestCardRoller::dragsAcceptedFromOtherViewsOnly()
{
    QFETCH(int, origin);
    QFETCH(QPoint, point);
    QFETCH(bool, entered);
    QFETCH(bool, moved);
    CardRollerWidget roller;
    showRoller(roller);
    std::unique_ptr<QMimeData> mime;
    if (origin == int(ChipOrigin::FreeColor))
        mime = chipMimeData(freeColorPayload(Qt::red, QString(), QString()));
    else if (origin > 0)
        mime = chipData(ChipOrigin(origin), DemoWorld::mainCollection(), 5);
    else {
        mime = std::make_unique<QMimeData>();
        mime->setData(chipMimeType, "not json {");
    }
    bool didEnter = false;
    bool didMove = false;
    dragAt(roller, mime.get(), point, didEnter, didMove);
    QCOMPARE(didEnter, entered);
    QCOMPARE(didMove, moved);
}

void TestCardRoller::dropsGoToTheColour_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("chip of this collection") << "chip" << QStringList{"chip"};
    QTest::newRow("free colour of a chip") << "exact colour" << QStringList{"chip"};
    QTest::newRow("free colour named by code") << "code" << QStringList{"chip"};
    QTest::newRow("colour near nothing") << "far colour" << QStringList{};
    QTest::newRow("hostile data") << "garbage" << QStringList{};
    QTest::newRow("its own chip") << "own" << QStringList{};
}

void TestCardRoller::dropsGoToTheColour()
{
    QFETCH(QString, what);
    QFETCH(QStringList, expected);
    const QUuid main = DemoWorld::mainCollection();
    DB::ColorEntry target;
    QCOMPARE(DB::rowAt(main, 2, 4, target), int(DB::Ok));
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    std::unique_ptr<QMimeData> mime;
    if (what == QLatin1String("chip"))
        mime = chipData(ChipOrigin::ChipView, main, target.id);
    else if (what == QLatin1String("own"))
        mime = chipData(ChipOrigin::CardRoller, main, target.id);
    else if (what == QLatin1String("exact colour"))
        mime = chipMimeData(freeColorPayload(DB::chipColor(target), QString(), QString()));
    else if (what == QLatin1String("code"))
        mime = chipMimeData(freeColorPayload(QColor(1, 2, 3), QStringLiteral("no such code"),
                                             target.code.toLower()));
    else if (what == QLatin1String("far colour"))
        mime = chipMimeData(freeColorPayload(QColor(0, 255, 0), QString(), QString()));
    else {
        mime = std::make_unique<QMimeData>();
        mime->setData(chipMimeType, QByteArray(4096, '\xff'));
    }
    dropAt(roller, mime.get(), QPoint(100, 100));
    if (!expected.isEmpty())
        expected = QStringList{QStringLiteral("chip %1").arg(target.id)};
    QCOMPARE(log.entries, expected);
}

void TestCardRoller::dropOfAnotherCollectionsChipNamesIt()
{
    const QUuid lustrel = DemoWorld::lustrelCollection();
    DB::ColorEntry target;
    QCOMPARE(DB::rowAt(lustrel, 3, 2, target), int(DB::Ok));
    CardRollerWidget roller;
    showRoller(roller);
    SignalLog log(roller);
    QUuid named;
    connect(&roller, &CardRollerWidget::chipChosenInteractively, &roller,
            [&named](const QUuid &uuid) { named = uuid; });
    const auto mime = chipData(ChipOrigin::Palette, lustrel, target.id);
    dropAt(roller, mime.get(), QPoint(100, 100));
    QCOMPARE(log.entries, QStringList{QStringLiteral("chip %1").arg(target.id)});
    QCOMPARE(named, lustrel);
}

void TestCardRoller::lonelyCardAndBrokenSelection_data()
{
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("mood");
    QTest::addColumn<int>("middleRows");
    QTest::addColumn<bool>("sideCards");
    QTest::newRow("the only card under its mood") << 1 << 1 << 3 << false;
    QTest::newRow("a card without chips") << 2 << 7 << 0 << true;
    QTest::newRow("a page that does not exist") << 77 << 7 << -1 << false;
}

// A card that qualifies alone still shows and can be used; broken selections draw frames.
void TestCardRoller::lonelyCardAndBrokenSelection()
{
    QFETCH(int, pageIndex);
    QFETCH(int, mood);
    QFETCH(int, middleRows);
    QFETCH(bool, sideCards);
    const QUuid small(kFixtureUuid);
    DemoWorld::makeCurrent(small);
    Preferences::setPageIndex(small, pageIndex);
    Preferences::setRowIndex(small, 10);
    Preferences::setMoodFilter(small, mood);
    CardRollerWidget roller;
    showRoller(roller);
    const CardRollerState &shown = roller.shownCards();
    QCOMPARE(shown.pages.at(1).has_value(), middleRows >= 0);
    if (middleRows >= 0)
        QCOMPARE(shown.pages.at(1)->rows.size(), middleRows);
    QCOMPARE(shown.pages.at(0).has_value(), sideCards);
    QCOMPARE(shown.pages.at(2).has_value(), sideCards);
    SignalLog log(roller);
    const QList<QRect> chips = shown.chipRects(roller.cardLayout(), 1);
    if (middleRows > 0) {
        QTest::mouseClick(&roller, Qt::LeftButton, Qt::NoModifier, centreOf(chips.last()));
        QCOMPARE(log.entries, QStringList{"row 30"});
    } else {
        QTest::mouseClick(&roller, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(log.entries, QStringList{});
    }
    QVERIFY(!roller.grab().isNull());
}

QTEST_MAIN(TestCardRoller)
#include "tst_cardroller.moc"
