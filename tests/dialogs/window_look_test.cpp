// Reading the program's pictures: the same pixels as Qt's own reading, and nothing for a picture
// that is not there.

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

} // namespace
