// A seeded random walk of user actions through the real picker, on the two demo collections
// and the small selection decks, with the selection's promises checked after every action:
// I1 the stored segment is the card's and the wheel says so; I2 the card is one of the deck
// and the roller's side cards are its neighbours; I3 the selected chip is visible; I4 the
// views that show the selection show the current one; I5 no stored value traps the deck.
//
// HUEPORT_WALK_SEED and HUEPORT_WALK_LENGTH set the seed and the number of actions (runs longer
// than five minutes need QtTest's QTEST_FUNCTION_TIMEOUT, in milliseconds). A failure
// prints the seed and the actions up to the first one after which a promise was broken:
// running that many actions with that seed repeats it.

#include "demoworld.h"
#include "selectionfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/deckfilter.h"
#include "engine/settings/preferences.h"
#include "ui/cardrollerwidget.h"
#include "ui/collectionselectwidget.h"
#include "ui/colorschemerwidget.h"
#include "ui/colorwheelwidget.h"
#include "ui/dropdownbutton.h"
#include "ui/mainwidget.h"
#include "ui/moodselectwidget.h"
#include "ui/productswidget.h"
#include "ui/rollbutton.h"
#include "ui/searchwidget.h"
#include "ui/tabbarwidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTest>
#include <QtMath>

#include <memory>

using namespace Corvo;

namespace {

constexpr quint32 kDefaultSeed = 19;
constexpr int kDefaultLength = 600;
constexpr int kWheelNotch = 120;
constexpr int kActionsBetweenPaints = 25;

struct Chip
{
    QUuid collection;
    DB::ColorEntry entry;
};

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString optionalPage(const std::optional<DB::ColorPage> &page)
{
    return page ? QString::number(page->pageIndex) : QStringLiteral("none");
}

class Walk
{
public:
    explicit Walk(quint32 seed) : m_random(seed)
    {
        for (const QUuid &collection : DB::orderedCollections()) {
            QList<Chip> chips;
            DB::ColorPage page;
            for (int index = 1; DB::pageAt(collection, index, page) == DB::Ok; ++index) {
                for (const DB::ColorEntry &entry : page.rows)
                    chips.append({collection, entry});
            }
            if (!chips.isEmpty())
                m_chips.append(chips);
        }
        open();
    }

    // One action, described so that it can be read back.
    QString act()
    {
        using Action = QString (Walk::*)();
        static const QList<std::pair<int, Action>> actions{{8, &Walk::clickMiddleChip},
                                                           {5, &Walk::clickSideCard},
                                                           {4, &Walk::turnRoller},
                                                           {5, &Walk::rollerKey},
                                                           {3, &Walk::dropChip},
                                                           {4, &Walk::clickWheel},
                                                           {2, &Walk::turnWheel},
                                                           {5, &Walk::clickMoodItem},
                                                           {4, &Walk::searchCode},
                                                           {2, &Walk::searchOther},
                                                           {2, &Walk::clickRollButton},
                                                           {3, &Walk::clickTab},
                                                           {3, &Walk::clickScheme},
                                                           {2, &Walk::switchCollection},
                                                           {2, &Walk::pickCapsure},
                                                           {2, &Walk::pickSimilar},
                                                           {1, &Walk::restartWithLeftovers}};
        int total = 0;
        for (const auto &[weight, action] : actions)
            total += weight;
        int pick = bounded(total);
        for (const auto &[weight, action] : actions) {
            if (pick < weight)
                return (this->*action)();
            pick -= weight;
        }
        return QString();
    }

    // Empty while every promise holds, else the first one broken.
    QString check() const
    {
        const QUuid collection = Preferences::uuidOfLastUsedCollection();
        const DeckFilter filter = DeckFilter::of(collection);
        const int segment = Preferences::segmentIndex(collection);
        const int pageIndex = Preferences::pageIndex(collection);
        DB::ColorPage card;
        if (DB::pageAt(collection, pageIndex, card) != DB::Ok)
            return QStringLiteral("I2: no card %1").arg(pageIndex);
        if (card.segment != segment)
            return QStringLiteral("I1: card %1 of segment %2, stored %3")
                .arg(pageIndex)
                .arg(card.segment)
                .arg(segment);
        if (!wheel()->accessibleDescription().startsWith(
                QStringLiteral("Hue segment %1 of ").arg(segment)))
            return QStringLiteral("I1: the wheel says %1").arg(wheel()->accessibleDescription());
        if (const QString broken = checkDeck(collection, filter, card); !broken.isEmpty())
            return broken;
        const std::optional<DB::ColorEntry> chip = selectedChip(card);
        if (chip && filter.hides(*chip))
            return QStringLiteral("I3: hidden chip %1 selected").arg(chip->code);
        // Metallic decks and decks with the mood panel hidden offer no mood control.
        const bool moodControl = CollectionSettings::moodVisible(collection) &&
                                 CollectionSettings::cardType(collection) != CardType::Lustrel;
        if (!moodControl && filter.mood != MoodEvery)
            return QStringLiteral("I5: mood filter %1 without a mood control").arg(filter.mood);
        if ((!moodControl || !CollectionSettings::hasExteriorFilter(collection)) && filter.exterior)
            return QStringLiteral("I5: an exterior filter the collection does not offer");
        return checkViews(chip);
    }

private:
    int bounded(int count) { return count > 0 ? int(m_random.bounded(quint32(count))) : 0; }

    template <typename T>
    T *child() const
    {
        return m_widget->findChild<T *>();
    }
    CardRollerWidget *roller() const { return child<CardRollerWidget>(); }
    ColorWheelWidget *wheel() const { return child<ColorWheelWidget>(); }

    void open()
    {
        m_widget = std::make_unique<MainWidget>();
        m_widget->show();
    }

    // Small decks are picked as often as large ones.
    const Chip &chipOf(const QList<Chip> &chips) { return chips.at(bounded(int(chips.size()))); }
    const Chip &anyChip() { return chipOf(m_chips.at(bounded(int(m_chips.size())))); }

    const Chip &chipOfCurrentCollection()
    {
        const QUuid current = Preferences::uuidOfLastUsedCollection();
        for (const QList<Chip> &chips : m_chips) {
            if (chips.first().collection == current)
                return chipOf(chips);
        }
        return anyChip();
    }

    static QString name(const QUuid &collection) { return DB::collectionName(collection); }

    QString clickSlot(int slot)
    {
        const CardRollerState &shown = roller()->shownCards();
        const QList<QRect> rects = shown.chipRects(roller()->cardLayout(), slot);
        if (rects.isEmpty())
            return QStringLiteral("click on empty card slot %1").arg(slot);
        const int index = bounded(int(rects.size()));
        QTest::mouseClick(roller(), Qt::LeftButton, Qt::NoModifier, rects.at(index).center());
        return QStringLiteral("click chip %1 of roller slot %2").arg(index + 1).arg(slot);
    }

    QString clickMiddleChip() { return clickSlot(CardRollerLayout::kMiddleSlot); }

    QString clickSideCard()
    {
        return clickSlot(bounded(2) == 0 ? CardRollerLayout::kLeftSlot
                                         : CardRollerLayout::kRightSlot);
    }

    static void sendWheel(QWidget *widget, int delta)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent event(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &event);
    }

    QString turnRoller()
    {
        const int delta = bounded(2) == 0 ? kWheelNotch : -kWheelNotch;
        sendWheel(roller(), delta);
        return QStringLiteral("turn the roller %1").arg(delta);
    }

    QString rollerKey()
    {
        static const QList<std::pair<Qt::Key, const char *>> keys{
            {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"}, {Qt::Key_Up, "Up"},
            {Qt::Key_Down, "Down"}, {Qt::Key_Home, "Home"},   {Qt::Key_End, "End"}};
        const auto &[key, text] = keys.at(bounded(int(keys.size())));
        QTest::keyClick(roller(), key);
        return QStringLiteral("key %1 on the roller").arg(QLatin1String(text));
    }

    QString dropChip()
    {
        const Chip &chip = anyChip();
        const auto mime =
            chipMimeData(chipPayload(ChipOrigin::Palette, chip.collection, chip.entry.id));
        const QPoint point =
            roller()->cardLayout().cards.at(CardRollerLayout::kMiddleSlot).center();
        QDragEnterEvent enter(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(roller(), &enter);
        QDragMoveEvent move(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(roller(), &move);
        QDropEvent drop(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(roller(), &drop);
        return QStringLiteral("drop %1 of %2").arg(chip.entry.code, name(chip.collection));
    }

    QString clickWheel()
    {
        const double angle = m_random.bounded(2.0 * M_PI);
        const double radius = 10.0 + m_random.bounded(45.0);
        const QPoint point(qRound(60.0 + radius * std::cos(angle)),
                           qRound(61.0 - radius * std::sin(angle)));
        QTest::mouseClick(wheel(), Qt::LeftButton, Qt::NoModifier, point);
        return QStringLiteral("click the wheel at (%1, %2)").arg(point.x()).arg(point.y());
    }

    QString turnWheel()
    {
        const int delta = bounded(2) == 0 ? kWheelNotch : -kWheelNotch;
        sendWheel(wheel(), delta);
        return QStringLiteral("turn the colour wheel %1").arg(delta);
    }

    QString clickMoodItem()
    {
        auto *mood = child<MoodSelectWidget>();
        const QList<MoodSelectLayout::Item> items = mood->moodLayout().items();
        if (!mood->isVisible() || items.isEmpty())
            return QStringLiteral("no mood panel to click");
        const MoodSelectLayout::Item item = items.at(bounded(int(items.size())));
        QTest::mouseClick(mood, Qt::LeftButton, Qt::NoModifier,
                          mood->moodLayout().rect(item).center());
        return QStringLiteral("click mood item %1").arg(int(item));
    }

    QString search(const QString &phrase)
    {
        QLineEdit *edit = child<SearchWidget>()->lineEdit();
        edit->setText(phrase);
        QTest::keyClick(edit, Qt::Key_Return);
        return QStringLiteral("search \"%1\"").arg(phrase);
    }

    QString searchCode()
    {
        const Chip &chip = bounded(4) == 0 ? anyChip() : chipOfCurrentCollection();
        return search(chip.entry.code);
    }

    QString searchOther()
    {
        static const QStringList phrases{QStringLiteral("#3366aa"), QStringLiteral("no such"),
                                         QStringLiteral(""), QStringLiteral("rgb(240, 235, 220)")};
        return search(phrases.at(bounded(int(phrases.size()))));
    }

    QString clickRollButton()
    {
        const QList<RollButton *> buttons = child<SearchWidget>()->findChildren<RollButton *>();
        const int index = bounded(int(buttons.size()));
        QTest::mouseClick(buttons.at(index), Qt::LeftButton);
        return QStringLiteral("click roll button %1").arg(index);
    }

    QString clickTab()
    {
        auto *tabs = child<TabBarWidget>();
        const int count = tabs->tabLayout().count();
        if (count == 0)
            return QStringLiteral("no tab to click");
        const int index = bounded(count);
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier,
                          tabs->tabLayout().tabRect(index).center());
        return QStringLiteral("click tab %1").arg(index + 1);
    }

    QString clickScheme()
    {
        auto *schemer = child<ColorSchemerWidget>();
        const auto &buttons = schemer->schemerLayout().buttons();
        if (!schemer->isVisible() || buttons.isEmpty())
            return QStringLiteral("no scheme button to click");
        const int index = bounded(int(buttons.size()));
        QTest::mouseClick(schemer, Qt::LeftButton, Qt::NoModifier,
                          buttons.at(index).hitEllipse.center());
        return QStringLiteral("click scheme button %1").arg(index + 1);
    }

    QString switchCollection()
    {
        auto *selector = child<CollectionSelectWidget>();
        if (!selector->dropDownButton())
            return QStringLiteral("no collection list");
        QTest::mouseClick(selector->dropDownButton(), Qt::LeftButton);
        QListWidget *list = selector->listWidget();
        QListWidgetItem *item = list->item(bounded(list->count()));
        // The switch may rebuild the list: the name is taken first.
        const QString name = item->text();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
        return QStringLiteral("choose collection %1").arg(name);
    }

    QString pickCapsure()
    {
        const Chip &chip = anyChip();
        emit child<CollectionSelectWidget>()->capsureItemSelectedInteractively(chip.collection,
                                                                               chip.entry);
        return QStringLiteral("pick %1 of %2 from a measurement")
            .arg(chip.entry.code, name(chip.collection));
    }

    QString pickSimilar()
    {
        const Chip &chip = anyChip();
        emit roller()->similarColorChosenInteractively(chip.collection, chip.entry);
        return QStringLiteral("choose similar colour %1 of %2")
            .arg(chip.entry.code, name(chip.collection));
    }

    // Values a session, an older version or a hand-edited store may leave behind.
    QString restartWithLeftovers()
    {
        m_widget.reset();
        const QUuid collection = Preferences::uuidOfLastUsedCollection();
        const int page = 1 + bounded(60);
        const int segment = 1 + bounded(24);
        const int mood = 1 + bounded(7);
        const bool exterior = bounded(2) == 1;
        Preferences::setPageIndex(collection, page);
        Preferences::setSegmentIndex(collection, segment);
        Preferences::setMoodFilter(collection, mood);
        Preferences::setExteriorColors(collection, exterior);
        open();
        return QStringLiteral("reopen the window with card %1, segment %2, mood %3, exterior %4")
            .arg(page)
            .arg(segment)
            .arg(mood)
            .arg(exterior);
    }

    QString checkDeck(const QUuid &collection, const DeckFilter &filter,
                      const DB::ColorPage &card) const
    {
        if (!filter.admits(card))
            return QStringLiteral("I2: card %1 (mood %2, exterior %3) is not in the deck")
                .arg(card.pageIndex)
                .arg(card.mood)
                .arg(card.exterior);
        const CardRollerState &shown = roller()->shownCards();
        std::array<std::optional<DB::ColorPage>, 2> neighbours;
        for (const bool backwards : {true, false}) {
            DB::ColorPage next;
            if (DB::adjacentPage(collection, card.pageIndex, backwards, filter.mood,
                                 filter.exterior, next) == DB::Ok)
                neighbours[backwards ? 0 : 1] = next;
        }
        const int middle = shown.pages.at(CardRollerLayout::kMiddleSlot)
                               ? shown.pages.at(CardRollerLayout::kMiddleSlot)->pageIndex
                               : -1;
        const bool sidesMatch = optionalPage(shown.pages.at(CardRollerLayout::kLeftSlot)) ==
                                    optionalPage(neighbours[0]) &&
                                optionalPage(shown.pages.at(CardRollerLayout::kRightSlot)) ==
                                    optionalPage(neighbours[1]);
        if (middle != card.pageIndex || !sidesMatch)
            return QStringLiteral("I2: the roller shows %1 | %2 | %3 around card %4 (%5 | %6)")
                .arg(optionalPage(shown.pages.at(0)))
                .arg(middle)
                .arg(optionalPage(shown.pages.at(2)))
                .arg(card.pageIndex)
                .arg(optionalPage(neighbours[0]), optionalPage(neighbours[1]));
        if (neighbours[1]) {
            DB::ColorPage back;
            if (DB::adjacentPage(collection, neighbours[1]->pageIndex, true, filter.mood,
                                 filter.exterior, back) != DB::Ok ||
                back.pageIndex != card.pageIndex)
                return QStringLiteral("I2: one roll forward and back leaves card %1")
                    .arg(card.pageIndex);
        }
        return QString();
    }

    static std::optional<DB::ColorEntry> selectedChip(const DB::ColorPage &card)
    {
        const int row = Preferences::rowIndex(Preferences::uuidOfLastUsedCollection());
        for (const DB::ColorEntry &entry : card.rows) {
            if (entry.rowIndex == row)
                return entry;
        }
        return std::nullopt;
    }

    QString checkViews(const std::optional<DB::ColorEntry> &chip) const
    {
        const QString described = roller()->accessibleDescription();
        if (!described.startsWith(QStringLiteral("Card ")) ||
            (chip && !described.contains(QStringLiteral("chip %1").arg(chip->code))))
            return QStringLiteral("I4: the fan deck says \"%1\"").arg(described);
        const QString selected = chip ? QStringLiteral("Selected colour %1").arg(chip->code)
                                      : QStringLiteral("No colour selected");
        if (m_widget->accessibleDescription() != selected)
            return QStringLiteral("I4: the picker says \"%1\"")
                .arg(m_widget->accessibleDescription());
        auto *products = child<ProductsWidget>();
        const QString code = chip && !chip->code.isEmpty() ? chip->code : QStringLiteral(" ");
        if (products->isVisible() && products->codeLabel()->text() != code)
            return QStringLiteral("I4: products show %1 for %2")
                .arg(products->codeLabel()->text(), code);
        return QString();
    }

    QRandomGenerator m_random;
    QList<QList<Chip>> m_chips; // per collection, none empty
    std::unique_ptr<MainWidget> m_widget;
};

} // namespace

class TestSelectionWalk : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        QVERIFY(SelectionFixture::write(
            m_world.environment().collectionFile(QStringLiteral("selection.db"))));
        TestEnvironment::resetCatalogue();
    }

    void promisesHoldAlongARandomWalk()
    {
        const quint32 seed = quint32(environmentNumber("HUEPORT_WALK_SEED", int(kDefaultSeed)));
        const int length = environmentNumber("HUEPORT_WALK_LENGTH", kDefaultLength);
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        Walk walk(seed);
        QStringList done;
        QString broken = walk.check();
        for (int step = 0; step < length && broken.isEmpty(); ++step) {
            done.append(walk.act());
            broken = walk.check();
            // Now and then the window paints and deleted objects go, as between user actions.
            if (step % kActionsBetweenPaints == 0)
                QCoreApplication::processEvents();
        }
        if (!broken.isEmpty()) {
            qInfo().noquote() << QStringLiteral("seed %1: %2 after action %3; the shortest "
                                                "failing prefix:")
                                     .arg(seed)
                                     .arg(broken)
                                     .arg(done.size());
            for (int i = 0; i < done.size(); ++i)
                qInfo().noquote() << QStringLiteral("%1. %2").arg(i + 1).arg(done.at(i));
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
        qInfo().noquote()
            << QStringLiteral("seed %1: %2 actions, every promise kept").arg(seed).arg(length);
    }
};

QTEST_MAIN(TestSelectionWalk)
#include "tst_selectionwalk.moc"
