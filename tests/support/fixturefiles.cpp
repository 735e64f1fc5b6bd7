#include "fixturefiles.h"

#include <QDebug>

namespace FixtureFiles {

bool writeCollectionFile(const QString &path, const QList<Tintwell::CollectionSpec> &collections,
                         bool withSystemWide,
                         const std::function<bool(Tintwell::CollectionFileWriter &)> &extra)
{
    Tintwell::CollectionFileWriter writer;
    bool ok = writer.create(path) && writer.beginTransaction();
    if (ok && withSystemWide)
        ok = writer.addSystemWideCollection();
    for (const Tintwell::CollectionSpec &spec : collections) {
        if (!ok)
            break;
        const auto id = writer.addCollection(spec);
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

Tintwell::CollectionSpec collection(qint64 id, const QString &uuid, const QString &systemId,
                                    int order, const QString &name)
{
    Tintwell::CollectionSpec spec;
    spec.id = id;
    spec.uuid = QUuid(uuid);
    spec.systemId = systemId;
    spec.order = order;
    spec.name = name.isEmpty() ? systemId : name;
    return spec;
}

} // namespace FixtureFiles
