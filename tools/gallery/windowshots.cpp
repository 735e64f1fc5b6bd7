#include "tools/gallery/gallery.h"

#include "addon/aboutbox.h"
#include "addon/addonmainwindow.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/import/importdeckbuilder.h"

// Outside any namespace: the macro declares the pictures' own init function.
static void registerWindowIcons()
{
    Q_INIT_RESOURCE(addon_icons);
}

namespace Gallery {

namespace {

void makeCurrent(const QUuid &collection)
{
    registerWindowIcons();
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
}

QImage shootAboutBox(Stage &stage, const QUuid &collection)
{
    makeCurrent(collection);
    return stage.shootWindow(new Corvo::AboutBox);
}

QImage shootPicker(Stage &stage, const QUuid &collection)
{
    makeCurrent(collection);
    return stage.shootWindow(new Corvo::AddOnMainWindow);
}

} // namespace

// The add-on's top-level windows.
QList<Shot> windowShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    return {
        {QStringLiteral("window-about"),
         [main](Stage &stage) { return shootAboutBox(stage, main); }},
        {QStringLiteral("window-picker"),
         [main](Stage &stage) { return shootPicker(stage, main); }},
        {QStringLiteral("window-picker-lustrel"),
         [](Stage &stage) {
             return shootPicker(stage, Tintwell::DemoDeck::lustrelCollectionUuid());
         }},
        {QStringLiteral("window-picker-imported"),
         [](Stage &stage) {
             return shootPicker(stage,
                                Tintwell::ImportDeckBuilder::uuidFor(Gallery::importedSystemId()));
         }},
    };
}

} // namespace Gallery
