#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

// The search bar's queries. The current collection's page and row name search orders
// choose the NAMEn columns that take part; codes always do.
namespace Corvo::DB {

// Where a phrase points: a card (rowIndex -1) or a chip on it.
struct PhraseMatch
{
    int pageIndex = -1;
    int rowIndex = -1;
    int segment = -1;
    int mood = 0;
    bool exterior = false;
};

// 0 and every distinct searchable name and code of the collection, ordered regardless of
// letter case; -1 when there is none; or the error of ensureConnection.
int searchSuggestions(const QUuid &uuid, QStringList &suggestions);
// 0 and the card or chip whose name or code equals the whole phrase in any letter case;
// -6 not found (also for a blank phrase), -1 statement failed, or the connection error.
int findPhrase(const QUuid &uuid, const QString &phrase, PhraseMatch &match);

} // namespace Corvo::DB
