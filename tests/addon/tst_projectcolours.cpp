// The project colours window over a real project store behind the service table: its rows
// and verdicts, the actions, a host that refuses a change, an empty project, an older host.

#include "addon/hostconnection.h"
#include "addon/projectcolouroutputs.h"
#include "addon/projectcolourswindow.h"
#include "addon/projectcolourtexts.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/preferences.h"
#include "host/runner/attributeenumeration.h"
#include "host/runner/projectseed.h"
#include "tests/ui/demoworld.h"
#include "ui/taskbutton.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

using namespace Corvo;
using HostRunner::ProjectStore;

namespace {

ProjectStore *g_project = nullptr;
// The name whose modification the host refuses.
std::string g_refusedName;

int32_t getAttribute(void *, void *record)
{
    return g_project->getAttribute(record);
}
int32_t modifyAttribute(void *, void *record, void *definition)
{
    const std::string name(HostApi::textField(record, HostApi::kAttributeNameOffset));
    return name == g_refusedName ? kHostGeneralError
                                 : g_project->modifyAttribute(record, definition);
}
int32_t attributeCount(void *, int32_t type, int32_t *count)
{
    return HostRunner::AttributeEnumeration::count(*g_project, type, count);
}
int32_t attributeByIndex(void *, int32_t type, int32_t index, void *record, void *definition)
{
    return HostRunner::AttributeEnumeration::get(*g_project, type, index, record, definition);
}

void connectHost(ProjectStore &project, uint32_t version = kHostServicesVersion)
{
    g_project = &project;
    std::array<unsigned char, HostApi::kServiceTableBytes> table{};
    HostServices services{};
    services.size = sizeof services;
    services.version = version;
    services.getAttribute = getAttribute;
    services.modifyAttribute = modifyAttribute;
    if (version >= kHostServicesWithAttributeList) {
        services.getAttributeCount = attributeCount;
        services.getAttributeByIndex = attributeByIndex;
    }
    std::memcpy(table.data(), &services, sizeof services);
    HostConnection::instance().setServiceTable(table.data());
}

QString rgbText(const QColor &colour)
{
    return QStringLiteral("%1,%2,%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QColor chipColour(int page, int row)
{
    DB::ColorEntry entry;
    DB::rowAt(DemoWorld::mainCollection(), page, row, entry);
    return DB::chipColor(entry);
}

} // namespace

class TestProjectColours : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;
    ProjectStore m_project;

    void seed()
    {
        m_project = ProjectStore();
        std::string error;
        const QColor chip = chipColour(7, 1);
        const QColor off(qMin(255, chip.red() + 2), chip.green(), chip.blue());
        QVERIFY(HostRunner::ProjectSeed::addMaterial(m_project, "Exact",
                                                     rgbText(chip).toStdString(), error));
        QVERIFY(HostRunner::ProjectSeed::addMaterial(m_project, "Off", rgbText(off).toStdString(),
                                                     error));
        QVERIFY(HostRunner::ProjectSeed::addMaterial(m_project, "Neon", "0,255,0", error));
        QVERIFY(HostRunner::ProjectSeed::addPens(m_project, "Pens",
                                                 "0,255,0;" + rgbText(chip).toStdString(), error));
        connectHost(m_project);
    }

    std::unique_ptr<ProjectColoursWindow> openWindow()
    {
        const auto attributes = ProjectAttributes::read();
        return attributes ? std::make_unique<ProjectColoursWindow>(*attributes) : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
    }

    void init()
    {
        HostConnection::instance().reset();
        g_refusedName.clear();
    }

    void verdicts_data()
    {
        QTest::addColumn<double>("deltaE");
        QTest::addColumn<QList<double>>("limits");
        QTest::addColumn<int>("verdict");
        const QList<double> defaults{0.5, 2.0, 5.0};
        QTest::newRow("zero") << 0.0 << defaults << int(ColourVerdict::Exact);
        QTest::newRow("just below exact") << 0.49 << defaults << int(ColourVerdict::Exact);
        QTest::newRow("at the exact limit") << 0.5 << defaults << int(ColourVerdict::Close);
        QTest::newRow("at the close limit") << 2.0 << defaults << int(ColourVerdict::Near);
        QTest::newRow("just below near") << 4.99 << defaults << int(ColourVerdict::Near);
        QTest::newRow("at the near limit") << 5.0 << defaults << int(ColourVerdict::NoPaintColour);
        QTest::newRow("own limits") << 1.0 << QList<double>{1.5, 3, 8} << int(ColourVerdict::Exact);
    }

    void verdicts()
    {
        QFETCH(double, deltaE);
        QFETCH(QList<double>, limits);
        QFETCH(int, verdict);
        QCOMPARE(int(verdictFor(deltaE, limits)), verdict);
    }

    // Materials first, then the pens; the white filler pens are left out.
    void rows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("verdict");
        QTest::newRow("exact") << 0 << "Exact" << 0 << int(ColourVerdict::Exact);
        QTest::newRow("off by two") << 1 << "Off" << 0 << int(ColourVerdict::Close);
        QTest::newRow("neon") << 2 << "Neon" << 0 << int(ColourVerdict::NoPaintColour);
        QTest::newRow("neon pen") << 3 << "Pens, pen 1" << 1 << int(ColourVerdict::NoPaintColour);
        QTest::newRow("exact pen") << 4 << "Pens, pen 2" << 1 << int(ColourVerdict::Exact);
    }

    void rows()
    {
        seed();
        const auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->table()->rowCount(), 5);
        QFETCH(int, row);
        const ProjectColourRow &line = window->table()->row(row);
        QTEST(ProjectColourTexts::attributeName(line.attribute), "name");
        // The name column cuts long names: the tool tip has it in full.
        QTEST(window->table()->index(row, 0).data(Qt::ToolTipRole).toString(), "name");
        QTEST(int(line.attribute.kind), "kind");
        QTEST(int(line.match.verdict), "verdict");
        QVERIFY(line.match.found());
        QCOMPARE(window->footerText(),
                 QStringLiteral("Exact: 2 · Close: 1 · Near: 0 · No paint colour: 2"));
    }

    void filters()
    {
        seed();
        const auto window = openWindow();
        QAbstractItemModel *shown = window->view()->model();
        window->verdictBox()->setCurrentIndex(1 + int(ColourVerdict::NoPaintColour));
        QCOMPARE(shown->rowCount(), 2);
        window->verdictBox()->setCurrentIndex(0);
        window->nameFilter()->setText("pens");
        QCOMPARE(shown->rowCount(), 2);
        // A ticked row the filter hides is out of reach of the actions.
        window->tickVerdicts({ColourVerdict::Close});
        QVERIFY(!window->findChild<TaskButton *>()->isEnabled());
        window->makeExact();
        QCOMPARE(window->table()->row(1).state, ProjectColourRow::State::Unchanged);
        window->tickVerdicts({});
        window->nameFilter()->clear();
        window->view()->sortByColumn(ProjectColourTableModel::DeltaE, Qt::DescendingOrder);
        QCOMPARE(shown->index(0, 0).data().toString(), QStringLiteral("Neon"));
        // One collection only: every row is matched against it.
        window->scopeBox()->setCurrentIndex(2);
        for (const ProjectColourRow &row : window->table()->rows())
            QCOMPARE(row.match.collection, DemoWorld::lustrelCollection());
    }

    // As a person does it: a click on the tick of the close row, then on "Make exact".
    void tickAndMakeExactByMouse()
    {
        seed();
        const auto window = openWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(!window->makeExactButton()->isEnabled());
        QTableView *view = window->view();
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(view->model()->index(1, ProjectColourTableModel::Attribute));
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect tick =
            view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, tick.center());
        QVERIFY(window->table()->row(1).ticked);
        QVERIFY(window->makeExactButton()->isEnabled());
        QTest::mouseClick(window->makeExactButton(), Qt::LeftButton);
        QCOMPARE(window->statusText(), QStringLiteral("1 row changed"));
        QCOMPARE(window->table()->row(1).match.verdict, ColourVerdict::Exact);
        QCOMPARE(m_project.materials()[1].surface, m_project.materials()[0].surface);
        QVERIFY(!window->makeExactButton()->isEnabled());
    }

    // The host refuses Off: that row stays as it was, marked; the others change.
    void refusedChange()
    {
        seed();
        g_refusedName = "Off";
        const auto window = openWindow();
        window->tickVerdicts({ColourVerdict::Exact, ColourVerdict::Close});
        window->makeExact();
        const ProjectColourRow &off = window->table()->row(1);
        QCOMPARE(off.state, ProjectColourRow::State::Failed);
        QCOMPARE(off.match.verdict, ColourVerdict::Close);
        QVERIFY(window->table()->index(1, 0).data(Qt::ToolTipRole).toString().startsWith("Off\n"));
        QCOMPARE(window->table()->row(0).state, ProjectColourRow::State::Changed);
        QCOMPARE(window->table()->row(4).state, ProjectColourRow::State::Changed);
        QCOMPARE(window->statusText(),
                 QStringLiteral("2 rows changed · 1 row could not be changed"));
        // A screen reader reads the status itself, not what the label is for.
        const auto labels = window->findChildren<QLabel *>();
        const auto status = std::find_if(labels.begin(), labels.end(), [&](QLabel *label) {
            return label->text() == window->statusText();
        });
        QVERIFY(status != labels.end());
        QCOMPARE(QAccessible::queryAccessibleInterface(*status)->text(QAccessible::Name),
                 window->statusText());
        QCOMPARE(m_project.materials()[1].name, std::string("Off"));
        QVERIFY(m_project.materials()[1].surface != m_project.materials()[0].surface);
    }

    // Space ticks and unticks the current row from any of its cells.
    void keyboardTicks()
    {
        seed();
        const auto window = openWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTableView *view = window->view();
        view->setFocus();
        view->setCurrentIndex(view->model()->index(1, ProjectColourTableModel::Verdict));
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(window->table()->row(1).ticked);
        QVERIFY(window->findChild<TaskButton *>()->isEnabled());
        view->setCurrentIndex(view->model()->index(1, ProjectColourTableModel::Attribute));
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(!window->table()->row(1).ticked);
    }

    void emptyProject()
    {
        ProjectStore empty;
        connectHost(empty);
        const auto window = openWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(!window->view()->isVisible());
        const auto labels = window->findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
            return label->isVisible() &&
                   label->text() == ProjectColourTexts::text("project.colors.empty");
        }));
    }

    void olderHost()
    {
        ProjectStore project;
        connectHost(project, 1);
        QVERIFY(!HostConnection::instance().listsAttributes());
        QVERIFY(!ProjectAttributes::read());
        int32_t count = 7;
        QCOMPARE(HostConnection::instance().attributeCount(kAttributeMaterial, count),
                 kHostServiceMissing);
        QCOMPARE(count, 0);
    }

    // The chips go into the empty cells in row order; a full palette says how many were left.
    void addToPalette()
    {
        seed();
        const auto window = openWindow();
        QList<ProjectColourRow> rows = window->table()->rows();
        QCOMPARE(ProjectColourOutputs::addToPalette(rows), 0);
        QCOMPARE(Preferences::myPaletteEntry(0, 0).rowId, rows[0].match.entry.id);
        QVERIFY(Preferences::myPaletteEntry(1, 0).rowId > 0);
        for (int cell = 0; cell < 24; ++cell)
            Preferences::setMyPaletteEntry(cell % 6, cell / 6, Preferences::myPaletteEntry(0, 0));
        QCOMPARE(ProjectColourOutputs::addToPalette(rows.mid(0, 2)), 1);
    }

    void schedule()
    {
        seed();
        const auto window = openWindow();
        const QList<QByteArray> lines =
            ProjectColourOutputs::schedule(window->table()->rows().mid(0, 2)).split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, the final line end
        QVERIFY(lines[0].startsWith(
            "\xEF\xBB\xBF"
            "Attribute,Kind,Attribute hex,Delta E 2000,Verdict,Collection,Card,Code"));
        QVERIFY2(lines[2].startsWith("Off,Surface,#"), lines[2].constData());
        QVERIFY(lines[2].contains(",Close,Velmora Colour Collection,"));
    }
};

QTEST_MAIN(TestProjectColours)
#include "tst_projectcolours.moc"
