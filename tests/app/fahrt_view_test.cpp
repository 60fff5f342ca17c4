// "Fahrt zeigen": the speed line over the canvas, its options, the reason under the mouse in the
// Warum line, and the train that runs it.

#include "app/canvas_widget.h"
#include "app/fahrt_view.h"
#include "app/main_window.h"
#include "app/why_bar.h"
#include "tests/app/window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <vector>

using namespace lumaro;

namespace {

class FahrtViewTest : public WindowFixture {
protected:
    void SetUp() override
    {
        showWindow();
        before = window->size();
        window->menuAction(QStringLiteral("Fahrt1"))->trigger();
    }

    FahrtView* view() const { return window->fahrt(); }
    double speedAt(double x) const { return learn::PermittedSpeedAt(view()->line(), x); }

    // A minute of the running train; returns where its head is then.
    double runTrain()
    {
        view()->runButton()->click();
        for (int frame = 0; frame < 2000 && view()->trainRunning(); ++frame)
            view()->advanceTrain(30);
        return view()->trainHead();
    }

    QSize before;
};

TEST_F(FahrtViewTest, ShowsOverTheCanvasWithoutGrowingTheWindow)
{
    ASSERT_TRUE(view()->isVisible());
    EXPECT_TRUE(window->menuAction(QStringLiteral("Fahrt1"))->isChecked());
    EXPECT_EQ(view()->parentWidget(), window->canvas());
    EXPECT_EQ(window->size(), before);
    // A tick mirrors the menu marks from the core, which knows nothing of this item.
    tick();
    EXPECT_TRUE(window->menuAction(QStringLiteral("Fahrt1"))->isChecked());
    window->menuAction(QStringLiteral("Fahrt1"))->trigger();
    EXPECT_FALSE(view()->isVisible());
}

// The view covers the band of the track plan and nothing else, and the core's canvas stays the
// program's own picture. With LUMARO_FAHRT_PICTURE set, the window of the example is written
// there (the README's picture).
TEST_F(FahrtViewTest, DrawsOverTheBandOnlyAndNeverIntoTheCanvas)
{
    click(22);
    click(16);
    click(31);
    ticks(2);
    window->fahrt()->hide();
    const QImage without = window->canvas()->grab(QRect(0, 0, 1016, 696)).toImage();
    const std::vector<std::uint32_t> pixels(window->driver().DrawCanvas().Pixels(), window->driver().DrawCanvas().Pixels() + 1016 * 696);
    window->fahrt()->show();
    const QImage with = window->canvas()->grab(QRect(0, 0, 1016, 696)).toImage();
    EXPECT_EQ(std::vector<std::uint32_t>(window->driver().DrawCanvas().Pixels(), window->driver().DrawCanvas().Pixels() + 1016 * 696),
              pixels);
    EXPECT_NE(with.copy(0, 0, 1016, 96), without.copy(0, 0, 1016, 96));
    EXPECT_EQ(with.copy(0, 96, 1016, 600), without.copy(0, 96, 1016, 600));
    if (const QString path = qEnvironmentVariable("LUMARO_FAHRT_PICTURE"); !path.isEmpty()) {
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 60), view()->mapToGlobal(QPointF(300, 60)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view(), &move);
        window->grab().save(path);
    }
}

TEST_F(FahrtViewTest, FollowsTheAspectsAtTheNextTickAndTheOptionsAtOnce)
{
    EXPECT_EQ(speedAt(100), 80);   // braking for the entry signal's Hp 0
    click(22);   // block signal Fahrt
    click(16);   // intermediate signal Fahrt
    click(31);   // entry signal 40 km/h
    EXPECT_EQ(speedAt(300), 0);
    ticks(2);
    EXPECT_EQ(speedAt(300), 40);
    EXPECT_EQ(speedAt(575), 40);
    EXPECT_EQ(speedAt(585), 160);

    view()->trainLength()->setValue(600);
    EXPECT_EQ(view()->line().options.trainLength, 60);
    EXPECT_EQ(speedAt(605), 40);
    view()->platformStop()->setChecked(true);
    EXPECT_EQ(speedAt(560), 160);
    EXPECT_LT(speedAt(539), 1);
}

TEST_F(FahrtViewTest, ThePieceUnderTheMouseExplainsItselfInTheWarumLine)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 60), view()->mapToGlobal(QPointF(300, 60)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view(), &move);
    EXPECT_EQ(window->why()->line()->text(), QString::fromUtf8("Einfahrsignal zeigt Hp 0: Halt."));
    tick();
    EXPECT_EQ(window->why()->line()->text(), QString::fromUtf8("Einfahrsignal zeigt Hp 0: Halt."));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view(), &leave);
    EXPECT_NE(window->why()->line()->text(), QString::fromUtf8("Einfahrsignal zeigt Hp 0: Halt."));
}

TEST_F(FahrtViewTest, TheTrainStopsAtAStopAndWaitsAtThePlatform)
{
    EXPECT_EQ(runTrain(), 150);   // the entry signal shows Hp 0
    view()->runButton()->click();
    EXPECT_FALSE(view()->trainRunning());

    click(22);
    click(16);
    click(31);
    ticks(2);
    view()->platformStop()->setChecked(true);
    view()->runButton()->click();
    bool waited = false;
    for (int frame = 0; frame < 2000 && view()->trainRunning(); ++frame) {
        view()->advanceTrain(30);
        waited = waited || view()->trainHead() == learn::kPlatformStop;
    }
    EXPECT_TRUE(waited);
    EXPECT_FALSE(view()->trainRunning());   // it left the line at the end
}

} // namespace
