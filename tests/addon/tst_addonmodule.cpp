// The add-on's callbacks as the host sees them, and the picker window's export choice.

#include "addon/addoncallbacks.h"
#include "addon/addonmainwindow.h"
#include "addon/addonmodule.h"
#include "addon/hostconnection.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "tests/ui/demoworld.h"
#include "ui/mainwidget.h"
#include "ui/taskbutton.h"

#include <QTest>

using namespace Corvo;

namespace {

int g_residencyRequests = 0;

int32_t countResidency(void *, int32_t)
{
    ++g_residencyRequests;
    return kHostNoError;
}

void connectHostWithResidency()
{
    std::array<unsigned char, HostApi::kServiceTableBytes> table{};
    HostServices services{};
    services.size = sizeof services;
    services.residencyRequest = countResidency;
    std::memcpy(table.data(), &services, sizeof services);
    HostConnection::instance().setServiceTable(table.data());
}

} // namespace

class TestAddOnModule : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        AddOnModule::instance().attach(QStringLiteral("/opt/addon/hueport.archicad.addon.apx"));
        QVERIFY(AddOnModule::instance().resourceModule() != kInvalidResModule);
    }

    void init() { HostConnection::instance().reset(); }

    void refusedBeforeTheServiceTable()
    {
        HostEnvironmentRecord environment{};
        std::memset(&environment, 'x', sizeof environment);
        QCOMPARE(AddOnCallbacks::checkEnvironment(&environment), kAddOnTypeRefused);
        QCOMPARE(environment.addOnName[0], 'x'); // nothing written
        QCOMPARE(AddOnCallbacks::registerInterface(), kHostGeneralError);
        QCOMPARE(AddOnCallbacks::initialize(this), kHostGeneralError);
        QCOMPARE(AddOnCallbacks::freeData(), kHostGeneralError);
    }

    void environmentAndRecord()
    {
        connectHostWithResidency();
        const GSResModule before = RSGetActiveModule();
        HostEnvironmentRecord environment{};
        QCOMPARE(AddOnCallbacks::checkEnvironment(&environment), kAddOnTypeNormal);
        QCOMPARE(QByteArray(environment.addOnName), QByteArray("Velmora Tintwell"));
        QCOMPARE(QByteArray(environment.addOnDescription), QByteArray("Velmora Tintwell"));
        QCOMPARE(RSGetActiveModule(), before);

        unsigned char record[HostApi::kExportRecordBytes];
        std::memset(record, 0xff, sizeof record);
        AddOnCallbacks::fillExportRecord(record);
        QCOMPARE(HostApi::read<uint32_t>(record, 0), 1114113u);
        QCOMPARE(HostApi::read<uint32_t>(record, 40), 17000u);
        QVERIFY(HostApi::read<void *>(record, 8) && HostApi::read<void *>(record, 32));
        QCOMPARE(record[119], 0); // the rest is zeroed
    }

    // Initialise failing on an installation keeps no context: no free-data follows, and
    // the unload must not take that for an abnormal termination.
    void failedInstallationKeepsNoContext()
    {
        std::array<unsigned char, HostApi::kServiceTableBytes> table{};
        HostServices services{};
        services.size = sizeof services;
        services.installMenuHandler = [](void *, int16_t, MenuCommandProc) -> int32_t {
            return kHostNoError;
        };
        services.installNotificationHandler = [](void *, int32_t, NotificationProc) -> int32_t {
            return kHostAttributeNameExists;
        };
        std::memcpy(table.data(), &services, sizeof services);
        HostConnection::instance().setServiceTable(table.data());
        QCOMPARE(AddOnCallbacks::initialize(this), kHostAttributeNameExists);
        QVERIFY(!HostConnection::instance().context());
    }

    // A command for a menu the add-on does not have only asks to stay resident.
    void unknownMenu()
    {
        connectHostWithResidency();
        g_residencyRequests = 0;
        const GSResModule before = RSGetActiveModule();
        const HostMenuParams params{12345, 1};
        QCOMPARE(AddOnCallbacks::menuCommand(&params), kHostNoError);
        QCOMPARE(g_residencyRequests, 1);
        QCOMPARE(RSGetActiveModule(), before);
    }

    void exportChoice()
    {
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        AddOnMainWindow window;
        const QUuid main = DemoWorld::mainCollection();
        QCOMPARE(window.windowTitle(), DB::localizedString(main, "color.palette.caption"));
        QCOMPARE(window.exportButton()->text(),
                 DB::localizedString(main, "archicad.addon.export.button"));
        QCOMPARE(window.mainWidget()->taskButton(MainWidget::kFirstAddedButton),
                 window.exportButton());
        QVERIFY(!window.exportButton()->isEnabled());

        MyPaletteModel *palette = window.mainWidget()->paletteModel();
        DB::ColorEntry first;
        DB::ColorEntry second;
        QCOMPARE(DB::rowAt(main, 1, 1, first), 0);
        QCOMPARE(DB::rowAt(main, 1, 2, second), 0);
        palette->setDropTarget(QPoint(0, 0));
        QVERIFY(palette->dropChip(main, first));
        palette->setDropTarget(QPoint(3, 2));
        QVERIFY(palette->dropChip(main, second));
        QVERIFY(window.exportButton()->isEnabled());
        palette->setDescription("Hallway");
        window.acceptExport(HostExport::PenTable);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.exportKind(), HostExport::PenTable);
        QCOMPARE(window.penSetName(), QString("Hallway"));
        QCOMPARE(window.exportMap().size(), size_t(2));
    }
};

QTEST_MAIN(TestAddOnModule)
#include "tst_addonmodule.moc"
