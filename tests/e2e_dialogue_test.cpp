// The console dialogue and the connection of the two files, run as the
// operator runs the program.
#include <gtest/gtest.h>

#include "e2e_support.hpp"

namespace velmor::e2e {
namespace {

const std::string kHeaderOnly =
    "      1.      0.    0.15    1.27    0.35     30.      3.      0.      0.\n";

TEST(E2eDialogue, ConsoleShowsBannerWarningAndBothPrompts) {
  Scratch s("banner");
  spit(s / "h.dat", kHeaderOnly);
  const Outcome o = s.run("h.dat\nh.out\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, slurp(source_path("tests/expected/dialogue.txt")));
  EXPECT_EQ(o.err, "");
}

TEST(E2eDialogue, MissingDataFileEndsTheRunBeforeTheReportIsCreated) {
  Scratch s("missing");
  const Outcome o = s.run("nothere.dat\nr.out\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "velmor3: error (10): file not found, unit 5, file nothere.dat\n");
  EXPECT_FALSE(std::filesystem::exists(s / "r.out"));
}

TEST(E2eDialogue, ExistingReportFileIsNeverOverwritten) {
  Scratch s("exists");
  spit(s / "h.dat", kHeaderOnly);
  spit(s / "old.out", "yesterday's report\r\n");
  const Outcome o = s.run("h.dat\nold.out\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "velmor3: error (11): cannot overwrite existing file, unit 6, file old.out\n");
  EXPECT_EQ(slurp(s / "old.out"), "yesterday's report\r\n");
}

TEST(E2eDialogue, BlankNameEndsTheRunWithoutCreatingAFile) {
  Scratch s("blank");
  spit(s / "h.dat", kHeaderOnly);
  const Outcome o = s.run("h.dat\n     \n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "velmor3: error (14): no file name given for the report file, unit 6\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.dir()), {}), 1);
}

TEST(E2eDialogue, NamesAreTwelveCharactersWithoutSurroundingBlanks) {
  // "  h.dat" is opened as h.dat; "report.outXYZ" is cut to its first 12
  // characters. The run header shows both fields as typed, blank-padded.
  Scratch s("names");
  spit(s / "h.dat", kHeaderOnly);
  const Outcome o = s.run("  h.dat\nreport.outXYZ\n");
  EXPECT_EQ(o.status, 0) << o.err;
  ASSERT_TRUE(std::filesystem::exists(s / "report.outXY"));
  const std::string report = slurp(s / "report.outXY");
  EXPECT_EQ(report.substr(0, report.find("\r\n")),
            " *** report.outXY :    h.dat      RUN ON VELMOR3 OF 6 July 2006 ***");
}

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

TEST(E2eRun, HeaderWithoutTestsWritesRunHeaderGeneralDataAndTitleLeadIn) {
  // The end of the file at the first title line is the normal end of the
  // data: one test is not enough for envelope fits.
  Scratch s("headeronly");
  spit(s / "h.dat", kHeaderOnly);
  const Outcome o = s.run("h.dat\nh.out\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(slurp(s / "h.out"), slurp(source_path("tests/expected/header-only.out")));
}

}  // namespace
}  // namespace velmor::e2e
