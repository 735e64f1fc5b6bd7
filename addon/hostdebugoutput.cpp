#include "addon/hostdebugoutput.h"

#include "host/api/gsroot.h"

#include <QString>
#include <QtGlobal>

namespace Corvo::HostDebugOutput {

namespace {

bool installed = false;
QtMessageHandler previousHandler = nullptr;

// One line per message, formatted as Qt would ("corvo.db: ..."), the text as UTF-8.
void printOnHost(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    DBPrintf("%s\n", qFormatLogMessage(type, context, message).toUtf8().constData());
}

} // namespace

void install()
{
    if (installed)
        return;
    previousHandler = qInstallMessageHandler(printOnHost);
    installed = true;
}

void restore()
{
    if (!installed)
        return;
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    installed = false;
}

} // namespace Corvo::HostDebugOutput
