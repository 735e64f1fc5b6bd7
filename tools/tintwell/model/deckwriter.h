#pragma once

#include "tools/tintwell/model/deckmodel.h"

#include <QString>

namespace Tintwell {

// What a written file holds, for the build report.
struct DeckFigures
{
    int collections = 0;
    int cards = 0;
    int chips = 0;
    int rowSchemeEntries = 0;
    int pageSchemeEntries = 0;
    int chipPageSchemeEntries = 0;
    int vistaraEntries = 0;
    int products = 0;
    int textures = 0;
    int themeItems = 0;
    int translations = 0;
    int settings = 0;
};

// Writes a deck as one collection file: the system-wide collection, the products and
// every collection, in one transaction. The file appears at its path complete or not at
// all: it is written beside it under a temporary name and renamed at the end.
class DeckWriter
{
public:
    bool write(const DeckModel &deck, const QString &path);
    QString lastError() const { return m_lastError; }
    DeckFigures figures() const { return m_figures; }

private:
    bool fail(const QString &what);

    QString m_lastError;
    DeckFigures m_figures;
};

} // namespace Tintwell
