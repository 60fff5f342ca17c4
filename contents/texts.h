#pragma once

// Everything the exit notice and the three information windows say, the pictures they show and
// where their links lead, UTF-8. No Qt here: the desktop windows and the browser page both take
// their words from this one place.

#include <string>
#include <string_view>

namespace lumaro {

// --- Where the links lead ---------------------------------------------------------------------

inline constexpr std::string_view kWebSite = "https://www.tornvik.example.org/";
inline constexpr std::string_view kSupportMail = "support@tornvik.example.org";
inline constexpr std::string_view kSupportSubject = "Lumaro - Supportanfrage";
// The signal book as its publisher, the railway infrastructure manager, offers it for download.
inline constexpr std::string_view kSignalBook = "https://www.dbinfrago.com/file/3179912/data/rw_301_bekanntgabe_5.pdf";

// "mailto:" with the support address and "?subject=" with the subject of a support request,
// percent-encoded as a mail link wants it (a blank is "%20", never "+").
std::string SupportMailLink();

// Every byte but the unreserved characters of a URL (letters, digits, "-", ".", "_", "~") as
// "%XX" with upper-case hex digits; UTF-8 text is encoded byte by byte.
std::string PercentEncoded(std::string_view text);

// --- The pictures, as files of assets/ ----------------------------------------------------------

inline constexpr std::string_view kPhotographFile = "photo.jpg";
inline constexpr std::string_view kLogoFile = "logo.bmp";

// --- Words of more than one window --------------------------------------------------------------

inline constexpr std::string_view kWebSiteCaption = "Tornvik im Internet";
inline constexpr std::string_view kContactCaption = "Kontakt";
inline constexpr std::string_view kTagline = "Realistische Stellwerkssimulationen";

// --- The exit notice (borderless: its title is never seen) --------------------------------------

struct NoticeTexts {
    std::string_view title;
    std::string_view webLink;           // Label2
    std::string_view mailLink;          // Label3
    std::string_view countdownBefore;   // Label4, ends in a blank; the seconds follow
    std::string_view countdownAfter;    // Label6
    std::string_view tagline;           // Label7, under the logo
    std::string_view rightsLine1;       // Label8 and Label9: the rights notice, one sentence
    std::string_view rightsLine2;
};

inline constexpr NoticeTexts kNoticeTexts {
    .title = "Info",
    .webLink = kWebSiteCaption,
    .mailLink = kContactCaption,
    .countdownBefore = "Programm schliesst in ",
    .countdownAfter = "Sekunden",
    .tagline = kTagline,
    .rightsLine1 = "\xC2\xA9 Tornvik. Alle Rechte vorbehalten. Lumaro darf unver\xC3\xA4ndert",
    .rightsLine2 = "und unentgeltlich weitergegeben werden, siehe \xE2\x80\x9ELizenz\xE2\x80\x9C.",
};

// --- The about window ---------------------------------------------------------------------------

struct AboutTexts {
    std::string_view title;
    std::string_view name;       // Panel1
    std::string_view author;     // Panel4
    std::string_view webLink;    // Panel5, the maker's name
    std::string_view tagline;    // Panel6
    std::string_view mailLink;   // Panel7
    std::string_view ok;         // Button1
};

inline constexpr AboutTexts kAboutTexts {
    .title = "Info \xC3\xBC" "ber Lumaro",
    .name = "Lumaro",
    .author = "Mara Lindqvist",
    .webLink = "Tornvik",
    .tagline = kTagline,
    .mailLink = kContactCaption,
    .ok = "OK",
};

// Panel2: "Version " and the program's version, which the build knows.
std::string VersionLine(std::string_view version);

// --- The licence terms and the manual -----------------------------------------------------------

inline constexpr std::string_view kLicenceTitle = "Lizenzbestimmungen";

// Title, opening paragraph and 13 numbered sections, broken by hand after at most 88 characters.
extern const char kLicenceText[];

struct ManualTexts {
    std::string_view title;
    std::string_view signalBookLink;   // Label1, below the text on the left
    std::string_view mailLink;         // Label2
    std::string_view webLink;          // Label3
};

inline constexpr ManualTexts kManualTexts {
    .title = "Anleitung",
    .signalBookLink = "Signalbuch (PDF)",
    .mailLink = kContactCaption,
    .webLink = kWebSiteCaption,
};

// The manual as written. "%1" stands for the support mail address.
extern const char kManualText[];

// The manual as shown: kManualText with the support mail address in place of "%1".
std::string ManualText();

} // namespace lumaro
