#include "addon/commanddispatch.h"

#include "addon/aboutbox.h"
#include "addon/addonmainwindow.h"
#include "addon/addonresources.h"
#include "addon/applicationskeleton.h"
#include "addon/hostconnection.h"
#include "addon/hostexport.h"
#include "addon/projectcolourswindow.h"
#include "addon/windowautomation.h"
#include "platform/platform.h"

#include <memory>

namespace Corvo::CommandDispatch {

namespace {

// What the picker window hands over when the user chose an export.
struct ExportChoice
{
    HostExport::Kind kind = HostExport::None;
    ExportMap map;
    QString penSetName;
};

// Shows the window parented to the desktop and waits in a nested event loop until it
// closes; the host's own call does not return meanwhile.
void runModal(QDialog &window)
{
    Platform::parentToDesktop(&window);
    window.exec();
}

ExportChoice runPicker()
{
    ExportChoice choice;
    AddOnMainWindow window;
    if (const auto kind = HostExport::Kind(WindowAutomation::requestedExport()))
        WindowAutomation::armFor(&window, [&window, kind] {
            if (!window.acceptExport(kind)) {
                qWarning("The palette is empty: nothing to export");
                window.close();
            }
        });
    else
        WindowAutomation::armFor(&window);
    runModal(window);
    if (window.result() == QDialog::Accepted && window.exportKind() != HostExport::None)
        choice = {window.exportKind(), window.exportMap(), window.penSetName()};
    return choice;
}

// The project colours window, when the host can list the project's attributes.
void runProjectColours()
{
    const auto attributes = ProjectAttributes::read();
    if (!attributes)
        return;
    ProjectColoursWindow window(*attributes);
    if (const auto verdicts = WindowAutomation::requestedVerdicts()) {
        WindowAutomation::armFor(&window, [&window, verdicts] {
            QList<ColourVerdict> ticked;
            for (const int verdict : *verdicts)
                ticked.append(ColourVerdict(verdict));
            window.tickVerdicts(ticked);
            window.makeExact();
            window.close();
        });
    } else {
        WindowAutomation::armFor(&window);
    }
    runModal(window);
}

void runAbout()
{
    AboutBox window;
    WindowAutomation::armFor(&window);
    runModal(window);
}

void performExport(const ExportChoice &choice)
{
    if (choice.kind == HostExport::Materials)
        HostExport::createMaterials(choice.map, HostExport::materialPrefix());
    else if (choice.kind == HostExport::PenTable)
        HostExport::createPenTable(choice.map, choice.penSetName, HostExport::materialPrefix(),
                                   HostExport::defaultPenSetName());
}

} // namespace

void run(int16_t menuResId)
{
    if (menuResId != AddOnResources::kPickerMenu && menuResId != AddOnResources::kAboutMenu &&
        menuResId != AddOnResources::kProjectColoursMenu)
        return;
    void *hostWindow = HostConnection::instance().mainWindow();
    Platform::setHostWindowEnabled(hostWindow, false);
    ExportChoice choice;
    {
        // A fresh application object per command; nothing of it outlives the window.
        const auto application = std::make_unique<ApplicationSkeleton>();
        if (menuResId == AddOnResources::kPickerMenu)
            choice = runPicker();
        else if (menuResId == AddOnResources::kProjectColoursMenu)
            runProjectColours();
        else
            runAbout();
    }
    Platform::setHostWindowEnabled(hostWindow, true);
    if (menuResId == AddOnResources::kPickerMenu)
        Platform::bringHostWindowToFront(hostWindow);
    performExport(choice);
}

} // namespace Corvo::CommandDispatch
