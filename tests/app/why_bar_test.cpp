// The "Warum" line of the window: it names and explains what the mouse points at, outlines the
// causes above the canvas, shows one line with the rest on demand, and goes away with "Warum
// anzeigen"; the canvas stays the program's own picture.

#include "app/canvas_widget.h"
#include "app/cause_overlay.h"
#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "app/why_bar.h"
#include "learn/column_line.h"
#include "learn/columns.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"

#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QFrame>
#include <QToolButton>
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

    // The line for `panel`: its column's name, then why it shows what it shows.
    std::string why(int panel)
    {
        const auto explanation = learn::ExplainPanel(learn::LineOf(window->form()), panel);
        return learn::ColumnLine(window->form().SelectedSystem(), learn::PanelColumn(panel),
                                 explanation ? explanation->why : std::string());
    }

    void moveTo(int x, int y)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), window->canvas()->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->canvas(), &move);
    }

    QString line() const { return window->why()->line()->text(); }
    CauseOverlay* overlay() const { return window->why()->overlay(); }

};

TEST_F(WhyBarTest, SitsInTheFreeStripUnderThePanelsAndTheWindowFitsALaptopScreen)
{
    QFrame* bar = window->why()->bar();
    EXPECT_EQ(bar->parentWidget(), window->canvas());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(QRect(0, 0, 1016, 696).contains(bar->geometry()));
    // Over no control of the window: neither a panel nor a button, in any system.
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        window->menuAction(QString::fromLatin1(system))->trigger();
        tick();
        for (int n = 1; n <= 20; ++n)
            EXPECT_FALSE(bar->geometry().intersects(window->panel(n)->geometry())) << system << " Panel" << n;
        for (int n = 1; n <= 37; ++n)
            if (QPushButton* button = window->button(n))
                EXPECT_FALSE(bar->geometry().intersects(button->geometry())) << system << " Button" << n;
    }
    // The canvas keeps its place and size, and the window needs nothing below it, so that it fits
    // a laptop's screen of 768 pixels with a title bar and a desktop panel (screen_fit_test.sh
    // measures it under X).
    EXPECT_EQ(window->canvas()->geometry(), QRect(0, window->menuBar()->height(), 1016, 696));
    EXPECT_EQ(window->height(), window->menuBar()->height() + 696);
    EXPECT_LE(window->frameGeometry().width(), 1366);
    EXPECT_LE(window->frameGeometry().height(), 740);
    EXPECT_EQ(window->button(30)->geometry(), QRect(128, 448, 57, 17));
    EXPECT_TRUE(window->showWhyAction()->isChecked());
    EXPECT_EQ(window->showWhyAction()->text(), QString::fromUtf8("Warum anzeigen"));
    // Before the learner points at anything, the line says what it is for.
    EXPECT_EQ(line(), QString::fromUtf8(learn::kColumnLinePrompt.data(), learn::kColumnLinePrompt.size()));
}

TEST_F(WhyBarTest, HoverExplainsAPanelAndOutlinesItsCauses)
{
    tick();
    EXPECT_FALSE(overlay()->isVisible());

    // The distant signal of column 50 follows the entry signal in column 150.
    hoverPanel(12);
    EXPECT_EQ(line().toStdString(), why(12));
    EXPECT_FALSE(line().isEmpty());
    EXPECT_TRUE(overlay()->isVisible());
    EXPECT_EQ(overlay()->columns(), std::vector<int> {150});
    // The hint stays the program's own.
    EXPECT_EQ(window->panel(12)->toolTip(), QString::fromUtf8("Halt erwarten"));

    EXPECT_TRUE(line().startsWith(QString::fromUtf8("Spalte 1, Vorsignal des Einfahrsignals: ")));

    leavePanel(12);
    EXPECT_TRUE(line().startsWith(QString::fromUtf8("Zeigen Sie")));
    EXPECT_FALSE(overlay()->isVisible());
}

TEST_F(WhyBarTest, TheMouseOverAColumnOrThePressedButtonChoosesTheColumn)
{
    moveTo(170, 300);
    tick();
    EXPECT_EQ(line().toStdString(), why(10));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window->canvas(), &leave);
    EXPECT_TRUE(line().startsWith(QString::fromUtf8("Zeigen Sie")));

    // Every column by its full name first.
    moveTo(450, 300);
    EXPECT_TRUE(line().startsWith(QString::fromUtf8("Spalte 5, hohes Sperrsignal: "))) << line().toStdString();
    QCoreApplication::sendEvent(window->canvas(), &leave);

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
    const std::vector<std::uint32_t> before(window->driver().DrawCanvas().Pixels(),
                                            window->driver().DrawCanvas().Pixels() + 1016 * 696);
    const std::size_t traceSize = window->form().Canvas.Trace().size();
    hoverPanel(12);
    ASSERT_TRUE(overlay()->isVisible());
    QTest::qWait(10);
    EXPECT_EQ(std::vector<std::uint32_t>(window->driver().DrawCanvas().Pixels(), window->driver().DrawCanvas().Pixels() + 1016 * 696),
              before);
    EXPECT_EQ(window->form().Canvas.Trace().size(), traceSize);

    const QSize size = window->size();
    window->showWhyAction()->trigger();
    EXPECT_FALSE(window->why()->bar()->isVisible());
    EXPECT_FALSE(overlay()->isVisible());
    window->showWhyAction()->trigger();
    EXPECT_TRUE(window->why()->bar()->isVisible());
    EXPECT_TRUE(overlay()->isVisible());
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->canvas()->size(), QSize(1016, 696));
}

TEST_F(WhyBarTest, ShowsOneLineAndTheRestOnDemand)
{
    WhyBar* whyBar = window->why();
    QFrame* bar = whyBar->bar();
    const QRect oneLine = bar->geometry();
    EXPECT_FALSE(whyBar->moreButton()->isVisible()) << "the prompt fits";

    // The distant part on the entry signal's mast says at length why it announces the exit
    // signal while the intermediate signal shows only its identification light.
    for (const int n : {20, 3})
        window->button(n)->click();
    tick();
    window->button(31)->click();
    ticks(2);
    hoverPanel(11);
    ASSERT_GT(line().size(), 200) << line().toStdString();
    EXPECT_EQ(bar->geometry(), oneLine);
    EXPECT_TRUE(whyBar->moreButton()->isVisible());
    EXPECT_EQ(line().toStdString(), why(11)) << "the whole text, of which one line shows";

    whyBar->moreButton()->click();
    EXPECT_TRUE(whyBar->expanded());
    EXPECT_GT(bar->height(), oneLine.height());
    EXPECT_EQ(bar->geometry().left(), oneLine.left());
    EXPECT_EQ(bar->geometry().width(), oneLine.width());
    EXPECT_TRUE(QRect(0, 0, 1016, 696).contains(bar->geometry()));
    EXPECT_GE(whyBar->line()->height(), whyBar->line()->heightForWidth(whyBar->line()->width()));

    // A click on the text itself folds it again.
    QTest::mouseClick(whyBar->line(), Qt::LeftButton);
    EXPECT_FALSE(whyBar->expanded());
    EXPECT_EQ(bar->geometry(), oneLine);
}

TEST_F(WhyBarTest, WhileTheSelfTestAsksAboutAColumnTheLineOnlyNamesIt)
{
    WhyBar* whyBar = window->why();
    whyBar->setAskedColumn(450);
    EXPECT_EQ(line(), QString::fromUtf8("Gefragt: Spalte 5, hohes Sperrsignal"));
    // Pointing elsewhere tells nothing more, and no outline hints at causes.
    hoverPanel(12);
    moveTo(50, 300);
    EXPECT_EQ(line(), QString::fromUtf8("Gefragt: Spalte 5, hohes Sperrsignal"));
    EXPECT_FALSE(overlay()->isVisible());
    // Also without "Warum anzeigen" the asked signal is named.
    window->showWhyAction()->trigger();
    EXPECT_TRUE(whyBar->bar()->isVisible());

    whyBar->setAskedColumn(0);
    EXPECT_FALSE(whyBar->bar()->isVisible());
    window->showWhyAction()->trigger();
    EXPECT_EQ(line().toStdString(), why(12));
}

} // namespace
