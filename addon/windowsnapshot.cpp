#include "addon/windowsnapshot.h"

#include <QFile>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace Corvo::WindowSnapshot {

namespace {

// Long enough for the first paint and the widgets' start-up animations.
constexpr int kSettleMilliseconds = 600;

} // namespace

void armFor(QWidget *window)
{
    const QString path = QFile::decodeName(qgetenv(kVariable));
    if (path.isEmpty() || !window)
        return;
    QTimer::singleShot(kSettleMilliseconds, window, [window, path] {
        if (!window->grab().save(path))
            qWarning("Cannot write the window's picture to %s", qPrintable(path));
        window->close();
    });
}

} // namespace Corvo::WindowSnapshot
