#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"
#include "tools/tintwell/validation/filevalidator.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Tintwell {

namespace {

QString severityText(Problem::Severity severity)
{
    return severity == Problem::Severity::Error ? QStringLiteral("error")
                                                : QStringLiteral("warning");
}

int runValidate(Invocation &call)
{
    FileValidator validator;
    if (!validator.validate(call.argument(0)))
        return call.usageError(validator.lastError());
    const QList<Problem> &problems = validator.problems().problems();
    const bool ok = !validator.problems().hasErrors();
    if (call.json()) {
        QJsonArray list;
        for (const Problem &problem : problems)
            list.append(QJsonObject{{QStringLiteral("where"), problem.where},
                                    {QStringLiteral("what"), problem.what},
                                    {QStringLiteral("severity"), severityText(problem.severity)}});
        call.printJson(QJsonDocument(
            QJsonObject{{QStringLiteral("ok"), ok}, {QStringLiteral("problems"), list}}));
    } else {
        for (const Problem &problem : problems)
            call.out() << severityText(problem.severity) << ": " << problem.where << ": "
                       << problem.what << '\n';
        call.out() << call.argument(0) << ": " << (ok ? "valid" : "NOT valid") << " ("
                   << problems.size() << (problems.size() == 1 ? " problem" : " problems") << ")\n";
        call.out().flush();
    }
    return ok ? ExitSuccess : ExitNotFound;
}

const CommandRegistration validate({QStringLiteral("validate"),
                                    QStringLiteral("FILE"),
                                    QStringLiteral("checks a collection file against the file "
                                                   "contract; exit 1 when anything breaks it"),
                                    {},
                                    {},
                                    1,
                                    1,
                                    runValidate});

} // namespace

} // namespace Tintwell
