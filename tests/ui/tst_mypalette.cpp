#include "demoworld.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/preferences.h"
#include "ui/imagebutton.h"
#include "ui/mypalettefulllayout.h"
#include "ui/mypalettefullwidget.h"
#include "ui/mypalettelayout.h"
#include "ui/mypalettepainter.h"
#include "ui/mypalettewidget.h"

#include <QDrag>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolTip>

using namespace Corvo;

namespace {

constexpr QSize kPanelSize(565, 223);
constexpr QSize kFullSize(800, 600);
const QColor kBackdrop(10, 20, 30);

DB::ColorEntry demoChip(int pageIndex, int rowIndex)
{
    DB::ColorEntry entry;
    DB::rowAt(DemoWorld::mainCollection(), pageIndex, rowIndex, entry);
    return entry;
}

void storeChip(const QPoint &cell, const DB::ColorEntry &entry)
{
    Preferences::setMyPaletteEntry(cell.x(), cell.y(),
                                   ItemIndex(DemoWorld::mainCollection(), entry.pageId, entry.id));
}

std::unique_ptr<QMimeData> chipData(ChipOrigin origin, qint64 rowId)
{
    return chipMimeData(chipPayload(origin, DemoWorld::mainCollection(), rowId));
}

// The widget as it paints over a plain backdrop.
QImage rendered(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(kBackdrop);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The lightest chip of the demo deck.
DB::ColorEntry lightestDemoChip()
{
    DB::ColorEntry lightest;
    DB::ColorPage page;
    for (int index = 1; DB::pageAt(DemoWorld::mainCollection(), index, page) == 0; ++index) {
        for (const DB::ColorEntry &row : page.rows) {
            if (lightest.id <= 0 ||
                qGray(DB::chipColor(row).rgb()) > qGray(DB::chipColor(lightest).rgb()))
                lightest = row;
        }
    }
    return lightest;
}

QColor pixel(const QImage &image, const QPoint &point)
{
    return image.pixelColor(point);
}

} // namespace

class TestMyPalette : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void panelLayout_data();
    void panelLayout();
    void fullLayout_data();
    void fullLayout();
    void zoomLabelColor_data();
    void zoomLabelColor();

    void clicksSelect();
    void dragEnter_data();
    void dragEnter();
    void dropFillsTheTarget_data();
    void dropFillsTheTarget();
    void hostileDragDataChangesNothing_data();
    void hostileDragDataChangesNothing();
    void dragOutOfAFilledCell();
    void gridOffKeepsSelectionFrames();
    void controlStatesFollowChanges();
    void clearAsksFirst_data();
    void clearAsksFirst();
    void keyboardFocusCell();
    void spaceSelectsAndDeleteErases();
    void unreadableStoredCellPaintsEmpty();
    void toolTipAndDescription();

    void fullSliderStoresTheGrey();
    void fullPickAndClear();
    void fullEmptyCellsShowTheGrey_data();
    void fullEmptyCellsShowTheGrey();
    void zoomedCellShowsItsTrueColour();
    void stripButtonsHaveToolTips();

private:
    void showPanel(MyPaletteWidget &panel);
    void dropAt(MyPaletteWidget &panel, QMimeData *mime, const QPoint &cell);

    std::unique_ptr<DemoWorld> m_world;
};

void TestMyPalette::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
}

void TestMyPalette::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestMyPalette::showPanel(MyPaletteWidget &panel)
{
    panel.resize(kPanelSize);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
}

// A drop reaches only the widget that took the drag's entry, as in a real drag.
void TestMyPalette::dropAt(MyPaletteWidget &panel, QMimeData *mime, const QPoint &cell)
{
    const QPoint point = panel.paletteLayout().cellRect(cell).center();
    QDragEnterEvent enter(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &move);
    if (!move.isAccepted())
        return;
    QDropEvent drop(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drop);
}

void TestMyPalette::panelLayout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QRect>("firstCell");
    QTest::addColumn<QRect>("area");
    // (W - 24) / 6 wide, a quarter of the area high; leftovers split, the odd pixel after.
    QTest::newRow("panel") << QSize(565, 223) << 18 << QRect(12, 43, 90, 37)
                           << QRect(12, 42, 541, 151);
    QTest::newRow("no leftovers across")
        << QSize(600, 300) << 16 << QRect(12, 43, 96, 57) << QRect(12, 42, 576, 230);
    QTest::newRow("four left over")
        << QSize(100, 100) << 20 << QRect(14, 43, 12, 6) << QRect(12, 42, 76, 26);
    QTest::newRow("no room") << QSize(20, 40) << 20 << QRect(12, 42, 0, 0) << QRect(12, 42, 0, 0);
}

void TestMyPalette::panelLayout()
{
    QFETCH(QSize, size);
    QFETCH(int, lineHeight);
    QFETCH(QRect, firstCell);
    QFETCH(QRect, area);
    const MyPaletteLayout layout = MyPaletteLayout::forSize(size, QSize(20, 20), lineHeight);
    QCOMPARE(layout.area, area);
    QCOMPARE(layout.description,
             QRect(12, size.height() - lineHeight, std::max(0, size.width() - 24), lineHeight));
    for (int row = 0; row < MyPaletteLayout::kRows; ++row) {
        for (int column = 0; column < MyPaletteLayout::kColumns; ++column) {
            const QRect cell = layout.cellRect(QPoint(column, row));
            QCOMPARE(cell,
                     firstCell.translated(column * firstCell.width(), row * firstCell.height()));
            if (!cell.isEmpty())
                QCOMPARE(layout.cellAt(cell.center()), QPoint(column, row));
        }
    }
    QCOMPARE(layout.cellAt(QPoint(1, 1)), MyPaletteLayout::noCell());
    QCOMPARE(layout.cellAt(layout.grid.bottomRight() + QPoint(1, 0)), MyPaletteLayout::noCell());
    // Right to left from a 30 px margin: grid, trash, eraser, zoom, 4 px apart.
    int right = size.width() - 30;
    for (int button = MyPaletteLayout::GridButton; button >= MyPaletteLayout::ZoomButton;
         --button) {
        QCOMPARE(layout.buttons.at(button), QRect(right - 20, 5, 20, 20));
        right -= 24;
    }
}

void TestMyPalette::fullLayout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("firstCell");
    QTest::addColumn<QRect>("slider");
    QTest::newRow("800 x 600: 112 x 62")
        << QSize(800, 600) << QRect(64, 191, 112, 62) << QRect(539, 7, 256, 16);
    QTest::newRow("a width of 9 rounds down exactly")
        << QSize(182, 100) << QRect(64, 55, 9, 5) << QRect(-79, 7, 256, 16);
    QTest::newRow("1000 wide") << QSize(1000, 400) << QRect(64, 55, 145, 80)
                               << QRect(739, 7, 256, 16);
    QTest::newRow("too narrow") << QSize(100, 100) << QRect(64, 65, 0, 0)
                                << QRect(-161, 7, 256, 16);
}

void TestMyPalette::fullLayout()
{
    QFETCH(QSize, size);
    QFETCH(QRect, firstCell);
    QFETCH(QRect, slider);
    const MyPaletteFullLayout layout = MyPaletteFullLayout::forSize(size, QSize(20, 20), 16);
    QCOMPARE(layout.cellRect(QPoint(0, 0)), firstCell);
    QCOMPARE(layout.cellRect(QPoint(5, 3)),
             firstCell.translated(5 * firstCell.width(), 3 * firstCell.height()));
    QCOMPARE(layout.backButton, QRect(5, 5, 20, 20));
    QCOMPARE(layout.slider, slider);
    if (!firstCell.isEmpty())
        QCOMPARE(layout.cellAt(layout.cellRect(QPoint(4, 2)).center()), QPoint(4, 2));
    QCOMPARE(layout.cellAt(QPoint(63, firstCell.top())), MyPaletteFullLayout::noCell());
}

void TestMyPalette::zoomLabelColor_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("label");
    QTest::newRow("white") << QColor(255, 255, 255) << QColor(Qt::black);
    QTest::newRow("black") << QColor(0, 0, 0) << QColor(Qt::white);
    QTest::newRow("red") << QColor(255, 0, 0) << QColor(Qt::white);
    QTest::newRow("mid grey") << QColor(128, 128, 128) << QColor(Qt::black);
    QTest::newRow("just below mid grey") << QColor(127, 127, 127) << QColor(Qt::white);
    QTest::newRow("yellow") << QColor(255, 255, 0) << QColor(Qt::black);
}

void TestMyPalette::zoomLabelColor()
{
    QFETCH(QColor, color);
    QFETCH(QColor, label);
    QCOMPARE(Corvo::zoomLabelColor(color), label);
}

void TestMyPalette::clicksSelect()
{
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    QSignalSpy selectionChanged(&panel, &MyPaletteWidget::myPaletteSelectionChanged);
    const MyPaletteLayout &layout = panel.paletteLayout();
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, layout.cellRect({1, 0}).center());
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::ControlModifier,
                      layout.cellRect({3, 2}).center());
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 0}, {3, 2}}));
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::ControlModifier,
                      layout.cellRect({1, 0}).center());
    QCOMPARE(model.selection(), (QList<QPoint>{{3, 2}}));
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, layout.cellRect({5, 3}).center());
    QCOMPARE(model.selection(), (QList<QPoint>{{5, 3}}));
    // Outside the cells nothing changes.
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(model.selection(), (QList<QPoint>{{5, 3}}));
    QCOMPARE(selectionChanged.count(), 4);
    QCOMPARE(panel.focusCell(), QPoint(5, 3));
}

void TestMyPalette::dragEnter_data()
{
    QTest::addColumn<int>("origin");
    QTest::addColumn<bool>("zoomed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("card roller chip") << 1 << false << true;
    QTest::newRow("chip view chip") << 2 << false << true;
    QTest::newRow("card roller chip while zoomed") << 1 << true << false;
    QTest::newRow("its own chip") << 3 << false << false;
    QTest::newRow("free colour") << 4 << false << false;
    QTest::newRow("not a chip") << 0 << false << false;
}

void TestMyPalette::dragEnter()
{
    QFETCH(int, origin);
    QFETCH(bool, zoomed);
    QFETCH(bool, accepted);
    storeChip({0, 0}, demoChip(2, 4));
    if (zoomed)
        Preferences::setMyPaletteZoomed(QPoint(0, 0));
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    std::unique_ptr<QMimeData> mime;
    if (origin == int(ChipOrigin::FreeColor))
        mime = chipMimeData(freeColorPayload(Qt::red, QString(), QString()));
    else if (origin > 0)
        mime = chipData(ChipOrigin(origin), demoChip(3, 1).id);
    else
        mime = std::make_unique<QMimeData>();
    const QPoint point = panel.paletteLayout().cellRect({2, 1}).center();
    QDragEnterEvent enter(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QCOMPARE(model.dropTarget(), accepted ? QPoint(2, 1) : QPoint(-1, -1));
}

void TestMyPalette::dropFillsTheTarget_data()
{
    QTest::addColumn<QList<QPoint>>("selection");
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QList<QPoint>>("filled");
    QTest::newRow("unselected target")
        << QList<QPoint>{{0, 0}, {1, 0}} << QPoint(4, 2) << QList<QPoint>{{4, 2}};
    QTest::newRow("selected target fills the selection")
        << QList<QPoint>{{0, 0}, {1, 0}, {5, 3}} << QPoint(1, 0)
        << QList<QPoint>{{0, 0}, {1, 0}, {5, 3}};
}

void TestMyPalette::dropFillsTheTarget()
{
    QFETCH(QList<QPoint>, selection);
    QFETCH(QPoint, target);
    QFETCH(QList<QPoint>, filled);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    for (const QPoint &cell : selection)
        model.select(cell, Qt::ControlModifier);
    QSignalSpy changed(&panel, &MyPaletteWidget::myPaletteChanged);
    const DB::ColorEntry chip = demoChip(3, 2);
    const auto mime = chipData(ChipOrigin::CardRoller, chip.id);
    dropAt(panel, mime.get(), target);
    QCOMPARE(changed.count(), 1);
    for (int row = 0; row < MyPaletteModel::kRows; ++row) {
        for (int column = 0; column < MyPaletteModel::kColumns; ++column) {
            const bool expected = filled.contains(QPoint(column, row));
            QCOMPARE(model.rowId(column, row), expected ? chip.id : qint64(-1));
        }
    }
    QCOMPARE(model.dropTarget(), QPoint(-1, -1));
    QVERIFY(panel.accessibleDescription().contains(
        QStringLiteral("%1 of 24 cells filled").arg(filled.size())));
}

void TestMyPalette::hostileDragDataChangesNothing_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("not json") << QByteArray(4096, '\xff');
    QTest::newRow("origin out of range") << QByteArray("{ \"colorId\" : 5, \"from\" : 5 }");
    QTest::newRow("row that does not exist")
        << QByteArray("{ \"collectuionUuid\" : \"{00000000-0000-0000-0000-000000000001}\", "
                      "\"colorId\" : 999999999, \"from\" : 1 }");
    QTest::newRow("no collection") << QByteArray("{ \"colorId\" : 5, \"from\" : 2 }");
    QTest::newRow("not an object") << QByteArray("[1, 2, 3]");
}

void TestMyPalette::hostileDragDataChangesNothing()
{
    QFETCH(QByteArray, payload);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    QSignalSpy changed(&panel, &MyPaletteWidget::myPaletteChanged);
    QMimeData mime;
    mime.setData(chipMimeType, payload);
    dropAt(panel, &mime, {2, 2});
    QCOMPARE(changed.count(), 0);
    QVERIFY(model.isEmpty());
    QCOMPARE(model.dropTarget(), QPoint(-1, -1));
}

void TestMyPalette::dragOutOfAFilledCell()
{
    const DB::ColorEntry chip = demoChip(5, 3);
    storeChip({2, 1}, chip);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    const QPoint start = panel.paletteLayout().cellRect({2, 1}).center();
    const QPoint beyond = start + QPoint(QApplication::startDragDistance() + 2, 0);
    // An empty cell starts nothing.
    const QPoint empty = panel.paletteLayout().cellRect({0, 0}).center();
    QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, empty);
    QTest::mouseMove(&panel, empty + (beyond - start));
    QVERIFY(!panel.findChild<QDrag *>());
    QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, empty);

    QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(&panel, beyond);
    const QDrag *drag = panel.findChild<QDrag *>();
    QVERIFY(drag);
    QVERIFY(drag->mimeData());
    const std::optional<QVariantMap> payload = readChipPayload(drag->mimeData());
    QVERIFY(payload);
    QCOMPARE(chipOrigin(*payload), ChipOrigin::Palette);
    QUuid collection;
    DB::ColorEntry dragged;
    QVERIFY(decodeChip(*payload, collection, dragged));
    QCOMPARE(collection, DemoWorld::mainCollection());
    QCOMPARE(dragged.id, chip.id);
    QCOMPARE(model.rowId(2, 1), chip.id);
}

void TestMyPalette::gridOffKeepsSelectionFrames()
{
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    model.select({0, 0}, Qt::NoModifier);
    const MyPaletteLayout &layout = panel.paletteLayout();
    const QRect selected = layout.cellRect({0, 0});
    const QRect other = layout.cellRect({3, 2});
    const QPoint framePoint(selected.left() + 1, selected.center().y());
    const QPoint outlinePoint(other.left(), other.center().y());

    QImage image = rendered(panel);
    QCOMPARE(pixel(image, outlinePoint), QColor(64, 64, 64));
    QVERIFY(pixel(image, framePoint).lightness() > 200);

    QSignalSpy changed(&panel, &MyPaletteWidget::myPaletteChanged);
    QTest::mouseClick(panel.button(MyPaletteLayout::GridButton), Qt::LeftButton);
    QVERIFY(!panel.button(MyPaletteLayout::GridButton)->isChecked());
    QVERIFY(!model.gridVisible());
    QVERIFY(!Preferences::myPaletteGridVisible());
    image = rendered(panel);
    QCOMPARE(pixel(image, outlinePoint), kBackdrop);
    QVERIFY(pixel(image, framePoint).lightness() > 200);
    QCOMPARE(changed.count(), 0);
}

void TestMyPalette::controlStatesFollowChanges()
{
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    const auto enabled = [&panel] {
        QList<bool> states;
        for (int button = 0; button < MyPaletteLayout::kButtonCount; ++button)
            states.append(panel.button(MyPaletteLayout::Button(button))->isEnabled());
        return states;
    };
    // Zoom, eraser, trash, grid.
    QCOMPARE(enabled(), (QList<bool>{false, false, false, true}));
    QVERIFY(!model.controlStates().exportEnabled);
    const auto mime = chipData(ChipOrigin::ChipView, demoChip(2, 2).id);
    dropAt(panel, mime.get(), {1, 1});
    QCOMPARE(enabled(), (QList<bool>{true, false, true, true}));
    QVERIFY(model.controlStates().exportEnabled);
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier,
                      panel.paletteLayout().cellRect({1, 1}).center());
    QCOMPARE(enabled(), (QList<bool>{true, true, true, true}));
    QTest::mouseClick(panel.button(MyPaletteLayout::EraserButton), Qt::LeftButton);
    QVERIFY(model.isEmpty());
    QCOMPARE(model.selection(), (QList<QPoint>{{1, 1}}));
    QCOMPARE(enabled(), (QList<bool>{false, false, false, true}));
    QVERIFY(!model.controlStates().exportEnabled);
}

void TestMyPalette::clearAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestMyPalette::clearAsksFirst()
{
    QFETCH(bool, yes);
    storeChip({0, 0}, demoChip(2, 1));
    storeChip({4, 3}, demoChip(2, 2));
    Preferences::setMyPaletteSelected(4, 3, true);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    QSignalSpy changed(&panel, &MyPaletteWidget::myPaletteChanged);
    QSignalSpy selectionChanged(&panel, &MyPaletteWidget::myPaletteSelectionChanged);
    QTest::mouseClick(panel.button(MyPaletteLayout::TrashButton), Qt::LeftButton);
    QMessageBox *question = panel.clearQuestion();
    QTRY_VERIFY(question->isVisible());
    QCOMPARE(question->windowTitle(), QStringLiteral("Please confirm"));
    QCOMPARE(question->text(), QStringLiteral("Remove every colour from My Palette?"));
    QCOMPARE(question->defaultButton(), question->button(QMessageBox::Yes));
    QCOMPARE(question->escapeButton(), question->button(QMessageBox::No));
    QVERIFY(!question->iconPixmap().isNull());
    QCOMPARE(model.isEmpty(), false);
    question->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    QVERIFY(!question->isVisible());
    QCOMPARE(model.isEmpty(), yes);
    QCOMPARE(changed.count(), yes ? 1 : 0);
    QCOMPARE(selectionChanged.count(), yes ? 1 : 0);
    QCOMPARE(Preferences::myPaletteEntry(0, 0).namesChip(), !yes);
    // The selection survives a clear.
    QCOMPARE(model.selection(), (QList<QPoint>{{4, 3}}));
    // The same question is asked the next time.
    QCOMPARE(panel.clearQuestion(), question);
}

void TestMyPalette::keyboardFocusCell()
{
    const DB::ColorEntry chip = demoChip(2, 1);
    storeChip({2, 1}, chip);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    panel.activateWindow();
    panel.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    QTRY_VERIFY(panel.hasFocus());
    QCOMPARE(panel.focusCell(), QPoint(0, 0));
    QTest::keyClick(&panel, Qt::Key_Left);
    QTest::keyClick(&panel, Qt::Key_Up);
    QCOMPARE(panel.focusCell(), QPoint(0, 0));
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Down);
    QCOMPARE(panel.focusCell(), QPoint(2, 1));
    for (int step = 0; step < 8; ++step)
        QTest::keyClick(&panel, Qt::Key_Down);
    QCOMPARE(panel.focusCell(), QPoint(2, 3));
    QTest::keyClick(&panel, Qt::Key_Up);
    QTest::keyClick(&panel, Qt::Key_Up);
    QCOMPARE(panel.focusCell(), QPoint(2, 1));
    QVERIFY(panel.accessibleDescription().contains(QStringLiteral("focus on row 2 column 3 ") +
                                                   model.label(2, 1)));

    // Drawn only while the panel has the keyboard focus.
    const QRect cell = panel.paletteLayout().cellRect({2, 1});
    const QPoint corner = cell.topLeft() + QPoint(4, 4);
    QImage image = panel.grab().toImage();
    QVERIFY(image.pixelColor(corner * image.devicePixelRatio()) != DB::chipColor(chip));
    panel.clearFocus();
    QTRY_VERIFY(!panel.hasFocus());
    image = panel.grab().toImage();
    QCOMPARE(image.pixelColor(corner * image.devicePixelRatio()), DB::chipColor(chip));
}

void TestMyPalette::spaceSelectsAndDeleteErases()
{
    storeChip({0, 0}, demoChip(2, 1));
    storeChip({1, 0}, demoChip(2, 2));
    storeChip({2, 0}, demoChip(2, 3));
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    QSignalSpy changed(&panel, &MyPaletteWidget::myPaletteChanged);
    QTest::keyClick(&panel, Qt::Key_Space);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{0, 0}, {2, 0}}));
    QTest::keyClick(&panel, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(&panel, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(model.selection(), (QList<QPoint>{{0, 0}, {2, 0}}));
    QTest::keyClick(&panel, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.rowId(0, 0), qint64(-1));
    QVERIFY(model.rowId(1, 0) > 0);
    QCOMPARE(model.rowId(2, 0), qint64(-1));
    QVERIFY(!Preferences::myPaletteEntry(2, 0).namesChip());
    // Nothing selected is filled any more: Delete does nothing, as the eraser is disabled.
    QTest::keyClick(&panel, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
    QVERIFY(panel.accessibleDescription().contains(QStringLiteral("1 of 24 cells filled")));
}

void TestMyPalette::unreadableStoredCellPaintsEmpty()
{
    const QUuid main = DemoWorld::mainCollection();
    Preferences::setMyPaletteEntry(0, 0, ItemIndex(main, 5, 999999999));
    Preferences::setMyPaletteEntry(1, 0, ItemIndex(QUuid::createUuid(), 5, 7));
    const DB::ColorEntry chip = demoChip(2, 1);
    storeChip({2, 0}, chip);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    const QImage image = rendered(panel);
    for (const QPoint cell : {QPoint(0, 0), QPoint(1, 0)})
        QCOMPARE(pixel(image, panel.paletteLayout().cellRect(cell).center()), kBackdrop);
    QCOMPARE(pixel(image, panel.paletteLayout().cellRect({2, 0}).center()), DB::chipColor(chip));
    // The stored references stay until the cells are changed.
    QCOMPARE(Preferences::myPaletteEntry(0, 0).rowId, qint64(999999999));

    MyPaletteFullWidget full(&model);
    full.resize(kFullSize);
    const QImage large = rendered(full);
    const QColor grey(176, 176, 176);
    QCOMPARE(pixel(large, full.fullLayout().cellRect({0, 0}).center()), grey);
    QCOMPARE(pixel(large, full.fullLayout().cellRect({2, 0}).center()), DB::chipColor(chip));
}

void TestMyPalette::toolTipAndDescription()
{
    const DB::ColorEntry chip = demoChip(4, 2);
    storeChip({3, 0}, chip);
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    QCOMPARE(panel.descriptionEdit()->placeholderText(), QStringLiteral("Describe this palette"));
    QTest::mouseMove(&panel, panel.paletteLayout().cellRect({3, 0}).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().contains(chip.code));
    QTest::mouseMove(&panel, panel.paletteLayout().cellRect({4, 0}).center());
    QTRY_VERIFY(!QToolTip::isVisible());

    QTest::keyClicks(panel.descriptionEdit(), QStringLiteral("Hall & stairs"));
    QCOMPARE(model.description(), QStringLiteral("Hall & stairs"));
    QCOMPARE(Preferences::myPaletteDescription(), QString());
    QTest::keyClick(panel.descriptionEdit(), Qt::Key_Return);
    QCOMPARE(Preferences::myPaletteDescription(), QStringLiteral("Hall & stairs"));
}

void TestMyPalette::fullSliderStoresTheGrey()
{
    MyPaletteModel model;
    model.reload(DemoWorld::mainCollection());
    {
        MyPaletteFullWidget full(&model);
        full.resize(kFullSize);
        QCOMPARE(full.backgroundSlider()->value(), 176);
        QVERIFY(full.backgroundSlider()->invertedAppearance());
        QCOMPARE(full.backgroundSlider()->pageStep(), 10);
        full.backgroundSlider()->setValue(0);
        QCOMPARE(Preferences::myPaletteFullBackgroundColor(), 0);
        const QImage image = rendered(full);
        QCOMPARE(pixel(image, QPoint(10, 590)), QColor(0, 0, 0));
    }
    MyPaletteFullWidget again(&model);
    QCOMPARE(again.backgroundSlider()->value(), 0);
    QSignalSpy back(&again, &MyPaletteFullWidget::backButtonClicked);
    QTest::mouseClick(again.backButton(), Qt::LeftButton);
    QTest::keyClick(&again, Qt::Key_Escape);
    QCOMPARE(back.count(), 2);
}

void TestMyPalette::fullPickAndClear()
{
    const DB::ColorEntry chip = demoChip(3, 3);
    storeChip({1, 2}, chip);
    MyPaletteModel model;
    model.reload(DemoWorld::mainCollection());
    MyPaletteFullWidget full(&model);
    full.resize(kFullSize);
    full.show();
    QVERIFY(QTest::qWaitForWindowExposed(&full));
    const MyPaletteFullLayout &layout = full.fullLayout();
    QTest::mouseClick(&full, Qt::LeftButton, Qt::NoModifier, layout.cellRect({0, 0}).center());
    QCOMPARE(full.pickedColor(), std::nullopt);
    QTest::mouseClick(&full, Qt::LeftButton, Qt::NoModifier, layout.cellRect({1, 2}).center());
    QCOMPARE(full.pickedColor(), std::optional<QColor>(DB::chipColor(chip)));
    QImage image = rendered(full);
    QCOMPARE(pixel(image, layout.cellRect({5, 0}).center()), DB::chipColor(chip));
    QCOMPARE(pixel(image, layout.cellRect({5, 0}).topLeft()), DB::chipColor(chip));
    // Any press brings the cells back.
    QTest::mouseClick(&full, Qt::LeftButton, Qt::NoModifier, QPoint(5, 500));
    QCOMPARE(full.pickedColor(), std::nullopt);
    image = rendered(full);
    QCOMPARE(pixel(image, layout.cellRect({5, 0}).center()), QColor(176, 176, 176));

    // A picked colour does not outlive its chip's palette, nor the view.
    QTest::mouseClick(&full, Qt::LeftButton, Qt::NoModifier, layout.cellRect({1, 2}).center());
    QVERIFY(full.pickedColor());
    model.clear();
    QCOMPARE(full.pickedColor(), std::nullopt);
    storeChip({1, 2}, chip);
    model.reload(DemoWorld::mainCollection());
    QTest::mouseClick(&full, Qt::LeftButton, Qt::NoModifier, layout.cellRect({1, 2}).center());
    QVERIFY(full.pickedColor());
    full.hide();
    QCOMPARE(full.pickedColor(), std::nullopt);
}

void TestMyPalette::fullEmptyCellsShowTheGrey_data()
{
    QTest::addColumn<int>("grey");
    QTest::newRow("black") << 0;
    QTest::newRow("mid") << 128;
    QTest::newRow("white") << 255;
}

// The frame's shadow rings lie outside the grid: an empty cell is the chosen grey, right
// up to its outline.
void TestMyPalette::fullEmptyCellsShowTheGrey()
{
    QFETCH(int, grey);
    Preferences::setMyPaletteFullBackgroundColor(grey);
    MyPaletteModel model;
    model.reload(DemoWorld::mainCollection());
    MyPaletteFullWidget full(&model);
    full.resize(kFullSize);
    const QImage image = rendered(full);
    const QRect cell = full.fullLayout().cellRect({0, 0});
    for (const QPoint &point : {cell.center(), cell.topLeft() + QPoint(1, 1)})
        QCOMPARE(pixel(image, point), QColor(grey, grey, grey));
    const QRect grid = full.fullLayout().grid;
    QVERIFY(pixel(image, grid.topLeft() - QPoint(0, 2)) != QColor(grey, grey, grey));
}

void TestMyPalette::zoomedCellShowsItsTrueColour()
{
    const DB::ColorEntry chip = lightestDemoChip();
    QVERIFY(qGray(DB::chipColor(chip).rgb()) > 230);
    storeChip({2, 1}, chip);
    Preferences::setMyPaletteZoomed(QPoint(2, 1));
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    showPanel(panel);
    const QImage image = rendered(panel);
    const QRect grid = panel.paletteLayout().grid;
    for (const QPoint &point : {grid.topLeft() + QPoint(1, 1), grid.topRight() + QPoint(-1, 1),
                                grid.center() - QPoint(0, grid.height() / 4)})
        QCOMPARE(pixel(image, point), DB::chipColor(chip));
    QCOMPARE(Corvo::zoomLabelColor(DB::chipColor(chip)), QColor(Qt::black));
}

void TestMyPalette::stripButtonsHaveToolTips()
{
    MyPaletteModel model;
    MyPaletteWidget panel(&model);
    QCOMPARE(panel.button(MyPaletteLayout::ZoomButton)->toolTip(),
             QStringLiteral("Show the palette large"));
    QCOMPARE(panel.button(MyPaletteLayout::EraserButton)->toolTip(),
             QStringLiteral("Erase the selected cells"));
    QCOMPARE(panel.button(MyPaletteLayout::TrashButton)->toolTip(),
             QStringLiteral("Clear the palette"));
    QCOMPARE(panel.button(MyPaletteLayout::GridButton)->toolTip(),
             QStringLiteral("Show or hide the cell outlines"));
}

QTEST_MAIN(TestMyPalette)
#include "tst_mypalette.moc"
