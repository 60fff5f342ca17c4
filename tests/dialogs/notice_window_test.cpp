// The exit notice window: its layout, the photograph and a damaged photograph.

#include "app/photograph.h"
#include "dialogs/links.h"
#include "dialogs/notice_window.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

TEST(NoticeWindowTest, EmbeddedPhotographIsTheAssetFile)
{
    QFile file(QStringLiteral(LUMARO_PHOTO_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << LUMARO_PHOTO_FILE;
    EXPECT_EQ(Photograph(), file.readAll());
}

TEST(NoticeWindowTest, IsLaidOutBorderlessWithItsControlsInDrawingOrder)
{
    LinkOpener links;
    NoticeWindow notice(links, Photograph());
    EXPECT_TRUE(notice.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(notice.size(), QSize(576, 446));
    EXPECT_EQ(notice.pos(), QPoint(232, 154));

    QStringList order;
    for (QObject* child : notice.children())
        if (child->isWidgetType())
            order << child->objectName();
    EXPECT_EQ(order.join(QLatin1Char(' ')),
              QStringLiteral("Image1 Label2 Label3 Label4 Label5 Label6 Image2 Label7 Label8 Label9"));
    EXPECT_EQ(notice.photograph()->geometry(), QRect(0, 0, 601, 449));
    EXPECT_EQ(notice.webLink()->geometry(), QRect(0, 224, 601, 25));
    EXPECT_EQ(notice.webLink()->cursor().shape(), Qt::PointingHandCursor);

    // "Programm schliesst in ", the seconds and "Sekunden" read as one line, whatever the font.
    for (int seconds : {10, 7}) {
        notice.setSeconds(seconds);
        const QLabel* label4 = notice.findChild<QLabel*>(QStringLiteral("Label4"));
        const QLabel* label6 = notice.findChild<QLabel*>(QStringLiteral("Label6"));
        const QLabel* label5 = notice.seconds();
        EXPECT_GE(label4->x(), 208);
        EXPECT_GE(label5->x(), label4->x() + label4->fontMetrics().horizontalAdvance(label4->text()));
        EXPECT_GT(label6->x(), label5->x() + label5->fontMetrics().horizontalAdvance(label5->text()));
        EXPECT_EQ(label5->y(), 336);
    }
}

TEST(NoticeWindowTest, ShowsThePhotographTopLeftOnceShown)
{
    LinkOpener links;
    NoticeWindow notice(links, Photograph());
    EXPECT_FALSE(notice.photographPrepared());
    notice.showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    EXPECT_TRUE(notice.photographPrepared());

    const QImage shown = notice.grab().toImage();
    // Sky at the top left, the shaded foreground at the bottom.
    const QColor sky = shown.pixelColor(300, 40);
    EXPECT_GT(sky.blue(), sky.red() + 40);
    EXPECT_LT(shown.pixelColor(40, 440).lightness(), 110);
}

TEST(NoticeWindowTest, DamagedPhotographLeavesThePictureOutAndNothingElse)
{
    const QByteArray photo = Photograph();
    QByteArray progressiveMarker = photo;
    progressiveMarker.replace("\xFF\xC0", 2, "\xFF\xC2", 2);
    const QByteArray damaged[] = {
        photo.left(photo.size() / 3),
        QByteArray("not a picture"),
        QByteArray(),
        progressiveMarker,
    };
    LinkOpener links;
    for (const QByteArray& data : damaged) {
        NoticeWindow notice(links, data);
        notice.setSeconds(10);
        notice.showModeless();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
        EXPECT_TRUE(notice.photograph()->pixmap().isNull());
        EXPECT_TRUE(notice.isVisible());
        EXPECT_EQ(notice.seconds()->text(), QStringLiteral("10"));
        // The window's own colour shows where the picture would be.
        EXPECT_EQ(notice.grab().toImage().pixelColor(300, 40), ButtonFaceColour());
    }
}

} // namespace
