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

} // namespace
} // namespace lumaro::io
