#include "tools/gallery/gallery.h"

#include "addon/projectcolourswindow.h"
#include "engine/db/colorentry.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"

namespace Gallery {

namespace {

using Corvo::ProjectAttributes::Attribute;

QColor chipColour(int page, int row)
{
    Corvo::DB::ColorEntry entry;
    Corvo::DB::rowAt(Tintwell::DemoDeck::mainCollectionUuid(), page, row, entry);
    return Corvo::DB::chipColor(entry);
}

Attribute material(int index, const QString &name, const QColor &colour)
{
    Attribute attribute;
    attribute.index = index;
    attribute.name = name;
    attribute.colour = colour;
    return attribute;
}

Attribute pen(int pen, const QString &description, const QColor &colour)
{
    Attribute attribute;
    attribute.kind = Attribute::Pen;
    attribute.index = 1;
    attribute.pen = pen;
    attribute.name = QStringLiteral("Plan pens");
    attribute.description = description;
    attribute.colour = colour;
    return attribute;
}

// A project as it comes back from a few exports and some hand-made surfaces: exact chips,
// colours a little off, and colours no paint matches.
QList<Attribute> mixedProject()
{
    const QColor sage = chipColour(7, 1);
    const QColor clay = chipColour(9, 3);
    return {
        material(1, QStringLiteral("Velmora Hall walls"), sage),
        material(2, QStringLiteral("Kitchen"), clay.lighter(102)),
        material(3, QStringLiteral("Bedroom ceiling"), chipColour(12, 2).darker(104)),
        material(4, QStringLiteral("Glass - blue tint"), QColor(40, 120, 230)),
        material(5, QStringLiteral("Façade render"), chipColour(20, 4)),
        material(6, QStringLiteral("Signal green"), QColor(0, 255, 0)),
        pen(1, QStringLiteral("Walls"), sage),
        pen(2, QString(), clay),
        pen(3, QStringLiteral("Furniture"), QColor(30, 30, 30)),
    };
}

QImage shootWindow(Stage &stage, const QList<Attribute> &attributes)
{
    const QUuid main = Tintwell::DemoDeck::mainCollectionUuid();
    Corvo::Preferences::setUuidOfLastUsedCollection(main);
    Corvo::CollectionSettings::setCurrentCollection(main);
    auto *window = new Corvo::ProjectColoursWindow(attributes);
    window->tickVerdicts({Corvo::ColourVerdict::Close});
    return stage.shootWindow(window);
}

} // namespace

// The project colours window on a mixed project and on an empty one.
QList<Shot> projectColourShots()
{
    return {
        {QStringLiteral("window-projectcolours"),
         [](Stage &stage) { return shootWindow(stage, mixedProject()); }},
        {QStringLiteral("window-projectcolours-empty"),
         [](Stage &stage) { return shootWindow(stage, {}); }},
    };
}

} // namespace Gallery
