#include "tools/gallery/gallery.h"

#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/tabbarwidget.h"

namespace Gallery {

namespace {

// Right of the card roller, beside the collection selector.
constexpr QPoint kWhere(240, 71);
constexpr QSize kBarSize(560, Corvo::TabBarWidget::kPreferredHeight);

struct TabSelection
{
    QUuid collection;
    int page = 0;
    bool focused = false;
};

QImage shootTabBar(Stage &stage, const TabSelection &selection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(selection.collection);
    Corvo::CollectionSettings::setCurrentCollection(selection.collection);
    Corvo::Preferences::setTabPageIndex(selection.collection, selection.page);
    auto *bar = new Corvo::TabBarWidget;
    bar->resize(kBarSize);
    return stage.shoot(bar, kWhere, selection.collection, selection.focused);
}

Shot tabBarShot(const QString &name, const TabSelection &selection)
{
    return {name, [selection](Stage &stage) { return shootTabBar(stage, selection); }};
}

} // namespace

QList<Shot> tabBarShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    return {
        tabBarShot(QStringLiteral("tabbar-schemes"), {main, Corvo::PageOfColorSchemes}),
        tabBarShot(QStringLiteral("tabbar-trends"), {main, Corvo::PageOfVistara}),
        tabBarShot(QStringLiteral("tabbar-products-focused"), {main, Corvo::PageOfProducts, true}),
    };
}

} // namespace Gallery
