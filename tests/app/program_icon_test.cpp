// The program's icon: its eight sizes, the drawn picture at each, and the size chosen for the
// sizes between and beyond them.

#include "app/program_icon.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

// The drawn picture in the pixel format of a pixmap, so that half-covered edges compare exactly.
QImage Drawn(int side)
{
    return QImage(QStringLiteral(":/lumaro/icons/lumaro-%1.png").arg(side)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(ProgramIconTest, OffersTheDrawnSizesWithTheirPictures)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), 8);
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(Drawn(side).isNull()) << side;
        EXPECT_EQ(image, Drawn(side)) << side;
    }
}

TEST(ProgramIconTest, BetweenSizesShrinksTheNextLargerAndNeverEnlarges)
{
    const QIcon icon = ProgramIcon();
    EXPECT_EQ(icon.actualSize(QSize(40, 40)), QSize(40, 40));
    EXPECT_EQ(icon.pixmap(QSize(40, 40), 1.0).size(), QSize(40, 40));
    EXPECT_EQ(icon.actualSize(QSize(512, 512)), QSize(256, 256));
    EXPECT_EQ(icon.pixmap(QSize(512, 512), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), Drawn(256));
    // A rectangle takes the square that fits its shorter side.
    EXPECT_EQ(icon.pixmap(QSize(20, 30), 1.0).size(), QSize(20, 20));
    EXPECT_TRUE(icon.pixmap(QSize(0, 0), 1.0).isNull());
}

} // namespace
