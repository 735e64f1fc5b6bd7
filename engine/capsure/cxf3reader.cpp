#include "engine/capsure/cxf3reader.h"

#include "engine/xml/xmlsupport.h"

#include <libxml/xpathInternals.h>

#include <QHash>

#include <cmath>

namespace Corvo {

namespace {

const char kCorePrefix[] = "cc";
const char kObjectNamesPath[] = "//cc:Object/@Name";
const char kObjectsPath[] = "//cc:Object";
const char kColorSpecificationsPath[] = "//cc:ColorSpecification";

// Beyond these no surface colour lies; a value outside is a fault of the file.
constexpr double kMaxLightness = 100.0;
constexpr double kMaxOpponentAxis = 200.0;
constexpr double kMaxChannel = 255.0;

// The illuminant and observer that a ColorSpecification element of the file defines.
struct MeasuringConditions
{
    QString illuminant;
    QString observer;
};

Xml::XPathContext coreContext(xmlDoc *document)
{
    Xml::XPathContext context = Xml::newXPathContext(document);
    if (context && xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar *>(kCorePrefix),
                                      reinterpret_cast<const xmlChar *>(kCxf3CoreNamespace)) != 0)
        context.reset();
    return context;
}

bool isCoreElement(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && node->ns != nullptr && node->ns->href != nullptr &&
           xmlStrEqual(node->ns->href, reinterpret_cast<const xmlChar *>(kCxf3CoreNamespace)) &&
           xmlStrEqual(node->name, reinterpret_cast<const xmlChar *>(name));
}

const xmlNode *coreChild(const xmlNode *parent, const char *name)
{
    for (const xmlNode *child = parent->children; child != nullptr; child = child->next) {
        if (isCoreElement(child, name))
            return child;
    }
    return nullptr;
}

QString childText(const xmlNode *parent, const char *name)
{
    const xmlNode *child = coreChild(parent, name);
    QString text;
    if (child != nullptr && Xml::firstChildText(child, text))
        return text.trimmed();
    return QString();
}

// The child's text as a finite number from low to high.
std::optional<double> childNumber(const xmlNode *parent, const char *name, double low, double high)
{
    bool ok = false;
    const double value = childText(parent, name).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<Lab> labValue(const xmlNode *element)
{
    const auto l = childNumber(element, "L", 0.0, kMaxLightness);
    const auto a = childNumber(element, "A", -kMaxOpponentAxis, kMaxOpponentAxis);
    const auto b = childNumber(element, "B", -kMaxOpponentAxis, kMaxOpponentAxis);
    if (!l || !a || !b)
        return std::nullopt;
    return Lab{*l, *a, *b};
}

std::optional<SrgbValue> rgbValue(const xmlNode *element)
{
    const auto red = childNumber(element, "R", 0.0, kMaxChannel);
    const auto green = childNumber(element, "G", 0.0, kMaxChannel);
    const auto blue = childNumber(element, "B", 0.0, kMaxChannel);
    if (!red || !green || !blue)
        return std::nullopt;
    return SrgbValue{*red, *green, *blue};
}

QHash<QString, MeasuringConditions> conditionsById(xmlXPathContext *context)
{
    QHash<QString, MeasuringConditions> conditions;
    const Xml::XPathObject result = Xml::evaluateNodeSet(context, kColorSpecificationsPath);
    if (!result)
        return conditions;
    const xmlNodeSet *nodes = result->nodesetval;
    for (int i = 0; i < nodes->nodeNr; ++i) {
        const QString id = Xml::attributeValue(nodes->nodeTab[i], "Id");
        const xmlNode *tristimulus = coreChild(nodes->nodeTab[i], "TristimulusSpec");
        if (id.isEmpty() || tristimulus == nullptr || conditions.contains(id))
            continue;
        conditions.insert(
            id, {childText(tristimulus, "Illuminant"), childText(tristimulus, "Observer")});
    }
    return conditions;
}

// The first CIELAB element with usable values gives the Lab value and its conditions;
// without one, the first CIELAB element still names the conditions.
void readLab(const xmlNode *values, const QHash<QString, MeasuringConditions> &conditions,
             Cxf3Measurement &measurement)
{
    bool conditionsRead = false;
    for (const xmlNode *child = values->children; child != nullptr; child = child->next) {
        if (!isCoreElement(child, "ColorCIELab"))
            continue;
        const std::optional<Lab> lab = labValue(child);
        if (lab || !conditionsRead) {
            const MeasuringConditions named =
                conditions.value(Xml::attributeValue(child, "ColorSpecification"));
            measurement.illuminant = named.illuminant;
            measurement.observer = named.observer;
            conditionsRead = true;
        }
        if (lab) {
            measurement.lab = lab;
            return;
        }
    }
}

void readRgb(const xmlNode *values, Cxf3Measurement &measurement)
{
    for (const xmlNode *child = values->children; child != nullptr; child = child->next) {
        if (!isCoreElement(child, "ColorSRGB"))
            continue;
        measurement.rgb = rgbValue(child);
        if (measurement.rgb)
            return;
    }
}

Cxf3Measurement measurementOf(const xmlNode *object,
                              const QHash<QString, MeasuringConditions> &conditions)
{
    Cxf3Measurement measurement;
    measurement.name = Xml::attributeValue(object, "Name");
    if (const xmlNode *values = coreChild(object, "ColorValues")) {
        readLab(values, conditions, measurement);
        readRgb(values, measurement);
    }
    return measurement;
}

} // namespace

QStringList readCxf3ObjectNames(const QByteArray &bytes)
{
    QStringList names;
    const Xml::Document document = Xml::parseUntrusted(bytes, kMaxCxf3Bytes);
    if (!document)
        return names;
    const Xml::XPathContext context = coreContext(document.get());
    if (!context)
        return names;
    const Xml::XPathObject result = Xml::evaluateNodeSet(context.get(), kObjectNamesPath);
    if (!result)
        return names;
    const xmlNodeSet *nodes = result->nodesetval;
    for (int i = 0; i < nodes->nodeNr; ++i) {
        QString name;
        if (nodes->nodeTab[i]->type == XML_ATTRIBUTE_NODE &&
            Xml::firstChildText(nodes->nodeTab[i], name))
            names.append(name);
    }
    return names;
}

QList<Cxf3Measurement> readCxf3Measurements(const QByteArray &bytes)
{
    QList<Cxf3Measurement> measurements;
    const Xml::Document document = Xml::parseUntrusted(bytes, kMaxCxf3Bytes);
    if (!document)
        return measurements;
    const Xml::XPathContext context = coreContext(document.get());
    if (!context)
        return measurements;
    const QHash<QString, MeasuringConditions> conditions = conditionsById(context.get());
    const Xml::XPathObject result = Xml::evaluateNodeSet(context.get(), kObjectsPath);
    if (!result)
        return measurements;
    const xmlNodeSet *nodes = result->nodesetval;
    for (int i = 0; i < nodes->nodeNr; ++i)
        measurements.append(measurementOf(nodes->nodeTab[i], conditions));
    return measurements;
}

} // namespace Corvo
