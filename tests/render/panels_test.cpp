// The panel table against what the elements of the line write and where the window shows it.

#include "tests/render/element_stage.h"
#include "core/layout.h"
#include "render/lamps.h"
#include "render/panels.h"
#include "state/record_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

using namespace lumaro;

namespace {

constexpr System kAllSystems[] = {System::HV, System::Ks, System::Hl};
constexpr const char* kSentinel = "?";

// The column a panel stands under in the window.
std::int32_t ColumnOfPanel(int panel)
{
    const PanelDef& def = kPanels[static_cast<std::size_t>(panel - 1)];
    return ColumnOf(def.left + def.width / 2);
}

int PanelTop(int panel) { return kPanels[static_cast<std::size_t>(panel - 1)].top; }

using Writer = std::tuple<std::int32_t, std::int32_t, std::int32_t>;   // code, own, next

// Every placement of the line drawn alone on many random records and in both blink phases; a
// panel counts as written by it when its caption or hint is no longer the sentinel.
std::map<int, std::set<Writer>> WritersOf(System system)
{
    test::ElementStage stage;
    stage.Start();
    stage.system = system;
    std::mt19937 random(30);
    std::bernoulli_distribution coin(0.4);
    constexpr FieldPtr kRead[] = {field::Halt, field::Fahrt, field::Kmh40, field::Kmh60, field::Kmh80,
                                  field::Kmh100, field::Rangier, field::Ersatz, field::Vorsicht,
                                  field::Kennlicht, field::Gwb, field::Aux12, field::Aux13};
    std::map<int, std::set<Writer>> writers;
    for (const Placement& p : PlacementsOf(system)) {
        for (int round = 0; round < 96; ++round) {
            for (int n = 1; n <= SignalTable::kCount; ++n)
                for (FieldPtr f : kRead)
                    stage.Signals[n].*f = coin(random) ? 1 : 0;
            stage.BlinkPhase = round % 2 == 0;
            for (int n = 1; n <= kDesignationPanelCount; ++n)
                stage.WriteDesignation(n, kSentinel, kSentinel);
            stage.DrawElement(p.x, p.y, p.code, p.own, p.next);
            for (int n = 1; n <= kDesignationPanelCount; ++n)
                if (stage.Panels[n].caption != kSentinel || stage.Panels[n].hint != kSentinel)
                    writers[n].insert({p.code, p.own, p.next});
        }
    }
    return writers;
}

// Each panel a placement of the line writes has the row of that placement, standing under the
// placement's column; a panel with a row is written by that placement alone; and the Ks line's
// main signals clear the one panel it has no row for.
TEST(PanelTableTest, EachRowIsTheOnePlacementThatWritesItsPanel)
{
    for (System system : kAllSystems) {
        SCOPED_TRACE(NamesOf(system).id);
        const auto writers = WritersOf(system);
        for (int panel = 1; panel <= kDesignationPanelCount; ++panel) {
            SCOPED_TRACE(panel);
            const auto found = writers.find(panel);
            const PanelPlace* row = FindPanelPlace(system, panel);
            if (system == System::Ks && panel == panel_table::kClearedByKsMainSignals) {
                EXPECT_EQ(row, nullptr);
                ASSERT_NE(found, writers.end());
                for (const Writer& w : found->second)
                    EXPECT_EQ(std::get<0>(w), 55);
                continue;
            }
            if (!row) {
                EXPECT_EQ(found, writers.end()) << "a panel written without a row";
                continue;
            }
            ASSERT_NE(found, writers.end()) << "a row whose panel nothing writes";
            EXPECT_EQ(found->second, (std::set<Writer> {{row->code, row->own, row->next}}));
            for (const Placement& p : PlacementsOf(system))
                if (p.code == row->code && p.own == row->own && p.next == row->next) {
                    EXPECT_EQ(ColumnOf(p.x), ColumnOfPanel(panel));
                }
        }
    }
}

// The panels of the columns' signals form the first line; a distant signal on a main signal's
// mast and every supplement stand below it, a supplement under the panel of the element that
// writes it. Only a supplement names a part on the mast other than a distant signal.
TEST(PanelTableTest, SupplementsStandBelowTheirSignalsPanel)
{
    const int firstLine = PanelTop(1);
    for (const PanelPlace& row : kPanelPlaces) {
        SCOPED_TRACE(testing::Message() << NamesOf(row.system).id << " Panel" << row.panel);
        const bool namesItsSignal = row.part == PanelPart::Signal || row.part == PanelPart::DistantOnMast;
        EXPECT_EQ(row.role == PanelRole::Supplement, !namesItsSignal);
        EXPECT_EQ(PanelTop(row.panel) == firstLine, row.part == PanelPart::Signal);
        if (row.part == PanelPart::DistantOnMast) {
            EXPECT_EQ(row.role, PanelRole::Distant);
        }
        if (namesItsSignal)
            continue;
        const int above = PanelBeside(row, PanelPart::Signal) ? PanelBeside(row, PanelPart::Signal)
                                                              : PanelBeside(row, PanelPart::DistantOnMast);
        ASSERT_NE(above, 0);
        EXPECT_EQ(ColumnOfPanel(above), ColumnOfPanel(row.panel));
        EXPECT_GT(PanelTop(row.panel), PanelTop(above));
    }
}

} // namespace
