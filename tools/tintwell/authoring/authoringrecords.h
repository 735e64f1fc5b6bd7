#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// Plain values the collection file writer turns into rows.
namespace Tintwell {

struct CollectionFields
{
    std::optional<qint64> id; // chosen by the database when empty
    QUuid uuid;
    QString systemId;
    QString name;
    int version = 1;
    int order = 1;
};

struct PageFields
{
    std::optional<qint64> id;
    QString name; // unique within the collection; the page index when empty
    int pageIndex = 1;
    int segment = 1;
    bool exterior = false;
    int mood = 0;
    QStringList names;  // NAME0.. in order; missing ones stay NULL
    QStringList extras; // EXTRA0.. in order
};

struct RowFields
{
    std::optional<qint64> id;
    qint64 pageId = 0;
    int rowIndex = 1;
    QString code;
    int segment = 1;
    int red = 0;
    int green = 0;
    int blue = 0;
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    bool neutral = false;
    bool white = false;
    int mood = 0;
    int schemePos = 0;
    int nschemePos = 0;
    QStringList names;
    QStringList extras;
    std::optional<bool> isMto;
};

struct VistaraEntryFields
{
    qint64 groupId = 0;
    std::optional<qint64> rowId;
    QString name1;
    QString name2;
    int red = 0;
    int green = 0;
    int blue = 0;
    int order = 0;
};

struct TextureFields
{
    qint64 collectionId = 0; // 0: offered to every collection of the file
    QString name;
    QByteArray image;
    double baseAlpha = 1.0;
};

} // namespace Tintwell
