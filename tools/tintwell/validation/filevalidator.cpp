#include "tools/tintwell/validation/filevalidator.h"

#include "engine/db/preparedquery.h"
#include "tools/tintwell/validation/contentchecks.h"
#include "tools/tintwell/validation/presentationchecks.h"
#include "tools/tintwell/validation/structurechecks.h"
#include "tools/tintwell/validation/validationcontext.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace Tintwell {

namespace {

const QString kConnection = QStringLiteral("tintwell-validate");
const QByteArray kSqliteMagic("SQLite format 3\0", 16);
constexpr int kHeaderSize = 100;
constexpr int kPageSizeOffset = 16;
constexpr int kPageCountOffset = 28;
constexpr qint64 kLargestPageSizeCode = 1; // stands for 65536

quint32 bigEndian(const QByteArray &bytes, int offset, int length)
{
    quint32 value = 0;
    for (int i = 0; i < length; ++i)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

} // namespace

bool FileValidator::validate(const QString &path)
{
    m_problems = ProblemList();
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        m_lastError = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    if (checkHeader(path))
        checkDatabase(path);
    return true;
}

bool FileValidator::checkHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_problems.error(QStringLiteral("file"), QStringLiteral("cannot be opened"));
        return false;
    }
    const QByteArray header = file.read(kHeaderSize);
    if (!header.startsWith(kSqliteMagic.left(header.size())) || header.isEmpty()) {
        m_problems.error(QStringLiteral("file"), QStringLiteral("not an SQLite database"));
        return false;
    }
    if (header.size() < kHeaderSize) {
        m_problems.error(QStringLiteral("file"),
                         QStringLiteral("truncated: %1 bytes, shorter than the SQLite header")
                             .arg(header.size()));
        return false;
    }
    qint64 pageSize = bigEndian(header, kPageSizeOffset, 2);
    if (pageSize == kLargestPageSizeCode)
        pageSize = 65536;
    const qint64 pages = bigEndian(header, kPageCountOffset, 4);
    if (pages > 0 && file.size() < pageSize * pages) {
        m_problems.error(QStringLiteral("file"),
                         QStringLiteral("truncated: %1 bytes of the %2 its header announces")
                             .arg(file.size())
                             .arg(pageSize * pages));
        return false;
    }
    return true;
}

void FileValidator::checkDatabase(const QString &path)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        database.setDatabaseName(path);
        if (!database.open()) {
            m_problems.error(
                QStringLiteral("file"),
                QStringLiteral("does not open: %1").arg(database.lastError().text().trimmed()));
        } else {
            ValidationContext context(database, m_problems);
            bool intact = true;
            const bool readable = context.forEachRow(
                QStringLiteral("file"), QStringLiteral("PRAGMA quick_check"), {},
                [&](const QList<QVariant> &row) {
                    const QString verdict = row.value(0).toString();
                    if (verdict != QLatin1String("ok")) {
                        intact = false;
                        m_problems.error(QStringLiteral("file"),
                                         QStringLiteral("damaged: %1").arg(verdict));
                    }
                });
            if (readable && intact) {
                context.loadLayout();
                if (StructureChecks::checkTables(context)) {
                    context.loadCollections();
                    context.loadPositions();
                    StructureChecks::checkCapsureView(context);
                    ContentChecks::checkCollections(context);
                    ContentChecks::checkCards(context);
                    ContentChecks::checkColours(context);
                    ContentChecks::checkMoods(context);
                    ContentChecks::checkReferences(context);
                    ContentChecks::checkSchemeCounts(context);
                    PresentationChecks::checkSettings(context);
                    PresentationChecks::checkTheme(context);
                    PresentationChecks::checkTranslations(context);
                    PresentationChecks::checkNames(context);
                }
            }
            Corvo::DB::PreparedQuery::forgetConnection(kConnection);
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(kConnection);
}

} // namespace Tintwell
