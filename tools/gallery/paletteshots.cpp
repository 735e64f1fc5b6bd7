#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/palettecell.h"
#include "engine/palette/scratchpalettestore.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/gallery/gallery.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/mypalettefullwidget.h"
#include "ui/mypalettewidget.h"

#include <QLineEdit>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Gallery {

namespace {

constexpr QPoint kPanelPlace(235, 327);
constexpr QSize kPanelSize(565, 223);
constexpr QPoint kFullPlace(0, 0);
constexpr QSize kFullSize(800, 600);
constexpr int kCells = Corvo::MyPaletteModel::kColumns * Corvo::MyPaletteModel::kRows;
constexpr int kDeckEnd = 1000;

struct PaletteScene
{
    int filled = 0;
    QList<QPoint> selection;
    QPoint dropTarget{-1, -1};
    QPoint zoomed{-1, -1};
    // The zoomed cell holds the deck's lightest chip instead.
    bool zoomedLightest = false;
    QString description;
};

// The card's most saturated chip: the light ends of the cards all look alike.
const Corvo::DB::ColorEntry &deepestRow(const Corvo::DB::ColorPage &card)
{
    const auto strength = [](const Corvo::DB::ColorEntry &row) {
        const QColor color = Corvo::DB::chipColor(row);
        return color.hsvSaturation() * (255 - std::abs(color.value() - 205));
    };
    return *std::max_element(
        card.rows.cbegin(), card.rows.cend(),
        [&strength](const Corvo::DB::ColorEntry &x, const Corvo::DB::ColorEntry &y) {
            return strength(x) < strength(y);
        });
}

// The chip nearest white in the whole deck: its label and frame must not grey it.
std::optional<Corvo::ItemIndex> lightestChip(const QUuid &collection)
{
    std::optional<Corvo::ItemIndex> lightest;
    int best = -1;
    Corvo::DB::ColorPage page;
    for (int index = 1; index < kDeckEnd; ++index) {
        if (Corvo::DB::pageAt(collection, index, page) != Corvo::DB::Ok)
            continue;
        for (const Corvo::DB::ColorEntry &row : page.rows) {
            const int grey = qGray(Corvo::DB::chipColor(row).rgb());
            if (grey > best) {
                best = grey;
                lightest = Corvo::ItemIndex(collection, page.id, row.id);
            }
        }
    }
    return lightest;
}

// A palette a designer might gather: one chip from every few cards across the deck, so
// that the hues spread round the wheel.
QList<Corvo::ItemIndex> demoChips(const QUuid &collection)
{
    QList<Corvo::DB::ColorPage> pages;
    Corvo::DB::ColorPage page;
    for (int index = 1; index < kDeckEnd; ++index) {
        if (Corvo::DB::pageAt(collection, index, page) == Corvo::DB::Ok && !page.rows.isEmpty())
            pages.append(page);
    }
    QList<Corvo::ItemIndex> chips;
    for (int cell = 0; cell < kCells && !pages.isEmpty(); ++cell) {
        // The deck repeats its moods card by card within each hue; stepping through them
        // too mixes brights with the quieter cards.
        const int index = (cell * pages.size() / kCells + cell % 4 + 2) % pages.size();
        const Corvo::DB::ColorPage &card = pages.at(index);
        chips.append(Corvo::ItemIndex(collection, card.id, deepestRow(card).id));
    }
    return chips;
}

// The cells of a checkerboard first, then the others, so that a half-filled palette looks
// gathered rather than packed.
QList<QPoint> fillingOrder()
{
    QList<QPoint> first;
    QList<QPoint> then;
    for (int row = 0; row < Corvo::MyPaletteModel::kRows; ++row) {
        for (int column = 0; column < Corvo::MyPaletteModel::kColumns; ++column)
            ((column + row) % 2 == 0 ? first : then).append(QPoint(column, row));
    }
    return first + then;
}

// The model over a scratch store: the gallery's pictures leave no palette behind.
std::unique_ptr<Corvo::MyPaletteModel> demoPalette(const QUuid &collection,
                                                   const PaletteScene &scene)
{
    auto store = std::make_unique<Corvo::ScratchPaletteStore>();
    const QList<Corvo::ItemIndex> chips = demoChips(collection);
    const QList<QPoint> places = fillingOrder();
    for (int cell = 0; cell < scene.filled && cell < chips.size(); ++cell)
        store->setEntry(places.at(cell).x(), places.at(cell).y(), chips.at(cell));
    for (const QPoint &cell : scene.selection)
        store->setSelected(cell.x(), cell.y(), true);
    if (scene.zoomedLightest) {
        if (const std::optional<Corvo::ItemIndex> chip = lightestChip(collection))
            store->setEntry(scene.zoomed.x(), scene.zoomed.y(), *chip);
    }
    store->setZoomedCell(scene.zoomed);
    auto model = std::make_unique<Corvo::MyPaletteModel>(std::move(store));
    model->reload(collection);
    model->setDescription(scene.description);
    return model;
}

void makeCurrent(const QUuid &collection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
}

QImage shootPanel(Stage &stage, const PaletteScene &scene)
{
    const QUuid collection = Tintwell::DemoDeck::mainCollectionUuid();
    makeCurrent(collection);
    std::unique_ptr<Corvo::MyPaletteModel> model = demoPalette(collection, scene);
    auto *panel = new Corvo::MyPaletteWidget(model.get());
    panel->resize(kPanelSize);
    // The panel reloads the palette when it is made, which forgets any drag in progress.
    model->setDropTarget(scene.dropTarget);
    return stage.shoot(panel, kPanelPlace, collection);
}

QImage shootFull(Stage &stage, int grey, const std::optional<QPoint> &picked)
{
    const QUuid collection = Tintwell::DemoDeck::mainCollectionUuid();
    makeCurrent(collection);
    Corvo::Preferences::setMyPaletteFullBackgroundColor(grey);
    PaletteScene scene;
    scene.filled = kCells - 5;
    std::unique_ptr<Corvo::MyPaletteModel> model = demoPalette(collection, scene);
    auto *full = new Corvo::MyPaletteFullWidget(model.get());
    full->resize(kFullSize);
    if (picked)
        full->pressCell(*picked);
    return stage.shoot(full, kFullPlace, collection);
}

} // namespace

QList<Shot> paletteShots()
{
    PaletteScene empty;
    PaletteScene half;
    half.filled = 12;
    half.selection = {{2, 0}, {3, 1}};
    half.dropTarget = QPoint(5, 2);
    half.description = QStringLiteral("Living room, north light");
    PaletteScene full;
    full.filled = kCells;
    full.selection = {{1, 1}, {2, 1}, {4, 3}};
    full.dropTarget = QPoint(0, 3);
    full.description = QStringLiteral("Whole house, first round");
    PaletteScene zoomed;
    zoomed.filled = kCells;
    zoomed.zoomed = QPoint(3, 1);
    PaletteScene nearWhite = zoomed;
    nearWhite.zoomedLightest = true;
    return {
        {QStringLiteral("mypalette-empty"),
         [empty](Stage &stage) { return shootPanel(stage, empty); }},
        {QStringLiteral("mypalette-half-filled"),
         [half](Stage &stage) { return shootPanel(stage, half); }},
        {QStringLiteral("mypalette-full"),
         [full](Stage &stage) { return shootPanel(stage, full); }},
        {QStringLiteral("mypalette-zoomed"),
         [zoomed](Stage &stage) { return shootPanel(stage, zoomed); }},
        {QStringLiteral("mypalette-zoomed-near-white"),
         [nearWhite](Stage &stage) { return shootPanel(stage, nearWhite); }},
        {QStringLiteral("mypalettefull-cells"),
         [](Stage &stage) { return shootFull(stage, 120, std::nullopt); }},
        // The empty cells show the chosen grey itself, at both ends of the slider.
        {QStringLiteral("mypalettefull-grey-0"),
         [](Stage &stage) { return shootFull(stage, 0, std::nullopt); }},
        {QStringLiteral("mypalettefull-grey-255"),
         [](Stage &stage) { return shootFull(stage, 255, std::nullopt); }},
        {QStringLiteral("mypalettefull-picked"),
         [](Stage &stage) { return shootFull(stage, 96, QPoint(2, 1)); }},
    };
}

} // namespace Gallery
