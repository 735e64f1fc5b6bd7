#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QList>
#include <QString>

namespace Tintwell {

// The English texts of every translation key, worded for a collection's brand.
QList<TranslationModel> demoTranslations(const QString &brand, const QString &collectionName);

} // namespace Tintwell
