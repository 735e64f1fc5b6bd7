#include "engine/capsure/cxf3reader.h"

#include "engine/xml/xmlsupport.h"

#include <libxml/xpathInternals.h>

namespace Corvo {

namespace {
const char kCorePrefix[] = "cc";
const char kObjectNamesPath[] = "//cc:Object/@Name";
} // namespace

QStringList readCxf3ObjectNames(const QByteArray &bytes)
{
    QStringList names;
    const Xml::Document document = Xml::parseUntrusted(bytes, kMaxCxf3Bytes);
    if (!document)
        return names;
    const Xml::XPathContext context = Xml::newXPathContext(document.get());
    if (!context ||
        xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar *>(kCorePrefix),
                           reinterpret_cast<const xmlChar *>(kCxf3CoreNamespace)) != 0)
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

} // namespace Corvo
