#include "engine/colour/colormatching.h"
#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/droppedcolormatch.h"
#include "tools/tintwell/cli/commandregistry.h"
#include "tools/tintwell/cli/invocation.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonObject>

#include <cmath>
#include <optional>

// Colour look-ups: CIELAB of an 8-bit colour, the CIEDE2000 difference of two CIELAB
// colours, and the chip the picker would show for a colour dropped onto the card roller.
namespace {

using namespace Corvo;

const QString rgbOption = QStringLiteral("--rgb");
const QString name1Option = QStringLiteral("--name1");
const QString name2Option = QStringLiteral("--name2");
constexpr int shownDecimals = 4;
constexpr int channelMax = 255;

QString fixed(double value)
{
    return QString::number(value, 'f', shownDecimals);
}

// One channel from 0 to 255; reports a usage error otherwise.
std::optional<int> channel(Tintwell::Invocation &call, const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > channelMax) {
        call.usageError(QStringLiteral("a colour channel is a whole number from 0 to 255, not "
                                       "\"%1\"")
                            .arg(text));
        return std::nullopt;
    }
    return value;
}

std::optional<QColor> colorFromChannels(Tintwell::Invocation &call, const QStringList &texts)
{
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = channel(call, texts.value(i));
        if (!value)
            return std::nullopt;
        channels[i] = *value;
    }
    return QColor(channels[0], channels[1], channels[2]);
}

std::optional<double> finiteNumber(Tintwell::Invocation &call, const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        call.usageError(QStringLiteral("\"%1\" is not a number").arg(text));
        return std::nullopt;
    }
    return value;
}

int runLab(Tintwell::Invocation &call)
{
    const std::optional<QColor> color = colorFromChannels(call, call.arguments());
    if (!color)
        return Tintwell::ExitBadUsage;
    const Lab lab = labFromColor(*color);
    if (call.json())
        call.printJson(QJsonDocument(QJsonObject{{"l", lab.l}, {"a", lab.a}, {"b", lab.b}}));
    else
        call.out() << "L " << fixed(lab.l) << "  a " << fixed(lab.a) << "  b " << fixed(lab.b)
                   << '\n';
    return Tintwell::ExitSuccess;
}

int runDeltaE(Tintwell::Invocation &call)
{
    double values[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<double> value = finiteNumber(call, call.argument(i));
        if (!value)
            return Tintwell::ExitBadUsage;
        values[i] = *value;
    }
    const double deltaE =
        deltaE2000({values[0], values[1], values[2]}, {values[3], values[4], values[5]});
    if (call.json())
        call.printJson(QJsonDocument(QJsonObject{{"deltaE", deltaE}}));
    else
        call.out() << fixed(deltaE) << '\n';
    return Tintwell::ExitSuccess;
}

QJsonObject matchJson(const DroppedColorMatch &match, int pageIndex, double deltaE)
{
    const DB::ColorEntry &entry = match.entry;
    return QJsonObject{
        {"found", true},
        {"collection", match.collection.toString(QUuid::WithBraces)},
        {"pageIndex", pageIndex},
        {"rowIndex", entry.rowIndex},
        {"rowId", entry.id},
        {"code", entry.code},
        {"rgb", QJsonArray{entry.red, entry.green, entry.blue}},
        {"deltaE", deltaE},
    };
}

int runMatch(Tintwell::Invocation &call)
{
    QUuid current;
    if (const int status = call.resolveCollection(call.argument(0), current))
        return status;
    if (!call.hasValue(rgbOption))
        return call.usageError(QStringLiteral("--rgb R,G,B is required"));
    const QStringList channels = call.value(rgbOption).split(QLatin1Char(','));
    if (channels.size() != 3)
        return call.usageError(QStringLiteral("--rgb takes three channels, R,G,B"));
    const std::optional<QColor> color = colorFromChannels(call, channels);
    if (!color)
        return Tintwell::ExitBadUsage;

    QList<DB::LabSample> index;
    DB::rowLabTable(current, index);
    const QVariantMap payload =
        freeColorPayload(*color, call.value(name1Option), call.value(name2Option));
    const std::optional<DroppedColorMatch> match = matchDroppedColor(payload, current, index);
    if (!match) {
        if (!call.json())
            return call.fail(Tintwell::ExitNotFound,
                             QStringLiteral("no chip stands for %1").arg(color->name().toUpper()));
        call.printJson(QJsonDocument(QJsonObject{{"found", false}}));
        return Tintwell::ExitNotFound;
    }

    DB::ColorPage page;
    DB::pageById(match->collection, match->entry.pageId, true, page);
    const QColor chipColor = DB::chipColor(match->entry);
    const double deltaE = deltaE2000(labFromColor(*color), labFromColor(chipColor));
    if (call.json()) {
        call.printJson(QJsonDocument(matchJson(*match, page.pageIndex, deltaE)));
    } else {
        call.out() << match->entry.code << "  " << chipColor.name().toUpper() << "  card "
                   << page.pageIndex << " chip " << match->entry.rowIndex << "  (row "
                   << match->entry.id << ", collection "
                   << match->collection.toString(QUuid::WithBraces) << ")  deltaE " << fixed(deltaE)
                   << '\n';
    }
    return Tintwell::ExitSuccess;
}

const Tintwell::CommandRegistration lab({QStringLiteral("lab"),
                                         QStringLiteral("R G B"),
                                         QStringLiteral("CIELAB of an 8-bit sRGB colour"),
                                         {},
                                         {},
                                         3,
                                         3,
                                         runLab});

const Tintwell::CommandRegistration deltae({QStringLiteral("deltae"),
                                            QStringLiteral("L1 A1 B1 L2 A2 B2"),
                                            QStringLiteral("CIEDE2000 difference of two colours"),
                                            {},
                                            {},
                                            6,
                                            6,
                                            runDeltaE});

const Tintwell::CommandRegistration
    match({QStringLiteral("match"),
           QStringLiteral("C --rgb R,G,B [--name1 T] [--name2 T]"),
           QStringLiteral("the chip a colour dropped onto the card roller of C stands for"),
           {rgbOption, name1Option, name2Option},
           {},
           1,
           1,
           runMatch});

} // namespace
