#pragma once

#include <QUrl>

#include <functional>

namespace lumaro {

// The maker's addresses, shown and opened by the notice, about and manual windows.
inline constexpr char kWebSite[] = "https://www.tornvik.example.org/";
inline constexpr char kSupportMail[] = "support@tornvik.example.org";
inline constexpr char kSupportSubject[] = "Lumaro - Supportanfrage";
// The signal book as its publisher, the railway infrastructure manager, offers it for download.
inline constexpr char kSignalBook[] = "https://www.dbinfrago.com/file/3179912/data/rw_301_bekanntgabe_5.pdf";

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
