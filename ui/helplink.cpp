#include "ui/helplink.h"

namespace Corvo {

namespace {

constexpr char kAppToken[] = "%APP%";
constexpr char kLocalAppPrefix[] = "file:///%APP%";

} // namespace

QUrl helpUrl(const QString &link, const QString &moduleFolder)
{
    const QString localPrefix = QLatin1String(kLocalAppPrefix);
    if (link.startsWith(localPrefix, Qt::CaseInsensitive))
        return QUrl::fromLocalFile(moduleFolder + link.mid(localPrefix.size()));
    QString resolved = link;
    resolved.replace(QLatin1String(kAppToken), moduleFolder, Qt::CaseInsensitive);
    return QUrl(resolved);
}

QString footerLinkHtml(const QString &linkName, const QString &caption)
{
    return QStringLiteral("<a href=\"%1\"><span style=\"text-decoration: none; color: "
                          "#ffffff;\">%2</span></a>")
        .arg(linkName, caption.toHtmlEscaped());
}

} // namespace Corvo
