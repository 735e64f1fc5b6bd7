#include <QLoggingCategory>

// Benchmarks measure statements, not the printing of them, and print their tables only:
// the database layer's debug lines (every scheme statement among them) and Qt's own
// chatter (a missing runtime folder, font fallbacks) are off unless QT_LOGGING_RULES turns
// them on.
namespace {

const bool quietLog = [] {
    QLoggingCategory::setFilterRules(
        QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    return true;
}();

} // namespace
