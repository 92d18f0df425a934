// The check command: every problem of a data file with its place, then a
// summary; exit status 0 clean, 1 errors, 3 warnings only.
#include <gtest/gtest.h>

#include "e2e_support.hpp"

namespace velmor::e2e {
namespace {

TEST(E2eCheck, ListsEveryProblemWithLineColumnsFieldAndRecord) {
  Scratch s("check-faulty");
  std::filesystem::copy_file(source_path("tests/fixtures/faulty.dat"), s / "faulty.dat");
  const Outcome o = s.run("", "check faulty.dat");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out,
            "faulty.dat:1: warning: KPRINT (data-set header, field 8) is 7.5: expected 7 or 9 (kPa "
            "table), 8 (none) or another whole number (full tables)\n"
            "faulty.dat:6:9-16: PRCNEW (short-form specimen record, field 2): \"    1.2x\" is not a "
            "number\n"
            "faulty.dat:7: warning: KOPT (short-form specimen record, field 18) is 5: expected 0, 1, "
            "2 or 3\n"
            "faulty.dat:7: warning: RNREAD (short-form specimen record, field 17) is 3.5: only 3 "
            "readings are read\n"
            "faulty.dat:8: warning: PARA3 (short-form reading) marks the first reading of the test "
            "past the shear plane: it is reduced as a reading before the plane\n"
            "faulty.dat:9:25-32: PP (short-form reading, field 7): \"    1O.8\" is not a number\n"
            "faulty.dat:9: warning: KBUR (short-form reading, field 6) is 4: expected 0, 1 or 2\n"
            "faulty.dat:11: warning: 1 line after the last complete test is read as the title of "
            "one more test\n"
            "faulty.dat: 1 data set, 1 test; readings: short form 3, full form 0, special apparatus "
            "0; 2 errors, 6 warnings\n");
}

TEST(E2eCheck, CleanFilesAndWarningsOnly) {
  Scratch s("check-clean");
  for (const char* f : {"short-form.dat", "full-form.dat", "calibrated-cell.dat"}) {
    std::filesystem::copy_file(source_path(std::string("examples/") + f), s / f);
  }
  const Outcome clean = s.run("", "check short-form.dat full-form.dat calibrated-cell.dat");
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.out,
            "short-form.dat: 2 data sets, 6 tests; readings: short form 57, full form 0, special "
            "apparatus 0; 0 errors, 0 warnings\n"
            "full-form.dat: 1 data set, 3 tests; readings: short form 0, full form 30, special "
            "apparatus 0; 0 errors, 0 warnings\n"
            "calibrated-cell.dat: 1 data set, 3 tests; readings: short form 0, full form 0, special "
            "apparatus 30; 0 errors, 0 warnings\n");

  // Two blank lines after the last test: legal, but read as titles.
  spit(s / "trailing.dat", slurp(s / "full-form.dat") + "\n\n");
  const Outcome warned = s.run("", "check trailing.dat");
  EXPECT_EQ(warned.status, 3);
  EXPECT_NE(warned.out.find("trailing.dat:63: warning: 2 lines after the last complete test are "
                            "read as the title of one more test\n"),
            std::string::npos)
      << warned.out;

  const Outcome missing = s.run("", "check nothere.dat");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "velmor3: error (10): file not found, unit 5, file nothere.dat\n");
}

TEST(E2eCheck, EndOfFileInsideARecordIsAnError) {
  Scratch s("check-eof");
  spit(s / "cut.dat",
       "      7.      0.    0.15    1.27    0.35     30.      2.      9.      0.\nT1\nT2\nT3\n"
       "   9999.    0.24\n");
  const Outcome o = s.run("", "check cut.dat");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out,
            "cut.dat: end-of-file during read, unit 5, file cut.dat (the file ends after line 5)\n"
            "cut.dat: 1 data set, 0 tests; readings: short form 0, full form 0, special apparatus "
            "0; 1 error, 0 warnings\n");
}

}  // namespace
}  // namespace velmor::e2e
