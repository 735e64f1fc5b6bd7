#include "fixturefiles.h"

#include <QDebug>

namespace FixtureFiles {

bool writeCollectionFile(const QString &path, const QList<Tintwell::CollectionFields> &collections,
                         bool withSystemWide,
                         const std::function<bool(Tintwell::CollectionFileWriter &)> &extra)
{
    Tintwell::CollectionFileWriter writer;
    bool ok = writer.create(path) && writer.beginTransaction();
    if (ok && withSystemWide)
        ok = writer.addSystemWideCollection();
    for (const Tintwell::CollectionFields &fields : collections) {
        if (!ok)
            break;
        const auto id = writer.addCollection(fields);
        ok =
            id && writer.addSetting(*id, QStringLiteral("collection.enabled"), QStringLiteral("1"));
    }
    if (ok && extra)
        ok = extra(writer);
    ok = ok && writer.commit();
    if (!ok)
        qWarning() << "fixture" << path << "failed:" << writer.lastError();
    return writer.close() && ok;
}

Tintwell::CollectionFields collection(qint64 id, const QString &uuid, const QString &systemId,
                                      int order, const QString &name)
{
    Tintwell::CollectionFields fields;
    fields.id = id;
    fields.uuid = QUuid(uuid);
    fields.systemId = systemId;
    fields.order = order;
    fields.name = name.isEmpty() ? systemId : name;
    return fields;
}

} // namespace FixtureFiles
