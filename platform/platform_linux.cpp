#include "platform/platform.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>
#include <unistd.h>

namespace Corvo::Platform {

QString commonAppDataFolder()
{
    const QByteArray dirs = qgetenv("XDG_DATA_DIRS");
    for (const QByteArray &entry : dirs.split(':')) {
        if (!entry.isEmpty())
            return QDir::cleanPath(QString::fromLocal8Bit(entry));
    }
    return QStringLiteral("/usr/local/share");
}

QString moduleFileName(const void *addressInModule)
{
    Dl_info info{};
    if (addressInModule == nullptr || dladdr(addressInModule, &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

QString currentModuleFileName()
{
    static const char anchor = 0;
    return moduleFileName(&anchor);
}

qint64 currentProcessId()
{
    return static_cast<qint64>(::getpid());
}

void setHostWindowEnabled(void *, bool) {}

void bringHostWindowToFront(void *) {}

void parentToDesktop(QWidget *) {}

} // namespace Corvo::Platform
