#include "engine/db/dblog.h"
#include "tools/tintwell/cli/commandline.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// Qt's own chatter (missing runtime folder, font fallbacks) would break the rule that an
// error is one line on standard error; the tool reports its own errors. The database
// channel speaks only when --verbose turned it on.
void quietMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool database = qstrcmp(context.category, lcDb().categoryName()) == 0;
    if (database || type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    // The tool paints theme images and textures but never shows a window, so it needs no
    // display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessageHandler);
    QGuiApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Tintwell::runCommandLine(application.arguments().mid(1), out, err);
}
