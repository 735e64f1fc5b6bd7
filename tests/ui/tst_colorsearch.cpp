// Typed colours in the search bar and a chip's similar colours in the other collections, on
// the real main widget and the demo data.

#include "demoworld.h"

#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/nearestchips.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"
#include "ui/cardrollerwidget.h"
#include "ui/mainwidget.h"
#include "ui/searchwidget.h"
#include "ui/similarcolorsmenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <memory>

using namespace Corvo;

namespace {

QString channelsText(const QString &pattern, const QColor &color)
{
    return QString(pattern)
        .replace(QStringLiteral("%r"), QString::number(color.red()))
        .replace(QStringLiteral("%g"), QString::number(color.green()))
        .replace(QStringLiteral("%b"), QString::number(color.blue()))
        .replace(QStringLiteral("%hex"), color.name().mid(1));
}

double storedDifference(const QColor &asked, const DB::ColorEntry &entry)
{
    return deltaE2000(labFromColor(asked), Lab{entry.l, entry.a, entry.b});
}

QString noteFor(double deltaE)
{
    return QStringLiteral("\u0394E ") + QString::number(deltaE, 'f', 2);
}

} // namespace

class TestColorSearch : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;
    DB::ColorEntry m_target;

    std::unique_ptr<MainWidget> freshWidget(const QUuid &collection = DemoWorld::mainCollection())
    {
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(collection);
        auto widget = std::make_unique<MainWidget>();
        widget->show();
        // The roller knows its chips once it has painted.
        auto *roller = widget->findChild<CardRollerWidget *>();
        QPixmap picture(roller->size());
        roller->render(&picture);
        return widget;
    }

    static void typeAndSearch(MainWidget &widget, const QString &text)
    {
        QLineEdit *edit = widget.findChild<SearchWidget *>()->lineEdit();
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static DB::ColorEntry selectedChip(const QUuid &collection)
    {
        DB::ColorEntry entry;
        DB::rowAt(collection, Preferences::pageIndex(collection), Preferences::rowIndex(collection),
                  entry);
        return entry;
    }

    static QString note(MainWidget &widget)
    {
        return widget.findChild<SearchWidget *>()->colorNote();
    }

    static void openContextMenu(CardRollerWidget &roller, QContextMenuEvent::Reason reason,
                                const QPoint &position)
    {
        QContextMenuEvent event(reason, position, roller.mapToGlobal(position));
        QApplication::sendEvent(&roller, &event);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        // A chip on the card after the first one, away from the selection a fresh window has.
        DB::ColorPage first;
        DB::ColorPage next;
        const QUuid main = DemoWorld::mainCollection();
        QCOMPARE(DB::adjacentPage(main, 0, false, DB::kAllMoods, false, first), 0);
        QCOMPARE(DB::adjacentPage(main, first.pageIndex, false, DB::kAllMoods, false, next), 0);
        QVERIFY(next.rows.size() >= 2);
        m_target = next.rows.at(1);
    }

    void typedColourGoesToNearestChip_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QColor>("offset");
        QTest::newRow("#RRGGBB") << "#%hex" << QColor(0, 0, 0);
        QTest::newRow("RRGGBB") << "%hex" << QColor(0, 0, 0);
        QTest::newRow("R,G,B") << "%r, %g ,%b" << QColor(0, 0, 0);
        QTest::newRow("R G B") << " %r %g %b " << QColor(0, 0, 0);
        QTest::newRow("rgb()") << "rgb(%r, %g, %b)" << QColor(0, 0, 0);
        QTest::newRow("a colour between chips") << "rgb(%r,%g,%b)" << QColor(7, 5, 9);
    }

    void typedColourGoesToNearestChip()
    {
        QFETCH(QString, pattern);
        QFETCH(QColor, offset);
        auto widget = freshWidget();
        const QUuid main = DemoWorld::mainCollection();
        const QColor chip = DB::chipColor(m_target);
        const QColor asked(std::min(255, chip.red() + offset.red()),
                           std::min(255, chip.green() + offset.green()),
                           std::min(255, chip.blue() + offset.blue()));
        typeAndSearch(*widget, channelsText(pattern, asked));

        const DB::ColorEntry selected = selectedChip(main);
        const double deltaE = storedDifference(asked, selected);
        QVERIFY(deltaE <= storedDifference(asked, m_target));
        if (offset == QColor(0, 0, 0))
            QCOMPARE(DB::chipColor(selected), asked);
        QCOMPARE(note(*widget), noteFor(deltaE));
        QVERIFY(widget->findChild<SearchWidget *>()->toolTip().contains(asked.name().toUpper()));
    }

    // A colour on a card the filters hide makes them give way, as a found name does.
    void filtersGiveWayToTypedColour()
    {
        auto widget = freshWidget();
        const QUuid main = DemoWorld::mainCollection();
        DB::ColorPage page;
        QCOMPARE(DB::pageById(main, m_target.pageId, true, page), 0);
        widget->exteriorFilterChangedInteractively(!page.exterior);
        typeAndSearch(*widget, DB::chipColor(m_target).name());
        QCOMPARE(Preferences::exteriorColors(main), false);
        QCOMPARE(DB::chipColor(selectedChip(main)), DB::chipColor(m_target));
    }

    void namesComeBeforeColours()
    {
        auto widget = freshWidget();
        typeAndSearch(*widget, DB::chipColor(m_target).name());
        QVERIFY(!note(*widget).isEmpty());
        typeAndSearch(*widget, m_target.code);
        QCOMPARE(selectedChip(DemoWorld::mainCollection()).id, m_target.id);
        QVERIFY(note(*widget).isEmpty());
    }

    void otherTextsSearchAsPhrases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expectedNote");
        QTest::newRow("malformed hex") << "#12345G"
                                       << "Not a colour";
        QTest::newRow("short hex") << "#12345"
                                   << "Not a colour";
        QTest::newRow("channel beyond 255") << "256,0,0"
                                            << "No match";
        QTest::newRow("two channels") << "10 20"
                                      << "No match";
        QTest::newRow("blank") << "   "
                               << "";
    }

    // A search that finds nothing changes nothing, keeps what was typed and says so until
    // the next edit.
    void otherTextsSearchAsPhrases()
    {
        QFETCH(QString, text);
        QFETCH(QString, expectedNote);
        auto widget = freshWidget();
        const QUuid main = DemoWorld::mainCollection();
        const int page = Preferences::pageIndex(main);
        const int row = Preferences::rowIndex(main);
        typeAndSearch(*widget, text);
        QCOMPARE(Preferences::pageIndex(main), page);
        QCOMPARE(Preferences::rowIndex(main), row);
        QCOMPARE(note(*widget), expectedNote);
        QLineEdit *edit = widget->findChild<SearchWidget *>()->lineEdit();
        if (expectedNote.isEmpty())
            return;
        QCOMPARE(edit->text(), text.trimmed());
        QVERIFY(widget->findChild<SearchWidget *>()->searchLayout().noteSwatch().isEmpty());
        // Read out on the field that has the focus.
        QVERIFY(edit->accessibleDescription().contains(edit->text()));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(note(*widget).isEmpty());
        QVERIFY(edit->accessibleDescription().isEmpty());
    }

    void noteLastsWhileItsChipIsSelected()
    {
        auto widget = freshWidget();
        const QUuid main = DemoWorld::mainCollection();
        typeAndSearch(*widget, DB::chipColor(m_target).name());
        const QString shown = note(*widget);
        QVERIFY(!shown.isEmpty());
        const SearchLayout &bar = widget->findChild<SearchWidget *>()->searchLayout();
        QVERIFY(!bar.noteSwatch().isEmpty() && !bar.noteText().isEmpty());
        QVERIFY(!bar.lineEdit().intersects(bar.noteSwatch()));
        QVERIFY(bar.frame().contains(bar.noteText()));
        widget->rowChangedInteractively(Preferences::rowIndex(main));
        widget->tabPageSelected(PageOfTextures);
        QCOMPARE(note(*widget), shown);
        widget->rollCards(Forward);
        QVERIFY(note(*widget).isEmpty());

        typeAndSearch(*widget, DB::chipColor(m_target).name());
        QCOMPARE(note(*widget), shown);
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        QVERIFY(note(*widget).isEmpty());
    }

    void similarColoursGoToTheOtherCollection_data()
    {
        QTest::addColumn<bool>("fromKeyboard");
        QTest::newRow("right click") << false;
        QTest::newRow("menu key") << true;
    }

    void similarColoursGoToTheOtherCollection()
    {
        QFETCH(bool, fromKeyboard);
        auto widget = freshWidget();
        auto *roller = widget->findChild<CardRollerWidget *>();
        const QUuid main = DemoWorld::mainCollection();
        const QList<QRect> chips =
            roller->shownCards().chipRects(roller->cardLayout(), CardRollerLayout::kMiddleSlot);
        QVERIFY(chips.size() >= 3);
        const DB::ColorEntry clicked =
            fromKeyboard
                ? selectedChip(main)
                : roller->shownCards().chipAt(roller->cardLayout(), chips.at(2).center())->entry;
        openContextMenu(*roller,
                        fromKeyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                        chips.at(2).center());

        auto *menu = roller->findChild<SimilarColorsMenu *>();
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        const QUuid lustrel = DemoWorld::lustrelCollection();
        const QList<DB::NearestChip> nearest =
            DB::nearestChips({lustrel}, Lab{clicked.l, clicked.a, clicked.b}, 1);
        QCOMPARE(nearest.size(), 1);
        QCOMPARE(menu->actions().size(), 1);
        QAction *entry = menu->actions().first();
        QVERIFY(entry->isEnabled());
        QVERIFY(!entry->icon().isNull());
        QVERIFY2(entry->text().contains(nearest.first().entry.code), qPrintable(entry->text()));
        QVERIFY(entry->text().endsWith(noteFor(nearest.first().deltaE)));

        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(entry).center());
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), lustrel);
        QCOMPARE(Preferences::pageIndex(lustrel), nearest.first().pageIndex);
        QCOMPARE(Preferences::rowIndex(lustrel), nearest.first().entry.rowIndex);
        QTRY_VERIFY(!roller->findChild<SimilarColorsMenu *>());
    }

    void noMenuAwayFromChips()
    {
        auto widget = freshWidget();
        auto *roller = widget->findChild<CardRollerWidget *>();
        openContextMenu(*roller, QContextMenuEvent::Mouse, QPoint(1, 1));
        QVERIFY(!roller->findChild<SimilarColorsMenu *>());
    }

    // Last: the world changes to a file of one collection with chips and one without.
    void menuSaysWhenNoOtherCollectionHasChips()
    {
        TestEnvironment lonely;
        Tintwell::CollectionFileWriter writer;
        QVERIFY(writer.create(lonely.collectionFile(QStringLiteral("lonely.db"))));
        QVERIFY(writer.addSystemWideCollection());
        const QUuid withChips = QUuid::createUuid();
        for (const qint64 id : {1, 2}) {
            Tintwell::CollectionFields fields;
            fields.id = id;
            fields.uuid = id == 1 ? withChips : QUuid::createUuid();
            fields.systemId = QStringLiteral("C%1").arg(id);
            fields.order = int(id);
            QVERIFY(writer.addCollection(fields));
            QVERIFY(
                writer.addSetting(id, QStringLiteral("collection.enabled"), QStringLiteral("1")));
        }
        const std::optional<qint64> pageId = writer.addPage(1, Tintwell::PageFields());
        QVERIFY(pageId);
        Tintwell::RowFields row;
        row.pageId = *pageId;
        row.code = QStringLiteral("ONLY");
        QVERIFY(writer.addRow(1, row));
        QVERIFY(writer.close());
        TestEnvironment::resetCatalogue();
        QCOMPARE(DB::orderedCollections().size(), 2);

        DB::ColorEntry chip;
        QCOMPARE(DB::rowAt(withChips, 1, 1, chip), 0);
        SimilarColorsMenu menu(withChips, chip);
        QCOMPARE(menu.actions().size(), 1);
        QVERIFY(!menu.actions().first()->isEnabled());
        QCOMPARE(menu.actions().first()->text(),
                 SimilarColorsMenu::tr("No other collection to compare with"));
    }
};

QTEST_MAIN(TestColorSearch)
#include "tst_colorsearch.moc"
