#pragma once

#include <QString>
#include <QUrl>

namespace Corvo {

// The page a collection's "help.link" names, with "%APP%" (in any letter case) standing for
// the add-on module's folder. A "file:///%APP%..." link becomes a local file URL, so that
// folders with blanks or non-ASCII names still work.
QUrl helpUrl(const QString &link, const QString &moduleFolder);

// The footer's rich text for a link name and its caption: white and without underline.
QString footerLinkHtml(const QString &linkName, const QString &caption);

} // namespace Corvo
