#include "widgetbenchworld.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"

#include <QDir>
#include <QSettings>

WidgetBenchWorld::WidgetBenchWorld()
{
    if (!m_root.isValid())
        return;
    const QString config = m_root.filePath(QStringLiteral("config"));
    const QString data = m_root.filePath(QStringLiteral("share/Velmora/Tintwell/SQLite"));
    const QString resources = data + QStringLiteral("/Contents/Resources");
    QDir().mkpath(config);
    QDir().mkpath(resources);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    Corvo::DB::setDataFolder(data);
    Tintwell::DeckWriter writer;
    m_valid = writer.write(Tintwell::DemoDeck::build(), resources + QStringLiteral("/velmora.db"));
    if (!m_valid)
        return;
    const QUuid main = mainCollection();
    Corvo::Preferences::setUuidOfLastUsedCollection(main);
    Corvo::CollectionSettings::setCurrentCollection(main);
    Corvo::DB::loadNameOrders(main);
}

QUuid WidgetBenchWorld::mainCollection() const
{
    return Tintwell::DemoDeck::mainCollectionUuid();
}
