#include "testenvironment.h"

#include "engine/db/collectioncatalogue.h"

#include <QDir>
#include <QSettings>

TestEnvironment::TestEnvironment()
{
    const QString data = m_root.filePath(QStringLiteral("share"));
    QDir().mkpath(data);
    QDir().mkpath(configFolder());
    QDir().mkpath(m_root.filePath(QStringLiteral("tmp")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder()));
    qputenv("TMPDIR", QFile::encodeName(m_root.filePath(QStringLiteral("tmp"))));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configFolder());
    Corvo::DB::setDataFolder(dataFolder());
    resetCatalogue();
}

TestEnvironment::~TestEnvironment()
{
    resetCatalogue();
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
