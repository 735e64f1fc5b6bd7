#include "fuzz/fuzzcollection.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "fuzz/memoryfilevfs.h"
#include "fuzz/sqliteheap.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/source/sourcedeckreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>

#include <cstdio>
#include <cstdlib>

namespace {

// Millions of inputs each log a failed statement or a bad file; printing them would cost
// more than the reading.
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A file system in memory where there is one, so that a scratch file written for every
// input never reaches a disk.
QString scratchFolder()
{
    const QFileInfo shared(QStringLiteral("/dev/shm"));
    return shared.isDir() && shared.isWritable() ? shared.filePath() : QDir::tempPath();
}

} // namespace

FuzzCollection &FuzzCollection::instance()
{
    static FuzzCollection world;
    return world;
}

QString FuzzCollection::exampleSource()
{
    return QStringLiteral(HUEPORT_FUZZ_EXAMPLE_SOURCE);
}

FuzzCollection::FuzzCollection() : m_root(scratchFolder() + QStringLiteral("/hueport-fuzz-XXXXXX"))
{
    qInstallMessageHandler(dropMessage);
    if (!SqliteHeap::install())
        std::fprintf(stderr, "fuzz: SQLite was in use before its allocator could be set\n");
    if (!m_root.isValid())
        return;
    const QString config = m_root.filePath(QStringLiteral("config"));
    const QString temp = m_root.filePath(QStringLiteral("tmp"));
    QDir().mkpath(config);
    QDir().mkpath(temp);
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_root.filePath(QStringLiteral("share"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("TMPDIR", QFile::encodeName(temp));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    const QString data = m_root.filePath(QStringLiteral("share/Velmora/Tintwell/SQLite"));
    QDir().mkpath(data + QStringLiteral("/Contents/Resources"));
    Corvo::DB::setDataFolder(data);
    m_filePath = data + QStringLiteral("/Contents/Resources/harbour.db");
    if (!writeCollectionFile())
        std::fprintf(stderr, "fuzz: cannot write the collection file from %s\n",
                     qPrintable(exampleSource()));
    else if (!MemoryFileVfs::install())
        std::fprintf(stderr, "fuzz: SQLite refuses the file system in memory\n");
    else
        m_valid = true;
}

bool FuzzCollection::writeCollectionFile()
{
    Tintwell::SourceDeckReader reader;
    const std::optional<Tintwell::DeckModel> deck = reader.read(exampleSource());
    Tintwell::DeckWriter writer;
    if (!deck || !writer.write(*deck, m_filePath))
        return false;
    Corvo::DB::loadCatalogue(Corvo::DB::catalogue(), true);
    m_catalogue = Corvo::DB::catalogue();
    for (const Corvo::DB::CollectionInfo &info : Corvo::DB::catalogue().entries()) {
        if (info.uuid != Corvo::DB::systemWideCollectionUuid())
            m_collections.append(info.uuid);
    }
    return !m_collections.isEmpty();
}

void FuzzCollection::replaceFile(const QByteArray &bytes)
{
    MemoryFileVfs::serve(m_filePath, bytes);
}

void FuzzCollection::forgetFile()
{
    // The engine names a file's connection after its path.
    Corvo::DB::PreparedQuery::forgetConnection(m_filePath);
    QSqlDatabase::removeDatabase(m_filePath);
    Corvo::CollectionSettings::resetCache();
    // The chips' name orders are dropped at their first use after the reset: a label of
    // nothing drops them now, within this input.
    Corvo::chipLabel(QUuid(), Corvo::DB::ColorEntry());
    // A look-up of a collection the catalogue lacks scans the folder and adds what the
    // input named; every input starts from the original's catalogue instead.
    Corvo::DB::catalogue() = m_catalogue;
    MemoryFileVfs::serve(m_filePath, {});
}

QString FuzzCollection::writeScratchFile(const QByteArray &bytes)
{
    const QString path = m_root.filePath(QStringLiteral("input.db"));
    writeBytes(path, bytes);
    return path;
}
