#include "addon/startup.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>

#include <libxml/parser.h>
#include <libxml/xmlversion.h>

// The window icons live in the add-on's static core, whose resources are only registered
// when asked for; outside any namespace, since the macro declares their init function.
static void registerAddOnIcons()
{
    Q_INIT_RESOURCE(addon_icons);
}

namespace Corvo::Startup {

namespace {

// The oldest libxml2 whose memory parser, text writer and XPath the palette and
// measurement files are written against.
constexpr int kRequiredXmlLibraryVersion = 20900;

QString &storedModulePath()
{
    static QString path;
    return path;
}

void prepareQtAttributes()
{
    QCoreApplication::setAttribute(Qt::AA_PluginApplication, true);
#ifdef Q_OS_WIN
    QCoreApplication::setAttribute(Qt::AA_NativeWindows, true);
#endif
}

// Plug-ins shipped beside the module come first; Qt's own paths stay, since without
// them the platform and SQL plug-ins are lost.
void addModulePluginFolder(const QString &modulePath)
{
    QCoreApplication::addLibraryPath(pluginFolderFor(modulePath));
}

// A new host process starts on the first collection; within one run of the host the
// last-used collection survives closing and reopening the window.
void applyHostProcessRule(const QUuid &firstCollection)
{
    const qint64 pid = Platform::currentProcessId();
    if (Preferences::hostApplicationPid() == pid)
        return;
    Preferences::setUuidOfLastUsedCollection(firstCollection);
    Preferences::setHostApplicationPid(pid);
}

void prepareXmlLibrary()
{
    static const bool prepared = [] {
        xmlInitParser();
        xmlCheckVersion(kRequiredXmlLibraryVersion);
        return true;
    }();
    Q_UNUSED(prepared);
}

} // namespace

QString dataFolderUnder(const QString &commonAppDataFolder)
{
    const QChar separator = QDir::separator();
    return QDir::toNativeSeparators(commonAppDataFolder) + separator + QStringLiteral("Velmora") +
           separator + QStringLiteral("Tintwell") + separator + QStringLiteral("SQLite");
}

QString pluginFolderFor(const QString &modulePath)
{
    return QFileInfo(modulePath).absolutePath() + QStringLiteral("/Contents/PlugIns");
}

QString modulePath()
{
    return storedModulePath();
}

int initialize(const QString &modulePath)
{
    prepareQtAttributes();
    addModulePluginFolder(modulePath);
    registerAddOnIcons();
    storedModulePath() = modulePath;
    DB::setDataFolder(dataFolderUnder(Platform::commonAppDataFolder()));

    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return kNoSqliteDriver;
    const int scanned = DB::ensureCatalogue();
    if (scanned < 0)
        return scanned;
    if (scanned == DB::kCatalogueEmpty)
        return kNoCollections;
    const QList<QUuid> collections = DB::orderedCollections();
    if (collections.isEmpty())
        return kNoCollections;

    applyHostProcessRule(collections.first());
    DB::loadNameOrders(Preferences::uuidOfLastUsedCollection());
    prepareXmlLibrary();
    return 0;
}

} // namespace Corvo::Startup
