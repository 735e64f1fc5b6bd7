#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/db/schemequeries.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "fuzz/fuzzcollection.h"

#include <cstdint>

namespace {

// What the picker shows of one card: its chips' labels and the first chip's tool tip and
// contrast, and its schemes of one kind, as the schemer shows one at a time. Each of
// these reads the whole card again, so reading every kind for every input cost a fifth
// of the target's time; the kind is picked by the input's checksum, so an input always
// reads the same one and every kind is read across the corpus.
void readCard(const QUuid &uuid, const Corvo::DB::ColorPage &page, size_t checksum)
{
    for (const Corvo::DB::ColorEntry &row : page.rows)
        Corvo::chipLabel(uuid, row);
    if (page.rows.isEmpty())
        return;
    Corvo::chipToolTip(uuid, page.rows.first().id);
    QList<Corvo::DB::ColorEntry> entries;
    const QList<int> schemes = Corvo::CollectionSettings::schemes(uuid);
    if (!schemes.isEmpty()) {
        const int scheme = schemes.at(qsizetype(checksum % size_t(schemes.size())));
        Corvo::DB::schemeRows(uuid, scheme, page.pageIndex, 1, entries);
        Corvo::DB::schemePageRows(uuid, scheme, page.pageIndex, 1, entries);
        QList<Corvo::DB::ColorPage> pages;
        Corvo::DB::schemePages(uuid, page.pageIndex, scheme, pages);
    }
    Corvo::DB::contrastRows(uuid, page.pageIndex, 1, entries);
    Corvo::DB::hasComplementaryNeutralPages(uuid, page.pageIndex);
}

void readCollection(const QUuid &uuid, size_t checksum)
{
    QSharedPointer<Corvo::DB::Collection> record;
    Corvo::DB::collectionRecord(uuid, record);
    Corvo::CollectionSettings::cardType(uuid);
    Corvo::CollectionSettings::tabBarPages(uuid);
    QList<int> segments;
    Corvo::DB::segments(uuid, segments);
    Corvo::DB::ColorPage page;
    if (!segments.isEmpty() &&
        Corvo::DB::firstPageOfSegment(uuid, segments.first(), 0, false, page) == Corvo::DB::Ok)
        readCard(uuid, page, checksum);
    QStringList suggestions;
    Corvo::DB::searchSuggestions(uuid, suggestions);
    Corvo::DB::PhraseMatch match;
    if (!suggestions.isEmpty())
        Corvo::DB::findPhrase(uuid, suggestions.last(), match);
}

} // namespace

// The collection file replaced by the bytes under an engine that catalogued the
// original: the catalogue read afresh, then what the picker reads of each collection.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzCollection &world = FuzzCollection::instance();
    if (!world.isValid())
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    world.replaceFile(bytes);
    Corvo::DB::CollectionCatalogue found;
    Corvo::DB::loadCatalogue(found, true);
    for (const QUuid &uuid : world.collections())
        readCollection(uuid, qHash(bytes));
    world.forgetFile();
    return 0;
}
