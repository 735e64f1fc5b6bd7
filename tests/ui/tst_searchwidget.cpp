#include "demoworld.h"
#include "fixturefiles.h"

#include "ui/rollbutton.h"
#include "ui/searchlayout.h"
#include "ui/searchwidget.h"
#include "ui/touppercasevalidator.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Corvo::SearchLayout;
using Corvo::SearchWidget;

namespace {

// Three names that start alike, a card name and two codes; name column 0 is searched.
const QUuid kNamedDeck(QStringLiteral("{7e2a0b20-0000-4000-8000-0000000000b1}"));
// No cards, no images: no suggestions and no roll buttons to show.
const QUuid kEmptyDeck(QStringLiteral("{7e2a0b20-0000-4000-8000-0000000000b2}"));
const QUuid kLargeDeck(QStringLiteral("{7e2a0b20-0000-4000-8000-0000000000b3}"));

bool addNamedDeck(Tintwell::CollectionFileWriter &w)
{
    const qint64 id = 31;
    Tintwell::PageFields page;
    page.pageIndex = 1;
    page.names = {QStringLiteral("Seaside")};
    const auto pageId = w.addPage(id, page);
    if (!pageId || !w.addSettingList(id, QStringLiteral("row.name.search.order"), {"0"}) ||
        !w.addSettingList(id, QStringLiteral("page.name.search.order"), {"0"}))
        return false;
    const QStringList names{"Bluebell", "Blue Lagoon", "Blue Grey", "\u0130zmir Teal"};
    for (int i = 0; i < names.size(); ++i) {
        Tintwell::RowFields row;
        row.pageId = *pageId;
        row.rowIndex = i + 1;
        row.code = QStringLiteral("S-%1").arg(i + 1);
        row.names = {names.at(i)};
        if (!w.addRow(id, row))
            return false;
    }
    return true;
}

bool writeSearchFixture(const QString &path)
{
    return FixtureFiles::writeCollectionFile(
        path,
        {FixtureFiles::collection(31, kNamedDeck.toString(), QStringLiteral("SEARCHA"), 31),
         FixtureFiles::collection(32, kEmptyDeck.toString(), QStringLiteral("SEARCHB"), 32)},
        false, addNamedDeck);
}

// 100,000 codes C00000 to C99999 on one card, written by one statement: row by row takes
// longer than everything else the suite does.
bool writeLargeFixture(const QString &path)
{
    return FixtureFiles::writeCollectionFile(
        path, {FixtureFiles::collection(41, kLargeDeck.toString(), QStringLiteral("LARGE"), 41)},
        false, [](Tintwell::CollectionFileWriter &w) {
            Tintwell::PageFields page;
            page.pageIndex = 1;
            const auto pageId = w.addPage(41, page);
            return pageId &&
                   w.exec(QStringLiteral(
                              "WITH RECURSIVE N(I) AS (SELECT 0 UNION ALL SELECT I + 1 FROM N "
                              "WHERE I < 99999) "
                              "INSERT INTO \"ROW\" (COLLECTION_ID, PAGE_ID, ROW_INDEX, CODE, "
                              "SEGMENT, RED, GREEN, BLUE, L, A, B, NEUTRAL, WHITE, MOOD, "
                              "SCHEME_POS, NSCHEME_POS) "
                              "SELECT 41, ?, I + 1, printf('C%05d', I), 1, 0, 0, 0, 0, 0, 0, 0, "
                              "0, 0, 0, 0 FROM N"),
                          {*pageId});
        });
}

void showActive(QWidget &widget)
{
    widget.show();
    widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&widget));
}

} // namespace

class TestSearchWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void validator_data();
    void validator();
    void layout_data();
    void layout();
    void typingShowsUpperCaseAndCompletes();
    void escapeClearsWithoutSearching();
    void returnSearchesTheTrimmedPhrase_data();
    void returnSearchesTheTrimmedPhrase();
    void completerFollowsTheCollection();
    void largeSuggestionListCompletes();
    void rollButtons();
    void rollButtonRepeatsWhileHeld();
    void backgroundUnderTheEdit();
    void unknownCollection();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestSearchWidget::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeSearchFixture(m_world->environment().collectionFile(QStringLiteral("search.db"))));
    TestEnvironment::resetCatalogue();
}

void TestSearchWidget::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(kNamedDeck);
}

void TestSearchWidget::validator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("newPos");
    QTest::newRow("lower case") << "blue" << 4 << "BLUE" << 4;
    QTest::newRow("cursor inside") << "ab" << 1 << "AB" << 1;
    QTest::newRow("letter that grows") << "stra\u00dfe" << 6 << "STRASSE" << 7;
    QTest::newRow("cursor behind a growing letter") << "a\u00dfb" << 2 << "ASSB" << 3;
    QTest::newRow("cursor beyond the end") << "ab" << 9 << "AB" << 2;
    QTest::newRow("empty") << "" << 0 << "" << 0;
}

void TestSearchWidget::validator()
{
    QFETCH(QString, input);
    QFETCH(int, pos);
    QFETCH(QString, output);
    QFETCH(int, newPos);
    Corvo::ToUpperCaseValidator validator;
    QCOMPARE(validator.validate(input, pos), QValidator::Acceptable);
    QCOMPARE(input, output);
    QCOMPARE(pos, newPos);
}

void TestSearchWidget::layout_data()
{
    QTest::addColumn<QSize>("magnifier");
    QTest::addColumn<QSize>("button");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QRect>("magnifierRect");
    QTest::addColumn<QRect>("backward");
    QTest::addColumn<QRect>("forward");
    QTest::addColumn<QRect>("edit");
    QTest::addColumn<QRect>("frame");
    QTest::newRow("demo sizes") << QSize(16, 16) << QSize(22, 22) << 14 << QRect(7, 5, 16, 16)
                                << QRect(166, 2, 22, 22) << QRect(188, 2, 22, 22)
                                << QRect(25, 6, 126, 14) << QRect(0, 0, 157, 26);
    QTest::newRow("odd sizes") << QSize(15, 13) << QSize(21, 23) << 15 << QRect(7, 6, 15, 13)
                               << QRect(168, 1, 21, 23) << QRect(189, 1, 21, 23)
                               << QRect(24, 5, 129, 15) << QRect(0, 0, 159, 26);
    QTest::newRow("no images") << QSize(0, 0) << QSize(0, 0) << 14 << QRect(7, 13, 0, 0)
                               << QRect(210, 13, 0, 0) << QRect(210, 13, 0, 0)
                               << QRect(9, 6, 186, 14) << QRect(0, 0, 201, 26);
    QTest::newRow("line taller than the bar")
        << QSize(16, 16) << QSize(22, 22) << 40 << QRect(7, 5, 16, 16) << QRect(166, 2, 22, 22)
        << QRect(188, 2, 22, 22) << QRect(25, 0, 126, 26) << QRect(0, 0, 157, 26);
}

void TestSearchWidget::layout()
{
    QFETCH(QSize, magnifier);
    QFETCH(QSize, button);
    QFETCH(int, lineHeight);
    QFETCH(QRect, magnifierRect);
    QFETCH(QRect, backward);
    QFETCH(QRect, forward);
    QFETCH(QRect, edit);
    QFETCH(QRect, frame);
    const SearchLayout layout(Corvo::kSearchWidgetSize, magnifier, button, button, lineHeight);
    QCOMPARE(layout.magnifier(), magnifierRect);
    QCOMPARE(layout.backwardButton(), backward);
    QCOMPARE(layout.forwardButton(), forward);
    QCOMPARE(layout.lineEdit(), edit);
    QCOMPARE(layout.frame(), frame);
}

void TestSearchWidget::typingShowsUpperCaseAndCompletes()
{
    SearchWidget widget;
    showActive(widget);
    QLineEdit *edit = widget.lineEdit();
    edit->setFocus(Qt::TabFocusReason);
    // "Blue Grey" sorts first of the three names that start so.
    QTest::keyClicks(edit, QStringLiteral("blue"));
    QCOMPARE(edit->text(), QStringLiteral("BLUE GREY"));
    QCOMPARE(edit->selectedText(), QStringLiteral(" GREY"));
    QTest::keyClicks(edit, QStringLiteral("b"));
    QCOMPARE(edit->text(), QStringLiteral("BLUEBELL"));
    // A letter whose folding differs from its upper case still completes.
    edit->clear();
    QKeyEvent dottedI(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u0130"));
    QApplication::sendEvent(edit, &dottedI);
    QTest::keyClicks(edit, QStringLiteral("z"));
    QCOMPARE(edit->text(), QStringLiteral("\u0130ZMIR TEAL"));

    DemoWorld::makeCurrent(kEmptyDeck);
    widget.selectedCollectionChanged(kEmptyDeck);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("blue"));
    QCOMPARE(edit->text(), QStringLiteral("BLUE"));
}

void TestSearchWidget::escapeClearsWithoutSearching()
{
    SearchWidget widget;
    QLineEdit *edit = widget.lineEdit();
    QVERIFY(edit->font().italic());
    showActive(widget);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(!edit->font().italic());
    QSignalSpy searched(&widget, &SearchWidget::searchForPhrase);
    QTest::keyClicks(edit, QStringLiteral("xyz"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QString());
    QCOMPARE(searched.count(), 0);
    QVERIFY(widget.hasFocus());
    QVERIFY(edit->font().italic());
}

void TestSearchWidget::returnSearchesTheTrimmedPhrase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("blanks around") << "  sea x  "
                                   << "SEA X";
    QTest::newRow("the inline completion") << "blue l"
                                           << "BLUE LAGOON";
    QTest::newRow("nothing typed") << ""
                                   << "";
}

void TestSearchWidget::returnSearchesTheTrimmedPhrase()
{
    QFETCH(QString, typed);
    QFETCH(QString, phrase);
    SearchWidget widget;
    showActive(widget);
    QLineEdit *edit = widget.lineEdit();
    edit->setFocus(Qt::TabFocusReason);
    QSignalSpy searched(&widget, &SearchWidget::searchForPhrase);
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(searched.count(), 1);
    QCOMPARE(searched.at(0).at(0).toString(), phrase);
    QCOMPARE(edit->text(), QString());
    QVERIFY(widget.hasFocus());
}

void TestSearchWidget::completerFollowsTheCollection()
{
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    SearchWidget widget;
    QLineEdit *edit = widget.lineEdit();
    QPointer<QCompleter> demo = edit->completer();
    QVERIFY(demo);
    QCOMPARE(demo->completionMode(), QCompleter::InlineCompletion);
    QCOMPARE(demo->caseSensitivity(), Qt::CaseInsensitive);
    QCOMPARE(edit->placeholderText(), QStringLiteral("Name or code"));
    QCOMPARE(edit->accessibleName(), edit->placeholderText());
    QVERIFY(!widget.accessibleName().isEmpty());

    DemoWorld::makeCurrent(kNamedDeck);
    widget.selectedCollectionChanged(kNamedDeck);
    QVERIFY(!demo);
    QVERIFY(edit->completer());
    QCOMPARE(edit->completer()->model()->rowCount(), 9);

    DemoWorld::makeCurrent(kEmptyDeck);
    widget.selectedCollectionChanged(kEmptyDeck);
    QVERIFY(!edit->completer());
    QVERIFY(widget.findChildren<QCompleter *>().isEmpty());
}

void TestSearchWidget::largeSuggestionListCompletes()
{
    QVERIFY(writeLargeFixture(m_world->environment().collectionFile(QStringLiteral("large.db"))));
    TestEnvironment::resetCatalogue();
    DemoWorld::makeCurrent(kLargeDeck);
    SearchWidget widget;
    showActive(widget);
    QLineEdit *edit = widget.lineEdit();
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->completer());
    QCOMPARE(edit->completer()->model()->rowCount(), 100000);
    QTest::keyClicks(edit, QStringLiteral("c0999"));
    QCOMPARE(edit->text(), QStringLiteral("C09990"));
    QTest::keyClicks(edit, QStringLiteral("7"));
    QCOMPARE(edit->text(), QStringLiteral("C09997"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("9"));
    QCOMPARE(edit->text(), QStringLiteral("C09999"));
}

void TestSearchWidget::rollButtons()
{
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    SearchWidget widget;
    auto *backward = widget.findChild<Corvo::RollButton *>(QStringLiteral("rollBackwardButton"));
    auto *forward = widget.findChild<Corvo::RollButton *>(QStringLiteral("rollForwardButton"));
    QVERIFY(backward && forward);
    QCOMPARE(forward->geometry().right(), widget.width() - 1);
    QCOMPARE(backward->geometry().right() + 1, forward->geometry().left());
    QSignalSpy rolled(&widget, &SearchWidget::roll);
    QTest::mouseClick(forward, Qt::LeftButton);
    QTest::mouseClick(backward, Qt::LeftButton);
    QCOMPARE(rolled.count(), 2);
    QCOMPARE(rolled.at(0).at(0).value<Corvo::Direction>(), Corvo::Forward);
    QCOMPARE(rolled.at(1).at(0).value<Corvo::Direction>(), Corvo::Backward);

    // The buttons follow the collection: this one has no roll images.
    DemoWorld::makeCurrent(kEmptyDeck);
    widget.selectedCollectionChanged(kEmptyDeck);
    QCOMPARE(forward->size(), QSize(0, 0));
    QCOMPARE(widget.searchLayout().lineEdit().right(), widget.width() - 16);
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    widget.selectedCollectionChanged(DemoWorld::mainCollection());
    QCOMPARE(forward->size(), QSize(22, 22));
    QCOMPARE(widget.searchLayout().forwardButton(), forward->geometry());
}

void TestSearchWidget::rollButtonRepeatsWhileHeld()
{
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    SearchWidget widget;
    showActive(widget);
    auto *backward = widget.findChild<Corvo::RollButton *>(QStringLiteral("rollBackwardButton"));
    QSignalSpy rolled(&widget, &SearchWidget::roll);
    QTest::mousePress(backward, Qt::LeftButton);
    QTRY_VERIFY(rolled.count() >= 3);
    QTest::mouseRelease(backward, Qt::LeftButton);
    for (const QList<QVariant> &arguments : rolled)
        QCOMPARE(arguments.at(0).value<Corvo::Direction>(), Corvo::Backward);
}

// The edit's brushes are the part of the given background under the edit.
void TestSearchWidget::backgroundUnderTheEdit()
{
    SearchWidget widget;
    QImage background(Corvo::kSearchWidgetSize, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.setPixel(x, y, qRgb(x, y * 8, 0));
    widget.setBackground(QPixmap::fromImage(background));
    const QRect edit = widget.searchLayout().lineEdit();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) {
        const QImage texture = widget.lineEdit()->palette().brush(role).textureImage();
        QCOMPARE(texture.size(), edit.size());
        QCOMPARE(QColor(texture.pixel(0, 0)), QColor(edit.x(), edit.y() * 8, 0));
    }
    QCOMPARE(widget.lineEdit()->palette().color(QPalette::Text), QColor(Qt::white));
}

void TestSearchWidget::unknownCollection()
{
    SearchWidget widget;
    widget.selectedCollectionChanged(QUuid::createUuid());
    QVERIFY(!widget.lineEdit()->completer());
    QVERIFY(!widget.grab().isNull());
    QCOMPARE(widget.size(), Corvo::kSearchWidgetSize);
}

QTEST_MAIN(TestSearchWidget)
#include "tst_searchwidget.moc"
