#include "dialogs/links.h"

#include <QDesktopServices>
#include <QUrlQuery>

namespace lumaro {

QUrl WebSiteUrl() { return QUrl(QString::fromLatin1(kWebSite)); }

QUrl SupportMailUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kSupportMail));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromLatin1(kSupportSubject));
    url.setQuery(query);
    return url;
}

QUrl SignalBookUrl() { return QUrl(QString::fromLatin1(kSignalBook)); }

void LinkOpener::open(const QUrl& url) const
{
    if (m_function) {
        m_function(url);
        return;
    }
    // The result only says whether a handler could be started; nothing is shown either way.
    (void)QDesktopServices::openUrl(url);
}

} // namespace lumaro
