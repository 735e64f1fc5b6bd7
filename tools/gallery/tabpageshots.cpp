#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/gallery/gallery.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/productswidget.h"
#include "ui/textureswidget.h"
#include "ui/vistarawidget.h"

#include <functional>

namespace Gallery {

namespace {

constexpr QPoint kViewPlace(235, 101);
constexpr QSize kViewSize(565, 226);
constexpr int kDeckEnd = 1000;

struct ViewScene
{
    QUuid collection;
    int pageIndex = 1;
    int rowIndex = 1;
};

void applyScene(const ViewScene &scene)
{
    using namespace Corvo;
    Preferences::setUuidOfLastUsedCollection(scene.collection);
    CollectionSettings::setCurrentCollection(scene.collection);
    Preferences::setPageIndex(scene.collection, scene.pageIndex);
    Preferences::setRowIndex(scene.collection, scene.rowIndex);
}

template <typename View>
QImage shootView(Stage &stage, const ViewScene &scene)
{
    applyScene(scene);
    auto *view = new View;
    view->resize(kViewSize);
    return stage.shoot(view, kViewPlace, scene.collection);
}

// The first card of the collection that the predicate accepts; 1 when none does.
int firstCard(const QUuid &collection,
              const std::function<bool(const Corvo::DB::ColorPage &)> &accepts)
{
    for (int index = 1; index < kDeckEnd; ++index) {
        Corvo::DB::ColorPage page;
        if (Corvo::DB::pageAt(collection, index, page) != Corvo::DB::Ok)
            continue;
        if (accepts(page))
            return index;
    }
    return 1;
}

// A card whose fifth chip has a clear colour, so that the tint shows plainly.
constexpr int kShownRow = 5;

int firstColourfulCard(const QUuid &collection, bool exterior, int saturation)
{
    return firstCard(collection, [exterior, saturation](const Corvo::DB::ColorPage &page) {
        return page.exterior == exterior && page.rows.size() >= kShownRow &&
               Corvo::DB::chipColor(page.rows.at(kShownRow - 1)).hsvSaturation() >= saturation;
    });
}

} // namespace

// Trend, products and textures views.
QList<Shot> tabPageShots()
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    return {
        {QStringLiteral("trends-open-and-closed-groups"),
         [main](Stage &stage) {
             return shootView<Corvo::VistaraWidget>(stage, {main, 1, 1});
         }},
        {QStringLiteral("trends-lustrel"),
         [lustrel](Stage &stage) {
             return shootView<Corvo::VistaraWidget>(stage, {lustrel, 1, 1});
         }},
        {QStringLiteral("products-by-product"),
         [main](Stage &stage) {
             return shootView<Corvo::ProductsWidget>(stage,
                                                     {main, firstColourfulCard(main, true, 0), 2});
         }},
        {QStringLiteral("products-by-group"),
         [lustrel](Stage &stage) {
             return shootView<Corvo::ProductsWidget>(stage, {lustrel, 3, 2});
         }},
        {QStringLiteral("textures-interior"),
         [main](Stage &stage) {
             return shootView<Corvo::TexturesWidget>(
                 stage, {main, firstColourfulCard(main, false, 150), kShownRow});
         }},
        {QStringLiteral("textures-exterior"),
         [main](Stage &stage) {
             return shootView<Corvo::TexturesWidget>(
                 stage, {main, firstColourfulCard(main, true, 70), kShownRow});
         }},
    };
}

} // namespace Gallery
