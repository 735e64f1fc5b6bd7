#include "tools/tintwell/model/presentationkeys.h"

namespace Tintwell::PresentationKeys {

namespace {

const char *const kTranslationKeys[] = {
    // Picker and about windows, export.
    "color.palette.caption",
    "aboutbox.caption",
    "aboutbox.main",
    "aboutbox.copyright",
    "aboutbox.version",
    "aboutbox.qt.license.button",
    "aboutbox.close.button",
    "license.copyright",
    "motto",
    "archicad.addon.name",
    "archicad.addon.description",
    "archicad.addon.menu",
    "archicad.addon.menu.picker",
    "archicad.addon.menu.about",
    "archicad.addon.export.button",
    "archicad.addon.export.as.material",
    "archicad.addon.export.as.penset",
    "archicad.addon.material.prefix",
    "archicad.addon.penset.default.name",
    // Project colours window.
    "archicad.addon.menu.projectcolors",
    "project.colors.caption",
    "project.colors.match.against",
    "project.colors.all.collections",
    "project.colors.all.verdicts",
    "project.colors.filter.name",
    "project.colors.column.attribute",
    "project.colors.column.kind",
    "project.colors.column.colour",
    "project.colors.column.code",
    "project.colors.column.name",
    "project.colors.column.collection",
    "project.colors.column.chip",
    "project.colors.column.deltae",
    "project.colors.column.verdict",
    "project.colors.kind.material",
    "project.colors.kind.pen",
    "project.colors.pen",
    "project.colors.verdict.exact",
    "project.colors.verdict.close",
    "project.colors.verdict.near",
    "project.colors.verdict.none",
    "project.colors.empty",
    "project.colors.make.exact",
    "project.colors.add.to.palette",
    "project.colors.save.schedule",
    "project.colors.close",
    "project.colors.status",
    "project.colors.rows.changed",
    "project.colors.rows.failed",
    "project.colors.row.changed",
    "project.colors.row.not.changed",
    "project.colors.palette.full.one",
    "project.colors.row.failed",
    "project.colors.palette.full",
    "project.colors.palette.added",
    "project.colors.schedule.saved",
    "project.colors.schedule.failed",
    // Main widget: footer, files, search.
    "color.palette.copyright",
    "color.palette.motto",
    "color.palette.enter.search.text",
    "common.filedialog.palettefile.filtername",
    "common.filedialog.textfile.filtername",
    "common.filedialog.palettefile.defaultfilename",
    "common.filedialog.palettefile.savedialogcaption",
    "common.filedialog.palettefile.opendialogcaption",
    "common.confirmation.dialog.caption",
    // Mood filter.
    "mood.filter.all.moods",
    "mood.filter.exterior.colors",
    "do.not.show.mto",
    "tiptext.mood.fresh.button",
    "tiptext.mood.warm.button",
    "tiptext.mood.calm.button",
    "tiptext.mood.rich.button",
    "tiptext.mood.offwhite.button",
    "tiptext.mood.neutral.button",
    // Tabs and schemer.
    "tab.bar.color.schemes.caption",
    "tab.bar.products.caption",
    "tab.bar.vistara.caption",
    "tab.bar.textures.caption",
    "harmonizer.palette.scheme.harmonic",
    "harmonizer.palette.scheme.contrast",
    "harmonizer.palette.scheme.wide.contrast",
    "harmonizer.palette.scheme.dynamic",
    "harmonizer.palette.scheme.dramatic",
    "harmonizer.palette.scheme.tonal.neutral",
    "harmonizer.palette.scheme.complementary.neutral",
    "harmonizer.palette.scheme.natural.neutral",
    "harmonizer.drag.drop.message",
    "textures.select.message",
    // My Palette and Capsure.
    "mypalette.palette.save",
    "mypalette.palette.load",
    "mypalette.note.instructions",
    "mypalette.clearpalettebutton.question",
    "tiptext.mypalette.zoom.button",
    "tiptext.mypalette.eraser.button",
    "tiptext.mypalette.trash.button",
    "tiptext.mypalette.grid.button",
    "capsure.dialog.caption",
    "capsure.dialog.todo",
};

// Stored pixels per drawn pixel. An image a widget scales to a fixed size is stored at
// twice that size, so that it stays crisp on a dense screen and is only ever scaled down.
// An image whose stored size is the control's size (the widget sizes itself to the image)
// keeps one pixel per drawn pixel.
constexpr int kDoubleDensity = 2;
constexpr int kActualSize = 1;

struct ImageFields
{
    const char *key;
    int width;
    int height;
    int scale;
};

const ImageFields kImages[] = {
    {"image.widget.main.background", 800, 600, kDoubleDensity},
    {"image.banner", 800, 70, kDoubleDensity},
    {"image.about.logo", 128, 64, kDoubleDensity},
    {"image.widget.color.wheel.background", 122, 122, kDoubleDensity},
    {"image.widget.bar.background", 30, 30, kDoubleDensity},
    {"image.widget.dropdown.arrow.up", 20, 20, kActualSize},
    {"image.widget.dropdown.arrow.down", 20, 20, kActualSize},
    {"image.capsure.button.normal", 16, 16, kActualSize},
    {"image.mood.fresh.normal", 23, 21, kDoubleDensity},
    {"image.mood.fresh.selected", 23, 21, kDoubleDensity},
    {"image.mood.warm.normal", 23, 21, kDoubleDensity},
    {"image.mood.warm.selected", 23, 21, kDoubleDensity},
    {"image.mood.calm.normal", 23, 21, kDoubleDensity},
    {"image.mood.calm.selected", 23, 21, kDoubleDensity},
    {"image.mood.rich.normal", 23, 21, kDoubleDensity},
    {"image.mood.rich.selected", 23, 21, kDoubleDensity},
    {"image.mood.offwhite.normal", 23, 21, kDoubleDensity},
    {"image.mood.offwhite.selected", 23, 21, kDoubleDensity},
    {"image.mood.neutral.normal", 23, 21, kDoubleDensity},
    {"image.mood.neutral.selected", 23, 21, kDoubleDensity},
    {"image.tick.normal", 12, 11, kDoubleDensity},
    {"image.mood.disabled", 11, 11, kDoubleDensity},
    {"image.widget.search.magnifying.glass", 16, 16, kActualSize},
    {"image.widget.roll.forward.normal", 22, 22, kActualSize},
    {"image.widget.roll.forward.down", 22, 22, kActualSize},
    {"image.widget.roll.backward.normal", 22, 22, kActualSize},
    {"image.widget.roll.backward.down", 22, 22, kActualSize},
    {"image.mto", 96, 50, kDoubleDensity},
    {"image.scheme.harmonising.normal", 44, 44, kDoubleDensity},
    {"image.scheme.harmonising.selected", 44, 44, kDoubleDensity},
    {"image.scheme.contrasting.normal", 44, 44, kDoubleDensity},
    {"image.scheme.contrasting.selected", 44, 44, kDoubleDensity},
    {"image.scheme.wide.contrast.normal", 44, 44, kDoubleDensity},
    {"image.scheme.wide.contrast.selected", 44, 44, kDoubleDensity},
    {"image.scheme.dynamic.normal", 44, 44, kDoubleDensity},
    {"image.scheme.dynamic.selected", 44, 44, kDoubleDensity},
    {"image.scheme.dramatic.normal", 44, 44, kDoubleDensity},
    {"image.scheme.dramatic.selected", 44, 44, kDoubleDensity},
    {"image.scheme.tonal.neutral.normal", 44, 44, kDoubleDensity},
    {"image.scheme.tonal.neutral.selected", 44, 44, kDoubleDensity},
    {"image.complementary.neutral.marker.normal", 9, 9, kDoubleDensity},
    {"image.complementary.neutral.marker.selected", 9, 9, kDoubleDensity},
    {"image.vistara.group.open", 12, 12, kActualSize},
    {"image.vistara.group.closed", 12, 12, kActualSize},
    {"image.mypalette.zoom", 16, 16, kActualSize},
    {"image.mypalette.eraser", 16, 16, kActualSize},
    {"image.mypalette.trash", 16, 16, kActualSize},
    {"image.mypalette.grid.off", 16, 16, kActualSize},
    {"image.mypalette.clear.question.icon", 48, 48, kActualSize},
    {"image.mypalettefull.back", 16, 16, kActualSize},
    {"image.mypalettefull.slider.background", 21, 7, kDoubleDensity},
    {"image.mypalettefull.slider.background.mask", 21, 7, kDoubleDensity},
    {"image.mypalettefull.slider.thumb", 21, 7, kDoubleDensity},
};

} // namespace

QStringList translationKeys()
{
    QStringList keys;
    for (const char *key : kTranslationKeys)
        keys.append(QString::fromLatin1(key));
    return keys;
}

QList<ThemeImage> themeImages()
{
    QList<ThemeImage> images;
    for (const ImageFields &fields : kImages)
        images.append(
            {QString::fromLatin1(fields.key), QSize(fields.width, fields.height), fields.scale});
    return images;
}

QStringList themeColours()
{
    return {QStringLiteral("color.widget.collectionselector.text")};
}

} // namespace Tintwell::PresentationKeys
