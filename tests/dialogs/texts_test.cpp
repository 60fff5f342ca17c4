// The windows' texts as the desktop opens their links.

#include "dialogs/links.h"
#include "contents/texts.h"
#include "app/progress_store.h"
#include "app/window_options.h"
#include "core/menu.h"

#include <QDir>
#include <QFileInfo>

#include <QUrlQuery>

#include <gtest/gtest.h>

#include <string>

using namespace lumaro;

namespace {

TEST(WindowTextsTest, PercentEncodingKeepsOnlyTheUnreservedCharacters)
{
    EXPECT_EQ(PercentEncoded("AZaz09-._~"), "AZaz09-._~");
    // A blank is %20 in a mail link; "+" would be read as a plus sign.
    EXPECT_EQ(PercentEncoded("a b+c"), "a%20b%2Bc");
    EXPECT_EQ(PercentEncoded("?&=#%/@:"), "%3F%26%3D%23%25%2F%40%3A");
    // UTF-8 byte by byte, upper-case hex digits.
    EXPECT_EQ(PercentEncoded("\xC3\xBC"), "%C3%BC");
    EXPECT_EQ(PercentEncoded(std::string("\x00\x7F\xFF", 3)), "%00%7F%FF");
    EXPECT_EQ(PercentEncoded(""), "");
}

TEST(WindowTextsTest, MailLinkCarriesTheAddressAndTheSubjectAsTheDesktopOpensIt)
{
    EXPECT_EQ(SupportMailLink(), "mailto:support@tornvik.example.org?subject=Lumaro%20-%20Supportanfrage");

    const QUrl url = SupportMailUrl();
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), QStringLiteral("support@tornvik.example.org"));
    EXPECT_EQ(QUrlQuery(url).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              QStringLiteral("Lumaro - Supportanfrage"));
    // Handed on exactly as written, so that the browser page's link is the same.
    EXPECT_EQ(url.toEncoded().toStdString(), SupportMailLink());
    EXPECT_EQ(WebSiteUrl().toEncoded().toStdString(), kWebSite);
    EXPECT_EQ(SignalBookUrl().toEncoded().toStdString(), kSignalBook);
}

TEST(WindowTextsTest, ManualNamesTheSupportAddressInPlaceOfItsPlaceholder)
{
    const std::string written = kManualText;
    const std::string shown = ManualText();
    const std::size_t at = written.find("%1");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(written.find("%1", at + 1), std::string::npos) << "one placeholder";
    EXPECT_EQ(shown, written.substr(0, at) + std::string(kSupportMail) + written.substr(at + 2));
}

TEST(WindowTextsTest, ManualSaysWhatIsKeptWhereAndNamesEveryOptionAndSelfTestItem)
{
    const QString manual = QString::fromStdString(ManualText());
    // Where the window keeps the options and the progress, in the user's folders as a reader
    // writes them.
    const QString options = QFileInfo(QStringLiteral("/home/x/.config/lumaro/lumaro.conf")).fileName();
    EXPECT_EQ(QFileInfo(OptionsFilePath()).fileName(), options);
    EXPECT_TRUE(manual.contains(QStringLiteral("~/.config/lumaro/") + options));
    EXPECT_TRUE(manual.contains(QStringLiteral("~/.local/share/lumaro/")
                                + QFileInfo(ProgressStore(QStringLiteral("/x")).filePath()).fileName()));
    EXPECT_TRUE(manual.contains(QString::fromUtf8("Speicher des Browsers")));
    // What it said before the program kept anything is gone.
    EXPECT_FALSE(manual.contains(QString::fromUtf8("keine Einstellungen an")));
    EXPECT_FALSE(manual.contains(QString::fromUtf8("keine weiteren Dateien")));

    // Every item of the self-test and every option by the name its menu gives it.
    for (const MenuItem& item : kMenuItems) {
        QString text = QString::fromUtf8(item.text);
        text.remove(QString::fromUtf8(" …"));
        EXPECT_TRUE(manual.contains(text.toUpper()) || manual.contains(text)) << item.text;
    }
    for (const char* option : {"Warum anzeigen", "Blinken anhalten", "Lampenfarben beschriften",
                               "Signalnamen anzeigen", "Fahrt zeigen"})
        EXPECT_TRUE(manual.contains(QString::fromUtf8(option), Qt::CaseInsensitive)) << option;
}

} // namespace
