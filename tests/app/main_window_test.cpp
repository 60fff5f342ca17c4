// The Qt main window: its layout, menus and controls mirror the core, and its actions reach it.

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "app/menu_align.h"

#include <QAction>
#include <QExposeEvent>
#include <QScreen>
#include <QWindow>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

class MainWindowTest : public WindowFixture {
protected:
    void SetUp() override
    {
        // Ticks are driven by hand unless a test wants the real timer.
        showWindow();
    }

    void choose(const char* component)
    {
        QAction* action = window->menuAction(QString::fromLatin1(component));
        ASSERT_NE(action, nullptr) << component;
        action->trigger();
    }

    bool checked(const char* component) { return window->menuAction(QString::fromLatin1(component))->isChecked(); }

    const FormState& form() { return window->form(); }

};

TEST_F(MainWindowTest, CreatesTheWindowAsLaidOut)
{
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Lumaro | Tornvik"));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->canvas()->size(), QSize(1016, 696));
    EXPECT_EQ(window->centralWidget(), window->canvas());
    EXPECT_EQ(window->timer()->interval(), 1000);

    QPushButton* b30 = window->button(30);
    ASSERT_NE(b30, nullptr);
    EXPECT_EQ(b30->geometry(), QRect(128, 448, 57, 17));
    EXPECT_EQ(b30->text(), QString::fromUtf8("Halt"));
    // Reached with Tab, never focused by a mouse click.
    EXPECT_EQ(b30->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(window->button(4), nullptr);

    EXPECT_EQ(window->panel(14)->geometry(), QRect(104, 650, 105, 15));
    EXPECT_EQ(window->image()->geometry(), QRect(8, 504, 105, 73));
    ASSERT_FALSE(window->image()->pixmap().isNull());
    EXPECT_EQ(window->image()->pixmap().size(), QSize(99, 69));
}

TEST_F(MainWindowTest, MenuMarksMirrorTheCore)
{
    EXPECT_TRUE(checked("HVSystem1"));
    EXPECT_FALSE(checked("KsSystem1"));
    EXPECT_TRUE(checked("ag1"));
    EXPECT_FALSE(checked("Nacht1"));
    EXPECT_TRUE(checked("Gleisplan1"));
    EXPECT_TRUE(checked("Signalbegriff1"));

    choose("KsSystem1");
    EXPECT_EQ(form().system, System::Ks);
    EXPECT_FALSE(checked("HVSystem1"));
    EXPECT_TRUE(checked("KsSystem1"));
    // Choosing the selected system again keeps its mark (a plain checkable item would lose it).
    choose("KsSystem1");
    EXPECT_TRUE(checked("KsSystem1"));

    choose("Nacht1");
    EXPECT_FALSE(checked("ag1"));
    EXPECT_TRUE(checked("Nacht1"));
    choose("Nacht1");
    EXPECT_TRUE(checked("Nacht1"));
    choose("ag1");
    EXPECT_TRUE(checked("ag1"));
    EXPECT_FALSE(checked("Nacht1"));

    choose("Gleisplan1");
    EXPECT_FALSE(checked("Gleisplan1"));
    EXPECT_FALSE(form().Menu.Gleisplan1);
    choose("Gleisplan1");
    EXPECT_TRUE(checked("Gleisplan1"));
    choose("Signalbegriff1");
    EXPECT_FALSE(checked("Signalbegriff1"));

    // The help items reach the core, which keeps the windows they show.
    choose("Info1");
    choose("Info1");
    choose("Lizenz1");
    choose("Lzenz1");
    EXPECT_EQ(form().About.raises, 2u);
    EXPECT_EQ(form().Licence.raises, 1u);
    EXPECT_EQ(form().Manual.raises, 1u);
}

TEST_F(MainWindowTest, HelpMenuStandsAtTheRightEnd)
{
    QMenuBar* bar = window->menuBar();
    QAction* settings = window->findChild<QMenu*>(QStringLiteral("Einstellungen1"))->menuAction();
    auto* corner = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(corner, nullptr);
    ASSERT_TRUE(corner->actions().contains(window->helpMenu()));
    QTest::qWait(0);

    const QRect settingsRect(bar->mapTo(window.get(), bar->actionGeometry(settings).topLeft()),
                             bar->actionGeometry(settings).size());
    const QRect helpRect(corner->mapTo(window.get(), corner->actionGeometry(window->helpMenu()).topLeft()),
                         corner->actionGeometry(window->helpMenu()).size());
    EXPECT_FALSE(helpRect.isEmpty());
    EXPECT_GT(helpRect.left(), settingsRect.right() + 600);
    EXPECT_GE(helpRect.right(), window->width() - 16);
    EXPECT_EQ(helpRect.top(), settingsRect.top());

    // Only a top-level item of the bar can move.
    QAction stray(QStringLiteral("stray"));
    EXPECT_FALSE(RightJustifyMenuItem(bar, &stray));
}

TEST_F(MainWindowTest, CanvasIsShownPixelForPixel)
{
    // Colours whose red and blue differ, so a swapped channel order shows. Planted in the core's
    // canvas behind its back, so the check does not depend on the drawing operations.
    Canvas& canvas = const_cast<Canvas&>(form().Canvas);
    canvas.Erase(Rgb(0x12, 0x34, 0x56));
    auto* pixels = const_cast<std::uint32_t*>(canvas.Draw().Pixels());
    for (int y = 300; y < 302; ++y)
        for (int x = 500; x < 503; ++x)
            pixels[y * canvas.Width() + x] = Rgb(200, 10, 20);
    window->canvas()->showTickPaint();

    const QImage shown = window->canvas()->grab(QRect(0, 0, 1016, 696)).toImage();
    ASSERT_EQ(shown.size(), QSize(1016, 696));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(shown.pixelColor(1015, 695), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(shown.pixelColor(499, 300), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(shown.pixelColor(500, 300), QColor(200, 10, 20));
    EXPECT_EQ(shown.pixelColor(502, 301), QColor(200, 10, 20));
    EXPECT_EQ(shown.pixelColor(503, 301), QColor(0x12, 0x34, 0x56));
}

TEST_F(MainWindowTest, WhatTheWindowShowsAfterTicksIsTheCanvas)
{
    // Ticks show again only what they changed. What stands in the window's buffer, the pixels the
    // screen gets, must be the canvas all the same: with lamps blinking, after buttons, a change of
    // system and day and night, and after the self-test's kind of line swap (a copy of the driver
    // given back), which the window must not take for a change of a few lamps.
    const QPoint at = window->canvas()->mapTo(window.get(), QPoint(0, 0));
    auto check = [&](const char* when) {
        QCoreApplication::processEvents();
        const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
        ASSERT_FALSE(shown.isNull()) << "the platform keeps no image of the window";
        // Buttons, panels and overlays stand over the canvas; the canvas shows around them.
        QRegion covered;
        for (const QWidget* child : window->canvas()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                covered += child->geometry();
        const RetainedRaster& canvas = window->driver().DrawCanvas();
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) {
                if (covered.contains(QPoint(x, y)))
                    continue;
                const Color c = canvas.Pixel(x, y);
                const QRgb expected = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
                ASSERT_EQ(shown.pixel(at.x() + x, at.y() + y) | 0xFF000000u, expected) << when << " at " << x << ',' << y;
            }
    };
    // Ticks as the event loop delivers them, each after the paints asked for before it.
    auto run = [&](int n) {
        for (int i = 0; i < n; ++i) {
            QCoreApplication::processEvents();
            tick();
        }
    };
    choose("KsSystem1");
    run(2);
    for (int button : {34, 29, 27, 12, 3, 25, 22})
        window->driver().ClickButton(button);
    choose("Nacht1");
    run(3);
    check("Ks at night");
    const Driver kept = window->driver().Copy();
    choose("HlSystem1");
    run(3);
    window->driver().Restore(kept);
    run(1);
    check("the line given back");
    run(2);
    check("two ticks later");
}

TEST_F(MainWindowTest, CoreRunsOnlyThePaintsTheWindowSystemAsksFor)
{
    QTest::qWait(0);
    const int before = window->canvas()->corePaints();
    EXPECT_GE(before, 1);
    tick();
    EXPECT_EQ(window->canvas()->corePaints(), before);
    EXPECT_TRUE(form().BlinkPhase);

    // Qt's own repaints under a child (a button's hover effect) only show the canvas.
    window->button(30)->repaint();
    window->canvas()->repaint();
    QTest::qWait(0);
    EXPECT_EQ(window->canvas()->corePaints(), before);

    // An expose of the window runs the core's paint.
    QExposeEvent expose(QRegion(0, 0, 20, 20));
    QCoreApplication::sendEvent(window->windowHandle(), &expose);
    QTest::qWait(0);
    EXPECT_EQ(window->canvas()->corePaints(), before + 1);

    // A colour change repaints through the core at once, with the new colour.
    choose("Nacht1");
    QTest::qWait(0);
    EXPECT_FALSE(form().RepaintPending);
    EXPECT_EQ(window->driver().DrawCanvas().Pixel(0, 0), clNightBlue);
    EXPECT_EQ(window->canvas()->corePaints(), before + 2);
    // The same colour again does not.
    choose("Nacht1");
    QTest::qWait(0);
    EXPECT_EQ(window->canvas()->corePaints(), before + 2);
}

TEST_F(MainWindowTest, TimerDrivesTheTicks)
{
    window->timer()->start();
    EXPECT_FALSE(form().BlinkPhase);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().BlinkPhase; }, 1500));
    EXPECT_FALSE(form().FirstTick);
}

TEST_F(MainWindowTest, PanelsMirrorCaptionHintAndColours)
{
    QLabel* esig = window->panel(17);
    EXPECT_EQ(esig->text(), QString::fromUtf8("ESig"));
    EXPECT_EQ(esig->toolTip(), QString::fromUtf8("Einfahrsignal"));
    EXPECT_EQ(window->panel(20)->toolTip(), QString::fromUtf8("Blocksignal"));
    EXPECT_TRUE(esig->font().bold());
    EXPECT_EQ(esig->font().pixelSize(), 11);
    // The designation panels use a smaller bold font, so long captions fit their width.
    for (int n = 1; n <= 16; ++n) {
        EXPECT_TRUE(window->panel(n)->font().bold()) << "Panel" << n;
        EXPECT_EQ(window->panel(n)->font().pixelSize(), 8) << "Panel" << n;
    }

    // Captions show quotes and ampersands literally; two-line hints show on two lines; an empty
    // hint shows no tooltip.
    FormState shown = form();
    shown.Panels[4] = {"Vr 1 + Zs 3v \"8\" & <b>", "Fahrt erwarten\r\n80 km/h", Rgb(1, 2, 3), Rgb(200, 100, 50)};
    shown.Panels[5].hint.clear();
    window->mirror(shown);
    QLabel* p4 = window->panel(4);
    EXPECT_EQ(p4->text(), QString::fromUtf8("Vr 1 + Zs 3v \"8\" & <b>"));
    EXPECT_EQ(p4->textFormat(), Qt::PlainText);
    EXPECT_EQ(p4->toolTip(), QString::fromUtf8("Fahrt erwarten\n80 km/h"));
    EXPECT_EQ(p4->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    EXPECT_EQ(p4->palette().color(QPalette::Window), QColor(200, 100, 50));
    EXPECT_TRUE(window->panel(5)->toolTip().isEmpty());

    // By night the paint recolours the panels; every one follows the core.
    choose("Nacht1");
    tick();
    for (int n = 1; n <= 20; ++n) {
        const PanelState& state = form().Panels[n];
        const QPalette palette = window->panel(n)->palette();
        EXPECT_EQ(palette.color(QPalette::Window).rgb() & 0xFFFFFF,
                  QColor(int(state.color & 0xFF), int((state.color >> 8) & 0xFF), int(state.color >> 16)).rgb() & 0xFFFFFF)
            << "Panel" << n;
        EXPECT_EQ(window->panel(n)->text(), QString::fromStdString(state.caption)) << "Panel" << n;
    }
}

TEST_F(MainWindowTest, ButtonClicksReachTheCoreUnlessDisabled)
{
    auto column450 = [&](int field) {
        return std::array {form().Signals[9].*kRecordFields[field], form().Signals[29].*kRecordFields[field],
                           form().Signals[48].*kRecordFields[field]};
    };
    constexpr int kHalt = 0, kKennlicht = 10;
    ASSERT_EQ(column450(kKennlicht), (std::array {1, 1, 1}));

    QTest::mouseClick(window->button(26), Qt::LeftButton);
    EXPECT_EQ(column450(kHalt), (std::array {1, 1, 1}));
    EXPECT_EQ(column450(kKennlicht), (std::array {0, 0, 0}));
    EXPECT_EQ(form().FocusedControl, 0);
    EXPECT_FALSE(window->button(26)->hasFocus());

    FormState shown = form();
    shown.Buttons[27].enabled = false;
    window->mirror(shown);
    EXPECT_FALSE(window->button(27)->isEnabled());
    QTest::mouseClick(window->button(27), Qt::LeftButton);
    EXPECT_EQ(column450(kKennlicht), (std::array {0, 0, 0}));

    window->mirror();
    QTest::mouseClick(window->button(27), Qt::LeftButton);
    EXPECT_EQ(column450(kHalt), (std::array {0, 0, 0}));
    EXPECT_EQ(column450(kKennlicht), (std::array {1, 1, 1}));
}

TEST_F(MainWindowTest, ButtonsOfOtherSystemsHideWithTheNextPaint)
{
    // The track-change buttons under column 750 belong to the Hl line alone.
    QPushButton* dunkel = window->button(13);
    QPushButton* gwb = window->button(14);
    EXPECT_FALSE(dunkel->isVisible());
    EXPECT_FALSE(gwb->isVisible());
    EXPECT_TRUE(window->button(24)->isVisible());

    choose("HlSystem1");
    EXPECT_FALSE(dunkel->isVisible());
    tick();
    EXPECT_TRUE(dunkel->isVisible());
    EXPECT_TRUE(gwb->isVisible());

    choose("KsSystem1");
    tick();
    EXPECT_FALSE(dunkel->isVisible());
    EXPECT_FALSE(gwb->isVisible());
    for (const ButtonDef& def : kButtons)
        EXPECT_EQ(window->button(def.number)->isVisible(), form().Buttons[def.number].visible) << def.number;
}

TEST_F(MainWindowTest, BackgroundClickTakesTheFocusOff)
{
    // A click on a panel is no click on the background.
    QSignalSpy backgroundClicks(window->canvas(), &CanvasWidget::backgroundClicked);
    QTest::mouseClick(window->panel(17), Qt::LeftButton);
    EXPECT_EQ(backgroundClicks.count(), 0);
    QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(backgroundClicks.count(), 1);
    EXPECT_EQ(form().FocusedControl, 0);
}

TEST_F(MainWindowTest, CloseIsRefusedThenCountsDownToTheEnd)
{
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form().Closing);
    EXPECT_EQ(form().CloseCountdown, 10);

    // "Beenden" takes the same road and starts the countdown again.
    tick();
    EXPECT_EQ(form().CloseCountdown, 9);
    choose("Beenden1");
    EXPECT_EQ(form().CloseCountdown, 10);
    EXPECT_TRUE(window->isVisible());

    for (int i = 0; i < 9; ++i)
        tick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(form().Ended);
    tick();
    EXPECT_TRUE(form().Ended);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->timer()->isActive());
}

} // namespace
