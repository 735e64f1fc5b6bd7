#pragma once

#include <QString>
#include <QTemporaryDir>

// A private world for one test: data folder, preferences and temporary files all live
// in a fresh temporary folder, never in the user's own. The engine's data folder points
// at it and the catalogue starts empty.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    bool isValid() const { return m_root.isValid(); }
    QString root() const { return m_root.path(); }
    // <common app-data>/Velmora/Tintwell/SQLite, as the add-on computes it.
    QString dataFolder() const;
    // <data folder>/Contents/Resources, created on first call.
    QString resourcesFolder() const;
    QString collectionFile(const QString &fileName) const;
    QString configFolder() const;

    // Empties the process-wide catalogue so that the next query scans the folder again.
    static void resetCatalogue();

private:
    QTemporaryDir m_root;
    QByteArray m_savedDataDirs;
    QByteArray m_savedConfigHome;
    QByteArray m_savedTmpDir;
    QByteArray m_savedRuntimeDir;
};
