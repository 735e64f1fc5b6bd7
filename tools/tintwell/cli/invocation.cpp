#include "tools/tintwell/cli/invocation.h"

#include "engine/db/collectioncatalogue.h"
#include "platform/platform.h"
#include "tools/tintwell/cli/commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Tintwell {

Invocation::Invocation(const QString &command, QTextStream &out, QTextStream &err)
    : m_command(command), m_out(out), m_err(err)
{}

QString Invocation::value(const QString &option, const QString &fallback) const
{
    return m_values.value(option, fallback);
}

// Installed (PREFIX/bin/tintwell), the data folder installed beside it, which the installed
// host hands to the add-on; otherwise the add-on's own default.
QString Invocation::defaultDataFolder()
{
    const QString tail = QStringLiteral("/Velmora/Tintwell/SQLite");
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share") + tail;
    if (QCoreApplication::instance() && QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return Corvo::Platform::commonAppDataFolder() + tail;
}

QString Invocation::dataFolder() const
{
    return value(QLatin1String(kDataOption), defaultDataFolder());
}

void Invocation::printJson(const QJsonDocument &document)
{
    m_out << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    m_out.flush();
}

int Invocation::fail(int exitCode, const QString &message)
{
    QString line = message.simplified();
    m_err << "tintwell " << m_command << ": " << line << '\n';
    m_err.flush();
    return exitCode;
}

int Invocation::loadDataFolder()
{
    const QString folder = dataFolder();
    const QFileInfo resources(QDir(folder).filePath(QStringLiteral("Contents/Resources")));
    if (!resources.isDir() || !resources.isReadable())
        return usageError(
            QStringLiteral("no readable Contents/Resources folder in the data folder %1")
                .arg(QDir::toNativeSeparators(folder)));
    Corvo::DB::setDataFolder(folder);
    Corvo::DB::catalogue().clear();
    Corvo::DB::loadCatalogue(Corvo::DB::catalogue(), true);
    return ExitSuccess;
}

int Invocation::resolveCollection(const QString &argument, QUuid &uuid)
{
    uuid = QUuid();
    if (const int status = loadDataFolder(); status != ExitSuccess)
        return status;
    const QString trimmed = argument.trimmed();
    if (trimmed.isEmpty())
        return usageError(QStringLiteral("no collection named"));
    const QUuid asUuid = QUuid::fromString(trimmed);
    if (!asUuid.isNull() && Corvo::DB::catalogue().find(asUuid) != nullptr) {
        uuid = asUuid;
        return ExitSuccess;
    }
    QUuid bySystemId;
    if (Corvo::DB::collectionUuidBySystemId(trimmed, bySystemId) == Corvo::DB::Ok) {
        uuid = bySystemId;
        return ExitSuccess;
    }
    return fail(ExitNotFound, QStringLiteral("no collection \"%1\" in %2")
                                  .arg(trimmed, QDir::toNativeSeparators(dataFolder())));
}

} // namespace Tintwell
