#include "addon/windowautomation.h"

#include <QFile>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace Corvo::WindowAutomation {

namespace {

// Long enough for the first paint and the widgets' start-up animations.
constexpr int kSettleMilliseconds = 600;

} // namespace

int requestedExport()
{
    const QByteArray kind = qgetenv(kExportVariable);
    return kind == "materials" ? 1 : kind == "penset" ? 2 : 0;
}

std::optional<QList<int>> requestedVerdicts()
{
    if (!qEnvironmentVariableIsSet(kColoursVariable))
        return std::nullopt;
    static const QByteArray names[] = {"exact", "close", "near", "none"};
    QList<int> verdicts;
    for (const QByteArray &name : qgetenv(kColoursVariable).split(':')) {
        const auto known = std::find(std::begin(names), std::end(names), name.trimmed());
        if (known != std::end(names))
            verdicts.append(int(known - std::begin(names)));
    }
    return verdicts;
}

void armFor(QWidget *window, std::function<void()> finish)
{
    const QString path = QFile::decodeName(qgetenv(kSnapshotVariable));
    if (!window || (path.isEmpty() && !qEnvironmentVariableIsSet(kExportVariable) &&
                    !qEnvironmentVariableIsSet(kColoursVariable)))
        return;
    QTimer::singleShot(kSettleMilliseconds, window, [window, path, finish] {
        if (!path.isEmpty() && !window->grab().save(path))
            qWarning("Cannot write the window's picture to %s", qPrintable(path));
        if (finish)
            finish();
        else
            window->close();
    });
}

} // namespace Corvo::WindowAutomation
