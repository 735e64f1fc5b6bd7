#include "tools/tintwell/demo/demodeck.h"

#include "tools/tintwell/demo/cardplanner.h"
#include "tools/tintwell/demo/colournamer.h"
#include "tools/tintwell/demo/demotexts.h"
#include "tools/tintwell/demo/schemeplanner.h"
#include "tools/tintwell/demo/texturepainter.h"
#include "tools/tintwell/demo/themepainter.h"
#include "tools/tintwell/model/standardsettings.h"

#include <QColor>

#include <algorithm>

namespace Tintwell::DemoDeck {

namespace {

const QSize kTextureSize(148, 96);
constexpr unsigned kTextureSeed = 20270101u;
constexpr int kMainSegments = 24;
constexpr int kLustrelSegments = 12;
constexpr int kChipsPerCard = 7;

// Product groups and products of the file, by position.
enum ProductGroup { InteriorGroup = 0, ExteriorGroup = 1, WoodMetalGroup = 2, DecorativeGroup = 3 };

QList<ProductGroupModel> productGroups()
{
    return {
        {QStringLiteral("Interior walls & ceilings"),
         {{QStringLiteral("Velmora Matt Emulsion"), QStringLiteral("VM-IE10")},
          {QStringLiteral("Velmora Silk Emulsion"), QStringLiteral("VM-IE20")},
          {QStringLiteral("Velmora Kitchen & Bath"), std::nullopt}}},
        {QStringLiteral("Exterior masonry"),
         {{QStringLiteral("Velmora Masonry Smooth"), QStringLiteral("VM-EX30")},
          {QStringLiteral("Velmora Weathercoat"), std::nullopt},
          {QStringLiteral("Velmora Facade Elastic"), QStringLiteral("VM-EX35")}}},
        {QStringLiteral("Wood & metal"),
         {{QStringLiteral("Velmora Satinwood"), QStringLiteral("VM-WM40")},
          {QStringLiteral("Velmora High Gloss"), std::nullopt},
          {QStringLiteral("Velmora Eggshell Trim"), QStringLiteral("VM-WM45")}}},
        {QStringLiteral("Decorative finishes"),
         {{QStringLiteral("Lustrel Metallic Glaze"), QStringLiteral("LU-MG50")},
          {QStringLiteral("Lustrel Pearl Coat"), std::nullopt}}},
    };
}

DeckDesign mainDesign(int chips)
{
    DeckDesign design;
    design.codeFormat = QStringLiteral("VM %1%2");
    design.segments = kMainSegments;
    design.firstHue = 20.0;
    design.tones = {
        {QStringLiteral("Whisper"), 6.0, 97.0, 84.0}, {QStringLiteral("Stone"), 8.0, 90.0, 34.0},
        {QStringLiteral("Muted"), 18.0, 92.0, 30.0},  {QStringLiteral("Soft"), 32.0, 90.0, 30.0},
        {QStringLiteral("Clear"), 48.0, 88.0, 28.0},  {QStringLiteral("Vivid"), 95.0, 82.0, 30.0}};
    const int chipsPerHueStep =
        design.segments * static_cast<int>(design.tones.size()) * design.chipsPerCard;
    design.huesPerSegment = std::max(1, (chips + chipsPerHueStep - 1) / chipsPerHueStep);
    return design;
}

DeckDesign lustrelDesign()
{
    DeckDesign design;
    design.codeFormat = QStringLiteral("LU-%1%2");
    design.segments = kLustrelSegments;
    design.firstHue = 25.0;
    design.madeToOrderColumn = true;
    design.tones = {{QStringLiteral("Pearl"), 9.0, 90.0, 58.0},
                    {QStringLiteral("Satin"), 20.0, 84.0, 40.0},
                    {QStringLiteral("Metal"), 34.0, 80.0, 32.0},
                    {QStringLiteral("Deep"), 52.0, 72.0, 26.0}};
    return design;
}

// The demo's collections show every tab and take part in Capsure matching.
QList<SettingModel> sharedSettings(int segments, const QString &cardType)
{
    QList<SettingModel> settings = StandardSettings::collection(segments, kChipsPerCard, cardType);
    settings += {
        {QStringLiteral("has.product.groups.page"), {QStringLiteral("1")}},
        {QStringLiteral("product.group.productname.productcode.separator:string"),
         {QStringLiteral(" | ")}},
        {QStringLiteral("has.textures.page"), {QStringLiteral("1")}},
        {QStringLiteral("has.vistara.page"), {QStringLiteral("1")}},
        {QStringLiteral("export.color.name.append.product.code"), {QStringLiteral("1")}},
        {QStringLiteral("tab.bar.page"),
         {QStringLiteral("PageOfColorSchemes"), QStringLiteral("PageOfProducts"),
          QStringLiteral("PageOfVistara"), QStringLiteral("PageOfTextures")}},
        {QStringLiteral("widget.vistara.chip.width"), {QStringLiteral("64")}},
        {QStringLiteral("widget.vistara.chip.height"), {QStringLiteral("48")}},
        {QStringLiteral("header.link"), {QStringLiteral("https://www.velmora.example/colour")}},
        {QStringLiteral("texture.size"), {QStringLiteral("148,96")}},
        {QStringLiteral("capsure.enabled"), {QStringLiteral("1")}},
        {QStringLiteral("capsure.folder.to.watch.windows"),
         {QStringLiteral("%PROGRAMDATA%/Velmora/Capsure")}},
        {QStringLiteral("capsure.filename.to.watch"), {QStringLiteral("Capsure.cxf")}},
    };
    return settings;
}

QList<SettingModel> mainSettings()
{
    QList<SettingModel> settings = sharedSettings(kMainSegments, QStringLiteral("normal"));
    settings += {
        {QStringLiteral("has.exterior.filter"), {QStringLiteral("1")}},
        {QStringLiteral("product.groups.mode"), {QStringLiteral("Products")}},
        {QStringLiteral("schemes"),
         {QStringLiteral("harmonic"), QStringLiteral("contrast"), QStringLiteral("wide contrast"),
          QStringLiteral("dynamic"), QStringLiteral("dramatic"), QStringLiteral("neutral")}},
        {QStringLiteral("capsure.priority"), {QStringLiteral("1")}},
    };
    return settings;
}

QList<SettingModel> lustrelSettings()
{
    QList<SettingModel> settings = sharedSettings(kLustrelSegments, QStringLiteral("lustrel"));
    settings += {
        {QStringLiteral("has.exterior.filter"), {QStringLiteral("0")}},
        {QStringLiteral("product.groups.mode"), {QStringLiteral("GroupsWithProductTooltip")}},
        {QStringLiteral("schemes"), {QStringLiteral("contrast"), QStringLiteral("wide contrast")}},
        {QStringLiteral("capsure.priority"), {QStringLiteral("2")}},
    };
    return settings;
}

QColor colourOf(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The wheel shows each segment's vivid, clear, soft and muted middle chips, outside in.
ThemeStyle themeStyle(const CardPlanner &planner, const QString &brand, const QString &tagline,
                      const QColor &accent, const QColor &background)
{
    ThemeStyle style;
    style.brand = brand;
    style.tagline = tagline;
    style.accent = accent;
    style.background = background;
    style.segments = planner.design().segments;
    style.firstSegmentAngle = StandardSettings::firstSegmentAngle();
    style.clockwise = true;
    const QList<CardModel> cards = planner.cards();
    const int tones = planner.toneCount();
    for (int segment = 1; segment <= style.segments; ++segment) {
        QList<QColor> rings;
        for (int tone = tones - 1; tone >= std::max(0, tones - 4); --tone) {
            const ChipRef middle = planner.nearestByLightness(segment, tone, 60.0);
            rings.append(colourOf(planner.cards().at(middle.card).chips.at(middle.chip).rgb));
        }
        style.wheelRings.append(rings);
        if (segment % 2 == 1) {
            const ChipRef swatch = planner.nearestByLightness(segment, tones - 1, 62.0);
            style.bannerSwatches.append(colourOf(cards.at(swatch.card).chips.at(swatch.chip).rgb));
        }
    }
    return style;
}

// Interior cards get plaster, linen and wood; exterior cards brick, concrete and stone.
QList<TextureModel> textures(const QList<CardModel> &cards, const QStringList &names)
{
    const TexturePainter painter(kTextureSeed);
    QList<TextureModel> result;
    for (const QString &name : names) {
        TextureModel texture;
        texture.name = name;
        texture.image = ThemePainter::encodePng(painter.paint(name, kTextureSize));
        texture.baseAlpha = 0.6;
        result.append(texture);
    }
    const auto indexOf = [&](const QString &name) { return static_cast<int>(names.indexOf(name)); };
    const QStringList interior = {QStringLiteral("Plaster"), QStringLiteral("Linen"),
                                  QStringLiteral("Wood")};
    const QStringList exterior = {QStringLiteral("Brick"), QStringLiteral("Concrete"),
                                  QStringLiteral("Stone")};
    for (int card = 0; card < cards.size(); ++card) {
        const QStringList &set = cards.at(card).exterior ? exterior : interior;
        for (int n = 0; n < set.size(); ++n) {
            const int texture = indexOf(set.at(n));
            if (texture < 0)
                continue;
            const double alpha = 0.45 + 0.1 * n;
            result[texture].placements.append(
                {card, alpha, QStringLiteral("%1 finish").arg(set.at(n))});
        }
    }
    result.removeIf([](const TextureModel &texture) { return texture.placements.isEmpty(); });
    return result;
}

// A quarter of the cards, the light and muted ones of every other hue, are sold for
// exterior use; vivid colours fade outdoors.
void markExterior(QList<CardModel> &cards, const CardPlanner &planner)
{
    for (int card = 0; card < cards.size(); ++card) {
        const bool exterior = planner.toneOf(card) <= 2 && planner.segmentOf(card) % 2 == 0;
        cards[card].exterior = exterior;
        cards[card].extras = {exterior ? QStringLiteral("Interior & exterior")
                                       : QStringLiteral("Interior")};
    }
}

void assignMainProducts(QList<CardModel> &cards)
{
    for (CardModel &card : cards) {
        for (ChipModel &chip : card.chips) {
            const double lightness = ColourMath::labFromRgb(chip.rgb).l;
            chip.products = {{InteriorGroup, 0}};
            if (lightness > 40.0)
                chip.products.append({InteriorGroup, 1});
            if (lightness > 60.0)
                chip.products.append({InteriorGroup, 2});
            if (card.exterior) {
                chip.products.append({ExteriorGroup, 0});
                chip.products.append({ExteriorGroup, 1});
                if (chip.neutral)
                    chip.products.append({ExteriorGroup, 2});
            }
            chip.products.append({WoodMetalGroup, 2});
            if (lightness < 70.0) {
                chip.products.append({WoodMetalGroup, 0});
                chip.products.append({WoodMetalGroup, 1});
            }
        }
    }
}

void assignLustrelProducts(QList<CardModel> &cards)
{
    for (CardModel &card : cards) {
        for (ChipModel &chip : card.chips) {
            chip.products = {{DecorativeGroup, 0}};
            if (!chip.madeToOrder.value_or(false))
                chip.products.append({DecorativeGroup, 1});
        }
    }
}

// The darkest chips of the two strongest metallic tones are mixed to order only.
void markMadeToOrder(QList<CardModel> &cards, const CardPlanner &planner)
{
    for (int card = 0; card < cards.size(); ++card) {
        if (planner.toneOf(card) < 2)
            continue;
        QList<ChipModel> &chips = cards[card].chips;
        for (int chip = 5; chip < chips.size(); ++chip)
            chips[chip].madeToOrder = true;
    }
}

VistaraEntryModel entryForChip(const CollectionModel &collection, const ChipRef &ref)
{
    const ChipModel &chip = collection.chip(ref);
    return {ref, chip.names.value(0), chip.code, chip.rgb};
}

// A trend colour that names a chip by its code only: the picker finds it by code.
VistaraEntryModel entryByCode(const CollectionModel &collection, const ChipRef &ref)
{
    const ChipModel &chip = collection.chip(ref);
    return {std::nullopt, chip.code, QStringLiteral("Trend pick"), chip.rgb};
}

// A trend colour outside the deck: its RGB is no chip's, its names no code.
VistaraEntryModel freeEntry(const CollectionModel &collection, ColourNamer &namer,
                            const ColourMath::Lch &lch)
{
    Rgb rgb = ColourMath::rgbFromLchInGamut(lch);
    const auto taken = [&](const Rgb &candidate) {
        for (const CardModel &card : collection.cards) {
            for (const ChipModel &chip : card.chips) {
                if (chip.rgb == candidate)
                    return true;
            }
        }
        return false;
    };
    while (taken(rgb))
        rgb.blue = rgb.blue < 255 ? rgb.blue + 1 : rgb.blue - 1;
    return {std::nullopt, namer.takeName(rgb), QStringLiteral("Limited edition"), rgb};
}

QList<VistaraGroupModel> mainTrends(const CollectionModel &collection, const CardPlanner &planner,
                                    ColourNamer &namer)
{
    const auto at = [&](int segment, int tone, double lightness) {
        return planner.nearestByLightness(segment, tone, lightness);
    };
    VistaraGroupModel earth{QStringLiteral("Vistara 2027: Quiet Earth"), true, false, {}};
    for (const ChipRef &ref :
         {at(3, 2, 70), at(4, 3, 55), at(5, 1, 80), at(2, 3, 40), at(6, 2, 62)})
        earth.entries.append(entryForChip(collection, ref));
    earth.entries.append(entryByCode(collection, at(3, 4, 45)));
    earth.entries.append(entryByCode(collection, at(5, 0, 92)));
    earth.entries.append(freeEntry(collection, namer, {58, 24, 62}));

    VistaraGroupModel coast{QStringLiteral("Vistara 2027: Coastal Light"), false, false, {}};
    for (const ChipRef &ref :
         {at(14, 2, 80), at(15, 3, 60), at(16, 1, 88), at(17, 4, 45), at(13, 0, 95)})
        coast.entries.append(entryForChip(collection, ref));
    coast.entries.append(entryByCode(collection, at(16, 5, 50)));
    coast.entries.append(freeEntry(collection, namer, {72, 18, 228}));

    VistaraGroupModel botanic{QStringLiteral("Vistara 2027: Botanical Studio"), false, false, {}};
    for (const ChipRef &ref :
         {at(9, 3, 65), at(10, 4, 50), at(11, 2, 75), at(8, 5, 55), at(22, 3, 45), at(1, 1, 85)})
        botanic.entries.append(entryForChip(collection, ref));
    botanic.entries.append(entryByCode(collection, at(12, 3, 40)));
    botanic.entries.append(freeEntry(collection, namer, {46, 30, 150}));
    botanic.entries.append(freeEntry(collection, namer, {82, 12, 330}));

    // Shown in every collection of the file: found by code or by nearest colour.
    VistaraGroupModel classics{QStringLiteral("Velmora Classics"), false, true, {}};
    for (const ChipRef &ref : {at(1, 0, 96), at(6, 1, 60), at(19, 4, 35), at(24, 3, 50)})
        classics.entries.append(entryByCode(collection, ref));
    classics.entries.append(freeEntry(collection, namer, {30, 4, 260}));
    return {earth, coast, botanic, classics};
}

QList<VistaraGroupModel> lustrelTrends(const CollectionModel &collection,
                                       const CardPlanner &planner, ColourNamer &namer)
{
    VistaraGroupModel metals{QStringLiteral("Lustrel Signature Metals"), true, false, {}};
    for (int segment : {1, 3, 5, 8, 11})
        metals.entries.append(
            entryForChip(collection, planner.nearestByLightness(segment, 2, 55.0)));
    metals.entries.append(entryByCode(collection, planner.nearestByLightness(7, 3, 40.0)));
    metals.entries.append(freeEntry(collection, namer, {68, 22, 85}));
    return {metals};
}

CollectionModel mainCollection(ColourNamer &namer, int chips)
{
    const CardPlanner planner(mainDesign(chips), namer);
    CollectionModel collection;
    collection.uuid = mainCollectionUuid();
    collection.systemId = QStringLiteral("VELMORA");
    collection.name = QStringLiteral("Velmora Colour Collection");
    collection.order = 1;
    collection.settings = mainSettings();
    collection.translations = demoTranslations(QStringLiteral("Velmora"), collection.name);
    collection.cards = planner.cards();
    markExterior(collection.cards, planner);
    assignMainProducts(collection.cards);
    const SchemePlanner schemes(planner);
    collection.rowSchemes = schemes.chipSchemes();
    collection.pageSchemes = schemes.cardSchemes();
    collection.chipPageSchemes = schemes.chipCardSchemes();
    collection.vistaraGroups = mainTrends(collection, planner, namer);
    collection.textures = textures(collection.cards, TexturePainter::names());
    collection.theme = ThemePainter::themeItems(
        themeStyle(planner, QStringLiteral("VELMORA"), QStringLiteral("COLOUR COLLECTION 2027"),
                   QColor(0, 129, 183), QColor(58, 60, 64)));
    return collection;
}

CollectionModel lustrelCollection(ColourNamer &namer)
{
    const CardPlanner planner(lustrelDesign(), namer);
    CollectionModel collection;
    collection.uuid = lustrelCollectionUuid();
    collection.systemId = QStringLiteral("LUSTREL");
    collection.name = QStringLiteral("Lustrel Metallics");
    collection.order = 2;
    collection.settings = lustrelSettings();
    collection.translations = demoTranslations(QStringLiteral("Lustrel"), collection.name);
    collection.cards = planner.cards();
    for (int card = 0; card < collection.cards.size(); ++card)
        collection.cards[card].extras = {QStringLiteral("Interior metallic finish")};
    markMadeToOrder(collection.cards, planner);
    assignLustrelProducts(collection.cards);
    collection.rowSchemes = SchemePlanner(planner).lustrelSchemes();
    collection.vistaraGroups = lustrelTrends(collection, planner, namer);
    collection.textures =
        textures(collection.cards,
                 {QStringLiteral("Plaster"), QStringLiteral("Linen"), QStringLiteral("Wood")});
    collection.theme = ThemePainter::themeItems(
        themeStyle(planner, QStringLiteral("LUSTREL"), QStringLiteral("METALLIC FINISHES"),
                   QColor(196, 150, 64), QColor(52, 48, 44)));
    return collection;
}

} // namespace

QUuid mainCollectionUuid()
{
    return QUuid(QStringLiteral("{6F1C2A4E-3B7D-4C59-9A21-5E8B0D4F7C13}"));
}

QUuid lustrelCollectionUuid()
{
    return QUuid(QStringLiteral("{A3D9E7B2-1C4F-4E8A-B6D0-7F2C95E1A468}"));
}

DeckModel build()
{
    return build(0);
}

DeckModel build(int mainChips)
{
    ColourNamer namer;
    DeckModel deck;
    deck.systemWideSettings = StandardSettings::systemWide();
    deck.productGroups = productGroups();
    deck.collections = {mainCollection(namer, mainChips), lustrelCollection(namer)};
    return deck;
}

DeckModel numberedCopy(const DeckModel &deck, int number)
{
    DeckModel copy = deck;
    if (number < 2)
        return copy;
    const QString suffix = QString::number(number);
    const int collections = static_cast<int>(deck.collections.size());
    for (CollectionModel &collection : copy.collections) {
        collection.uuid = QUuid::createUuidV5(collection.uuid, suffix);
        collection.systemId += suffix;
        collection.name += QLatin1Char(' ') + suffix;
        collection.order += (number - 1) * collections;
    }
    return copy;
}

} // namespace Tintwell::DemoDeck
