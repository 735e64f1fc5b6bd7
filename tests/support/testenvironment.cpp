#include "testenvironment.h"

#include "engine/db/collectioncatalogue.h"

#include <QDir>
#include <QSettings>

namespace {

// The temporary folder the process started with; later environments live below it,
// not below the folder of an environment that is already gone.
QString originalTempFolder()
{
    static const QString folder = QDir::tempPath();
    return folder;
}

void restoreVariable(const char *name, const QByteArray &value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

TestEnvironment::TestEnvironment()
    : m_root(originalTempFolder() + QStringLiteral("/hueport-test-XXXXXX")),
      m_savedDataDirs(qgetenv("XDG_DATA_DIRS")), m_savedConfigHome(qgetenv("XDG_CONFIG_HOME")),
      m_savedTmpDir(qgetenv("TMPDIR")), m_savedRuntimeDir(qgetenv("XDG_RUNTIME_DIR"))
{
    const QString data = m_root.filePath(QStringLiteral("share"));
    QDir().mkpath(data);
    QDir().mkpath(configFolder());
    QDir().mkpath(m_root.filePath(QStringLiteral("tmp")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder()));
    qputenv("TMPDIR", QFile::encodeName(m_root.filePath(QStringLiteral("tmp"))));
    const QString runtime = m_root.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configFolder());
    Corvo::DB::setDataFolder(dataFolder());
    resetCatalogue();
}

TestEnvironment::~TestEnvironment()
{
    resetCatalogue();
    restoreVariable("XDG_DATA_DIRS", m_savedDataDirs);
    restoreVariable("XDG_CONFIG_HOME", m_savedConfigHome);
    restoreVariable("TMPDIR", m_savedTmpDir);
    restoreVariable("XDG_RUNTIME_DIR", m_savedRuntimeDir);
}

QString TestEnvironment::dataFolder() const
{
    return m_root.filePath(QStringLiteral("share/Velmora/Tintwell/SQLite"));
}

QString TestEnvironment::resourcesFolder() const
{
    const QString folder = dataFolder() + QStringLiteral("/Contents/Resources");
    QDir().mkpath(folder);
    return folder;
}

QString TestEnvironment::collectionFile(const QString &fileName) const
{
    return resourcesFolder() + QLatin1Char('/') + fileName;
}

QString TestEnvironment::configFolder() const
{
    return m_root.filePath(QStringLiteral("config"));
}

void TestEnvironment::resetCatalogue()
{
    Corvo::DB::catalogue().clear();
}
