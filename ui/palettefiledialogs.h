#pragma once

#include <QString>

class QWidget;

// The file dialogs the palette's save and open buttons run.
namespace Corvo::PaletteFileDialogs {

// The extension a filter such as "Palette files (*.palette)" asks for: ".palette".
QString extensionOf(const QString &filter);
// A chosen name without an extension gets the chosen filter's.
QString withFilterExtension(const QString &path, const QString &filter);

// The desktop's dialogs: caption, start path, filters joined by ";;", and the selected
// filter in and out; an empty path when the user cancelled.
QString save(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter);
QString open(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter);

} // namespace Corvo::PaletteFileDialogs
