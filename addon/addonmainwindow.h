#pragma once

#include "addon/exportmap.h"
#include "addon/hostexport.h"

#include <QDialog>
#include <QUuid>

class QAction;
class QMenu;

namespace Corvo {

class MainWidget;
class TaskButton;

// The colour-picker window the menu command opens: the main widget, and the export
// button whose menu hands the palette to the host as materials or as a pen table.
class AddOnMainWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AddOnMainWindow(QWidget *parent = nullptr);

    MainWidget *mainWidget() const { return m_main; }
    TaskButton *exportButton() const { return m_exportButton; }
    QMenu *exportMenu() const { return m_menu; }

    // What the user chose; valid once the window was accepted.
    HostExport::Kind exportKind() const { return m_exportKind; }
    const ExportMap &exportMap() const { return m_exportMap; }
    QString penSetName() const { return m_penSetName; }

    // Takes the palette as it is now for the export and closes the window as accepted.
    // False, and nothing done, for an empty palette (the export button is disabled then).
    bool acceptExport(HostExport::Kind kind);

public slots:
    void collectionChanged(const QUuid &collection);
    void selectColor();
    void onMyPaletteChanged();

private:
    void createExportMenu();

    MainWidget *m_main = nullptr;
    TaskButton *m_exportButton = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_materialsAction = nullptr;
    QAction *m_penSetAction = nullptr;
    HostExport::Kind m_exportKind = HostExport::None;
    ExportMap m_exportMap;
    QString m_penSetName;
};

} // namespace Corvo
