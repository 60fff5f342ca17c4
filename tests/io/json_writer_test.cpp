// The JSON writer places every separator; a document is its values and keys in order.

#include "io/json_writer.h"

#include <gtest/gtest.h>

namespace lumaro::io {
namespace {

TEST(JsonWriterTest, PlacesCommasAndColonsInNestedObjectsAndArrays)
{
    JsonWriter json;
    json.BeginObject()
        .Field("a", 1)
        .Key("list").BeginArray().Int(1).String("x\"y").BeginObject().EndObject().BeginArray().EndArray().EndArray()
        .Field("ok", true)
        .Key("none").Null()
        .Key("raw").Raw("{\"k\": 2}")
        .EndObject();
    EXPECT_EQ(json.Take(), R"({"a": 1, "list": [1, "x\"y", {}, []], "ok": true, "none": null, "raw": {"k": 2}})");
}

TEST(JsonWriterTest, TopLevelValuesAndEmptyContainers)
{
    JsonWriter array;
    array.BeginArray().EndArray();
    EXPECT_EQ(array.Take(), "[]");
    JsonWriter object;
    object.BeginObject().Key("k").BeginObject().Field("x", "é").EndObject().EndObject();
    EXPECT_EQ(object.Take(), R"({"k": {"x": "é"}})");
}

// A document for people: broken items stand on lines of their own, indented by depth; a container
// with a broken item closes on its own line, one without (or empty) closes where it stands.
TEST(JsonWriterTest, BrokenLinesIndentByDepthAndCloseOnTheirOwnLine)
{
    JsonWriter json;
    json.BeginObject()
        .BreakLine().Field("system", "HV")
        .BreakLine().Field("a", 1).Field("b", false)
        .BreakLine().Key("rows").BeginArray()
            .BreakLine().BeginArray().Int(1).Int(2).EndArray()
            .BreakLine().BeginObject().Field("k", "v").EndObject()
        .EndArray()
        .BreakLine().Key("none").BeginArray().EndArray()
        .EndObject();
    EXPECT_EQ(json.Take(), "{\n  \"system\": \"HV\",\n  \"a\": 1, \"b\": false,\n  \"rows\": [\n    [1, 2],\n"
                           "    {\"k\": \"v\"}\n  ],\n  \"none\": []\n}");
}

} // namespace
} // namespace lumaro::io
