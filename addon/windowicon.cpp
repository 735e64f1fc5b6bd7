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

} // namespace Corvo
