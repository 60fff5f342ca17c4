// The application's style with deferred overflow icons: the icons, once drawn, are the base
// style's, and everything else is the base style's unchanged.

#include "app/deferred_icon_style.h"

#include <QImage>
#include <QPixmap>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

QImage Drawn(const QIcon& icon, int side)
{
    return icon.pixmap(QSize(side, side), 1.0).toImage();
}

TEST(DeferredIconStyleTest, OverflowIconsDrawAsTheBaseStylesAndOtherIconsPassThrough)
{
    DeferredIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    for (QStyle::StandardPixmap which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                                         QStyle::SP_DialogOkButton}) {
        const QIcon deferred = style.standardIcon(which);
        const QIcon direct = base->standardIcon(which);
        ASSERT_FALSE(deferred.isNull()) << which;
        EXPECT_EQ(deferred.availableSizes(), direct.availableSizes()) << which;
        for (int side : {16, 32}) {
            EXPECT_FALSE(Drawn(deferred, side).isNull()) << which;
            EXPECT_EQ(Drawn(deferred, side), Drawn(direct, side)) << which << " " << side;
        }
        // A copy made before the first drawing still draws.
        EXPECT_EQ(Drawn(QIcon(style.standardIcon(which)), 16), Drawn(direct, 16)) << which;
    }
}

} // namespace
