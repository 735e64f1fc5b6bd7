#include "demoworld.h"
#include "fixturefiles.h"

#include "engine/settings/preferences.h"
#include "ui/moodselectlayout.h"
#include "ui/moodselectwidget.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

using Corvo::CardType;
using Corvo::MoodSelectLayout;
using Corvo::MoodSelectTextMetrics;
using Corvo::MoodSelectWidget;
using Item = Corvo::MoodSelectLayout::Item;

Q_DECLARE_METATYPE(Corvo::MoodSelectLayout::Item)

namespace {

// Exterior cards only for fresh, calm, offwhite and neutral.
const QUuid kExteriorDeck(QStringLiteral("{6d1f0a10-0000-4000-8000-0000000000a1}"));
// A normal deck without the exterior filter and without any theme images.
const QUuid kPlainDeck(QStringLiteral("{6d1f0a10-0000-4000-8000-0000000000a2}"));
const QUuid kLustrelDeck(QStringLiteral("{6d1f0a10-0000-4000-8000-0000000000a3}"));

const QColor kNormalColour(90, 90, 90);
const QColor kSelectedColour(250, 250, 250);
const QColor kDisabledColour(255, 0, 0);

QByteArray solidPng(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool addExteriorDeck(Tintwell::CollectionFileWriter &w)
{
    const qint64 id = 21;
    bool ok = w.addSetting(id, QStringLiteral("card.type"), QStringLiteral("normal")) &&
              w.addSetting(id, QStringLiteral("has.exterior.filter"), QStringLiteral("1"));
    for (int mood = 1; mood <= 6; ++mood) {
        Tintwell::PageFields page;
        page.pageIndex = mood;
        page.mood = mood;
        page.exterior = mood != Corvo::MoodWarm && mood != Corvo::MoodRich;
        ok = ok && w.addPage(id, page).has_value();
    }
    const char *names[] = {"fresh", "warm", "calm", "rich", "offwhite", "neutral"};
    for (const char *name : names) {
        const QString mood = QLatin1String(name);
        ok = ok &&
             w.addThemeItem(id, QStringLiteral("image.mood.%1.normal").arg(mood),
                            solidPng(Corvo::kMoodIconSize, kNormalColour)) &&
             w.addThemeItem(id, QStringLiteral("image.mood.%1.selected").arg(mood),
                            solidPng(Corvo::kMoodIconSize, kSelectedColour)) &&
             w.addLocalizedString(
                 id, QStringLiteral("tiptext.mood.%1.button").arg(mood),
                 mood == QLatin1String("rich") ? QString() : QStringLiteral("%1 & co").arg(mood));
    }
    return ok &&
           w.addThemeItem(id, QStringLiteral("image.mood.disabled"),
                          solidPng(Corvo::kDisabledMarkSize, kDisabledColour)) &&
           w.addThemeItem(id, QStringLiteral("image.tick.normal"),
                          solidPng(Corvo::kCheckMarkSize, Qt::white)) &&
           w.addLocalizedString(id, QStringLiteral("mood.filter.all.moods"),
                                QStringLiteral("All")) &&
           w.addLocalizedString(id, QStringLiteral("mood.filter.exterior.colors"),
                                QStringLiteral("Outdoors"));
}

bool writeMoodFixture(const QString &path)
{
    return FixtureFiles::writeCollectionFile(
        path,
        {FixtureFiles::collection(21, kExteriorDeck.toString(), QStringLiteral("MOODA"), 21),
         FixtureFiles::collection(22, kPlainDeck.toString(), QStringLiteral("MOODB"), 22),
         FixtureFiles::collection(23, kLustrelDeck.toString(), QStringLiteral("MOODC"), 23)},
        false, [](Tintwell::CollectionFileWriter &w) {
            return addExteriorDeck(w) &&
                   w.addSetting(22, QStringLiteral("card.type"), QStringLiteral("normal")) &&
                   w.addSetting(22, QStringLiteral("has.exterior.filter"), QStringLiteral("0")) &&
                   w.addSetting(23, QStringLiteral("card.type"), QStringLiteral("lustrel")) &&
                   w.addLocalizedString(23, QStringLiteral("do.not.show.mto"),
                                        QStringLiteral("Hide MTO"));
        });
}

void setSelection(const QUuid &deck, int mood, bool exterior, bool showMto = false)
{
    Corvo::Preferences::setMoodFilter(deck, mood);
    Corvo::Preferences::setExteriorColors(deck, exterior);
    Corvo::Preferences::setShowMto(deck, showMto);
}

// Every signal of the widget, in the order they came.
struct SignalLog
{
    explicit SignalLog(MoodSelectWidget &widget)
    {
        QObject::connect(&widget, &MoodSelectWidget::moodFilterChangedInteractively, &widget,
                         [this](Corvo::Mood mood) { add(QStringLiteral("mood %1").arg(mood)); });
        QObject::connect(&widget, &MoodSelectWidget::exteriorFilterChangedInteractively, &widget,
                         [this](bool on) { add(QStringLiteral("exterior %1").arg(on)); });
        QObject::connect(&widget, &MoodSelectWidget::showMtoChangedInteractively, &widget,
                         [this](bool show) { add(QStringLiteral("mto %1").arg(show)); });
    }
    void add(const QString &entry) { entries.append(entry); }
    QStringList entries;
};

QPoint centreOf(const MoodSelectWidget &widget, Item item)
{
    return item == MoodSelectLayout::NoItem ? QPoint(1, 1)
                                            : widget.moodLayout().rect(item).center();
}

} // namespace

class TestMoodSelect : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void layout_data();
    void layout();
    void itemAt_data();
    void itemAt();
    void press_data();
    void press();
    void moodWithoutExteriorCardsCarriesTheDisabledMark();
    void keyboardPressesLikeAClick();
    void toolTips();
    void hoverCursor();
    void demoLayoutsAndCollectionSwitch();
    void accessibleTextFollowsTheSelection();
    void unknownCollectionDrawsAndIgnoresPresses();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestMoodSelect::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeMoodFixture(m_world->environment().collectionFile(QStringLiteral("mood.db"))));
    TestEnvironment::resetCatalogue();
}

void TestMoodSelect::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(kExteriorDeck);
}

void TestMoodSelect::layout_data()
{
    QTest::addColumn<int>("cardType");
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<int>("allMoods");
    QTest::addColumn<int>("exteriorColors");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<QRect>>("rects");
    QTest::addColumn<QList<QLine>>("separators");

    const QList<QRect> narrow{{4, 4, 23, 21},   {30, 4, 23, 21},   {56, 4, 23, 21}, {82, 4, 23, 21},
                              {111, 4, 23, 21}, {111, 25, 23, 21}, {18, 32, 72, 14}};
    const QList<QLine> narrowLines{{4, 28, 104, 28}, {108, 4, 108, 43}};
    QTest::newRow("normal") << 1 << false << 55 << 90 << 14 << QSize(138, 50) << narrow
                            << narrowLines;
    QTest::newRow("card type 0 as normal")
        << 0 << false << 55 << 90 << 14 << QSize(138, 50) << narrow << narrowLines;
    QTest::newRow("wide all-moods text")
        << 1 << false << 120 << 90 << 14 << QSize(174, 50)
        << QList<QRect>{{22, 4, 23, 21},  {48, 4, 23, 21},   {74, 4, 23, 21}, {100, 4, 23, 21},
                        {147, 4, 23, 21}, {147, 25, 23, 21}, {4, 32, 137, 14}}
        << QList<QLine>{{22, 28, 122, 28}, {144, 4, 144, 43}};
    QTest::newRow("with exterior") << 1 << true << 55 << 90 << 14 << QSize(138, 71)
                                   << (narrow + QList<QRect>{{15, 53, 107, 14}})
                                   << (narrowLines + QList<QLine>{{4, 49, 133, 49}});
    QTest::newRow("exterior wider than the rest")
        << 1 << true << 55 << 200 << 14 << QSize(225, 71)
        << QList<QRect>{{47, 4, 23, 21},  {73, 4, 23, 21},   {99, 4, 23, 21},  {125, 4, 23, 21},
                        {154, 4, 23, 21}, {154, 25, 23, 21}, {61, 32, 72, 14}, {4, 53, 217, 14}}
        << QList<QLine>{{47, 28, 147, 28}, {151, 4, 151, 43}, {47, 49, 176, 49}};
    QTest::newRow("line lower than the check mark")
        << 1 << true << 55 << 90 << 9 << QSize(138, 68)
        << (narrow.mid(0, 6) + QList<QRect>{{18, 32, 72, 11}, {15, 53, 107, 11}})
        << (narrowLines + QList<QLine>{{4, 49, 133, 49}});
    QTest::newRow("lustrel ignores the exterior filter")
        << 2 << true << 55 << 90 << 14 << QSize(173, 20) << QList<QRect>{{3, 3, 167, 14}}
        << QList<QLine>();
}

void TestMoodSelect::layout()
{
    QFETCH(int, cardType);
    QFETCH(bool, exterior);
    QFETCH(int, allMoods);
    QFETCH(int, exteriorColors);
    QFETCH(int, lineHeight);
    QFETCH(QSize, size);
    QFETCH(QList<QRect>, rects);
    QFETCH(QList<QLine>, separators);
    MoodSelectTextMetrics texts;
    texts.allMoodsWidth = allMoods;
    texts.exteriorColorsWidth = exteriorColors;
    texts.doNotShowMtoWidth = 150;
    texts.lineHeight = lineHeight;
    const MoodSelectLayout layout(static_cast<CardType>(cardType), exterior, {}, texts);
    QCOMPARE(layout.size(), size);
    QList<QRect> found;
    for (Item item : layout.items())
        found.append(layout.rect(item));
    QCOMPARE(found, rects);
    QCOMPARE(layout.separators(), separators);
    QCOMPARE(layout.contains(MoodSelectLayout::ExteriorItem), exterior && cardType != 2);
}

void TestMoodSelect::itemAt_data()
{
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<int>("cardType");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Item>("item");
    QTest::newRow("fresh top-left") << true << 1 << QPoint(4, 4) << MoodSelectLayout::FreshIcon;
    QTest::newRow("fresh bottom-right")
        << true << 1 << QPoint(26, 24) << MoodSelectLayout::FreshIcon;
    QTest::newRow("gap after fresh") << true << 1 << QPoint(27, 10) << MoodSelectLayout::NoItem;
    QTest::newRow("calm second") << true << 1 << QPoint(30, 10) << MoodSelectLayout::CalmIcon;
    QTest::newRow("warm third") << true << 1 << QPoint(56, 10) << MoodSelectLayout::WarmIcon;
    QTest::newRow("rich fourth") << true << 1 << QPoint(82, 10) << MoodSelectLayout::RichIcon;
    QTest::newRow("offwhite") << true << 1 << QPoint(111, 24) << MoodSelectLayout::OffwhiteIcon;
    QTest::newRow("neutral") << true << 1 << QPoint(111, 25) << MoodSelectLayout::NeutralIcon;
    QTest::newRow("right of neutral") << true << 1 << QPoint(134, 45) << MoodSelectLayout::NoItem;
    QTest::newRow("all moods") << true << 1 << QPoint(18, 32) << MoodSelectLayout::AllMoodsItem;
    QTest::newRow("left of all moods") << true << 1 << QPoint(17, 32) << MoodSelectLayout::NoItem;
    QTest::newRow("on a separator") << true << 1 << QPoint(60, 28) << MoodSelectLayout::NoItem;
    QTest::newRow("exterior") << true << 1 << QPoint(121, 66) << MoodSelectLayout::ExteriorItem;
    QTest::newRow("no exterior item without the filter")
        << false << 1 << QPoint(60, 60) << MoodSelectLayout::NoItem;
    QTest::newRow("corner") << true << 1 << QPoint(0, 0) << MoodSelectLayout::NoItem;
    QTest::newRow("made to order")
        << true << 2 << QPoint(3, 3) << MoodSelectLayout::MadeToOrderItem;
    QTest::newRow("left of made to order") << true << 2 << QPoint(2, 3) << MoodSelectLayout::NoItem;
}

void TestMoodSelect::itemAt()
{
    QFETCH(bool, exterior);
    QFETCH(int, cardType);
    QFETCH(QPoint, point);
    QFETCH(Item, item);
    MoodSelectTextMetrics texts;
    texts.allMoodsWidth = 55;
    texts.exteriorColorsWidth = 90;
    texts.doNotShowMtoWidth = 150;
    texts.lineHeight = 14;
    const MoodSelectLayout layout(static_cast<CardType>(cardType), exterior, {}, texts);
    QCOMPARE(layout.itemAt(point), item);
}

void TestMoodSelect::press_data()
{
    QTest::addColumn<QUuid>("deck");
    QTest::addColumn<int>("mood");
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<bool>("showMto");
    QTest::addColumn<Item>("item");
    QTest::addColumn<QStringList>("emitted");

    const QUuid deck = kExteriorDeck;
    QTest::newRow("exterior on, rich has no exterior card")
        << deck << 7 << true << false << MoodSelectLayout::RichIcon << QStringList();
    QTest::newRow("warm to calm") << deck << 2 << false << false << MoodSelectLayout::CalmIcon
                                  << QStringList{"mood 3"};
    QTest::newRow("the current mood")
        << deck << 3 << false << false << MoodSelectLayout::CalmIcon << QStringList();
    QTest::newRow("calm under the exterior filter")
        << deck << 7 << true << false << MoodSelectLayout::CalmIcon << QStringList{"mood 3"};
    QTest::newRow("all moods") << deck << 2 << false << false << MoodSelectLayout::AllMoodsItem
                               << QStringList{"mood 7"};
    QTest::newRow("exterior on from warm: all moods first")
        << deck << 2 << false << false << MoodSelectLayout::ExteriorItem
        << QStringList{"mood 7", "exterior 1"};
    QTest::newRow("exterior on from fresh keeps fresh")
        << deck << 1 << false << false << MoodSelectLayout::ExteriorItem
        << QStringList{"exterior 1"};
    QTest::newRow("exterior off") << deck << 7 << true << false << MoodSelectLayout::ExteriorItem
                                  << QStringList{"exterior 0"};
    QTest::newRow("outside every item")
        << deck << 2 << false << false << MoodSelectLayout::NoItem << QStringList();
    QTest::newRow("a stored exterior filter the deck does not offer")
        << kPlainDeck << 7 << true << false << MoodSelectLayout::RichIcon << QStringList{"mood 4"};
    QTest::newRow("hide made to order")
        << kLustrelDeck << 7 << false << true << MoodSelectLayout::MadeToOrderItem
        << QStringList{"mto 0"};
    QTest::newRow("show made to order")
        << kLustrelDeck << 7 << false << false << MoodSelectLayout::MadeToOrderItem
        << QStringList{"mto 1"};
}

void TestMoodSelect::press()
{
    QFETCH(QUuid, deck);
    QFETCH(int, mood);
    QFETCH(bool, exterior);
    QFETCH(bool, showMto);
    QFETCH(Item, item);
    QFETCH(QStringList, emitted);
    DemoWorld::makeCurrent(deck);
    setSelection(deck, mood, exterior, showMto);
    MoodSelectWidget widget;
    SignalLog log(widget);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, centreOf(widget, item));
    QCOMPARE(log.entries, emitted);
    // The widget never changes the selection itself.
    QCOMPARE(Corvo::Preferences::moodFilter(deck), mood);
    QCOMPARE(Corvo::Preferences::exteriorColors(deck), exterior);
}

void TestMoodSelect::moodWithoutExteriorCardsCarriesTheDisabledMark()
{
    MoodSelectWidget widget;
    const MoodSelectLayout &layout = widget.moodLayout();
    const auto colourAt = [&widget](const QPoint &point) {
        return QColor(widget.grab().toImage().pixel(point));
    };
    const QPoint richMark = layout.disabledMarkRect(MoodSelectLayout::RichIcon).center();
    const QPoint freshMark = layout.disabledMarkRect(MoodSelectLayout::FreshIcon).center();
    const QPoint richTopLeft = layout.rect(MoodSelectLayout::RichIcon).topLeft() + QPoint(1, 1);

    setSelection(kExteriorDeck, Corvo::MoodRich, false);
    QCOMPARE(colourAt(richMark), kSelectedColour);
    QCOMPARE(colourAt(freshMark), kNormalColour);

    // Rich stays stored, but cannot show as chosen while it has no exterior cards.
    setSelection(kExteriorDeck, Corvo::MoodRich, true);
    QCOMPARE(colourAt(richMark), kDisabledColour);
    QCOMPARE(colourAt(richTopLeft), kNormalColour);
    QCOMPARE(colourAt(layout.disabledMarkRect(MoodSelectLayout::WarmIcon).center()),
             kDisabledColour);
    QCOMPARE(colourAt(freshMark), kNormalColour);
}

void TestMoodSelect::keyboardPressesLikeAClick()
{
    setSelection(kExteriorDeck, Corvo::MoodAll, true);
    MoodSelectWidget widget;
    QCOMPARE(widget.focusPolicy(), Qt::StrongFocus);
    widget.show();
    widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&widget));
    widget.setFocus(Qt::TabFocusReason);
    QVERIFY(widget.hasFocus());
    SignalLog log(widget);
    // Warm and rich have no exterior cards: the keyboard steps over them.
    QTest::keyClick(&widget, Qt::Key_Home);
    QTest::keyClick(&widget, Qt::Key_Right);
    QTest::keyClick(&widget, Qt::Key_Right);
    QTest::keyClick(&widget, Qt::Key_Space);
    QCOMPARE(log.entries, QStringList{"mood 5"});
    QTest::keyClick(&widget, Qt::Key_End);
    QTest::keyClick(&widget, Qt::Key_Return);
    QCOMPARE(log.entries, (QStringList{"mood 5", "exterior 0"}));
    // Past the last item the keyboard stays on it.
    QTest::keyClick(&widget, Qt::Key_Right);
    QTest::keyClick(&widget, Qt::Key_Enter);
    QCOMPARE(log.entries, (QStringList{"mood 5", "exterior 0", "exterior 0"}));
}

void TestMoodSelect::toolTips()
{
    MoodSelectWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const auto ask = [&widget](Item item) {
        const QPoint at = widget.moodLayout().rect(item).center();
        QHelpEvent event(QEvent::ToolTip, at, widget.mapToGlobal(at));
        QApplication::sendEvent(&widget, &event);
        return event.isAccepted();
    };
    QVERIFY(ask(MoodSelectLayout::FreshIcon));
    QCOMPARE(QToolTip::text(),
             QStringLiteral("<span style=\"font-size: 12px;\">fresh &amp; co</span>"));
    QVERIFY(!ask(MoodSelectLayout::RichIcon));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestMoodSelect::hoverCursor()
{
    setSelection(kExteriorDeck, Corvo::MoodAll, false);
    MoodSelectWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QVERIFY(widget.hasMouseTracking());
    QTest::mouseMove(&widget, centreOf(widget, MoodSelectLayout::RichIcon));
    QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&widget, QPoint(1, 1));
    QCOMPARE(widget.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&widget, centreOf(widget, MoodSelectLayout::ExteriorItem));
    QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
}

void TestMoodSelect::demoLayoutsAndCollectionSwitch()
{
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    MoodSelectWidget widget;
    QVERIFY(widget.moodLayout().contains(MoodSelectLayout::ExteriorItem));
    QCOMPARE(widget.moodLayout().separators().size(), 3);
    QCOMPARE(widget.size(), widget.moodLayout().size());
    QCOMPARE(widget.sizeHint(), widget.size());

    DemoWorld::makeCurrent(DemoWorld::lustrelCollection());
    widget.selectedCollectionChanged(DemoWorld::lustrelCollection());
    QCOMPARE(widget.moodLayout().items(), QList<Item>{MoodSelectLayout::MadeToOrderItem});
    QCOMPARE(widget.size(), widget.moodLayout().size());

    DemoWorld::makeCurrent(kPlainDeck);
    widget.selectedCollectionChanged(kPlainDeck);
    QVERIFY(!widget.moodLayout().contains(MoodSelectLayout::ExteriorItem));
    QCOMPARE(widget.moodLayout().separators().size(), 2);
}

void TestMoodSelect::accessibleTextFollowsTheSelection()
{
    setSelection(kExteriorDeck, Corvo::MoodCalm, false);
    MoodSelectWidget widget;
    QCOMPARE(widget.accessibleName(), QStringLiteral("Mood filter"));
    QCOMPARE(widget.accessibleDescription(), QStringLiteral("Mood: calm & co; Outdoors: off"));
    setSelection(kExteriorDeck, Corvo::MoodAll, true);
    widget.selectionChanged();
    QCOMPARE(widget.accessibleDescription(), QStringLiteral("Mood: All; Outdoors: on"));

    DemoWorld::makeCurrent(kLustrelDeck);
    widget.selectedCollectionChanged(kLustrelDeck);
    QCOMPARE(widget.accessibleDescription(), QStringLiteral("Hide MTO: on"));
}

void TestMoodSelect::unknownCollectionDrawsAndIgnoresPresses()
{
    MoodSelectWidget widget;
    SignalLog log(widget);
    widget.selectedCollectionChanged(QUuid::createUuid());
    QVERIFY(!widget.grab().isNull());
    QVERIFY(!widget.moodLayout().size().isEmpty());
    QTest::mouseClick(&widget, Qt::LeftButton, {},
                      centreOf(widget, MoodSelectLayout::AllMoodsItem));
    QTest::mouseClick(&widget, Qt::LeftButton, {}, centreOf(widget, MoodSelectLayout::FreshIcon));
    QCOMPARE(log.entries, QStringList{"mood 1"});
}

QTEST_MAIN(TestMoodSelect)
#include "tst_moodselect.moc"
