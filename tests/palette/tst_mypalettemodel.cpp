#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/preferences.h"

#include "palettefixture.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using Corvo::ItemIndex;
using Corvo::MyPaletteModel;
using Corvo::PaletteCell;

namespace {

// The palette group of the preferences, opened afresh as the model's writes go straight
// to the file.
std::unique_ptr<QSettings> paletteStore()
{
    auto store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Velmora"), QStringLiteral("Tintwell"));
    store->beginGroup(QStringLiteral("MyPalette"));
    return store;
}

QString entryKey(int column, int row)
{
    return QStringLiteral("(%1,%2).Entry").arg(row).arg(column);
}

QString selectedKey(int column, int row)
{
    return QStringLiteral("(%1,%2).Selected").arg(row).arg(column);
}

} // namespace

class TestMyPaletteModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void selectsWithAndWithoutControl();
    void otherModifiersKeepTheSelection_data();
    void otherModifiersKeepTheSelection();
    void dropFillsTargetOrEverySelectedCell();
    void dropNeedsATarget();
    void eraseKeepsTheSelection();
    void clearKeepsSelectionAndDescription();
    void clearWithDescriptionStoresEmptyText();
    void reloadsChipsOfEveryCollection();
    void reloadLeavesUnreadableEntriesEmpty_data();
    void reloadLeavesUnreadableEntriesEmpty();
    void labelsFollowTheChipsOwnCollection();
    void readsZoomAndGridFromTheStore_data();
    void readsZoomAndGridFromTheStore();
    void controlStatesFollowTheCells();
    void accessorsOutsideTheGrid();
    void descriptionComesBack();
    void acceptsChipsFromOtherViews_data();
    void acceptsChipsFromOtherViews();
    void dropsChipData();
    void dragsTheZoomedOrPressedChip();
    void storedChannelsOutsideTheRangeAreBounded();

private:
    Corvo::DB::ColorEntry chip(const QUuid &collection, const QString &code) const;
    void dropAt(MyPaletteModel &model, const QPoint &cell, const QUuid &collection,
                const QString &code) const;

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<PaletteFixture> m_fixture;
};

void TestMyPaletteModel::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<PaletteFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
}

void TestMyPaletteModel::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

Corvo::DB::ColorEntry TestMyPaletteModel::chip(const QUuid &collection, const QString &code) const
{
    Corvo::DB::ColorEntry entry;
    if (Corvo::DB::rowById(collection, m_fixture->row(code), entry) != Corvo::DB::Ok)
        qWarning("fixture chip %s is missing", qPrintable(code));
    return entry;
}

void TestMyPaletteModel::dropAt(MyPaletteModel &model, const QPoint &cell, const QUuid &collection,
                                const QString &code) const
{
    model.setDropTarget(cell);
    QVERIFY(model.dropChip(collection, chip(collection, code)));
}

void TestMyPaletteModel::selectsWithAndWithoutControl()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QSignalSpy selectionChanged(&model, &MyPaletteModel::myPaletteSelectionChanged);

    model.select(QPoint(1, 0), Qt::NoModifier);
    model.select(QPoint(2, 1), Qt::ControlModifier);
    model.select(QPoint(5, 3), Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 0}, {2, 1}, {5, 3}}));
    QCOMPARE(paletteStore()->value(selectedKey(5, 3)).toBool(), true);

    model.select(QPoint(2, 1), Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 0}, {5, 3}}));
    QVERIFY2(!paletteStore()->contains(selectedKey(2, 1)), "a deselected cell loses its key");
    model.select(QPoint(2, 1), Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 0}, {5, 3}, {2, 1}}));

    model.select(QPoint(4, 2), Qt::NoModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{4, 2}}));
    const auto store = paletteStore();
    QVERIFY(!store->contains(selectedKey(1, 0)));
    QVERIFY(!store->contains(selectedKey(5, 3)));
    QVERIFY(!store->contains(selectedKey(2, 1)));
    QVERIFY(store->value(selectedKey(4, 2)).toBool());
    QCOMPARE(selectionChanged.size(), 6);

    model.select(QPoint(6, 0), Qt::NoModifier);
    model.select(QPoint(0, -1), Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{4, 2}}));
}

void TestMyPaletteModel::otherModifiersKeepTheSelection_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Control and Shift")
        << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
}

void TestMyPaletteModel::otherModifiersKeepTheSelection()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    model.select(QPoint(1, 1), Qt::NoModifier);
    QSignalSpy selectionChanged(&model, &MyPaletteModel::myPaletteSelectionChanged);
    model.select(QPoint(3, 3), modifiers);
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 1}}));
    QVERIFY(!paletteStore()->contains(selectedKey(3, 3)));
    QCOMPARE(selectionChanged.size(), 1);
}

void TestMyPaletteModel::dropFillsTargetOrEverySelectedCell()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    model.select(QPoint(0, 0), Qt::NoModifier);
    model.select(QPoint(3, 1), Qt::ControlModifier);
    model.select(QPoint(5, 3), Qt::ControlModifier);
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);

    dropAt(model, QPoint(3, 1), PaletteFixture::nordlys(), QStringLiteral("NL-21"));
    const qint64 rowId = m_fixture->row(QStringLiteral("NL-21"));
    for (const QPoint &cell : {QPoint(0, 0), QPoint(3, 1), QPoint(5, 3)}) {
        QCOMPARE(model.rowId(cell.x(), cell.y()), rowId);
        const ItemIndex stored =
            ItemIndex::fromString(paletteStore()->value(entryKey(cell.x(), cell.y())).toString());
        QCOMPARE(stored, ItemIndex(PaletteFixture::nordlys(), m_fixture->page("NL-p2"), rowId));
    }
    QCOMPARE(changed.size(), 1);
    QCOMPARE(model.dropTarget(), MyPaletteModel::noCell());

    dropAt(model, QPoint(1, 2), PaletteFixture::terra(), QStringLiteral("TR-12"));
    const PaletteCell cell = model.cell(QPoint(1, 2));
    QCOMPARE(cell.collection, PaletteFixture::terra());
    QCOMPARE(cell.pageId, m_fixture->page("TR-p1"));
    QCOMPARE(cell.rowId, m_fixture->row(QStringLiteral("TR-12")));
    QCOMPARE(cell.color.alpha(), 255);
    QCOMPARE(cell.label, QStringLiteral("TR-12"));
    QCOMPARE(model.rowId(0, 0), rowId);
    QCOMPARE(paletteStore()->value(QStringLiteral("(2,1).Entry")).toString(),
             cell.index().toString());
}

void TestMyPaletteModel::dropNeedsATarget()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);
    QSignalSpy target(&model, &MyPaletteModel::dropTargetChanged);
    QVERIFY(!model.dropChip(PaletteFixture::nordlys(),
                            chip(PaletteFixture::nordlys(), QStringLiteral("NL-11"))));
    model.setDropTarget(QPoint(7, 1));
    QCOMPARE(model.dropTarget(), MyPaletteModel::noCell());
    model.setDropTarget(QPoint(2, 2));
    model.dropFailed();
    QCOMPARE(model.dropTarget(), MyPaletteModel::noCell());
    QVERIFY(model.isEmpty());
    QCOMPARE(changed.size(), 0);
    QCOMPARE(target.size(), 2);
}

void TestMyPaletteModel::eraseKeepsTheSelection()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    dropAt(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    dropAt(model, QPoint(1, 0), PaletteFixture::nordlys(), QStringLiteral("NL-12"));
    dropAt(model, QPoint(2, 0), PaletteFixture::nordlys(), QStringLiteral("NL-13"));
    model.select(QPoint(0, 0), Qt::NoModifier);
    model.select(QPoint(2, 0), Qt::ControlModifier);
    QVERIFY(model.controlStates().eraserEnabled);
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);

    model.erase();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(model.selection(), (QList<QPoint>{{0, 0}, {2, 0}}));
    QVERIFY(!model.cell(QPoint(0, 0)).isFilled());
    QVERIFY(model.cell(QPoint(1, 0)).isFilled());
    QVERIFY(!paletteStore()->contains(entryKey(0, 0)));
    QVERIFY(paletteStore()->contains(entryKey(1, 0)));
    QVERIFY2(!model.controlStates().eraserEnabled, "no selected cell is filled any more");
    QVERIFY(model.controlStates().clearEnabled);
}

void TestMyPaletteModel::clearKeepsSelectionAndDescription()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    dropAt(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    dropAt(model, QPoint(5, 3), PaletteFixture::terra(), QStringLiteral("TR-23"));
    model.select(QPoint(5, 3), Qt::NoModifier);
    model.select(QPoint(4, 0), Qt::ControlModifier);
    model.setDescription(QStringLiteral("Hall"));
    QStringList signalOrder;
    connect(&model, &MyPaletteModel::myPaletteChanged, this,
            [&signalOrder] { signalOrder << QStringLiteral("changed"); });
    connect(&model, &MyPaletteModel::myPaletteSelectionChanged, this,
            [&signalOrder] { signalOrder << QStringLiteral("selection"); });

    model.clear();
    QCOMPARE(signalOrder, (QStringList{"changed", "selection"}));
    QVERIFY(model.isEmpty());
    QCOMPARE(model.description(), QStringLiteral("Hall"));
    const QStringList keys = paletteStore()->childKeys();
    QVERIFY(!keys.contains(entryKey(0, 0)));
    QVERIFY(!keys.contains(entryKey(5, 3)));
    QVERIFY(keys.contains(selectedKey(5, 3)));

    MyPaletteModel reloaded;
    reloaded.reload(PaletteFixture::terra());
    QCOMPARE(reloaded.selection(), (QList<QPoint>{{4, 0}, {5, 3}}));
    QVERIFY(reloaded.isEmpty());
    QVERIFY(!reloaded.controlStates().eraserEnabled);
}

void TestMyPaletteModel::clearWithDescriptionStoresEmptyText()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    model.setDescription(QStringLiteral("Hall"));
    model.storeDescription();
    QCOMPARE(Corvo::Preferences::myPaletteDescription(), QStringLiteral("Hall"));
    QSignalSpy description(&model, &MyPaletteModel::descriptionChanged);
    model.clearWithDescription();
    QCOMPARE(model.description(), QString());
    QCOMPARE(description.size(), 1);
    QVERIFY(paletteStore()->contains(QStringLiteral("MyPaletteDescription")));
    QCOMPARE(Corvo::Preferences::myPaletteDescription(), QString());
}

void TestMyPaletteModel::reloadsChipsOfEveryCollection()
{
    {
        MyPaletteModel model;
        model.reload(PaletteFixture::nordlys());
        dropAt(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-34"));
        dropAt(model, QPoint(5, 3), PaletteFixture::terra(), QStringLiteral("TR-21"));
        model.select(QPoint(5, 3), Qt::NoModifier);
    }
    for (const QUuid &current : {PaletteFixture::nordlys(), PaletteFixture::terra()}) {
        MyPaletteModel model;
        QSignalSpy reloaded(&model, &MyPaletteModel::reloaded);
        model.reload(current);
        QCOMPARE(reloaded.size(), 1);
        QCOMPARE(model.cell(QPoint(0, 0)).collection, PaletteFixture::nordlys());
        QCOMPARE(model.label(0, 0), QStringLiteral("NL-34 - Blå 34"));
        QCOMPARE(model.cell(QPoint(5, 3)).collection, PaletteFixture::terra());
        QCOMPARE(model.rowId(5, 3), m_fixture->row(QStringLiteral("TR-21")));
        QCOMPARE(model.selection(), (QList<QPoint>{{5, 3}}));
        QVERIFY(model.controlStates().eraserEnabled);
    }
}

void TestMyPaletteModel::reloadLeavesUnreadableEntriesEmpty_data()
{
    QTest::addColumn<QString>("stored");

    QTest::newRow("row that no longer exists")
        << ItemIndex(PaletteFixture::nordlys(), 1, 9999).toString();
    QTest::newRow("collection not installed")
        << ItemIndex(PaletteFixture::notInstalled(), 1, 1).toString();
    QTest::newRow("row ID 0") << ItemIndex(PaletteFixture::nordlys(), 1, 0).toString();
    QTest::newRow("not an item index") << QStringLiteral("NL-11");
    QTest::newRow("prefix in other letter case")
        << ItemIndex(PaletteFixture::nordlys(), 1, 1).toString().replace(0, 4, "ITEM");
}

void TestMyPaletteModel::reloadLeavesUnreadableEntriesEmpty()
{
    QFETCH(QString, stored);
    paletteStore()->setValue(entryKey(2, 1), stored);
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QVERIFY(model.isEmpty());
    QCOMPARE(model.color(2, 1), QColor(Qt::transparent));
    QCOMPARE(paletteStore()->value(entryKey(2, 1)).toString(), stored);
}

void TestMyPaletteModel::labelsFollowTheChipsOwnCollection()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::terra());
    dropAt(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    dropAt(model, QPoint(1, 0), PaletteFixture::nordlys(), QStringLiteral("NL-23"));
    dropAt(model, QPoint(2, 0), PaletteFixture::terra(), QStringLiteral("TR-11"));
    QCOMPARE(model.label(0, 0), QStringLiteral("NL-11 - Blå 11"));
    QCOMPARE(model.label(1, 0), QStringLiteral("NL-23"));
    QCOMPARE(model.label(2, 0), QStringLiteral("TR-11"));
}

void TestMyPaletteModel::readsZoomAndGridFromTheStore_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<bool>("zoomed");

    QTest::newRow("inside") << QPoint(5, 3) << true;
    QTest::newRow("column 6") << QPoint(6, 0) << false;
    QTest::newRow("row 4") << QPoint(0, 4) << false;
    QTest::newRow("none") << QPoint(-1, -1) << false;
}

void TestMyPaletteModel::readsZoomAndGridFromTheStore()
{
    QFETCH(QPoint, stored);
    QFETCH(bool, zoomed);
    paletteStore()->setValue(QStringLiteral("MyPaletteZoomed"), stored);
    Corvo::Preferences::setMyPaletteGridVisible(false);
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QCOMPARE(model.isZoomed(), zoomed);
    QCOMPARE(model.zoomedCell(), zoomed ? stored : MyPaletteModel::noCell());
    const auto mime = Corvo::chipMimeData(
        Corvo::chipPayload(Corvo::ChipOrigin::CardRoller, PaletteFixture::nordlys(), 1));
    QCOMPARE(model.acceptsDrag(mime.get()), !zoomed);
    QVERIFY(!model.gridVisible());
    QSignalSpy grid(&model, &MyPaletteModel::gridVisibleChanged);
    model.setGridVisible(true);
    QCOMPARE(grid.size(), 1);
    QVERIFY(Corvo::Preferences::myPaletteGridVisible());
}

void TestMyPaletteModel::controlStatesFollowTheCells()
{
    MyPaletteModel model;
    QSignalSpy states(&model, &MyPaletteModel::controlStatesChanged);
    model.reload(PaletteFixture::nordlys());
    MyPaletteModel::ControlStates expected;
    QCOMPARE(model.controlStates(), expected);
    QVERIFY(model.controlStates().gridEnabled);

    model.select(QPoint(1, 1), Qt::NoModifier);
    QCOMPARE(model.controlStates(), expected);
    dropAt(model, QPoint(1, 1), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    expected = {true, true, true, true, true};
    QCOMPARE(model.controlStates(), expected);
    model.select(QPoint(2, 2), Qt::NoModifier);
    expected.eraserEnabled = false;
    QCOMPARE(model.controlStates(), expected);
    model.clear();
    QCOMPARE(model.controlStates(), MyPaletteModel::ControlStates());
    QCOMPARE(states.size(), 3);
}

void TestMyPaletteModel::accessorsOutsideTheGrid()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    for (int column = 0; column < model.columnCount(); ++column)
        for (int row = 0; row < model.rowCount(); ++row) {
            model.setDropTarget(QPoint(column, row));
            QVERIFY(model.dropChip(PaletteFixture::nordlys(),
                                   chip(PaletteFixture::nordlys(), QStringLiteral("NL-11"))));
        }
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 6);
    for (const QPoint &outside : {QPoint(-1, 0), QPoint(6, 0), QPoint(0, 4), QPoint(0, -1)}) {
        QCOMPARE(model.color(outside.x(), outside.y()), QColor(Qt::transparent));
        QCOMPARE(model.label(outside.x(), outside.y()), QString());
        QCOMPARE(model.rowId(outside.x(), outside.y()), qint64(-1));
    }
    QCOMPARE(model.color(5, 3), QColor(20, 21, 22));
    QCOMPARE(model.descriptionPlaceholder(), QStringLiteral("Drop chips here"));
    model.reload(PaletteFixture::terra());
    QCOMPARE(model.descriptionPlaceholder(), QStringLiteral("mypalette.note.instructions"));
}

// A new window shows the description stored last, since it names the pen set.
void TestMyPaletteModel::descriptionComesBack()
{
    Corvo::Preferences::setMyPaletteDescription(QStringLiteral("Old"));
    MyPaletteModel model;
    QCOMPARE(model.description(), QStringLiteral("Old"));
    model.reload(PaletteFixture::nordlys());
    QCOMPARE(model.description(), QStringLiteral("Old"));
}

void TestMyPaletteModel::acceptsChipsFromOtherViews_data()
{
    QTest::addColumn<int>("origin");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("card roller") << 1 << true;
    QTest::newRow("colour schemer and chip views") << 2 << true;
    QTest::newRow("the palette itself") << 3 << false;
    QTest::newRow("free colour of the trend view") << 4 << false;
    QTest::newRow("unknown origin 5") << 5 << false;
    QTest::newRow("no origin") << 0 << false;
}

void TestMyPaletteModel::acceptsChipsFromOtherViews()
{
    QFETCH(int, origin);
    QFETCH(bool, accepted);
    QVariantMap payload =
        Corvo::chipPayload(Corvo::ChipOrigin::CardRoller, PaletteFixture::nordlys(),
                           m_fixture->row(QStringLiteral("NL-11")));
    payload.insert(Corvo::ChipPayloadKey::from, origin);
    const auto mime = Corvo::chipMimeData(payload);
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QCOMPARE(model.acceptsDrag(mime.get()), accepted);
    QMimeData text;
    text.setText(QStringLiteral("NL-11"));
    QVERIFY(!model.acceptsDrag(&text));
}

void TestMyPaletteModel::dropsChipData()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QSignalSpy changed(&model, &MyPaletteModel::myPaletteChanged);
    const auto chipData = Corvo::chipMimeData(Corvo::chipPayload(
        Corvo::ChipOrigin::ChipView, PaletteFixture::terra(), m_fixture->row("TR-22")));

    model.drop(chipData.get());
    QVERIFY2(model.isEmpty(), "no drop without a drop target");

    const auto vanished = Corvo::chipMimeData(
        Corvo::chipPayload(Corvo::ChipOrigin::ChipView, PaletteFixture::terra(), 9999));
    model.setDropTarget(QPoint(1, 1));
    model.drop(vanished.get());
    QCOMPARE(model.dropTarget(), MyPaletteModel::noCell());

    QVariantMap withoutCollection = Corvo::chipPayload(
        Corvo::ChipOrigin::ChipView, PaletteFixture::terra(), m_fixture->row("TR-22"));
    withoutCollection.remove(Corvo::ChipPayloadKey::collectionUuid);
    model.setDropTarget(QPoint(1, 1));
    model.drop(Corvo::chipMimeData(withoutCollection).get());
    QVERIFY(model.isEmpty());
    QCOMPARE(changed.size(), 0);

    model.setDropTarget(QPoint(1, 1));
    model.drop(chipData.get());
    QCOMPARE(model.rowId(1, 1), m_fixture->row("TR-22"));
    QCOMPARE(model.cell(QPoint(1, 1)).collection, PaletteFixture::terra());
    QCOMPARE(changed.size(), 1);
}

void TestMyPaletteModel::dragsTheZoomedOrPressedChip()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    dropAt(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-12"));
    dropAt(model, QPoint(5, 3), PaletteFixture::terra(), QStringLiteral("TR-21"));
    QUuid collection;
    Corvo::DB::ColorEntry entry;
    QVERIFY(model.chipToDrag(QPoint(5, 3), collection, entry));
    QCOMPARE(collection, PaletteFixture::terra());
    QCOMPARE(entry.code, QStringLiteral("TR-21"));
    QVERIFY(!model.chipToDrag(QPoint(2, 2), collection, entry));
    QVERIFY2(collection.isNull() && entry.code.isEmpty(), "a failed look-up leaves no chip behind");
    QVERIFY(!model.chipToDrag(QPoint(9, 9), collection, entry));

    paletteStore()->setValue(QStringLiteral("MyPaletteZoomed"), QPoint(0, 0));
    model.reload(PaletteFixture::nordlys());
    QVERIFY(model.chipToDrag(QPoint(2, 2), collection, entry));
    QCOMPARE(collection, PaletteFixture::nordlys());
    QCOMPARE(entry.code, QStringLiteral("NL-12"));
}

void TestMyPaletteModel::storedChannelsOutsideTheRangeAreBounded()
{
    // A collection file made without the file contract's checks can hold any channel.
    const QUuid odd(QStringLiteral("{0dd00000-0000-4000-8000-000000000003}"));
    const QString path = m_environment->collectionFile(QStringLiteral("odd.db"));
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.create(path));
    Tintwell::CollectionFields fields;
    fields.id = 1;
    fields.uuid = odd;
    fields.systemId = QStringLiteral("OD");
    fields.name = QStringLiteral("Odd");
    QVERIFY(writer.addCollection(fields));
    QVERIFY(writer.addSetting(1, QStringLiteral("collection.enabled"), QStringLiteral("1")));
    const auto page = writer.addPage(1, Tintwell::PageFields());
    QVERIFY(page);
    Tintwell::RowFields row;
    row.pageId = *page;
    row.code = QStringLiteral("OD-1");
    const auto rowId = writer.addRow(1, row);
    QVERIFY(rowId);
    QVERIFY2(writer.close(), qPrintable(writer.lastError()));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("odd-channels"));
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("PRAGMA ignore_check_constraints = ON")));
        QVERIFY(query.exec(
            QStringLiteral("UPDATE \"ROW\" SET RED = 300, GREEN = -4, BLUE = 128 WHERE ID = %1")
                .arg(*rowId)));
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("odd-channels"));
    TestEnvironment::resetCatalogue();

    MyPaletteModel model;
    model.reload(odd);
    Corvo::DB::ColorEntry entry;
    QCOMPARE(Corvo::DB::rowById(odd, *rowId, entry), int(Corvo::DB::Ok));
    QCOMPARE(entry.red, 300);
    model.setDropTarget(QPoint(2, 3));
    QVERIFY(model.dropChip(odd, entry));
    QCOMPARE(model.color(2, 3), QColor(255, 0, 128));
    model.reload(odd);
    QCOMPARE(model.color(2, 3), QColor(255, 0, 128));
}

QTEST_GUILESS_MAIN(TestMyPaletteModel)
#include "tst_mypalettemodel.moc"
