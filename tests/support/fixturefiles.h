#pragma once

#include "tools/tintwell/authoring/authoringrecords.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <functional>

// Small collection files for tests, written with the collection tool's own writer.
namespace FixtureFiles {

// Writes a file holding the given collections, each enabled with "collection.enabled"
// = "1", and the system-wide collection when asked. `extra` may add anything else
// (each collection must carry its ID). False on any failure.
bool writeCollectionFile(const QString &path, const QList<Tintwell::CollectionFields> &collections,
                         bool withSystemWide = true,
                         const std::function<bool(Tintwell::CollectionFileWriter &)> &extra = {});

Tintwell::CollectionFields collection(qint64 id, const QString &uuid, const QString &systemId,
                                      int order, const QString &name = QString());

} // namespace FixtureFiles
