// The windows' texts as the desktop opens their links.

#include "dialogs/links.h"
#include "contents/texts.h"

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

} // namespace
