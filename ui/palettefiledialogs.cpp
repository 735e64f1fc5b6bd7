#include "ui/palettefiledialogs.h"

#include "engine/palette/paletteinterchange.h"
#include "engine/settings/preferences.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace Corvo::PaletteFileDialogs {

QString extensionOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[^)\\s]+)\\)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withFilterExtension(const QString &path, const QString &filter)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + extensionOf(filter);
}

QList<SaveFilter> interchangeFilters()
{
    const auto text = [](const char *source) {
        return QCoreApplication::translate("Corvo::PaletteFileDialogs", source);
    };
    return {
        {text("GIMP and Inkscape palette (*.gpl)"), PaletteFileFormat::Gpl},
        {text("Adobe Swatch Exchange (*.ase)"), PaletteFileFormat::Ase},
        {text("CSS custom properties (*.css)"), PaletteFileFormat::Css},
        {text("Finish schedule (*.csv)"), PaletteFileFormat::Csv},
    };
}

QString filterOf(const QList<SaveFilter> &filters, PaletteFileFormat format)
{
    for (const SaveFilter &filter : filters) {
        if (filter.format == format)
            return filter.filter;
    }
    return filters.isEmpty() ? QString() : filters.first().filter;
}

PaletteFileFormat formatOf(const QList<SaveFilter> &filters, const QString &filter)
{
    for (const SaveFilter &offered : filters) {
        if (offered.filter == filter)
            return offered.format;
    }
    return filters.isEmpty() ? PaletteFileFormat::Xml : filters.first().format;
}

PaletteFileFormat formatFor(const QList<SaveFilter> &filters, const QString &filter,
                            const QString &path)
{
    for (const SaveFilter &offered : filters) {
        const QString extension = extensionOf(offered.filter);
        if (!extension.isEmpty() && path.endsWith(extension, Qt::CaseInsensitive))
            return offered.format;
    }
    return formatOf(filters, filter);
}

PaletteFileFormat rememberedSaveFormat(bool textAllowed)
{
    if (const auto format = interchangeFormatNamed(Preferences::myPaletteExportFileFormat()))
        return *format;
    return textAllowed && Preferences::myPaletteSaveFileFormat() == int(PaletteFileFormat::Text)
               ? PaletteFileFormat::Text
               : PaletteFileFormat::Xml;
}

void rememberSaveFormat(PaletteFileFormat format)
{
    const Preferences::Batch batch;
    if (isInterchangeFormat(format)) {
        Preferences::setMyPaletteExportFileFormat(interchangeFormatName(format));
        return;
    }
    Preferences::setMyPaletteSaveFileFormat(int(format));
    Preferences::setMyPaletteExportFileFormat(QString());
}

QString save(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter)
{
    return withFilterExtension(
        QFileDialog::getSaveFileName(parent, caption, start, filters, selectedFilter),
        selectedFilter ? *selectedFilter : QString());
}

QString open(QWidget *parent, const QString &caption, const QString &start, const QString &filters,
             QString *selectedFilter)
{
    return QFileDialog::getOpenFileName(parent, caption, start, filters, selectedFilter);
}

} // namespace Corvo::PaletteFileDialogs
