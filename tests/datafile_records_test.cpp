// The record table: what each record holds, how the reader fills the state,
// and the data-file guide kept in step with the table.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "datafile/reader.hpp"
#include "datafile/records.hpp"

namespace velmor::datafile {
namespace {

TEST(DatafileRecords, FieldCountsOfEveryRecord) {
  const struct {
    const Record& rec;
    std::size_t fields;
  } cases[] = {
      {dataset_header(), 9},         {gauge_record(), 9},          {short_specimen(), 18},
      {coefficient_record(), 3},     {full_specimen_1(), 31},      {full_specimen_2(), 7},
      {full_specimen_3(), 17},       {special_specimen_1(), 31},   {special_specimen_2(), 7},
      {special_specimen_3(), 16},    {short_reading(), 12},        {full_reading(), 12},
      {special_reading(), 12},       {free_reading(), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(c.rec.fields.size(), c.fields) << c.rec.name;
  EXPECT_EQ(full_specimen_3().fields.back().name, "KVOL");
  EXPECT_EQ(special_specimen_3().fields.back().name, "RNREAD");
}

TEST(DatafileReader, FullFormSpecimenRecordsTakeSevenLinesAndLaterFieldsWin) {
  // Record 1 on four lines (the fourth uses columns 1-32 only), record 2 on
  // one, record 3 on two; CPCON of record 1 replaces the gauge record's.
  const std::string blank(72, ' ');
  const std::string text = blank + "\n" + blank + "\n" +
                           std::string(8, ' ') + "   0.037" + "\n" +  // field 20: CPCON
                           "      1.      2.      3.      4.    99.9\n" +
                           "     0.2\n" +
                           "    101.\n" + std::string(48, ' ') + "     10.\n" +  // RNREAD
                           "TITLE\n";
  control::LineSource src(text, 5, "t.dat");
  TestState S;
  S.CPCON = 5;
  read_record(src, full_specimen_1(), S);
  read_record(src, full_specimen_2(), S);
  read_record(src, full_specimen_3(), S);
  EXPECT_EQ(S.CPCON, 0.037f);
  EXPECT_EQ(S.MASS, 0.0f);  // field 27 is on line 3, blank
  EXPECT_EQ(S.WTARE, 1.0f);
  EXPECT_EQ(S.DMANR, 4.0f);  // column 33 onwards of the fourth line is not read
  EXPECT_EQ(S.WTCAP, 0.2f);
  EXPECT_EQ(S.TESTNO, 101.0f);
  EXPECT_EQ(S.RNREAD, 10.0f);  // field 16: second line, field 7
  EXPECT_TRUE(read_title(src, S));
}

TEST(DatafileReader, ReadingCountsTruncateAndSaturate) {
  const struct {
    float rnread;
    int nread, nseat;
  } cases[] = {{25.0f, 25, 20}, {27.0f, 27, 21}, {24.9f, 24, 19}, {10.7f, 10, 8}, {0.0f, 0, 0},
               {-1.5f, -1, -1}};
  for (const auto& c : cases) {
    control::LineSource src(std::string(200, '\n'), 5, "t.dat");
    TestState S;
    ReadingTable R;
    S.KDATA = 7;
    S.RNREAD = c.rnread;
    read_readings(src, S, R);
    EXPECT_EQ(S.NREAD, c.nread) << c.rnread;
    EXPECT_EQ(S.NSEAT, c.nseat) << c.rnread;
    EXPECT_EQ(R.rows(), std::max(c.nread, 0));
  }
  control::LineSource src("1\n2\n", 5, "t.dat");
  TestState S;
  ReadingTable R;
  S.KDATA = 7;
  S.RNREAD = 1e30f;
  EXPECT_THROW(read_readings(src, S, R), RunError);
  EXPECT_EQ(S.NREAD, std::numeric_limits<int>::max());
}

TEST(DatafileReader, ShortFormReadingsTakeTheCellPressureAndRamDisplacement) {
  control::LineSource src("  1.  9.  0. 12.  0.  1.     10.     55.     40.\n125,340\n", 5, "t.dat");
  TestState S;
  ReadingTable R;
  R.clear(3);
  R.PARA2(1) = 7;  // left by an earlier test: cleared
  S.KDATA = 1;
  S.RNREAD = 1;
  S.S3IPSI = 40;
  read_readings(src, S, R);
  EXPECT_EQ(R.APSIG3(1), 40.0f);
  EXPECT_EQ(R.RAMDSP(1), 55.0f);
  EXPECT_EQ(R.PARA2(1), 0.0f);
  S.KDATA = 2;  // free format: two values per reading
  read_readings(src, S, R);
  EXPECT_EQ(R.SDIAL(1), 125.0f);
  EXPECT_EQ(R.PRDIAL(1), 340.0f);
  EXPECT_EQ(R.TDAY(1), 0.0f);
}

// Columns of field k (1-based) of a record layout such as (6F4.0,6F8.0).
std::vector<int> widths(std::string_view layout) {
  std::vector<int> w;
  static const std::regex item(R"((\d+)F(\d+)\.0)");
  const std::string s(layout);
  for (std::sregex_iterator it(s.begin(), s.end(), item), end; it != end; ++it) {
    for (int r = 0; r < std::stoi((*it)[1]); ++r) w.push_back(std::stoi((*it)[2]));
  }
  return w;
}

TEST(DatafileGuide, EveryFieldAppearsAtItsColumns) {
  std::ifstream f(std::string(VELMOR3_SOURCE_DIR) + "/docs/data-file.md");
  std::stringstream ss;
  ss << f.rdbuf();
  const std::string guide = ss.str();
  for (const Record* rec : all_records()) {
    std::string heading = "### " + std::string(rec->name);
    heading[4] = static_cast<char>(std::toupper(heading[4]));
    EXPECT_NE(guide.find(heading), std::string::npos) << heading;
    const std::vector<int> w = widths(rec->layout);
    for (std::size_t k = 0; k < rec->fields.size(); ++k) {
      std::string row;
      if (w.empty()) {
        row = "| " + std::to_string(k + 1) + " | " + (k == 0 ? "first" : "second") + " | ";
      } else {
        const std::size_t i = k % w.size();
        int first = 1;
        for (std::size_t j = 0; j < i; ++j) first += w[j];
        row = "| " + std::to_string(k + 1) + " | " + std::to_string(k / w.size() + 1) + " | " +
              std::to_string(first) + "-" + std::to_string(first + w[i] - 1) + " | ";
      }
      row += std::string(rec->fields[k].name) + " | " + std::string(rec->fields[k].unit) + " | ";
      EXPECT_NE(guide.find(row), std::string::npos) << rec->name << ": " << row;
    }
  }
}

}  // namespace
}  // namespace velmor::datafile
