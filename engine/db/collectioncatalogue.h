#pragma once

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>

namespace Corvo::DB {

// Result codes shared by the database operations.
enum Result : int {
    Ok = 0,
    Failed = -1,           // statement failed or no row
    NullCollection = -2,   // null collection UUID
    NotCatalogued = -4,    // collection not in the catalogue
    FileUnavailable = -5,  // the collection's file does not open
    NothingQualifies = -6, // no page meets the filters
    OutOfRange = -10,      // position out of range
};

// ensureCatalogue(): the catalogue holds collections, or is empty.
inline constexpr int kCatalogueFilled = 1;
inline constexpr int kCatalogueEmpty = 2;

// The system-wide collection: catalogued, never offered; its file answers the
// searches across collections.
QUuid systemWideCollectionUuid();

// One catalogue entry: where a collection lives.
struct CollectionInfo
{
    QUuid uuid;
    qint64 id = -1;
    int order = 0;
    QString path;
    QString systemId;
};

// Collections by UUID. Entries are only ever added; the first file naming a UUID wins,
// except that the system-wide collection comes from the file adding the most collections.
// Entries keep the order they were found in (files in sorted name order, then
// COLLECTION.ID), which stands in wherever a fixed order is needed.
class CollectionCatalogue
{
public:
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }
    void clear();
    // Adds the entry unless its UUID is present already; true when added.
    bool insert(const CollectionInfo &info);
    const CollectionInfo *find(const QUuid &uuid) const;
    const QList<CollectionInfo> &entries() const { return m_entries; }

private:
    QHash<QUuid, qsizetype> m_positions;
    QList<CollectionInfo> m_entries;
};

// The process-wide catalogue.
CollectionCatalogue &catalogue();

// The data folder whose "Contents/Resources/*.db" files hold the collections.
void setDataFolder(const QString &path);
QString dataFolder();

int loadCatalogue(CollectionCatalogue &catalogue, bool clearFirst);
// 1 when the catalogue holds collections, 2 when empty, < 0 an error of loadCatalogue.
int ensureCatalogue();
// The collections offered to the user, by ascending ORDER; the first is the default.
QList<QUuid> orderedCollections();
// The catalogue entry of the collection; the data folder is scanned first when the UUID
// is not catalogued yet. Null when there is none (always for the null UUID).
const CollectionInfo *cataloguedCollection(const QUuid &uuid);
// 0, or -2 null UUID, -4 not catalogued, -5 the file does not open.
int ensureConnection(const QUuid &uuid);
// The persistent connection of the collection's file; invalid when not connected.
QSqlDatabase collectionConnection(const QUuid &uuid);
// COLLECTION.ID of a catalogued collection, -1 otherwise. Opens no connection.
qint64 collectionDbId(const QUuid &uuid);
// 0 and the UUID of the collection with that SYSTEMID (any letter case); -1 and the null
// UUID when none.
int collectionUuidBySystemId(const QString &systemId, QUuid &uuid);

} // namespace Corvo::DB
