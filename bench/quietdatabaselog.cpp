#include <QLoggingCategory>

// Benchmarks measure statements, not the printing of them: the database layer's debug
// lines (every scheme statement among them) are off unless QT_LOGGING_RULES turns them on.
namespace {

const bool quietDatabaseLog = [] {
    QLoggingCategory::setFilterRules(QStringLiteral("corvo.db.debug=false"));
    return true;
}();

} // namespace
