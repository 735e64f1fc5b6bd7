#pragma once

#include "engine/palette/palettefileformat.h"

#include <QList>
#include <QString>

class QWidget;

// The file dialogs the palette's save and open buttons run.
namespace Corvo::PaletteFileDialogs {

// The extension a filter such as "Palette files (*.palette)" asks for: ".palette".
QString extensionOf(const QString &filter);
// A chosen name without an extension gets the chosen filter's.
QString withFilterExtension(const QString &path, const QString &filter);

// A filter of the save dialog and the format a file saved under it is written in.
struct SaveFilter
{
    QString filter;
    PaletteFileFormat format;
};

// The interchange formats' filters, offered after the palette file and the text listing.
QList<SaveFilter> interchangeFilters();
// The filter of the format; the first filter when none writes it.
QString filterOf(const QList<SaveFilter> &filters, PaletteFileFormat format);
// The format of the chosen filter; the first filter's when none matches.
PaletteFileFormat formatOf(const QList<SaveFilter> &filters, const QString &filter);
// The format a save writes: the offered format whose extension the typed name ends with
// (in any letter case), so that "p1.gpl" is a GIMP palette whatever filter was left
// selected; else the chosen filter's format.
PaletteFileFormat formatFor(const QList<SaveFilter> &filters, const QString &filter,
                            const QString &path);

// The format the save dialog starts with: the last interchange format chosen, else the
// last palette format (the text listing only where the collection allows it).
PaletteFileFormat rememberedSaveFormat(bool textAllowed);
// Remembers a save or open in that format. The palette formats keep their own preference;
// choosing one of them forgets the interchange format.
void rememberSaveFormat(PaletteFileFormat format);

// The desktop's dialogs: caption, start path, filters joined by ";;", and the selected
// filter in and out; an empty path when the user cancelled.
QString save(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter);
QString open(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter);

} // namespace Corvo::PaletteFileDialogs
