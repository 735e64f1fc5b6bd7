#include "faultworld.h"

#include "engine/db/preparedquery.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"

#include <QFile>
#include <QSaveFile>
#include <QSqlDatabase>

namespace {

// Sorts after the demo file, so the demo file's system-wide collection stays the one used.
const QString kSpareFileName = QStringLiteral("velmora2.db");

Tintwell::DeckModel spareDeck()
{
    Tintwell::DeckModel deck = Tintwell::DemoDeck::build();
    Tintwell::CollectionModel spare = deck.collections.first();
    spare.uuid = FaultWorld::spareCollection();
    spare.systemId = QStringLiteral("SPARE");
    spare.name = QStringLiteral("Spare");
    spare.order += 100;
    deck.collections = {spare};
    return deck;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

FaultWorld::FaultWorld()
    : m_demoFile(m_demo.environment().collectionFile(QStringLiteral("velmora.db"))),
      m_spareFile(m_demo.environment().collectionFile(kSpareFileName))
{
    Tintwell::DeckWriter writer;
    m_demoBytes = contents(m_demoFile);
    m_valid = m_demo.isValid() && !m_demoBytes.isEmpty() && writer.write(spareDeck(), m_spareFile);
    TestEnvironment::resetCatalogue();
}

QUuid FaultWorld::spareCollection()
{
    return QUuid(QStringLiteral("{5e1f0c3a-77d2-4b1e-9c40-2a6d8e0b5f91}"));
}

bool FaultWorld::restore()
{
    forgetConnections();
    QSaveFile file(m_demoFile);
    const bool restored = file.open(QIODevice::WriteOnly) &&
                          file.write(m_demoBytes) == m_demoBytes.size() && file.commit();
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    return restored;
}

void FaultWorld::forgetConnections()
{
    for (const QString &name : QSqlDatabase::connectionNames()) {
        Corvo::DB::PreparedQuery::forgetConnection(name);
        QSqlDatabase::removeDatabase(name);
    }
    TestEnvironment::resetCatalogue();
}
