#include "engine/xml/xmlsupport.h"

#include <libxml/parser.h>
#include <libxml/xpathInternals.h>

#include <mutex>

namespace Corvo::Xml {

namespace {

// No blanks, no network, compact text nodes; no entity substitution, no DTD loading.
constexpr int kParseOptions = XML_PARSE_NOBLANKS | XML_PARSE_NONET | XML_PARSE_COMPACT;
// Failures are quiet: nothing reaches standard error.
constexpr int kQuietOptions = XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
const char kUtf8[] = "UTF-8";

struct ParserContextDeleter
{
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
};
using ParserContext = std::unique_ptr<xmlParserCtxt, ParserContextDeleter>;

void ignoreStructuredError(void *, xmlError *) {}

// Palette and measurement files never declare entities; one that does is hostile
// (expansion bombs, references to local files) and is not read any further.
void refuseEntityDeclaration(void *userData, const xmlChar *, int, const xmlChar *, const xmlChar *,
                             xmlChar *)
{
    xmlStopParser(static_cast<xmlParserCtxt *>(userData));
}

void refuseUnparsedEntityDeclaration(void *userData, const xmlChar *, const xmlChar *,
                                     const xmlChar *, const xmlChar *)
{
    xmlStopParser(static_cast<xmlParserCtxt *>(userData));
}

bool declaresEntities(const xmlDoc *document)
{
    const xmlDtd *subset = document->intSubset;
    return subset != nullptr && (subset->entities != nullptr || subset->pentities != nullptr);
}

} // namespace

void ensureInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

Document parseUntrusted(const QByteArray &bytes, qsizetype maxBytes)
{
    if (bytes.isEmpty() || bytes.size() > maxBytes)
        return nullptr;
    ensureInitialised();
    ParserContext context(xmlNewParserCtxt());
    if (!context || context->sax == nullptr)
        return nullptr;
    context->sax->serror = ignoreStructuredError;
    context->sax->entityDecl = refuseEntityDeclaration;
    context->sax->unparsedEntityDecl = refuseUnparsedEntityDeclaration;
    Document document(xmlCtxtReadMemory(context.get(), bytes.constData(),
                                        static_cast<int>(bytes.size()), "", kUtf8,
                                        kParseOptions | kQuietOptions));
    if (!document || context->errNo == XML_ERR_USER_STOP || declaresEntities(document.get()))
        return nullptr;
    return document;
}

XPathContext newXPathContext(xmlDoc *document)
{
    XPathContext context(xmlXPathNewContext(document));
    if (context)
        context->error = ignoreStructuredError;
    return context;
}

XPathObject evaluateNodeSet(xmlXPathContext *context, const char *expression)
{
    XPathObject result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar *>(expression), context));
    if (!result || result->type != XPATH_NODESET || xmlXPathNodeSetIsEmpty(result->nodesetval))
        return nullptr;
    return result;
}

bool firstChildText(const xmlNode *node, QString &text)
{
    const xmlNode *child = node != nullptr ? node->children : nullptr;
    if (child == nullptr || child->type != XML_TEXT_NODE || child->content == nullptr ||
        child->content[0] == '\0')
        return false;
    text = fromXmlString(child->content);
    return true;
}

QString attributeValue(const xmlNode *element, const char *name)
{
    xmlChar *value = xmlGetNoNsProp(element, reinterpret_cast<const xmlChar *>(name));
    const QString text = fromXmlString(value);
    xmlFree(value);
    return text;
}

QString fromXmlString(const xmlChar *text)
{
    return text != nullptr ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

} // namespace Corvo::Xml
