// Reading the program's pictures: the same pixels as Qt's own reading, and nothing for a picture
// that is not there. Link colours readable on the windows' background.

#include "dialogs/window_look.h"

#include <QImage>

#include <gtest/gtest.h>

// The pictures live in the shell library's resources, which the linker leaves out unless asked.
static void InitResources()
{
    Q_INIT_RESOURCE(lumaro);
}

using namespace lumaro;

namespace {

TEST(WindowLookTest, ReadPictureReadsTheResourcesAsQtDoes)
{
    InitResources();
    for (const QString& path : {QStringLiteral(":/lumaro/logo.bmp"), QStringLiteral(":/lumaro/icons/lumaro-48.png")}) {
        const QImage expected(path);
        ASSERT_FALSE(expected.isNull()) << path.toStdString();
        const QImage read = ReadPicture(path).toImage();
        EXPECT_EQ(read.size(), expected.size()) << path.toStdString();
        EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  expected.convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << path.toStdString();
    }
    EXPECT_TRUE(ReadPicture(QStringLiteral(":/lumaro/missing.bmp")).isNull());
}

TEST(WindowLookTest, LinkColoursAreDarkenedInTheirHueUntilTheyReadOnTheWindows)
{
    const QColor grey = ButtonFaceColour();
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(grey, grey), 1.0);
    // The accent of the usual desktop style: too faint on the windows' grey.
    const QColor accent(0x30, 0x8C, 0xC6);
    EXPECT_NEAR(ContrastRatio(accent, grey), 3.24, 0.01);
    const QColor link = ReadableOn(accent, grey);
    EXPECT_GE(ContrastRatio(link, grey), kReadableContrast);
    EXPECT_LT(ContrastRatio(link, grey), kReadableContrast + 0.3) << "no darker than it must be";
    EXPECT_NEAR(link.hue(), accent.hue(), 2);
    // A colour that reads already stays as it is.
    EXPECT_EQ(ReadableOn(QColor(0, 0, 255), grey), QColor(0, 0, 255));
    EXPECT_GE(ContrastRatio(ActiveCaptionColour(), grey), kReadableContrast);
}

} // namespace
