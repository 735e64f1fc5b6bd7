#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"
#include "tools/tintwell/import/importdeckbuilder.h"
#include "tools/tintwell/import/swatchfilereader.h"
#include "tools/tintwell/import/swatchreadcontext.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/source/sourcedeckwriter.h"
#include "tools/tintwell/validation/filevalidator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace Tintwell {

namespace {

const QString kNameOption = QStringLiteral("--name");
const QString kSystemIdOption = QStringLiteral("--system-id");
const QString kChipsOption = QStringLiteral("--chips-per-card");
const QString kSegmentsOption = QStringLiteral("--segments");
const QString kOrderOption = QStringLiteral("--order");
const QString kSourceOption = QStringLiteral("--source");
const QString kStrictOption = QStringLiteral("--strict");
const QString kUsage = QStringLiteral(
    "usage: tintwell import FILE... [--name NAME] [--system-id ID] [--chips-per-card N] "
    "[--segments N] [--order N] [--strict] (OUT.db | --source DIR)");
constexpr int kMostChipsPerCard = 24;
constexpr int kFewestSegments = 2;
constexpr int kMostSegments = 72;
constexpr int kMostFiles = 1000;
constexpr int kMostOrder = 1000000;
constexpr qsizetype kMostReportedLines = 20;

// A whole number within [lowest, highest], the fallback when the option is absent.
std::optional<int> numberOption(Invocation &call, const QString &option, int fallback, int lowest,
                                int highest)
{
    if (!call.hasValue(option))
        return fallback;
    bool ok = false;
    const int value = call.value(option).toInt(&ok);
    if (!ok || value < lowest || value > highest) {
        call.usageError(QStringLiteral("%1 needs a whole number from %2 to %3")
                            .arg(option)
                            .arg(lowest)
                            .arg(highest));
        return std::nullopt;
    }
    return value;
}

// The given system ID, or one made of the name's letters and digits.
std::optional<QString> systemIdOf(Invocation &call, const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    static const QRegularExpression others(QStringLiteral("[^A-Za-z0-9]+"));
    static const QRegularExpression edges(QStringLiteral("^_+|_+$"));
    QString id = call.value(kSystemIdOption).trimmed();
    if (!call.hasValue(kSystemIdOption))
        id = name.toUpper().replace(others, QStringLiteral("_")).remove(edges).left(32);
    if (!form.match(id).hasMatch() ||
        id.compare(QLatin1String("VIRTUAL"), Qt::CaseInsensitive) == 0) {
        call.usageError(QStringLiteral("--system-id needs 1 to 32 letters, digits, '-' or '_' "
                                       "(not VIRTUAL)"));
        return std::nullopt;
    }
    return id.toUpper();
}

std::optional<ImportOptions> optionsOf(Invocation &call, const QStringList &files)
{
    ImportOptions options;
    options.name =
        call.value(kNameOption, QFileInfo(files.first()).completeBaseName()).simplified();
    if (options.name.isEmpty()) {
        call.usageError(QStringLiteral("--name needs a collection name"));
        return std::nullopt;
    }
    const std::optional<QString> systemId = systemIdOf(call, options.name);
    const std::optional<int> chips =
        numberOption(call, kChipsOption, options.chipsPerCard, 1, kMostChipsPerCard);
    const std::optional<int> segments =
        numberOption(call, kSegmentsOption, options.segments, kFewestSegments, kMostSegments);
    const std::optional<int> order = numberOption(call, kOrderOption, 0, 1, kMostOrder);
    if (!systemId || !chips || !segments || !order)
        return std::nullopt;
    options.order = *order;
    options.systemId = *systemId;
    options.chipsPerCard = *chips;
    options.segments = *segments;
    return options;
}

// The first lines of a kind, then how many more: a file of the wrong kind must not flood
// the terminal. The JSON report lists them all.
void reportLines(Invocation &call, const QString &kind, const QStringList &lines,
                 const QString &more)
{
    for (qsizetype i = 0; i < std::min(lines.size(), kMostReportedLines); ++i)
        call.err() << "tintwell import: " << kind << lines.at(i) << '\n';
    if (lines.size() > kMostReportedLines)
        call.err() << "tintwell import: " << lines.size() - kMostReportedLines << ' ' << more
                   << '\n';
}

void reportReading(Invocation &call, const SwatchReadContext &context, const QStringList &notes)
{
    if (call.json())
        return;
    reportLines(call, QStringLiteral("skipped "), context.problems(),
                QStringLiteral("more rows skipped"));
    reportLines(call, QStringLiteral("warning: "), context.warnings() + notes,
                QStringLiteral("more warnings"));
    call.err().flush();
}

// Writes beside OUT, checks the file, then puts it in OUT's place in one step: a failed
// import leaves no file behind and an older OUT as it was.
int writeChecked(Invocation &call, const DeckModel &deck, const QString &out)
{
    const QFileInfo target(out);
    const QString staging =
        target.absoluteDir().filePath(QStringLiteral(".%1.import-%2")
                                          .arg(target.fileName())
                                          .arg(QCoreApplication::applicationPid()));
    DeckWriter writer;
    if (!writer.write(deck, staging))
        return call.usageError(writer.lastError());
    FileValidator validator;
    if (!validator.validate(staging) || validator.problems().hasErrors()) {
        QFile::remove(staging);
        const QList<Problem> &problems = validator.problems().problems();
        const QString first = problems.isEmpty() ? validator.lastError()
                                                 : problems.first().where + QStringLiteral(": ") +
                                                       problems.first().what;
        return call.fail(ExitNotFound,
                         QStringLiteral("nothing written: the collection does not pass "
                                        "validate (%1)")
                             .arg(first));
    }
    if (std::rename(QFile::encodeName(staging).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(staging);
        return call.usageError(QStringLiteral("cannot write %1").arg(out));
    }
    return ExitSuccess;
}

int report(Invocation &call, const QString &out, const SwatchReadContext &context,
           const QStringList &notes, const DeckModel &deck, qint64 elapsed)
{
    const CollectionModel &collection = deck.collections.first();
    qsizetype schemeEntries = 0;
    for (const RowSchemeModel &scheme : collection.rowSchemes) {
        for (const QList<ChipRef> &group : scheme.groups)
            schemeEntries += group.size();
    }
    if (call.json()) {
        call.printJson(QJsonDocument(QJsonObject{
            {QStringLiteral("file"), QDir::toNativeSeparators(out)},
            {QStringLiteral("uuid"), collection.uuid.toString(QUuid::WithBraces).toUpper()},
            {QStringLiteral("systemId"), collection.systemId},
            {QStringLiteral("name"), collection.name},
            {QStringLiteral("order"), collection.order},
            {QStringLiteral("colours"), context.entries().size()},
            {QStringLiteral("cards"), collection.cards.size()},
            {QStringLiteral("chipSchemeEntries"), schemeEntries},
            {QStringLiteral("skipped"), QJsonArray::fromStringList(context.problems())},
            {QStringLiteral("warnings"), QJsonArray::fromStringList(context.warnings() + notes)},
            {QStringLiteral("milliseconds"), elapsed},
        }));
        return ExitSuccess;
    }
    call.out() << "imported " << context.entries().size() << " colours as " << collection.systemId
               << " \"" << collection.name << "\" into " << QDir::toNativeSeparators(out) << " in "
               << elapsed << " ms\n"
               << "  cards " << collection.cards.size() << ", chip scheme entries " << schemeEntries
               << ", rows skipped " << context.problems().size() << ", warnings "
               << context.warnings().size() + notes.size() << '\n';
    call.out().flush();
    return ExitSuccess;
}

int runImport(Invocation &call)
{
    QElapsedTimer timer;
    timer.start();
    const bool toSource = call.hasValue(kSourceOption);
    QStringList files = call.arguments();
    if (files.size() < (toSource ? 1 : 2))
        return call.usageError(kUsage);
    const QString out = toSource ? call.value(kSourceOption) : files.takeLast();
    const std::optional<ImportOptions> options = optionsOf(call, files);
    if (!options)
        return ExitBadUsage;
    SwatchReadContext context(call.hasFlag(kStrictOption));
    for (const QString &file : files) {
        SwatchFileReader reader;
        if (reader.read(file, context) != SwatchFileReader::Outcome::Read) {
            reportReading(call, context, {});
            return call.usageError(reader.lastError());
        }
    }
    ImportDeckBuilder builder(*options);
    const DeckModel deck = builder.build(context.entries());
    reportReading(call, context, builder.notes());
    if (toSource) {
        SourceDeckWriter writer;
        if (!writer.write(deck, out))
            return call.usageError(writer.lastError());
    } else {
        if (const int status = writeChecked(call, deck, out))
            return status;
    }
    return report(call, out, context, builder.notes(), deck, timer.elapsed());
}

const CommandRegistration import({QStringLiteral("import"),
                                  QStringLiteral("FILE... [--name NAME] [--system-id ID] "
                                                 "[--chips-per-card N] [--segments N] [--order N] "
                                                 "[--strict] "
                                                 "(OUT.db | --source DIR)"),
                                  QStringLiteral("makes a collection from swatch files (.ase, "
                                                 ".gpl, .csv, CxF3): a collection file, or an "
                                                 "editable source folder"),
                                  {kNameOption, kSystemIdOption, kChipsOption, kSegmentsOption,
                                   kOrderOption, kSourceOption},
                                  {kStrictOption},
                                  1,
                                  kMostFiles,
                                  runImport});

} // namespace

} // namespace Tintwell
