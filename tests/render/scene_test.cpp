// The paint: palette, ground strip, track plan and each system's placements.

#include "core/main_form.h"
#include "io/trace_format.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;

namespace {

// Trace positions of one paint: the erase, then the six operations of the ground strip.
constexpr std::size_t kGroundStart = 1;
constexpr std::size_t kTrackPlanStart = 7;

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        form.RecordTrace(true);
    }

    const std::vector<TraceOp>& Paint()
    {
        form.Paint();
        return form.View().Canvas.Trace();
    }

    std::vector<std::string> Lines(std::size_t from, std::size_t count) const
    {
        std::vector<std::string> lines;
        const auto& trace = form.View().Canvas.Trace();
        for (std::size_t i = from; i < from + count && i < trace.size(); ++i)
            lines.push_back(FormatTraceOp(trace[i]));
        return lines;
    }

    // Seeds of the fills in `brush`, in trace order.
    std::vector<std::pair<int, int>> FillSeeds(Color brush) const
    {
        std::vector<std::pair<int, int>> seeds;
        for (const TraceOp& op : form.View().Canvas.Trace())
            if (op.kind == TraceOp::Kind::FloodFill && op.brush == brush)
                seeds.emplace_back(op.x1, op.y1);
        return seeds;
    }

    MainForm form;
};

TEST_F(SceneTest, PaletteAndPanelColoursFollowDayNightAndDesignationMenu)
{
    Paint();
    EXPECT_EQ(form.View().Colors.ColCaption, clBlack);
    EXPECT_EQ(form.View().Colors.ColStructure, 0x808080u);
    EXPECT_EQ(form.View().Colors.ColPlate, 0xFFFFFFu);
    EXPECT_EQ(form.View().Colors.ColMedium, 0xA4A0A0u);
    EXPECT_EQ(form.View().Colors.ColGround, 0x008000u);
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(form.View().Panels[n].color, 0xF0CAA6u) << "Panel" << n;
    for (int n = 17; n <= 20; ++n)
        EXPECT_EQ(form.View().Panels[n].font, clBlack) << "Panel" << n;

    form.MenuCommand("Nacht1");
    Paint();
    EXPECT_EQ(form.View().Colors.ColCaption, clWhite);
    EXPECT_EQ(form.View().Colors.ColStructure, 0x030303u);
    EXPECT_EQ(form.View().Colors.ColPlate, 0x040303u);
    EXPECT_EQ(form.View().Colors.ColMedium, 0x050303u);
    EXPECT_EQ(form.View().Colors.ColGround, 0x060303u);
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(form.View().Panels[n].color, 0x8B0000u) << "Panel" << n;
    for (int n = 17; n <= 20; ++n)
        EXPECT_EQ(form.View().Panels[n].font, clWhite) << "Panel" << n;
    EXPECT_EQ(Lines(kGroundStart, 2)[1], "lineto 1100 414 0x060303 1");

    // Hidden designations take the panel background of the time of day.
    form.MenuCommand("Signalbegriff1");
    Paint();
    EXPECT_EQ(form.View().Colors.ColCaption, 0x8B0000u);
    form.MenuCommand("ag1");
    Paint();
    EXPECT_EQ(form.View().Colors.ColCaption, 0xF0CAA6u);
    EXPECT_EQ(form.View().Colors.ColGround, 0x008000u);
}

TEST_F(SceneTest, GroundStripAndTrackPlanOfHVAndKs)
{
    const std::vector<std::string> ground = {
        "moveto 0 414",
        "lineto 1100 414 0x008000 1",
        "lineto 1100 419 0x008000 1",
        "lineto 0 419 0x008000 1",
        "lineto 0 414 0x008000 1",
        "floodfill 1 415 0x008000 0x008000",
    };
    std::vector<std::string> plan = {
        "moveto 10 40",  "lineto 990 40 0x000000 2",
        "moveto 290 40", "lineto 310 20 0x000000 2", "lineto 990 20 0x000000 2",
        "moveto 590 40", "lineto 570 20 0x000000 2",
        "moveto 90 50",  "lineto 110 40 0x000000 2", "lineto 90 30 0x000000 2", "lineto 90 50 0x000000 2",
        "moveto 890 40", "lineto 910 20 0x000000 2",
        "moveto 350 35", "lineto 550 35 0x808080 2", "lineto 550 25 0x808080 2",
        "lineto 350 25 0x808080 2", "lineto 350 35 0x808080 2",
    };
    for (int x = 50; x <= 950; x += 100) {
        plan.push_back("moveto " + std::to_string(x) + " 50");
        plan.push_back("lineto " + std::to_string(x) + " 70 0x000000 1");
    }

    Paint();
    EXPECT_EQ(form.View().Canvas.Trace().front().kind, TraceOp::Kind::Erase);
    EXPECT_EQ(Lines(kGroundStart, ground.size()), ground);
    EXPECT_EQ(Lines(kTrackPlanStart, plan.size()), plan);
    EXPECT_EQ(form.View().TrackPlanOrigin.x, 10);
    EXPECT_EQ(form.View().TrackPlanOrigin.y, 40);
    // The first element, plate 5 of the block signal, follows at once.
    EXPECT_EQ(Lines(kTrackPlanStart + plan.size(), 1)[0], "moveto 940 392");

    form.MenuCommand("KsSystem1");
    Paint();
    EXPECT_EQ(Lines(kTrackPlanStart, plan.size()), plan);
}

TEST_F(SceneTest, HlTrackPlanMovesTheCrossoverAndSkipsTwoColumns)
{
    form.MenuCommand("HlSystem1");
    Paint();
    const std::vector<std::string> crossover = {"moveto 790 40", "lineto 810 20 0x000000 2"};
    EXPECT_EQ(Lines(kTrackPlanStart + 11, 2), crossover);

    std::vector<int> strokes;
    const auto& trace = form.View().Canvas.Trace();
    for (const TraceOp& op : trace)
        if (op.kind == TraceOp::Kind::LineTo && op.y1 == 70 && op.penWidth == 1 && op.pen == clBlack)
            strokes.push_back(op.x1);
    EXPECT_EQ(strokes, (std::vector<int> {50, 150, 250, 450, 550, 650, 850, 950}));
    // The first element, the slim mast of column 950, follows the last stroke.
    EXPECT_EQ(Lines(kTrackPlanStart + 34, 1)[0], "moveto 948 404");
}

TEST_F(SceneTest, WithoutTrackPlanTheElementsFollowTheGroundStrip)
{
    form.MenuCommand("Gleisplan1");
    const Point before = form.View().TrackPlanOrigin;
    Paint();
    EXPECT_EQ(Lines(kTrackPlanStart, 1)[0], "moveto 940 392");
    EXPECT_EQ(form.View().TrackPlanOrigin.x, before.x);
    EXPECT_EQ(form.View().TrackPlanOrigin.y, before.y);
}

// The foundations and plates drawn per system show that every mast row of the placement
// table ran, in order; the last operation of a paint is the lower wedge of board 0.
TEST_F(SceneTest, EachSystemDrawsItsMastsPlatesAndBoard)
{
    using Seeds = std::vector<std::pair<int, int>>;
    const Seeds tenColumns = {{941, 410}, {841, 410}, {741, 410}, {641, 410}, {541, 410},
                              {441, 410}, {341, 410}, {243, 410}, {141, 410}, {41, 410}};

    Paint();
    EXPECT_EQ(FillSeeds(clMedGray), tenColumns);
    // Plates 5 and 6, plates 9, the white stripes of the four bands 7 and of band 8; the
    // shunting signals' two plates, the low one's two markers and the high one's
    // identification light; the additional light of the distant signal of column 750.
    EXPECT_EQ(FillSeeds(clWhite).size(), 11u + 4u + 4u * 2u + 3u + 5u + 1u);
    EXPECT_EQ(FormatTraceOp(form.View().Canvas.Trace().back()), "floodfill 43 379 0x000000 0x000000");

    form.MenuCommand("KsSystem1");
    Paint();
    EXPECT_EQ(FillSeeds(clMedGray), tenColumns);
    EXPECT_EQ(FormatTraceOp(form.View().Canvas.Trace().back()), "floodfill 43 334 0x000000 0x000000");

    form.MenuCommand("HlSystem1");
    Paint();
    EXPECT_EQ(FillSeeds(clMedGray),
              (Seeds {{941, 410}, {841, 410}, {641, 410}, {541, 410}, {441, 410}, {141, 410}, {41, 410}}));
    EXPECT_EQ(FillSeeds(clGray).size(), 8u);  // the slim masts and the shunting signal's post
    EXPECT_EQ(FormatTraceOp(form.View().Canvas.Trace().back()), "floodfill 43 379 0x000000 0x000000");
}

TEST_F(SceneTest, NightSceneKeepsEveryFillInsideItsOutline)
{
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        form.MenuCommand(system);
        form.MenuCommand("Nacht1");
        Paint();
        // Sky above the track plan and between the columns stays night blue.
        EXPECT_EQ(form.DrawCanvas().Pixel(5, 5), clNightBlue);
        EXPECT_EQ(form.DrawCanvas().Pixel(100, 100), clNightBlue);
        EXPECT_EQ(form.DrawCanvas().Pixel(1000, 200), clNightBlue);
        EXPECT_EQ(form.DrawCanvas().Pixel(500, 416), Rgb(3, 3, 6));
        EXPECT_EQ(form.DrawCanvas().Pixel(500, 425), clNightBlue);
    }
}

} // namespace
