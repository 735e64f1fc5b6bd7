// The about window and the window icon, on the demo collection.

#include "addon/aboutbox.h"
#include "addon/windowicon.h"
#include "engine/db/collectionlookups.h"
#include "tests/ui/demoworld.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

using namespace Corvo;

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        // Start-up registers the compiled-in pictures; the test does the same.
        Q_INIT_RESOURCE(addon_icons);
    }

    void versionText_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("expected");
        QTest::newRow("from the menu") << QString() << "Version 4.0.0 (64bit)";
        QTest::newRow("with an engine") << "Tintwell 2"
                                        << "Tintwell 2 (engine 4.0.0) (64bit)";
    }

    void versionText()
    {
        QFETCH(QString, engine);
        QFETCH(QString, expected);
        QCOMPARE(AboutBox::versionText(engine, "Version"), expected);
    }

    void windowIcon()
    {
        const QIcon icon = Corvo::windowIcon();
        QCOMPARE(icon.availableSizes().size(), 4);
        for (const int size : {16, 32, 48, 64})
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
    }

    void window()
    {
        AboutBox box;
        QCOMPARE(box.size(), QSize(AboutBox::kWidth, AboutBox::kHeight));
        QCOMPARE(box.windowTitle(),
                 DB::localizedString(DemoWorld::mainCollection(), "aboutbox.caption"));
        QVERIFY(!box.windowTitle().isEmpty());
        QCOMPARE(box.windowModality(), Qt::ApplicationModal);
        QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                       Qt::WindowContextHelpButtonHint)));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(box.x(), screen.x() + (screen.width() - box.width()) / 2);
        QCOMPARE(box.y(), screen.y() + screen.height() / 3);

        const auto buttons = box.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->width(), buttons[1]->width());
        QVERIFY(buttons[1]->isDefault());
        QVERIFY(!buttons[0]->autoDefault() && !buttons[1]->autoDefault());
        const QTextEdit *license = box.findChild<QTextEdit *>();
        QVERIFY(license->isReadOnly());
        QVERIFY(!license->toPlainText().isEmpty());
        // Every child lies inside the window, none over another one's text.
        for (const QWidget *child : box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(box.rect().contains(child->geometry()), qPrintable(child->objectName()));
        QVERIFY(!license->geometry().intersects(buttons[0]->geometry()));

        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
