#include "datafile/reader.hpp"

#include <array>
#include <vector>

namespace velmor::datafile {
namespace {

// One record read; a character that no number holds ends the run with the
// place of the field and its name, e.g.
//   "  line 6, columns 9-16: \"    1.2x\" (PRCNEW, short-form specimen record, field 2)"
void read_fields(control::LineSource& src, const Record& rec, std::span<const control::InItem> items) {
  std::vector<control::BadField> bad;
  try {
    control::read(src, layout_of(rec), items, false, &bad);
  } catch (const RunError& e) {
    if (bad.empty() || e.code() != ErrorCode::end_of_file) throw;
  }
  if (bad.empty()) return;
  const control::BadField& b = bad.front();
  throw RunError(ErrorCode::conversion,
                 "input conversion error, unit " + std::to_string(src.unit()) + ", file " + src.name(),
                 control::describe(b) + " (" + std::string(rec.fields[b.item].name) + ", " +
                     std::string(rec.name) + ", field " + std::to_string(b.item + 1) + ")");
}

}  // namespace

void read_record(control::LineSource& src, const Record& rec, TestState& S) {
  std::vector<control::InItem> list;
  list.reserve(rec.fields.size());
  for (const Field& f : rec.fields) list.emplace_back(S.*(f.scalar));
  read_fields(src, rec, list);
}

bool read_title(control::LineSource& src, TestState& S) {
  static const control::Layout layout(title_layout);
  S.TITLE.assign(80, ' ');
  std::array<control::InItem, 20> words{
      std::span<char>(S.TITLE.data() + 0, 4),  std::span<char>(S.TITLE.data() + 4, 4),
      std::span<char>(S.TITLE.data() + 8, 4),  std::span<char>(S.TITLE.data() + 12, 4),
      std::span<char>(S.TITLE.data() + 16, 4), std::span<char>(S.TITLE.data() + 20, 4),
      std::span<char>(S.TITLE.data() + 24, 4), std::span<char>(S.TITLE.data() + 28, 4),
      std::span<char>(S.TITLE.data() + 32, 4), std::span<char>(S.TITLE.data() + 36, 4),
      std::span<char>(S.TITLE.data() + 40, 4), std::span<char>(S.TITLE.data() + 44, 4),
      std::span<char>(S.TITLE.data() + 48, 4), std::span<char>(S.TITLE.data() + 52, 4),
      std::span<char>(S.TITLE.data() + 56, 4), std::span<char>(S.TITLE.data() + 60, 4),
      std::span<char>(S.TITLE.data() + 64, 4), std::span<char>(S.TITLE.data() + 68, 4),
      std::span<char>(S.TITLE.data() + 72, 4), std::span<char>(S.TITLE.data() + 76, 4)};
  return control::read(src, layout, std::span<const control::InItem>(words), true) ==
         control::ReadStatus::ok;
}

void read_readings(control::LineSource& src, TestState& S, ReadingTable& R) {
  // Counts truncate toward zero and saturate: RNREAD 24.9 gives 24 readings
  // and a seating range of 19; a huge RNREAD simply meets the end of the file.
  S.NREAD = trunc_count(S.RNREAD);
  S.NSEAT = trunc_count(S.RNREAD * 0.8f);

  const bool short_form = S.KDATA < 7;
  const bool free_format = short_form && S.KDATA == 2;
  const Record& rec = free_format ? free_reading()
                      : short_form ? short_reading()
                      : S.KSPEC == 0 ? full_reading()
                                     : special_reading();

  // The rows are collected as they are read, so that the table never holds
  // more rows than the file has reading records.
  const std::size_t nf = rec.fields.size();
  std::vector<Real> values;
  std::array<Real, 12> row{};
  int count = 0;
  for (int i = 1; i <= S.NREAD; ++i) {
    row.fill(Real{});
    if (free_format) {
      std::array<Real*, 2> targets{&row[0], &row[1]};
      control::read_free(src, targets);
    } else {
      std::array<control::InItem, 12> items{row[0], row[1], row[2], row[3], row[4],  row[5],
                                            row[6], row[7], row[8], row[9], row[10], row[11]};
      read_fields(src, rec, std::span<const control::InItem>(items.data(), nf));
    }
    values.insert(values.end(), row.begin(), row.begin() + static_cast<std::ptrdiff_t>(nf));
    ++count;
  }

  R.clear(count);
  for (int i = 1; i <= count; ++i) {
    for (std::size_t k = 0; k < nf; ++k) {
      (R.*(rec.fields[k].column))(i) = values[static_cast<std::size_t>(i - 1) * nf + k];
    }
    if (short_form) {
      R.APSIG3(i) = S.S3IPSI;
      R.RAMDSP(i) = R.SDIAL(i);
    }
  }
}

}  // namespace velmor::datafile
