// The windows' links as URLs, and opening them through the desktop.

#include "dialogs/links.h"

#include <QDesktopServices>

#include <string_view>

namespace lumaro {

namespace {

// The links are written encoded already; strict parsing keeps them exactly so.
QUrl EncodedUrl(std::string_view link)
{
    return QUrl::fromEncoded(QByteArray(link.data(), qsizetype(link.size())), QUrl::StrictMode);
}

} // namespace

QUrl WebSiteUrl() { return EncodedUrl(kWebSite); }

QUrl SupportMailUrl() { return EncodedUrl(SupportMailLink()); }

QUrl SignalBookUrl() { return EncodedUrl(kSignalBook); }

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
