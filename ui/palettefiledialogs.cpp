#include "ui/palettefiledialogs.h"

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
