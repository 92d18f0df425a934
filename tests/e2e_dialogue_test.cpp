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

namespace velmor::e2e {
namespace {

// A short-form data set whose first test breaks off: the report keeps what was
// written before the error (run header, general data, title lead-in, titles).
const std::string kTitles = "FIRST TITLE\nSECOND TITLE\nTHIRD TITLE\n";

std::string report_before_specimen() {
  std::string r = slurp(source_path("tests/expected/header-only.out"));
  for (const char* t : {"FIRST TITLE", "SECOND TITLE", "THIRD TITLE"}) {
    std::string line = t;
    line.resize(80, ' ');
    r += line + "\r\n";
  }
  return r;
}

TEST(E2eRun, EndOfFileInsideASpecimenRecordEndsTheRun) {
  Scratch s("eof");
  spit(s / "h.dat", kHeaderOnly + kTitles + "     40.      0.   150.0\n");
  const Outcome o = s.run("h.dat\nh.out\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (20): end-of-file during read, unit 5, file h.dat\n"
            "  the file ends after line 5\n");
  EXPECT_EQ(slurp(s / "h.out"), report_before_specimen());
}

TEST(E2eRun, BadCharacterInANumericFieldEndsTheRun) {
  Scratch s("conversion");
  spit(s / "h.dat", kHeaderOnly + kTitles + "     40.    1.2x   150.0\n      0.\n");
  const Outcome o = s.run("h.dat\nh.out\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (21): input conversion error, unit 5, file h.dat\n"
            "  line 5, columns 9-16: \"    1.2x\" (PRCNEW, short-form specimen record, field 2)\n");
  EXPECT_EQ(slurp(s / "h.out"), report_before_specimen());
}

TEST(E2eRun, HugeReadingCountMeetsTheEndOfTheFileQuickly) {
  // RNREAD 1e30 saturates; the run reads readings until the file ends.
  Scratch s("huge");
  spit(s / "h.dat", kHeaderOnly + kTitles +
                        "     40.      0.   150.0     0.2     2.7     3.8     7.6    0.35\n"
                        "      1.      6.    0.19     45.     0.2      1.      0.   1E+30      0.\n"
                        "  1.  9.  0.\n");
  const Outcome o = s.run("h.dat\nh.out\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (20): end-of-file during read, unit 5, file h.dat\n"
            "  the file ends after line 7\n");
}

TEST(E2eBatch, SameReportAsTheDialogue) {
  Scratch s("batch");
  std::filesystem::copy_file(source_path("examples/full-form.dat"), s / "ff.dat");
  ASSERT_EQ(s.run("ff.dat\nd.out\n").status, 0);
  ASSERT_EQ(s.run("", "ff.dat b.out").status, 0);
  // Only the run header names the report file.
  std::string d = slurp(s / "d.out"), b = slurp(s / "b.out");
  EXPECT_EQ(d.substr(d.find("\r\n")), b.substr(b.find("\r\n")));
  EXPECT_EQ(b.substr(0, b.find("\r\n")), " *** b.out        :  ff.dat       RUN ON VELMOR3 OF 6 July 2006 ***");
  const Outcome again = s.run("", "ff.dat b.out");
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "velmor3: error (11): cannot overwrite existing file, unit 6, file b.out\n");
  EXPECT_EQ(s.run("", "ff.dat b.out --overwrite").status, 0);
}

TEST(E2eBatch, UsageErrorsAndHelp) {
  Scratch s("usage");
  const Outcome only_one = s.run("", "data.dat");
  EXPECT_EQ(only_one.status, 2);
  EXPECT_NE(only_one.err.find("REPORTFILE"), std::string::npos);
  const Outcome help = s.run("", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("DATAFILE"), std::string::npos);
  const Outcome version = s.run("", "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("velmor3 ", 0), 0u);
}

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

TEST(E2eFiles, DataFileThatIsAFolderOrAReportInAMissingFolder) {
  Scratch s("folders");
  std::filesystem::create_directory(s / "dir.dat");
  const Outcome dir = s.run("", "dir.dat r.out");
  EXPECT_EQ(dir.status, 1);
  EXPECT_EQ(dir.err, "velmor3: error (13): file is a directory, unit 5, file dir.dat\n");
  EXPECT_FALSE(std::filesystem::exists(s / "r.out"));

  spit(s / "h.dat", kHeaderOnly);
  const Outcome nofolder = s.run("", "h.dat missing/r.out");
  EXPECT_EQ(nofolder.status, 1);
  EXPECT_EQ(nofolder.err,
            "velmor3: error (13): cannot create file (no such folder), unit 6, file missing/r.out\n");
}

TEST(E2eFiles, WriteErrorOnTheReportEndsTheRun) {
  Scratch s("full");
  spit(s / "h.dat", kHeaderOnly);
  const Outcome o = s.run("", "h.dat /dev/full --overwrite");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "velmor3: error (30): error writing file, unit 6, file /dev/full\n");
}

TEST(E2eFiles, NulBytesAndVeryLongLines) {
  Scratch s("bytes");
  // A title of 10 MB is read as its first 80 characters; a NUL byte in a
  // numeric field is a character that no number holds.
  std::string big(10 * 1024 * 1024, 'X');
  spit(s / "big.dat", kHeaderOnly + big + "\n" + std::string("T2\nT3\n") +
                          std::string("     40.  \0  0.\n", 17));
  const Outcome o = s.run("", "big.dat big.out");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (21): input conversion error, unit 5, file big.dat\n"
            "  line 5, columns 9-16: \"  \\x00  0.\" (PRCNEW, short-form specimen record, field 2)\n");
  const std::string report = slurp(s / "big.out");
  EXPECT_NE(report.find(std::string(80, 'X') + "\r\nT2"), std::string::npos);
}

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

TEST(E2eRun, BlankLineBeforeTheHeaderIsAHeaderOfZeros) {
  // The blank line is a short-form header of zeros; the real header becomes
  // the first title line and the records after it are out of step.
  Scratch s("blankfirst");
  spit(s / "b.dat", "\n" + slurp(source_path("examples/full-form.dat")));
  const Outcome o = s.run("", "b.dat b.out");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (21): input conversion error, unit 5, file b.dat\n"
            "  line 5, columns 1-8: \"CELL PRE\" (CELLPR, short-form specimen record, field 1)\n");
  const std::string report = slurp(s / "b.out");
  EXPECT_NE(report.find("AREA= 0.000 CM2  PARREG= 0.\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n      7.      0.    0.15"), std::string::npos);  // header echoed as a title
}

TEST(E2eRun, BadReadingFieldNamesTheReadingRecord) {
  Scratch s("badreading");
  std::string data = slurp(source_path("examples/calibrated-cell.dat"));
  const std::size_t at = data.find("  80.   3.  10.  30.");
  data.replace(at + 10, 5, "  1x.");
  spit(s / "s.dat", data);
  const Outcome o = s.run("", "s.dat s.out");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err,
            "velmor3: error (21): input conversion error, unit 5, file s.dat\n"
            "  line 14, columns 11-15: \"  1x.\" (THOUR, special reading, field 3)\n");
}

}  // namespace
}  // namespace velmor::e2e
