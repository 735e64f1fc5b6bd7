#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

namespace Tintwell {

namespace {

constexpr int kTextColumns = 10;

QVariant textOrNull(const QStringList &texts, int index)
{
    return index < texts.size() ? QVariant(texts.at(index)) : QVariant();
}

int bindValue(sqlite3_stmt *statement, int position, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, position);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, position, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, position, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(statement, position, bytes.constData(),
                                   static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text64(statement, position, text.constData(),
                                   static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    }
}

QString rowInsertSql()
{
    QString columns = QStringLiteral(
        "COLLECTION_ID, PAGE_ID, ROW_INDEX, CODE, SEGMENT, RED, GREEN, BLUE, L, A, B, NEUTRAL, "
        "WHITE, MOOD, SCHEME_POS, NSCHEME_POS, IS_MTO, ID");
    QString marks = QStringLiteral("?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?");
    for (int n = 0; n < kTextColumns; ++n) {
        columns += QStringLiteral(", NAME%1, EXTRA%1").arg(n);
        marks += QStringLiteral(", ?, ?");
    }
    return QStringLiteral("INSERT INTO \"ROW\" (%1) VALUES (%2)").arg(columns, marks);
}

QString pageInsertSql()
{
    QString columns =
        QStringLiteral("COLLECTION_ID, NAME, PAGE_INDEX, SEGMENT, EXTERIOR, MOOD, ID");
    QString marks = QStringLiteral("?, ?, ?, ?, ?, ?, ?");
    for (int n = 0; n < kTextColumns; ++n) {
        columns += QStringLiteral(", NAME%1, EXTRA%1").arg(n);
        marks += QStringLiteral(", ?, ?");
    }
    return QStringLiteral("INSERT INTO PAGE (%1) VALUES (%2)").arg(columns, marks);
}

QVariant optionalId(const std::optional<qint64> &id)
{
    return id ? QVariant(*id) : QVariant();
}

} // namespace

CollectionFileWriter::~CollectionFileWriter()
{
    close();
}

QStringList CollectionFileWriter::schemaStatements()
{
    QFile file(QStringLiteral(":/tintwell/collection-schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList statements;
    static const QRegularExpression separator(QStringLiteral("^--;\\s*$"),
                                              QRegularExpression::MultilineOption);
    for (const QString &part : text.split(separator)) {
        QStringList lines;
        for (const QString &line : part.split(QLatin1Char('\n'))) {
            if (!line.trimmed().startsWith(QLatin1String("--")))
                lines.append(line);
        }
        const QString statement = lines.join(QLatin1Char('\n')).trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    }
    return statements;
}

bool CollectionFileWriter::create(const QString &path)
{
    close();
    if (QFile::exists(path) && !QFile::remove(path))
        return fail(QStringLiteral("cannot replace %1").arg(path));
    if (!open(path))
        return false;
    const QStringList statements = schemaStatements();
    if (statements.isEmpty())
        return fail(QStringLiteral("the collection layout is missing from the program"));
    if (!beginTransaction())
        return false;
    for (const QString &statement : statements) {
        if (!exec(statement))
            return false;
    }
    return commit();
}

bool CollectionFileWriter::open(const QString &path)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        return fail(QStringLiteral("cannot open %1: %2").arg(path, message));
    }
    return true;
}

bool CollectionFileWriter::close()
{
    if (m_db == nullptr)
        return true;
    for (sqlite3_stmt *statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
    const bool closed = sqlite3_close(m_db) == SQLITE_OK;
    m_db = nullptr;
    return closed;
}

bool CollectionFileWriter::fail(const QString &what)
{
    m_lastError = what;
    return false;
}

bool CollectionFileWriter::beginTransaction()
{
    return exec(QStringLiteral("BEGIN"));
}

bool CollectionFileWriter::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

bool CollectionFileWriter::exec(const QString &sql, std::initializer_list<QVariant> values)
{
    const QByteArray text = sql.toUtf8();
    return run(text.constData(), values);
}

bool CollectionFileWriter::run(const char *sql, std::initializer_list<QVariant> values)
{
    return insert(sql, values).has_value();
}

sqlite3_stmt *CollectionFileWriter::statementFor(const QByteArray &sql)
{
    if (m_db == nullptr) {
        fail(QStringLiteral("no file is open"));
        return nullptr;
    }
    if (sqlite3_stmt *cached = m_statements.value(sql, nullptr)) {
        sqlite3_reset(cached);
        sqlite3_clear_bindings(cached);
        return cached;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), static_cast<int>(sql.size()), &statement,
                           nullptr) != SQLITE_OK) {
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
        sqlite3_finalize(statement);
        return nullptr;
    }
    m_statements.insert(sql, statement);
    return statement;
}

std::optional<qint64> CollectionFileWriter::step(sqlite3_stmt *statement)
{
    int result = sqlite3_step(statement);
    while (result == SQLITE_ROW)
        result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result != SQLITE_DONE) {
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(m_db);
}

std::optional<qint64> CollectionFileWriter::insert(const char *sql,
                                                   std::initializer_list<QVariant> values)
{
    sqlite3_stmt *statement = statementFor(QByteArray(sql));
    if (statement == nullptr)
        return std::nullopt;
    int position = 1;
    for (const QVariant &value : values)
        bindValue(statement, position++, value);
    return step(statement);
}

bool CollectionFileWriter::addSystemWideCollection()
{
    return run("INSERT INTO COLLECTION (ID, UUID, SYSTEMID, VERSION, NAME, \"ORDER\") VALUES "
               "(0, '{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}', 'VIRTUAL', 1, "
               "'SystemWide Collection', 0)",
               {});
}

std::optional<qint64> CollectionFileWriter::addCollection(const CollectionFields &fields)
{
    return insert("INSERT INTO COLLECTION (ID, UUID, SYSTEMID, VERSION, NAME, \"ORDER\") "
                  "VALUES (?, ?, ?, ?, ?, ?)",
                  {optionalId(fields.id), fields.uuid.toString(QUuid::WithBraces).toUpper(),
                   fields.systemId, fields.version, fields.name, fields.order});
}

bool CollectionFileWriter::addSetting(qint64 collectionId, const QString &name,
                                      const QVariant &value, int valueIndex)
{
    return run("INSERT INTO SETTING (COLLECTION_ID, NAME, VALUE, VALUE_INDEX) VALUES (?, ?, ?, ?)",
               {collectionId, name, value, valueIndex});
}

bool CollectionFileWriter::addSettingList(qint64 collectionId, const QString &name,
                                          const QStringList &values)
{
    for (int index = 0; index < values.size(); ++index) {
        if (!addSetting(collectionId, name, values.at(index), index))
            return false;
    }
    return true;
}

bool CollectionFileWriter::addLocalizedString(qint64 collectionId, const QString &key,
                                              const QString &text, const QString &locale)
{
    return run("INSERT INTO LOCALE (COLLECTION_ID, LOCALE, \"KEY\", STRING) VALUES (?, ?, ?, ?)",
               {collectionId, locale.isNull() ? QString(QLatin1String("")) : locale, key, text});
}

bool CollectionFileWriter::addThemeItem(qint64 collectionId, const QString &key,
                                        const QByteArray &data)
{
    return run("INSERT INTO THEME (COLLECTION_ID, ITEM_KEY, ITEM_DATA) VALUES (?, ?, ?)",
               {collectionId, key, data});
}

std::optional<qint64> CollectionFileWriter::addPage(qint64 collectionId, const PageFields &fields)
{
    static const QByteArray sql = pageInsertSql().toUtf8();
    sqlite3_stmt *statement = statementFor(sql);
    if (statement == nullptr)
        return std::nullopt;
    const QString name = fields.name.isEmpty() ? QString::number(fields.pageIndex) : fields.name;
    int position = 1;
    for (const QVariant &value :
         {QVariant(collectionId), QVariant(name), QVariant(fields.pageIndex),
          QVariant(fields.segment), QVariant(fields.exterior ? 1 : 0), QVariant(fields.mood),
          optionalId(fields.id)})
        bindValue(statement, position++, value);
    for (int n = 0; n < kTextColumns; ++n) {
        bindValue(statement, position++, textOrNull(fields.names, n));
        bindValue(statement, position++, textOrNull(fields.extras, n));
    }
    const std::optional<qint64> pageId = step(statement);
    if (!pageId || !mapPage(collectionId, *pageId))
        return std::nullopt;
    return pageId;
}

bool CollectionFileWriter::mapPage(qint64 collectionId, qint64 pageId)
{
    return run("INSERT INTO COLLECTION_PAGE_MAP (COLLECTION_ID, PAGE_ID) VALUES (?, ?)",
               {collectionId, pageId});
}

std::optional<qint64> CollectionFileWriter::addRow(qint64 collectionId, const RowFields &fields)
{
    static const QByteArray sql = rowInsertSql().toUtf8();
    sqlite3_stmt *statement = statementFor(sql);
    if (statement == nullptr)
        return std::nullopt;
    const QVariant isMto = fields.isMto ? QVariant(*fields.isMto ? 1 : 0) : QVariant();
    int position = 1;
    for (const QVariant &value :
         {QVariant(collectionId), QVariant(fields.pageId), QVariant(fields.rowIndex),
          QVariant(fields.code), QVariant(fields.segment), QVariant(fields.red),
          QVariant(fields.green), QVariant(fields.blue), QVariant(fields.l), QVariant(fields.a),
          QVariant(fields.b), QVariant(fields.neutral ? 1 : 0), QVariant(fields.white ? 1 : 0),
          QVariant(fields.mood), QVariant(fields.schemePos), QVariant(fields.nschemePos), isMto,
          optionalId(fields.id)})
        bindValue(statement, position++, value);
    for (int n = 0; n < kTextColumns; ++n) {
        bindValue(statement, position++, textOrNull(fields.names, n));
        bindValue(statement, position++, textOrNull(fields.extras, n));
    }
    return step(statement);
}

bool CollectionFileWriter::addPageScheme(qint64 collectionId, qint64 pageId, qint64 schemePageId,
                                         int schemeId, int order)
{
    return run("INSERT INTO PAGE_SCHEME (COLLECTION_ID, PAGE_ID, SCHEME_PAGE_ID, SCHEME_ID, "
               "\"ORDER\") VALUES (?, ?, ?, ?, ?)",
               {collectionId, pageId, schemePageId, schemeId, order});
}

bool CollectionFileWriter::addRowScheme(qint64 collectionId, qint64 rowId, int schemeId,
                                        qint64 schemeRowId, int pageOrder, int rowOrder)
{
    return run("INSERT INTO ROW_SCHEME_MAP (COLLECTION_ID, ROW_ID, SCHEME_ID, SCHEME_ROW_ID, "
               "PAGE_ORDER, ROW_ORDER) VALUES (?, ?, ?, ?, ?, ?)",
               {collectionId, rowId, schemeId, schemeRowId, pageOrder, rowOrder});
}

bool CollectionFileWriter::addRowToPageScheme(qint64 collectionId, qint64 rowId, int schemeId,
                                              qint64 schemePageId, int order)
{
    return run("INSERT INTO ROW_TO_PAGE_SCHEME (COLLECTION_ID, ROW_ID, SCHEME_ID, "
               "SCHEME_PAGE_ID, \"ORDER\") VALUES (?, ?, ?, ?, ?)",
               {collectionId, rowId, schemeId, schemePageId, order});
}

std::optional<qint64> CollectionFileWriter::addVistaraGroup(qint64 collectionId,
                                                            const QString &name, bool defaultOpen,
                                                            int order)
{
    return insert("INSERT INTO VISTARA_GROUP (COLLECTION_ID, NAME, DEFAULT_OPEN, \"ORDER\") "
                  "VALUES (?, ?, ?, ?)",
                  {collectionId, name, defaultOpen ? 1 : 0, order});
}

std::optional<qint64> CollectionFileWriter::addVistaraEntry(qint64 collectionId,
                                                            const VistaraEntryFields &fields)
{
    return insert("INSERT INTO VISTARA_ENTRY (COLLECTION_ID, VISTARA_GROUP_ID, ROW_ID, NAME_1, "
                  "NAME_2, RED, GREEN, BLUE, \"ORDER\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {collectionId, fields.groupId, optionalId(fields.rowId), fields.name1,
                   fields.name2, fields.red, fields.green, fields.blue, fields.order});
}

std::optional<qint64> CollectionFileWriter::addProductGroup(const QString &name)
{
    return insert("INSERT INTO PRODUCT_GROUP (NAME) VALUES (?)", {name});
}

std::optional<qint64> CollectionFileWriter::addProduct(const QString &name,
                                                       const std::optional<QString> &productCode)
{
    return insert("INSERT INTO PRODUCT (NAME, PRODUCT_CODE) VALUES (?, ?)",
                  {name, productCode ? QVariant(*productCode) : QVariant()});
}

bool CollectionFileWriter::mapRowProduct(qint64 collectionId, qint64 rowId, qint64 productId)
{
    return run("INSERT INTO ROW_PRODUCT_MAP (COLLECTION_ID, ROW_ID, PRODUCT_ID) VALUES (?, ?, ?)",
               {collectionId, rowId, productId});
}

bool CollectionFileWriter::mapRowProductGroup(qint64 collectionId, qint64 rowId,
                                              qint64 productGroupId)
{
    return run("INSERT INTO ROW_PRODUCT_GROUP_MAP (COLLECTION_ID, ROW_ID, PRODUCT_GROUP_ID) "
               "VALUES (?, ?, ?)",
               {collectionId, rowId, productGroupId});
}

std::optional<qint64> CollectionFileWriter::addTexture(const TextureFields &fields)
{
    return insert(
        "INSERT INTO TEXTURE (COLLECTION_ID, NAME, IMAGE, BASE_ALPHA) VALUES (?, ?, ?, ?)",
        {fields.collectionId, fields.name, fields.image, fields.baseAlpha});
}

bool CollectionFileWriter::mapTexture(qint64 textureId, qint64 pageId, double alpha,
                                      const QString &name)
{
    return run("INSERT INTO TEXTURE_MAP (TEXTURE_ID, PAGE_ID, ALPHA, NAME) VALUES (?, ?, ?, ?)",
               {textureId, pageId, alpha, name});
}

} // namespace Tintwell
