#pragma once

// The links of the notice, about and manual windows as URLs for the desktop. The addresses
// themselves live with the windows' texts.

#include "contents/texts.h"

#include <QUrl>

#include <functional>

namespace lumaro {

QUrl WebSiteUrl();
// "mailto:" with the support address and the subject of a support request.
QUrl SupportMailUrl();
QUrl SignalBookUrl();

// Hands links to the user's default browser or mail program. Whether that works is not examined:
// a link that cannot be opened does nothing visible. Tests replace the way of opening.
class LinkOpener {
public:
    using Function = std::function<void(const QUrl&)>;

    void open(const QUrl& url) const;
    // An empty function restores the desktop's default handler.
    void replace(Function function) { m_function = std::move(function); }

private:
    Function m_function;
};

} // namespace lumaro
