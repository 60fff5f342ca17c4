// The origins of a record's aspect and of each marker, apart from the origin of its last change.

#include "state/provenance.h"

#include <gtest/gtest.h>

using namespace lumaro;

TEST(OriginFieldsTest, AMarkerChangeKeepsTheAspectsOriginAndEachMarkerKeepsItsOwn)
{
    SignalTable table;
    table.Initialise();
    RecordOrigins origins;
    const RecordOrigin byButton = RecordOrigin::FromButton(6);
    const RecordOrigin byRule = RecordOrigin::FromRule(RuleId::HvEntryShortenedBraking, {7, 9});
    const RecordOrigin byStop = RecordOrigin::FromRule(RuleId::Column450AnnouncesStop, {9});

    origins.Change(table, 8, byButton, [](SignalRecord& r) { r.Fahrt = 1, r.Halt = 0; });
    origins.Change(table, 8, byStop, [](SignalRecord& r) { r.Gwb = 1; });
    origins.Change(table, 8, byRule, [](SignalRecord& r) { r.Aux13 = 1; });
    // A write that changes nothing notes nothing.
    origins.Change(table, 8, RecordOrigin::FromButton(1), [](SignalRecord& r) { r.Fahrt = 1; });

    EXPECT_EQ(origins[8], byRule);
    EXPECT_EQ(origins.AspectOrigin(8), byButton);
    EXPECT_EQ(origins.MarkerOrigin(8, &SignalRecord::Gwb), byStop);
    EXPECT_EQ(origins.MarkerOrigin(8, &SignalRecord::Aux13), byRule);
    EXPECT_EQ(origins.MarkerOrigin(8, &SignalRecord::Aux12).kind, OriginKind::Start);

    origins.Reset();
    EXPECT_EQ(origins.AspectOrigin(8).kind, OriginKind::Start);
    EXPECT_EQ(origins.MarkerOrigin(8, &SignalRecord::Gwb).kind, OriginKind::Start);
}
