#pragma once

#include "engine/db/collectioncatalogue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>

// The world of a fuzz target that reads collections: Qt's messages silenced, a private
// temporary folder (in memory where the system has such a file system) holding the data
// folder, the preferences and the temporary files, and in it one collection file written
// from the example deck and catalogued. Made on first use, removed at exit.
class FuzzCollection
{
public:
    static FuzzCollection &instance();

    bool isValid() const { return m_valid; }
    // The example deck's source folder, as the collection tool reads it.
    static QString exampleSource();
    QString filePath() const { return m_filePath; }
    // The catalogued collections of the file, the system-wide one left out.
    const QList<QUuid> &collections() const { return m_collections; }

    // Puts the bytes in place of the collection file's contents, so the next query reads
    // them as the first. The bytes stay in memory: SQLite reads them through MemoryFileVfs,
    // while the folder keeps the original file that the catalogue finds.
    void replaceFile(const QByteArray &bytes);
    // Closes every connection to the replaced contents, drops every cached setting and
    // puts back the catalogue as the original's made it. Called at the end of each input,
    // so that an input frees all it allocated: libFuzzer reruns an input that does not
    // under the leak checker, which cost a fifth of the target's time.
    void forgetFile();
    // A file of the private folder outside the data folder, holding the bytes.
    QString writeScratchFile(const QByteArray &bytes);

private:
    FuzzCollection();
    bool writeCollectionFile();

    QTemporaryDir m_root;
    QString m_filePath;
    Corvo::DB::CollectionCatalogue m_catalogue;
    QList<QUuid> m_collections;
    bool m_valid = false;
};
