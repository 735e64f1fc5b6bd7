#include "addon/windowicon.h"

namespace Corvo {

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/image/ui/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}

Qt::WindowFlags addOnWindowFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

QString addOnBackgroundStyle()
{
    return QStringLiteral(
        "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.5, y2:1, stop:0 "
        "rgba(238, 238, 238, 255), stop:1 rgba(218, 218, 218, 255));");
}

} // namespace Corvo
