#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/gallery/gallery.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/cardrollerwidget.h"

namespace Gallery {

namespace {

constexpr QPoint kRollerPlace(12, 330);
constexpr QSize kRollerSize(210, 220);
constexpr int kDeckEnd = 1000;

struct RollerScene
{
    QUuid collection;
    int pageIndex = 1;
    int rowIndex = -1;
    bool showMto = true;
    bool focused = false;
};

QImage shootRoller(Stage &stage, const RollerScene &scene)
{
    using namespace Corvo;
    Preferences::setUuidOfLastUsedCollection(scene.collection);
    CollectionSettings::setCurrentCollection(scene.collection);
    Preferences::setPageIndex(scene.collection, scene.pageIndex);
    Preferences::setRowIndex(scene.collection, scene.rowIndex);
    Preferences::setShowMto(scene.collection, scene.showMto);
    Preferences::setMoodFilter(scene.collection, DB::kAllMoods);
    auto *roller = new CardRollerWidget;
    roller->resize(kRollerSize);
    return stage.shoot(roller, kRollerPlace, scene.collection, scene.focused);
}

// The first card of the collection with a made-to-order chip; 1 when there is none.
int firstCardWithMadeToOrder(const QUuid &collection)
{
    for (int index = 1; index < kDeckEnd; ++index) {
        Corvo::DB::ColorPage page;
        if (Corvo::DB::pageAt(collection, index, page) != Corvo::DB::Ok)
            continue;
        for (const Corvo::DB::ColorEntry &row : page.rows) {
            if (row.isMto)
                return index;
        }
    }
    return 1;
}

} // namespace

QList<Shot> rollerShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    return {
        {QStringLiteral("cardroller-first-card"),
         [main](Stage &stage) {
             return shootRoller(stage, {main, 1, -1, true, false});
         }},
        {QStringLiteral("cardroller-selected-chip"),
         [main](Stage &stage) {
             return shootRoller(stage, {main, 40, 3, true, true});
         }},
        {QStringLiteral("cardroller-lustrel-made-to-order"),
         [lustrel](Stage &stage) {
             return shootRoller(stage,
                                {lustrel, firstCardWithMadeToOrder(lustrel), 1, false, false});
         }},
        {QStringLiteral("cardroller-lustrel-shown"),
         [lustrel](Stage &stage) {
             return shootRoller(stage,
                                {lustrel, firstCardWithMadeToOrder(lustrel), 2, true, false});
         }},
    };
}

} // namespace Gallery
