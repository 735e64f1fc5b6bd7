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

int exportKindOf(const QByteArray &value)
{
    return value == "materials" ? 1 : value == "penset" ? 2 : 0;
}

} // namespace

int requestedExport()
{
    const QByteArray value = qgetenv(kExportVariable);
    const int kind = exportKindOf(value);
    if (kind == 0 && !value.isEmpty())
        qWarning("%s=%s names no export (materials or penset): ignored", kExportVariable,
                 value.constData());
    return kind;
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
    if (!window || (path.isEmpty() && exportKindOf(qgetenv(kExportVariable)) == 0 &&
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
