#include "tools/gallery/gallery.h"

#include "engine/palette/schemecomputation.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "ui/colorschemerlustrelwidget.h"
#include "ui/colorschemerwidget.h"

namespace Gallery {

namespace {

// Right of the card roller, under the tab bar.
constexpr QPoint kWhere(235, 101);
constexpr QSize kSchemerSize(565, 226);

// A rich card of the demo deck (it offers both neutral schemes) and a neutral one (it
// takes the dramatic scheme).
constexpr int kRichCard = 5;
constexpr int kNeutralCard = 2;
constexpr int kMiddleChip = 4;

struct SchemerSelection
{
    int kind = Corvo::SchemeHarmonic;
    int neutralSubKind = Corvo::SchemeTonalNeutral;
    int pageIndex = kRichCard;
    int rowIndex = kMiddleChip;
    bool expectChips = true;
};

void select(const QUuid &collection, const SchemerSelection &selection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
    Corvo::Preferences::setPageIndex(collection, selection.pageIndex);
    Corvo::Preferences::setRowIndex(collection, selection.rowIndex);
    Corvo::Preferences::setSchemeKind(collection, selection.kind);
    Corvo::Preferences::setSchemeNeutralSubKind(collection, selection.neutralSubKind);
}

// Whether the demo deck gives the shot the chips it is meant to show.
bool showsChips(const QUuid &collection, const SchemerSelection &selection)
{
    const Corvo::SchemeSource source = Corvo::schemeSourceFor(collection);
    const std::optional<Corvo::SchemeInput> input =
        Corvo::schemeInputFor(source, collection, selection.pageIndex, selection.rowIndex);
    return input && !Corvo::computeScheme(source, *input, selection.kind, selection.neutralSubKind)
                         .chips.isEmpty();
}

QImage shootSchemer(Stage &stage, const QString &name, const SchemerSelection &selection)
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    select(main, selection);
    if (showsChips(main, selection) != selection.expectChips)
        stage.fail(QStringLiteral("%1: not the chips the shot is for").arg(name));
    auto *schemer = new Corvo::ColorSchemerWidget;
    schemer->resize(kSchemerSize);
    return stage.shoot(schemer, kWhere, main);
}

Shot schemerShot(const QString &name, const SchemerSelection &selection)
{
    return {name, [name, selection](Stage &stage) { return shootSchemer(stage, name, selection); }};
}

QImage shootLustrel(Stage &stage)
{
    const QUuid lustrel = Tintwell::DemoDeck::lustrelCollectionUuid();
    select(lustrel, {Corvo::SchemeContrast, Corvo::SchemeTonalNeutral, 3, 3, true});
    if (Corvo::lustrelSchemeGroups(lustrel, 3, 3).isEmpty())
        stage.fail(QStringLiteral("schemer-lustrel: no chips"));
    auto *schemer = new Corvo::ColorSchemerLustrelWidget;
    schemer->resize(kSchemerSize);
    return stage.shoot(schemer, kWhere, lustrel);
}

} // namespace

QList<Shot> schemerShots()
{
    using namespace Corvo;
    return {
        schemerShot(QStringLiteral("schemer-harmonic"), {SchemeHarmonic}),
        schemerShot(QStringLiteral("schemer-contrast"), {SchemeContrast}),
        schemerShot(QStringLiteral("schemer-wide-contrast"), {SchemeWideContrast}),
        schemerShot(QStringLiteral("schemer-dynamic"), {SchemeDynamic}),
        schemerShot(QStringLiteral("schemer-dramatic"),
                    {SchemeDramatic, SchemeTonalNeutral, kNeutralCard}),
        schemerShot(QStringLiteral("schemer-neutral-tonal"), {SchemeNeutral, SchemeTonalNeutral}),
        schemerShot(QStringLiteral("schemer-neutral-complementary"),
                    {SchemeNeutral, SchemeComplementaryNeutral}),
        schemerShot(QStringLiteral("schemer-neutral-card-without-alternative"),
                    {SchemeNeutral, SchemeTonalNeutral, kNeutralCard}),
        schemerShot(QStringLiteral("schemer-no-selected-chip"),
                    {SchemeHarmonic, SchemeTonalNeutral, kRichCard, 0, false}),
        {QStringLiteral("schemer-lustrel"), shootLustrel},
    };
}

} // namespace Gallery
