// Results for other tools: the JSON document, the CSV tables, the pictures and
// the HTML page agree with the report, and the report is the same with or
// without them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <tinyxml2.h>

#include <cmath>

#include "e2e_support.hpp"

namespace velmor::e2e {
namespace {

using nlohmann::json;

double quantity(const json& test, const char* block, const std::string& name) {
  for (const json& q : test[block]) {
    if (q["name"] == name) return q["value"].get<double>();
  }
  ADD_FAILURE() << name;
  return 0;
}

class E2eResults : public ::testing::TestWithParam<const char*> {};

TEST_P(E2eResults, JsonAndCsvAgreeWithTheReport) {
  const std::string name = GetParam();
  Scratch s("results-" + name);
  std::filesystem::copy_file(source_path("examples/" + name + ".dat"), s / (name + ".dat"));
  const Outcome o = s.run("", name + ".dat " + name + ".out --json r.json --csv csv");
  ASSERT_EQ(o.status, 0) << o.err;
  // The report is the one checked without the options.
  EXPECT_EQ(slurp(s / (name + ".out")), slurp(source_path("tests/expected/" + name + ".out")));

  const json doc = json::parse(slurp(s / "r.json"));
  EXPECT_TRUE(doc["complete"].get<bool>());
  ASSERT_EQ(doc["tests"].size(), name == "short-form" ? 6u : 3u);
  const json& t1 = doc["tests"][0];
  // DENSBK as the specimen block prints it (F6.3), from the report itself.
  const std::string report = slurp(s / (name + ".out"));
  std::size_t at = report.find(name == "short-form" ? "DENSITY =" : "DENS=");
  ASSERT_NE(at, std::string::npos);
  at = report.find_first_of("0123456789", at);
  const double printed = std::stod(report.substr(at, 5));
  EXPECT_NEAR(quantity(t1, "specimen", "DENSBK"), printed, 0.0005);
  EXPECT_EQ(t1["titles"][0].get<std::string>().back() != ' ', true);
  EXPECT_GE(t1["failure_reading"].get<int>(), 1);
  EXPECT_FALSE(doc["envelope"]["passes"].empty());

  const std::string rows = slurp(s / "csv/readings-01.csv");
  EXPECT_EQ(rows.rfind("APSIG3 [psi],DURATN [min],", 0), 0u);
  EXPECT_NE(slurp(s / "csv/tests.csv").find("\r\n1,"), std::string::npos);
  EXPECT_EQ(slurp(s / "csv/envelope.csv").rfind("TEST,SIG1 [kPa]", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Examples, E2eResults,
                         ::testing::Values("short-form", "full-form", "calibrated-cell"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                           std::string n = p.param;
                           for (char& c : n) c = c == '-' ? '_' : c;
                           return n;
                         });

TEST(E2eResultsError, RunEndingErrorKeepsTheTestsBeforeIt) {
  Scratch s("results-error");
  std::string data = slurp(source_path("examples/full-form.dat"));
  data.resize(data.find("TEST 2 OF 3") + 20);  // the second test breaks off
  spit(s / "cut.dat", data);
  const Outcome o = s.run("", "cut.dat cut.out --json r.json");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("r.json holds the tests reduced before the error"), std::string::npos);
  const json doc = json::parse(slurp(s / "r.json"));
  EXPECT_FALSE(doc["complete"].get<bool>());
  EXPECT_EQ(doc["tests"].size(), 1u);
  EXPECT_EQ(doc["error"], "end-of-file during read, unit 5, file cut.dat");
}

TEST(E2eResultsError, NotFiniteValuesAreNullAndListed) {
  Scratch s("results-nan");
  std::filesystem::copy_file(source_path("tests/fixtures/kprint8.dat"), s / "k.dat");
  ASSERT_EQ(s.run("", "k.dat k.out --json r.json").status, 0);
  const json doc = json::parse(slurp(s / "r.json"));
  ASSERT_FALSE(doc["non_finite"].empty());
  // The first pass's origin fit has no angle: its slope is above 1.
  EXPECT_TRUE(doc["envelope"]["passes"][0]["columns"][0]["PHIORG_deg"].is_null());
}

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

TEST(E2ePictures, EverySvgAndTheHtmlPageAreWellFormed) {
  Scratch s("pictures");
  std::filesystem::copy_file(source_path("examples/full-form.dat"), s / "f.dat");
  const Outcome o = s.run("", "f.dat f.out --plots plots --html page.html");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(slurp(s / "f.out").substr(slurp(s / "f.out").find("\r\n")),
            slurp(source_path("tests/expected/full-form.out"))
                .substr(slurp(source_path("tests/expected/full-form.out")).find("\r\n")));
  int svgs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(s / "plots")) {
    tinyxml2::XMLDocument doc;
    ASSERT_EQ(doc.LoadFile(entry.path().c_str()), tinyxml2::XML_SUCCESS) << entry.path();
    EXPECT_STREQ(doc.RootElement()->Name(), "svg");
    ++svgs;
  }
  EXPECT_TRUE(std::filesystem::exists(s / "plots/test-03-deviator.svg"));
  EXPECT_TRUE(std::filesystem::exists(s / "plots/stress-paths.svg"));
  EXPECT_TRUE(std::filesystem::exists(s / "plots/mohr-circles.svg"));
  EXPECT_GE(svgs, 11);
  // The ultimate point is marked in report form 9.
  EXPECT_NE(slurp(s / "plots/test-01-deviator.svg").find(">ultimate<"), std::string::npos);

  tinyxml2::XMLDocument page;
  const std::string html = slurp(s / "page.html");
  ASSERT_EQ(page.Parse(html.substr(html.find("<html")).c_str()), tinyxml2::XML_SUCCESS)
      << page.ErrorStr();
  // The whole report stands in the page, without its carriage returns.
  EXPECT_NE(html.find("CONDITIONS AT END OF CONSOLIDATION: PORFIN="), std::string::npos);
  EXPECT_NE(html.find("COHESN"), std::string::npos);
}

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

// A small validator for the keywords the results schema uses: type, enum,
// required, properties, items and local $ref.
void validate(const nlohmann::json& v, const nlohmann::json& schema, const nlohmann::json& root,
              const std::string& path) {
  if (schema.contains("$ref")) {
    const std::string ref = schema["$ref"];
    validate(v, root[nlohmann::json::json_pointer(ref.substr(1))], root, path);
    return;
  }
  if (schema.contains("type")) {
    auto is = [&](const std::string& t) {
      return (t == "object" && v.is_object()) || (t == "array" && v.is_array()) ||
             (t == "string" && v.is_string()) || (t == "boolean" && v.is_boolean()) ||
             (t == "null" && v.is_null()) || (t == "integer" && v.is_number_integer()) ||
             (t == "number" && v.is_number());
    };
    bool ok = false;
    if (schema["type"].is_string()) {
      ok = is(schema["type"]);
    } else {
      for (const auto& t : schema["type"]) ok = ok || is(t);
    }
    ASSERT_TRUE(ok) << path << " has the wrong type";
  }
  if (schema.contains("enum")) {
    bool found = false;
    for (const auto& e : schema["enum"]) found = found || e == v;
    EXPECT_TRUE(found) << path << " = " << v.dump();
  }
  if (schema.contains("required")) {
    for (const auto& r : schema["required"]) EXPECT_TRUE(v.contains(r)) << path << " lacks " << r;
  }
  if (schema.contains("properties") && v.is_object()) {
    for (const auto& [key, sub] : schema["properties"].items()) {
      if (v.contains(key)) validate(v[key], sub, root, path + "." + key);
    }
  }
  if (schema.contains("items") && v.is_array()) {
    for (std::size_t i = 0; i < v.size(); ++i) {
      validate(v[i], schema["items"], root, path + "[" + std::to_string(i) + "]");
    }
  }
}

TEST(E2eResultsSchema, DocumentsOfEveryExampleFollowTheSchema) {
  const nlohmann::json schema = nlohmann::json::parse(slurp(source_path("docs/results.schema.json")));
  for (const char* name : {"short-form", "full-form", "calibrated-cell"}) {
    Scratch s(std::string("schema-") + name);
    std::filesystem::copy_file(source_path(std::string("examples/") + name + ".dat"), s / "d.dat");
    ASSERT_EQ(s.run("", "d.dat d.out --json r.json").status, 0);
    validate(nlohmann::json::parse(slurp(s / "r.json")), schema, schema, name);
  }
}

}  // namespace
}  // namespace velmor::e2e
