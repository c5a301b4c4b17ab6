// The typed JSON form of containers: what scene files, preference files and
// the event log share.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/objects.h"

namespace simhost {
namespace {

using nlohmann::json;

TEST(TypedJson, RoundTripKeepsEveryTypeAndValue) {
  Container c;
  c.id = 1027069;
  c.entries[7000] = Value::Int32(-2147483647 - 1);
  c.entries[7026] = Value::Bool(true);
  c.entries[7027] = Value::Bool(false);
  c.entries[5009] = Value::Float(67.5);
  c.entries[-3] = Value::Int32(2147483647);
  c.entries[5008] = Value::Float(std::numeric_limits<double>::infinity());

  json j = ToTypedJson(c);
  EXPECT_EQ(j["7026"], json({{"bool", true}}));
  EXPECT_EQ(j["5009"], json({{"float", 67.5}}));
  EXPECT_EQ(j["5008"], json({{"float", "inf"}}));

  // Through text too, as files carry it.
  Container back;
  back.id = 5;
  std::string error;
  ASSERT_TRUE(FromTypedJson(json::parse(j.dump()), back, error)) << error;
  EXPECT_EQ(back.entries, c.entries);
  EXPECT_EQ(back.id, 5);  // entries only: the id is the caller's

  // Whole numbers written as floats stay floats.
  ASSERT_TRUE(FromTypedJson(json::parse(R"({"5008": {"float": 1920}})"), back, error));
  EXPECT_EQ(back.entries.at(5008), Value::Float(1920.0));
  EXPECT_EQ(back.entries.size(), 1u);  // earlier entries are replaced

  ASSERT_TRUE(FromTypedJson(json::parse(R"({"1": {"float": "nan"}})"), back, error));
  EXPECT_TRUE(std::isnan(back.entries.at(1).f));
}

TEST(TypedJson, ErrorsNameTheBadEntryAndLeaveTheTargetAlone) {
  struct Case {
    const char* text;
    const char* mentions;
  } cases[] = {
      {R"([1, 2])", "JSON object"},
      {R"({"abc": {"int32": 1}})", "\"abc\""},
      {R"({"99999999999": {"int32": 1}})", "\"99999999999\""},
      {R"({"7000": 6000})", "\"7000\""},
      {R"({"7000": {"int32": 1, "bool": true}})", "\"7000\""},
      {R"({"7000": {"int32": 2147483648}})", "int32"},
      {R"({"7000": {"int32": 1.5}})", "int32"},
      {R"({"7005": {"bool": 1}})", "bool"},
      {R"({"5008": {"float": "wide"}})", "float"},
      {R"({"5008": {"double": 1.0}})", "unknown type"},
      {R"({"7000": {"int32": 1}, "07000": {"int32": 2}})", "twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Container target;
    target.entries[1] = Value::Int32(1);
    std::string error;
    EXPECT_FALSE(FromTypedJson(json::parse(c.text), target, error));
    EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    EXPECT_EQ(target.entries.size(), 1u);
  }
}

}  // namespace
}  // namespace simhost
