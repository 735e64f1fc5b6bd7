#include "addon/addonmainwindow.h"

#include "addon/windowicon.h"
#include "engine/db/collectionlookups.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/mainwidget.h"
#include "ui/taskbutton.h"

#include <QAction>
#include <QMenu>

namespace Corvo {

namespace {

constexpr char kKindProperty[] = "ID";

QString text(const QUuid &collection, const char *key)
{
    return DB::localizedString(collection, QString::fromLatin1(key));
}

} // namespace

AddOnMainWindow::AddOnMainWindow(QWidget *parent) : QDialog(parent, addOnWindowFlags())
{
#ifdef Q_OS_WIN
    setAttribute(Qt::WA_NativeWindow);
#endif
    setWindowIcon(windowIcon());
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(MainWidget::kSize);
    m_main = new MainWidget(this);
    m_exportButton = new TaskButton(m_main);
    m_main->addTaskButton(0, m_exportButton);
    createExportMenu();
    collectionChanged(Preferences::uuidOfLastUsedCollection());
    onMyPaletteChanged();
    connect(m_main, &MainWidget::selectedCollectionChanged, this,
            &AddOnMainWindow::collectionChanged);
    connect(m_exportButton, &QPushButton::clicked, this, &AddOnMainWindow::selectColor);
    connect(m_main, &MainWidget::myPaletteChanged, this, &AddOnMainWindow::onMyPaletteChanged);
    connect(m_main, &MainWidget::myPaletteSelectionChanged, this,
            &AddOnMainWindow::onMyPaletteChanged);
}

void AddOnMainWindow::createExportMenu()
{
    m_menu = new QMenu(this);
    m_materialsAction = m_menu->addAction(QStringLiteral("Item1"));
    m_materialsAction->setProperty(kKindProperty, int(HostExport::Materials));
    m_penSetAction = m_menu->addAction(QStringLiteral("Item2"));
    m_penSetAction->setProperty(kKindProperty, int(HostExport::PenTable));
}

void AddOnMainWindow::collectionChanged(const QUuid &collection)
{
    setWindowTitle(text(collection, "color.palette.caption"));
    m_exportButton->setText(text(collection, "archicad.addon.export.button"));
    m_materialsAction->setText(text(collection, "archicad.addon.export.as.material"));
    m_penSetAction->setText(text(collection, "archicad.addon.export.as.penset"));
}

void AddOnMainWindow::onMyPaletteChanged()
{
    m_exportButton->setEnabled(!m_main->paletteModel()->isEmpty());
}

void AddOnMainWindow::selectColor()
{
    const QAction *chosen =
        m_menu->exec(m_exportButton->mapToGlobal(m_exportButton->rect().bottomLeft()));
    if (!chosen)
        return;
    acceptExport(HostExport::Kind(chosen->property(kKindProperty).toInt()));
}

bool AddOnMainWindow::acceptExport(HostExport::Kind kind)
{
    const MyPaletteModel *palette = m_main->paletteModel();
    if (palette->isEmpty())
        return false;
    m_penSetName = palette->description();
    m_exportKind = kind;
    m_exportMap = buildExportMap(palette->cells(), CollectionSettings::appendProductCode(
                                                       Preferences::uuidOfLastUsedCollection()));
    accept();
    return true;
}

} // namespace Corvo
