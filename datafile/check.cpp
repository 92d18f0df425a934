#include "datafile/check.hpp"

#include <cmath>
#include <sstream>

#include "control/errors.hpp"
#include "control/layout.hpp"
#include "datafile/records.hpp"
#include "state/state.hpp"

namespace velmor::datafile {
namespace {

using control::LineSource;

std::string number(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

int fields_per_line(const Record& rec) {
  if (rec.layout == "(8F10.0)") return 8;
  if (rec.per_reading) return 12;
  return 9;
}

bool whole(double v) { return std::floor(v) == v; }

class Checker {
 public:
  Checker(const std::string& name, std::string content)
      : name_(name), src_(std::move(content), 5, name) {}

  CheckResult run() {
    try {
      walk();
    } catch (const RunError& e) {
      error(name_ + ": " + e.what() + (e.detail().empty() ? "" : " (" + trim(e.detail()) + ")"));
    }
    std::ostringstream s;
    s << name_ << ": " << r_.data_sets << " data set" << (r_.data_sets == 1 ? "" : "s") << ", "
      << r_.tests << " test" << (r_.tests == 1 ? "" : "s") << "; readings: short form "
      << r_.readings_short << ", full form " << r_.readings_full << ", special apparatus "
      << r_.readings_special << "; " << r_.errors << " error" << (r_.errors == 1 ? "" : "s")
      << ", " << r_.warnings << " warning" << (r_.warnings == 1 ? "" : "s");
    r_.summary = s.str();
    return r_;
  }

 private:
  static std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? s : s.substr(a);
  }
  void error(const std::string& m) {
    r_.messages.push_back(m);
    ++r_.errors;
  }
  void warning(int line, const std::string& m) {
    r_.messages.push_back(name_ + ":" + std::to_string(line) + ": warning: " + m);
    ++r_.warnings;
  }

  // Reads one record into `values` (as many as it has fields), listing bad
  // fields. Returns the number of the record's first line.
  int read(const Record& rec, std::vector<Real>& values, bool end_branch = false, bool* eof = nullptr) {
    values.assign(rec.fields.size(), Real{});
    std::vector<control::InItem> items(values.begin(), values.end());
    std::vector<control::BadField> bad;
    const int first = src_.line_number() + 1;
    const auto st = control::read(src_, layout_of(rec), items, end_branch, &bad);
    if (eof != nullptr) *eof = st == control::ReadStatus::end_of_file;
    for (const auto& b : bad) {
      const Field& f = rec.fields[b.item];
      error(name_ + ":" + std::to_string(b.line) + ":" + std::to_string(b.first_col) + "-" +
            std::to_string(b.last_col) + ": " + std::string(f.name) + " (" + std::string(rec.name) +
            ", field " + std::to_string(b.item + 1) + "): \"" + b.text + "\" is not a number");
    }
    return first;
  }

  double field(const Record& rec, const std::vector<Real>& v, std::string_view name) const {
    for (std::size_t k = 0; k < rec.fields.size(); ++k) {
      if (rec.fields[k].name == name) return v[k];
    }
    return 0;
  }
  int line_of(const Record& rec, int first, std::string_view name) const {
    for (std::size_t k = 0; k < rec.fields.size(); ++k) {
      if (rec.fields[k].name == name) return first + static_cast<int>(k) / fields_per_line(rec);
    }
    return first;
  }
  std::string label(const Record& rec, std::string_view name) const {
    for (std::size_t k = 0; k < rec.fields.size(); ++k) {
      if (rec.fields[k].name == name) {
        return std::string(name) + " (" + std::string(rec.name) + ", field " + std::to_string(k + 1) + ")";
      }
    }
    return std::string(name);
  }
  void code(const Record& rec, const std::vector<Real>& v, int first, std::string_view name,
            bool ok, const std::string& expected) {
    if (!ok) {
      warning(line_of(rec, first, name),
              label(rec, name) + " is " + number(field(rec, v, name)) + ": expected " + expected);
    }
  }

  static bool blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

  void walk() {
    // A blank first line is read as a header of zeros.
    {
      LineSource peek = src_;
      std::string_view first;
      if (peek.next_line(first) && blank(first)) {
        warning(1, "blank line before the data-set header: it is read as a header of zeros");
      }
    }
    std::vector<Real> v;
    double kdata = 0, kspec = 0;
    enum class Form { header, shortf, full, special } next = Form::header;
    for (;;) {
      if (next == Form::header) {
        const int first = read(dataset_header(), v);
        ++r_.data_sets;
        kdata = field(dataset_header(), v, "KDATA");
        code(dataset_header(), v, first, "KDATA", kdata >= 7 || (kdata >= 0 && whole(kdata)),
             "0 to 6 (short form), 7 to 8 (full form) or above 8 (special apparatus)");
        const double kprint = field(dataset_header(), v, "KPRINT");
        code(dataset_header(), v, first, "KPRINT", whole(kprint) && kprint >= 0,
             "7 or 9 (kPa table), 8 (none) or another whole number (full tables)");
        if (field(dataset_header(), v, "KGAUGE") > 0) read(gauge_record(), v);
        if (kdata < 7) {
          next = Form::shortf;
        } else if (kdata <= 8) {
          next = Form::full;
        } else {
          kspec = kdata;
          kdata = 7.85;
          next = Form::special;
        }
        continue;
      }
      // Title lines: the end of the file here is the end of the data.
      int titles = 0;
      int title_line = src_.line_number() + 1;
      bool eof = false;
      for (; titles < 3; ++titles) {
        static const control::Layout title(title_layout);
        std::string t(80, ' ');
        std::vector<control::InItem> words;
        for (std::size_t k = 0; k < 20; ++k) words.emplace_back(std::span<char>(t.data() + 4 * k, 4));
        if (control::read(src_, title, words, true) == control::ReadStatus::end_of_file) {
          eof = true;
          break;
        }
      }
      if (eof) {
        if (titles > 0) {
          warning(title_line, std::to_string(titles) + " line" + (titles == 1 ? "" : "s") +
                                  " after the last complete test " + (titles == 1 ? "is" : "are") +
                                  " read as the title of one more test");
        }
        return;
      }

      double rnread = 0, kvol = 0;
      const Record* reading = nullptr;
      long* count = nullptr;
      bool new_header = false;
      if (next == Form::shortf) {
        const int first = read(short_specimen(), v);
        const double kopt = field(short_specimen(), v, "KOPT");
        code(short_specimen(), v, first, "KOPT", kopt == 0 || kopt == 1 || kopt == 2 || kopt == 3,
             "0, 1, 2 or 3");
        rnread = field(short_specimen(), v, "RNREAD");
        kvol = field(short_specimen(), v, "KVOL");
        if (kdata != 2) {
          code(short_specimen(), v, first, "KVOL", kvol == 0 || kvol == 1 || kvol == 2 || kvol == 3,
               "1 (none), 2 (burette only) or 0 or 3 (fully corrected)");
        }
        check_count(short_specimen(), v, first);
        new_header = field(short_specimen(), v, "KNEWDS") > 0;
        if (kopt == 2 || kopt == 3) read(coefficient_record(), v);
        reading = kdata == 2 ? &free_reading() : &short_reading();
        count = &r_.readings_short;
      } else {
        const bool special = next == Form::special;
        read(special ? special_specimen_1() : full_specimen_1(), v);
        read(special ? special_specimen_2() : full_specimen_2(), v);
        const Record& r3 = special ? special_specimen_3() : full_specimen_3();
        const int first = read(r3, v);
        rnread = field(r3, v, "RNREAD");
        if (!special) {
          kvol = field(r3, v, "KVOL");
          code(r3, v, first, "KVOL", kvol == 0 || kvol == 1 || kvol == 2 || kvol == 3,
               "1 (none), 2 (burette only) or 0 or 3 (fully corrected)");
        }
        check_count(r3, v, first);
        reading = special ? &special_reading() : &full_reading();
        count = special ? &r_.readings_special : &r_.readings_full;
      }
      ++r_.tests;
      const int nread = trunc_count(rnread);
      for (int i = 1; i <= nread; ++i) {
        if (reading == &free_reading()) {
          Real a = 0, b = 0;
          std::array<Real*, 2> two{&a, &b};
          try {
            control::read_free(src_, two);
          } catch (const RunError& e) {
            if (e.code() != ErrorCode::free_format) throw;
            error(name_ + ": " + trim(e.detail()) + ": free-format reading " + std::to_string(i) +
                  " (SDIAL, PRDIAL) is not a pair of numbers");
          }
        } else {
          const int first = read(*reading, v);
          const double kbur = field(*reading, v, "KBUR");
          code(*reading, v, first, "KBUR", kbur == 0 || kbur == 1 || kbur == 2, "0, 1 or 2");
          if (reading != &short_reading()) {
            const double para2 = field(*reading, v, "PARA2");
            code(*reading, v, first, "PARA2", para2 >= 0 && para2 <= 4,
                 "below 2, 2, above 2 up to 3, or above 3 up to 4");
          }
          if (i == 1 && field(*reading, v, "PARA3") >= 1) {
            warning(first, "PARA3 (" + std::string(reading->name) +
                               ") marks the first reading of the test past the shear plane: it is "
                               "reduced as a reading before the plane");
          }
        }
        ++*count;
      }
      if (kspec > 8) {
        next = Form::special;
      } else if (next == Form::shortf && new_header) {
        next = Form::header;
      }
    }
  }

  void check_count(const Record& rec, const std::vector<Real>& v, int first) {
    const double rnread = field(rec, v, "RNREAD");
    if (!whole(rnread)) {
      warning(line_of(rec, first, "RNREAD"),
              label(rec, "RNREAD") + " is " + number(rnread) + ": only " +
                  std::to_string(trunc_count(rnread)) + " readings are read");
    }
  }

  std::string name_;
  LineSource src_;
  CheckResult r_;
};

}  // namespace

CheckResult check_data(const std::string& name, std::string content) {
  return Checker(name, std::move(content)).run();
}

}  // namespace velmor::datafile
