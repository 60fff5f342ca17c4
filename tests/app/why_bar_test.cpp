// The "Warum" line of the window: it explains what the mouse points at, outlines the causes above
// the canvas, and goes away with "Warum anzeigen"; the canvas stays the program's own picture.

#include "app/canvas_widget.h"
#include "app/cause_overlay.h"
#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "app/why_bar.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"

#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace lumaro;

namespace {

class WhyBarTest : public WindowFixture {
protected:
    void SetUp() override
    {
        showWindow();
    }

    void hoverPanel(int n)
    {
        QLabel* panel = window->panel(n);
        QEnterEvent enter(QPointF(2, 2), panel->mapTo(window.get(), QPointF(2, 2)), panel->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(panel, &enter);
    }

    void leavePanel(int n)
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(window->panel(n), &leave);
    }

    std::string why(int panel)
    {
        const auto explanation = learn::ExplainPanel(learn::LineOf(window->form()), panel);
        return explanation ? explanation->why : std::string();
    }

    QString line() const { return window->why()->line()->text(); }
    CauseOverlay* overlay() const { return window->why()->overlay(); }

};

TEST_F(WhyBarTest, SitsUnderTheCanvasWhichKeepsItsPlace)
{
    QStatusBar* bar = window->why()->bar();
    EXPECT_EQ(window->statusBar(), bar);
    EXPECT_EQ(window->canvas()->geometry().topLeft(), QPoint(0, window->menuBar()->height()));
    EXPECT_EQ(window->canvas()->size(), QSize(1016, 696));
    EXPECT_GE(bar->geometry().top(), window->canvas()->geometry().bottom());
    EXPECT_EQ(window->button(30)->geometry(), QRect(128, 448, 57, 17));
    EXPECT_TRUE(window->showWhyAction()->isChecked());
    EXPECT_EQ(window->showWhyAction()->text(), QString::fromUtf8("Warum anzeigen"));
}

TEST_F(WhyBarTest, HoverExplainsAPanelAndOutlinesItsCauses)
{
    tick();
    EXPECT_EQ(line(), QString());
    EXPECT_FALSE(overlay()->isVisible());

    // The distant signal of column 50 follows the entry signal in column 150.
    hoverPanel(12);
    EXPECT_EQ(line().toStdString(), why(12));
    EXPECT_FALSE(line().isEmpty());
    EXPECT_TRUE(overlay()->isVisible());
    EXPECT_EQ(overlay()->columns(), std::vector<int> {150});
    // The hint stays the program's own.
    EXPECT_EQ(window->panel(12)->toolTip(), QString::fromUtf8("Halt erwarten"));

    leavePanel(12);
    EXPECT_EQ(line(), QString());
    EXPECT_FALSE(overlay()->isVisible());
}

TEST_F(WhyBarTest, TheMouseOverAColumnOrThePressedButtonChoosesTheColumn)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(170, 300), window->canvas()->mapToGlobal(QPointF(170, 300)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->canvas(), &move);
    tick();
    EXPECT_EQ(line().toStdString(), why(10));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window->canvas(), &leave);
    EXPECT_EQ(line(), QString());

    // The shunting signal's button: its explanation names the entry signal it stopped.
    window->button(31)->click();
    tick();
    window->button(28)->click();
    tick();
    EXPECT_EQ(line().toStdString(), why(9));
    window->button(26)->click();
    tick();
    EXPECT_EQ(line().toStdString(), why(7));
}

TEST_F(WhyBarTest, WarumAnzeigenHidesLineAndOutlineAndTheCanvasNeverChanges)
{
    window->driver().RecordTrace(true);
    tick();
    const std::vector<std::uint32_t> before(window->form().Canvas.Pixels(),
                                            window->form().Canvas.Pixels() + 1016 * 696);
    const std::size_t traceSize = window->form().Canvas.Trace().size();
    hoverPanel(12);
    ASSERT_TRUE(overlay()->isVisible());
    QTest::qWait(10);
    EXPECT_EQ(std::vector<std::uint32_t>(window->form().Canvas.Pixels(), window->form().Canvas.Pixels() + 1016 * 696),
              before);
    EXPECT_EQ(window->form().Canvas.Trace().size(), traceSize);

    const int height = window->height();
    window->showWhyAction()->trigger();
    EXPECT_FALSE(window->why()->bar()->isVisible());
    EXPECT_FALSE(overlay()->isVisible());
    EXPECT_LT(window->height(), height);
    EXPECT_EQ(window->canvas()->size(), QSize(1016, 696));
    window->showWhyAction()->trigger();
    EXPECT_TRUE(window->why()->bar()->isVisible());
    EXPECT_TRUE(overlay()->isVisible());
    EXPECT_EQ(window->height(), height);
}

} // namespace
