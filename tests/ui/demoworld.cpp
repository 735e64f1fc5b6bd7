#include "demoworld.h"

#include "engine/db/nameorders.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"

#include <QSettings>

DemoWorld::DemoWorld()
{
    Tintwell::DeckWriter writer;
    m_valid = m_environment.isValid() &&
              writer.write(Tintwell::DemoDeck::build(),
                           m_environment.collectionFile(QStringLiteral("velmora.db")));
    TestEnvironment::resetCatalogue();
    if (m_valid)
        makeCurrent(mainCollection());
}

QUuid DemoWorld::mainCollection()
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}

QUuid DemoWorld::lustrelCollection()
{
    return Tintwell::DemoDeck::lustrelCollectionUuid();
}

void DemoWorld::makeCurrent(const QUuid &collection)
{
    Corvo::Preferences::setUuidOfLastUsedCollection(collection);
    Corvo::CollectionSettings::setCurrentCollection(collection);
    Corvo::DB::loadNameOrders(collection);
}

void DemoWorld::clearPreferences()
{
    QSettings(QSettings::IniFormat, QSettings::UserScope,
              QString::fromLatin1(Corvo::Preferences::kOrganisation),
              QString::fromLatin1(Corvo::Preferences::kApplication))
        .clear();
    Corvo::Preferences::forgetCachedLastUsedCollection();
}
