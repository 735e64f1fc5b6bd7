#include "engine/capsure/capsurewatch.h"

#include "engine/settings/collectionsettings.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

namespace Corvo {

namespace {

const QString kProgramDataToken = QStringLiteral("%PROGRAMDATA%");

// A device creates its folder when it is first used: until then the closest folder
// above it that exists is watched, so that its creation is noticed.
QString nearestExistingFolderAbove(const QString &folder)
{
    QString path = QFileInfo(folder).absoluteFilePath();
    while (true) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return QFileInfo(parent).isDir() ? parent : QString();
        if (QFileInfo(parent).isDir())
            return parent;
        path = parent;
    }
}

void syncList(QFileSystemWatcher &watcher, const QStringList &watched, const QStringList &wanted)
{
    QStringList stale;
    for (const QString &path : watched) {
        if (!wanted.contains(path))
            stale.append(path);
    }
    if (!stale.isEmpty())
        watcher.removePaths(stale);
    QStringList fresh;
    for (const QString &path : wanted) {
        if (!watched.contains(path))
            fresh.append(path);
    }
    if (!fresh.isEmpty())
        watcher.addPaths(fresh);
}

} // namespace

QString resolvedCapsureFolder(const QString &setting, const QString &commonAppDataFolder)
{
    QString folder = setting;
    folder.replace(kProgramDataToken, commonAppDataFolder, Qt::CaseInsensitive);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return folder;
}

CapsureWatch::CapsureWatch(QObject *parent) : QObject(parent), m_watcher(new QFileSystemWatcher)
{
    m_watcher->setParent(this);
    m_watcher->blockSignals(true);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CapsureWatch::capsureDirectoryChanged);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &CapsureWatch::capsureFileChanged);
}

void CapsureWatch::arm(const QUuid &collection)
{
    m_watcher->blockSignals(true);
    configure(collection);
    syncWatchedPaths();
    unblockWhenWatching();
    emit onCapsureFileChanged(m_filePath);
}

QStringList CapsureWatch::watchedPaths() const
{
    return m_watcher->directories() + m_watcher->files();
}

void CapsureWatch::capsureDirectoryChanged(const QString &)
{
    m_watcher->blockSignals(true);
    syncWatchedPaths();
    emit onCapsureFileChanged(m_filePath);
    unblockWhenWatching();
}

void CapsureWatch::capsureFileChanged(const QString &)
{
    m_watcher->blockSignals(true);
    // A file replaced by renaming a new one over it drops out of the watch with the old
    // one, after the folder's event has already been handled.
    syncWatchedPaths();
    emit onCapsureFileChanged(m_filePath);
    unblockWhenWatching();
}

void CapsureWatch::configure(const QUuid &collection)
{
    m_folder.clear();
    m_filePath.clear();
    if (!CollectionSettings::capsureEnabled(collection))
        return;
    const QString folder = resolvedCapsureFolder(
        CollectionSettings::capsureFolderToWatch(collection), Platform::commonAppDataFolder());
    const QString fileName = CollectionSettings::capsureFileNameToWatch(collection);
    // Without a folder the path would name a file in whatever the current folder is.
    if (folder.isEmpty() || fileName.isEmpty())
        return;
    m_folder = folder;
    m_filePath = folder + QDir::separator() + fileName;
}

void CapsureWatch::syncWatchedPaths()
{
    QStringList folders;
    QStringList files;
    if (QFileInfo(m_folder).isDir()) {
        folders.append(m_folder);
        if (QFileInfo::exists(m_filePath))
            files.append(m_filePath);
    } else if (!m_folder.isEmpty()) {
        const QString above = nearestExistingFolderAbove(m_folder);
        if (!above.isEmpty())
            folders.append(above);
    }
    syncList(*m_watcher, m_watcher->files(), files);
    syncList(*m_watcher, m_watcher->directories(), folders);
}

void CapsureWatch::unblockWhenWatching()
{
    m_watcher->blockSignals(m_watcher->directories().isEmpty());
}

} // namespace Corvo
