#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

class QFileSystemWatcher;

namespace Corvo {

// The folder a collection's Capsure folder setting names on this machine: "%PROGRAMDATA%"
// in any letter case becomes the common application-data folder, backslashes become
// slashes.
QString resolvedCapsureFolder(const QString &setting, const QString &commonAppDataFolder);

// Watches the file the current collection's Capsure device writes its measurements to and
// reports, after every change of the folder or the file and after every arming, the
// configured file path (empty while the collection does not use Capsure). Whether the
// file is usable is the receiver's business.
class CapsureWatch : public QObject
{
    Q_OBJECT
public:
    explicit CapsureWatch(QObject *parent = nullptr);

    // Points the watch at the collection's folder and file and reports the file path.
    void arm(const QUuid &collection);

    // Both empty while the collection does not use Capsure.
    QString folder() const { return m_folder; }
    QString filePath() const { return m_filePath; }
    // What the file system watcher looks at now: the folder and, once it exists, the
    // file; or, while the folder is missing, the nearest folder above it that exists.
    QStringList watchedPaths() const;

signals:
    void onCapsureFileChanged(const QString &path);

public slots:
    void capsureDirectoryChanged(const QString &path);
    void capsureFileChanged(const QString &path);

private:
    void configure(const QUuid &collection);
    // Brings the watched paths in line with what exists now, changing only what differs
    // so that no event falls into a gap. Leaves the watcher's signals blocked.
    void syncWatchedPaths();
    // Signals flow only while something is watched.
    void unblockWhenWatching();

    QFileSystemWatcher *m_watcher;
    QString m_folder;
    QString m_filePath;
};

} // namespace Corvo
