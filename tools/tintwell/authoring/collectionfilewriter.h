#pragma once

#include "tools/tintwell/authoring/authoringrecords.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace Tintwell {

// Writes collection files in the layout the add-on reads. Used by the collection tool
// and by the tests to build their fixture files; the add-on itself never writes one.
// Every add...() returns the new row's ID, or nothing when the statement failed
// (lastError() then says why).
class CollectionFileWriter
{
public:
    CollectionFileWriter() = default;
    ~CollectionFileWriter();
    CollectionFileWriter(const CollectionFileWriter &) = delete;
    CollectionFileWriter &operator=(const CollectionFileWriter &) = delete;

    // Creates a new file (replacing one at that path) holding the empty layout.
    bool create(const QString &path);
    // Opens an existing file to add to it.
    bool open(const QString &path);
    bool close();
    bool isOpen() const { return m_db != nullptr; }
    QString lastError() const { return m_lastError; }

    bool beginTransaction();
    bool commit();

    // The system-wide collection (ID 0, the all-F UUID); one per file set.
    bool addSystemWideCollection();
    std::optional<qint64> addCollection(const CollectionFields &fields);
    bool addSetting(qint64 collectionId, const QString &name, const QVariant &value,
                    int valueIndex = 0);
    // One row per value, VALUE_INDEX 0, 1, 2 ...
    bool addSettingList(qint64 collectionId, const QString &name, const QStringList &values);
    bool addLocalizedString(qint64 collectionId, const QString &key, const QString &text,
                            const QString &locale = QString());
    bool addThemeItem(qint64 collectionId, const QString &key, const QByteArray &data);

    // Adds the page and maps it to the collection.
    std::optional<qint64> addPage(qint64 collectionId, const PageFields &fields);
    bool mapPage(qint64 collectionId, qint64 pageId);
    std::optional<qint64> addRow(qint64 collectionId, const RowFields &fields);

    bool addPageScheme(qint64 collectionId, qint64 pageId, qint64 schemePageId, int schemeId,
                       int order);
    bool addRowScheme(qint64 collectionId, qint64 rowId, int schemeId, qint64 schemeRowId,
                      int pageOrder, int rowOrder);
    bool addRowToPageScheme(qint64 collectionId, qint64 rowId, int schemeId, qint64 schemePageId,
                            int order);

    std::optional<qint64> addVistaraGroup(qint64 collectionId, const QString &name,
                                          bool defaultOpen, int order);
    std::optional<qint64> addVistaraEntry(qint64 collectionId, const VistaraEntryFields &fields);

    std::optional<qint64> addProductGroup(const QString &name);
    std::optional<qint64> addProduct(const QString &name,
                                     const std::optional<QString> &productCode = {});
    bool mapRowProduct(qint64 collectionId, qint64 rowId, qint64 productId);
    bool mapRowProductGroup(qint64 collectionId, qint64 rowId, qint64 productGroupId);

    std::optional<qint64> addTexture(const TextureFields &fields);
    bool mapTexture(qint64 textureId, qint64 pageId, double alpha, const QString &name);

    // Runs a statement as it stands: for fixtures that need what the typed calls refuse.
    bool exec(const QString &sql, std::initializer_list<QVariant> values = {});

    // The layout's statements in order, for checks that compare against it.
    static QStringList schemaStatements();

private:
    bool run(const char *sql, std::initializer_list<QVariant> values);
    std::optional<qint64> insert(const char *sql, std::initializer_list<QVariant> values);
    bool fail(const QString &what);
    // The statement for the text, prepared once per open file: a deck writes tens of
    // thousands of rows through a handful of statements.
    sqlite3_stmt *statementFor(const QByteArray &sql);
    std::optional<qint64> step(sqlite3_stmt *statement);

    sqlite3 *m_db = nullptr;
    QHash<QByteArray, sqlite3_stmt *> m_statements;
    QString m_lastError;
};

} // namespace Tintwell
