#include "tools/tintwell/demo/demotexts.h"

namespace Tintwell {

QList<TranslationModel> demoTranslations(const QString &brand, const QString &collectionName)
{
    const QString copyright =
        QStringLiteral("<p><b>%1</b></p><p>Colour data &copy; 2027 Velmora Paints. Printed and "
                       "on-screen colours are a guide only; always check a painted sample "
                       "before you buy.</p><p>Colour names from the colour-name-list project "
                       "(MIT licence).</p>")
            .arg(collectionName);
    return {
        {QStringLiteral("color.palette.caption"), QStringLiteral("%1 Colour Picker").arg(brand)},
        {QStringLiteral("aboutbox.caption"), QStringLiteral("About %1").arg(brand)},
        {QStringLiteral("aboutbox.main"), QStringLiteral("%1 Colour Picker").arg(brand)},
        {QStringLiteral("aboutbox.copyright"),
         QStringLiteral("Copyright 2027 Velmora Paints. All rights reserved.")},
        {QStringLiteral("aboutbox.version"), QStringLiteral("Version")},
        {QStringLiteral("aboutbox.qt.license.button"), QStringLiteral("About Qt")},
        {QStringLiteral("aboutbox.close.button"), QStringLiteral("Close")},
        {QStringLiteral("license.copyright"), copyright},
        {QStringLiteral("motto"),
         QStringLiteral("<h2>Colour that lasts</h2><p>%1: every colour mixed to order, "
                        "in every finish.</p>")
             .arg(collectionName)},
        {QStringLiteral("archicad.addon.name"), QStringLiteral("%1 Colours").arg(brand)},
        {QStringLiteral("archicad.addon.description"),
         QStringLiteral("Choose %1 paint colours and use them as surfaces and pens.").arg(brand)},
        {QStringLiteral("archicad.addon.menu"), QStringLiteral("%1 Colours").arg(brand)},
        {QStringLiteral("archicad.addon.menu.picker"), QStringLiteral("Colour Picker...")},
        {QStringLiteral("archicad.addon.menu.about"), QStringLiteral("About %1...").arg(brand)},
        {QStringLiteral("archicad.addon.export.button"), QStringLiteral("Export")},
        {QStringLiteral("archicad.addon.export.as.material"), QStringLiteral("Export as surfaces")},
        {QStringLiteral("archicad.addon.export.as.penset"), QStringLiteral("Export as pen set")},
        {QStringLiteral("archicad.addon.material.prefix"), brand},
        {QStringLiteral("archicad.addon.penset.default.name"), QStringLiteral("My Palette")},
        {QStringLiteral("color.palette.copyright"), QStringLiteral("Copyright")},
        {QStringLiteral("color.palette.motto"), QStringLiteral("Colour that lasts")},
        {QStringLiteral("color.palette.enter.search.text"), QStringLiteral("Name or code")},
        {QStringLiteral("common.filedialog.palettefile.filtername"),
         QStringLiteral("%1 palette").arg(brand)},
        {QStringLiteral("common.filedialog.textfile.filtername"), QStringLiteral("Text file")},
        {QStringLiteral("common.filedialog.palettefile.defaultfilename"),
         QStringLiteral("My %1 palette.palette").arg(brand)},
        {QStringLiteral("common.filedialog.palettefile.savedialogcaption"),
         QStringLiteral("Save palette")},
        {QStringLiteral("common.filedialog.palettefile.opendialogcaption"),
         QStringLiteral("Open palette")},
        {QStringLiteral("common.confirmation.dialog.caption"), QStringLiteral("Please confirm")},
        {QStringLiteral("mood.filter.all.moods"), QStringLiteral("All moods")},
        {QStringLiteral("mood.filter.exterior.colors"), QStringLiteral("Exterior colours")},
        {QStringLiteral("do.not.show.mto"), QStringLiteral("Hide made-to-order colours")},
        {QStringLiteral("tiptext.mood.fresh.button"),
         QStringLiteral("Fresh: lively greens and yellow-greens")},
        {QStringLiteral("tiptext.mood.warm.button"),
         QStringLiteral("Warm: reds, oranges and sunny yellows")},
        {QStringLiteral("tiptext.mood.calm.button"),
         QStringLiteral("Calm: restful blues, teals and violets")},
        {QStringLiteral("tiptext.mood.rich.button"),
         QStringLiteral("Rich: deep, strongly coloured shades")},
        {QStringLiteral("tiptext.mood.offwhite.button"),
         QStringLiteral("Off-whites: the lightest tints of every hue")},
        {QStringLiteral("tiptext.mood.neutral.button"),
         QStringLiteral("Neutrals: greys, greiges and stones")},
        {QStringLiteral("tab.bar.color.schemes.caption"), QStringLiteral("Schemes")},
        {QStringLiteral("tab.bar.products.caption"), QStringLiteral("Products")},
        {QStringLiteral("tab.bar.vistara.caption"), QStringLiteral("Trends")},
        {QStringLiteral("tab.bar.textures.caption"), QStringLiteral("Textures")},
        {QStringLiteral("harmonizer.palette.scheme.harmonic"), QStringLiteral("Harmonising")},
        {QStringLiteral("harmonizer.palette.scheme.contrast"), QStringLiteral("Contrasting")},
        {QStringLiteral("harmonizer.palette.scheme.wide.contrast"),
         QStringLiteral("Wide contrast")},
        {QStringLiteral("harmonizer.palette.scheme.dynamic"), QStringLiteral("Dynamic")},
        {QStringLiteral("harmonizer.palette.scheme.dramatic"), QStringLiteral("Dramatic")},
        {QStringLiteral("harmonizer.palette.scheme.tonal.neutral"),
         QStringLiteral("Tonal neutral")},
        {QStringLiteral("harmonizer.palette.scheme.complementary.neutral"),
         QStringLiteral("Complementary neutral")},
        {QStringLiteral("harmonizer.palette.scheme.natural.neutral"),
         QStringLiteral("Natural neutral")},
        {QStringLiteral("harmonizer.drag.drop.message"),
         QStringLiteral("Drag a colour into My Palette")},
        {QStringLiteral("textures.select.message"),
         QStringLiteral("Surfaces in the selected colour")},
        {QStringLiteral("mypalette.palette.save"), QStringLiteral("Save palette")},
        {QStringLiteral("mypalette.palette.load"), QStringLiteral("Open palette")},
        {QStringLiteral("mypalette.note.instructions"), QStringLiteral("Describe this palette")},
        {QStringLiteral("mypalette.clearpalettebutton.question"),
         QStringLiteral("Remove every colour from My Palette?")},
        {QStringLiteral("capsure.dialog.caption"), QStringLiteral("Capsure colour match")},
        {QStringLiteral("capsure.dialog.todo"),
         QStringLiteral("Choose the colour that matches your measurement")},
    };
}

} // namespace Tintwell
