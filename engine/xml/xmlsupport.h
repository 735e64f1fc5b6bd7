#pragma once

#include <QByteArray>
#include <QString>

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>

// libxml2 as the palette and measurement readers use it: initialised once per process,
// documents parsed from memory with every door to the outside closed, and owners that
// free what the library hands out.
namespace Corvo::Xml {

struct DocumentDeleter
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};
struct XPathContextDeleter
{
    void operator()(xmlXPathContext *context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectDeleter
{
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;
using XPathContext = std::unique_ptr<xmlXPathContext, XPathContextDeleter>;
using XPathObject = std::unique_ptr<xmlXPathObject, XPathObjectDeleter>;

// The parser's global state is set up on first use and left for the process to end:
// cleaning it up inside a library would pull it from under other users of libxml2.
void ensureInitialised();

// Parses a document from outside: UTF-8, no base URL, blanks dropped, no network. A
// document that declares entities is refused (no entity can expand or reach a file),
// and so is one larger than maxBytes. Nothing is printed; null on any failure.
Document parseUntrusted(const QByteArray &bytes, qsizetype maxBytes);

// An XPath context on the document that reports nothing; null when it cannot be made.
XPathContext newXPathContext(xmlDoc *document);
// The expression's node set; null when it fails or selects nothing.
XPathObject evaluateNodeSet(xmlXPathContext *context, const char *expression);

// The text of a node's first child when that child is a text node that is not empty.
bool firstChildText(const xmlNode *node, QString &text);
// The value of an attribute; empty when absent.
QString attributeValue(const xmlNode *element, const char *name);
QString fromXmlString(const xmlChar *text);

} // namespace Corvo::Xml
