// The exit sequence in the real window: the notice, its countdown and the end of the program.

#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "dialogs/about_window.h"
#include "dialogs/notice_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

class ExitSequenceTest : public WindowFixture {
protected:
    void SetUp() override
    {
        showWindow([this](MainWindow& w) { w.links().replace([this](const QUrl& url) { opened.push_back(url); }); });
    }

    // The close button of the title bar and the window manager's close shortcut arrive as a close
    // event from the window system.
    void closeFromTitleBar()
    {
        QCloseEvent event;
        QApplication::sendEvent(window->windowHandle(), &event);
    }
    void closeFromMenu() { window->menuAction(QStringLiteral("Beenden1"))->trigger(); }

    NoticeWindow* notice() { return window->notice(); }
    QString seconds() { return notice()->seconds()->text(); }
    bool ended() { return window->form().Ended; }

    std::vector<QUrl> opened;
};

TEST_F(ExitSequenceTest, FirstRequestShowsTheNoticeAndTheTenthTickEndsTheProgram)
{
    EXPECT_FALSE(notice()->isVisible());
    closeFromTitleBar();
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(notice()->isVisible());
    EXPECT_EQ(seconds(), QStringLiteral("10"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(notice()));
    ASSERT_FALSE(notice()->photograph()->pixmap().isNull());
    EXPECT_EQ(notice()->photograph()->pixmap().size(), QSize(598, 449));

    for (int left = 9; left >= 1; --left) {
        tick();
        EXPECT_EQ(seconds(), QString::number(left));
    }
    EXPECT_TRUE(window->isVisible());
    tick();
    EXPECT_TRUE(ended());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->timer()->isActive());
}

TEST_F(ExitSequenceTest, FurtherRequestsRestartAtTenWhicheverWayTheyCome)
{
    closeFromMenu();
    ticks(5);
    EXPECT_EQ(seconds(), QStringLiteral("5"));
    // The user puts the main window in front, then closes it from the title bar.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    closeFromTitleBar();
    EXPECT_EQ(seconds(), QStringLiteral("10"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(notice()));
    ticks(7);
    closeFromMenu();
    EXPECT_EQ(seconds(), QStringLiteral("10"));
    ticks(9);
    EXPECT_FALSE(ended());
    EXPECT_EQ(seconds(), QStringLiteral("1"));
    tick();
    EXPECT_TRUE(ended());
}

TEST_F(ExitSequenceTest, MainWindowKeepsWorkingDuringTheCount)
{
    closeFromMenu();
    tick();
    const bool blink = window->form().BlinkPhase;
    tick();
    EXPECT_NE(window->form().BlinkPhase, blink);

    window->menuAction(QStringLiteral("Nacht1"))->trigger();
    EXPECT_TRUE(window->menuAction(QStringLiteral("Nacht1"))->isChecked());
    window->menuAction(QStringLiteral("Info1"))->trigger();
    EXPECT_TRUE(window->about()->isVisible());
    EXPECT_EQ(seconds(), QStringLiteral("8"));
}

TEST_F(ExitSequenceTest, HidingTheNoticeDoesNotStopTheCount)
{
    closeFromMenu();
    tick();
    // What the close shortcut does to the notice when it has the focus.
    notice()->close();
    EXPECT_FALSE(notice()->isVisible());
    EXPECT_FALSE(window->form().Notice.visible);
    ticks(8);
    EXPECT_FALSE(ended());
    tick();
    EXPECT_TRUE(ended());
}

TEST_F(ExitSequenceTest, LinksOpenWithoutTouchingTheCount)
{
    closeFromMenu();
    ticks(3);
    QTest::mouseClick(notice()->webLink(), Qt::LeftButton);
    QTest::mouseClick(notice()->logo(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(notice()->mailLink(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://www.tornvik.example.org/")));
    EXPECT_EQ(opened[1], opened[0]);
    EXPECT_EQ(opened[2].toString(QUrl::FullyDecoded),
              QStringLiteral("mailto:support@tornvik.example.org?subject=Lumaro - Supportanfrage"));
    EXPECT_EQ(seconds(), QStringLiteral("7"));
    EXPECT_EQ(window->form().CloseCountdown, 7);

    // With the desktop's own handler, a link that leads nowhere is ignored as well.
    window->links().replace({});
    window->links().open(QUrl(QStringLiteral("nosuchscheme:nothing")));
    EXPECT_EQ(window->form().CloseCountdown, 7);
}

} // namespace

namespace {

// A close request that comes before the hidden windows were made makes them itself.
TEST(ExitSequenceEarlyTest, RequestBeforeTheFirstFrameStillShowsTheWholeNotice)
{
    MainWindow window;
    window.timer()->stop();
    EXPECT_FALSE(window.close());
    ASSERT_TRUE(window.notice()->isVisible());
    EXPECT_EQ(window.notice()->seconds()->text(), QStringLiteral("10"));
    EXPECT_FALSE(window.notice()->photograph()->pixmap().isNull());
}

} // namespace
