#include "control/session.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "control/driver.hpp"
#include "control/errors.hpp"
#include "control/layout.hpp"
#include "control/sinks.hpp"
#include "datafile/check.hpp"
#include "report/plots.hpp"

namespace velmor::control {
namespace {

constexpr int kDataUnit = 5;
constexpr int kReportUnit = 6;

std::string where(int unit, const std::string& name) {
  return "unit " + std::to_string(unit) + ", file " + name;
}

[[noreturn]] void open_failed(int err, int unit, const std::string& name) {
  switch (err) {
    case ENOENT:
      if (unit == kDataUnit) throw RunError(ErrorCode::file_not_found, "file not found, " + where(unit, name));
      throw RunError(ErrorCode::open_failed,
                     "cannot create file (no such folder), " + where(unit, name));
    case EEXIST:
      throw RunError(ErrorCode::cannot_overwrite, "cannot overwrite existing file, " + where(unit, name));
    case EACCES:
    case EPERM:
    case EROFS:
      throw RunError(ErrorCode::permission_denied,
                     "permission to access file denied, " + where(unit, name));
    case EISDIR:
      throw RunError(ErrorCode::open_failed, "file is a directory, " + where(unit, name));
    default:
      throw RunError(ErrorCode::open_failed, "cannot open file, " + where(unit, name) + ": " +
                                                 std::strerror(err));
  }
}

// The whole data file; it must exist and be a readable regular file.
std::string read_data_file(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) open_failed(errno, kDataUnit, name);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    open_failed(EISDIR, kDataUnit, name);
  }
  std::string content;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      if (err == EISDIR) open_failed(EISDIR, kDataUnit, name);
      throw RunError(ErrorCode::open_failed, "error reading file, " + where(kDataUnit, name) + ": " +
                                                 std::strerror(err));
    }
    content.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return content;
}

// The report file, created new. Creation is exclusive, so that no file that
// appears in the meantime can be overwritten.
std::FILE* create_report_file(const std::string& name, bool overwrite) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
  const int fd = ::open(name.c_str(), flags, 0666);
  if (fd < 0) open_failed(errno, kReportUnit, name);
  std::FILE* f = ::fdopen(fd, "wb");
  if (f == nullptr) {
    const int err = errno;
    ::close(fd);
    open_failed(err, kReportUnit, name);
  }
  return f;
}

// Writes the results for other tools; says so when the run ended early.
int write_results(const report::Results& results, const Outputs& outputs, const std::string& in_name,
                  const std::string& out_name, bool complete, std::FILE* err) {
  int status = 0;
  if (!outputs.json_file.empty()) {
    std::FILE* f = std::fopen(outputs.json_file.c_str(), "wb");
    const std::string text = results.to_json(in_name, out_name);
    if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size() ||
        std::fclose(f) != 0) {
      std::fprintf(err, "velmor3: error (%d): cannot write results file %s\n",
                   static_cast<int>(ErrorCode::write_failed), outputs.json_file.c_str());
      status = 1;
    } else if (!complete) {
      std::fprintf(err, "velmor3: %s holds the tests reduced before the error\n",
                   outputs.json_file.c_str());
    }
  }
  auto write_file = [&](const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f != nullptr && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f != nullptr && std::fclose(f) != 0) return false;
    return ok;
  };
  auto said = [&](const std::string& what, bool ok) {
    if (!ok) {
      std::fprintf(err, "velmor3: error (%d): cannot write %s\n", static_cast<int>(ErrorCode::write_failed),
                   what.c_str());
      status = 1;
    } else if (!complete) {
      std::fprintf(err, "velmor3: %s holds the tests reduced before the error\n", what.c_str());
    }
  };
  if (!outputs.plots_dir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(outputs.plots_dir, ec);
    bool ok = !ec;
    for (const auto& [file, svg] : report::pictures(results)) {
      ok = write_file((std::filesystem::path(outputs.plots_dir) / file).string(), svg) && ok;
    }
    said(outputs.plots_dir, ok);
  }
  if (!outputs.html_file.empty()) {
    std::string report_text;
    if (std::FILE* f = std::fopen(out_name.c_str(), "rb")) {
      char b[65536];
      for (std::size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) report_text.append(b, n);
      std::fclose(f);
    }
    said(outputs.html_file,
         write_file(outputs.html_file, report::html_page(results, in_name, report_text)));
  }
  if (!outputs.csv_dir.empty()) {
    if (!results.write_csv(outputs.csv_dir)) {
      std::fprintf(err, "velmor3: error (%d): cannot write results folder %s\n",
                   static_cast<int>(ErrorCode::write_failed), outputs.csv_dir.c_str());
      status = 1;
    } else if (!complete) {
      std::fprintf(err, "velmor3: %s holds the tests reduced before the error\n",
                   outputs.csv_dir.c_str());
    }
  }
  return status;
}

// Connects both files and runs. The data file is connected first: when it is
// missing, no report file is created.
int run_files(const std::string& in_field, const std::string& in_name, const std::string& out_field,
              const std::string& out_name, bool overwrite, const Outputs& outputs, std::FILE* err) {
  std::FILE* report = nullptr;
  report::Results results;
  const bool keep = outputs.any();
  bool started = false;
  try {
    std::string content = read_data_file(in_name);
    report = create_report_file(out_name, overwrite);
    FileSink sink(report, kReportUnit, out_name);
    LineSource data(std::move(content), kDataUnit, in_name);
    auto run = std::make_unique<Run>();
    run->S.INFILE = in_field;
    run->S.OUTFIL = out_field;
    if (keep) run->results = &results;
    started = true;
    run_data(data, sink, *run);
    sink.flush();
    std::FILE* f = report;
    report = nullptr;
    if (std::fclose(f) != 0) {
      throw RunError(ErrorCode::write_failed, "error writing file, " + where(kReportUnit, out_name));
    }
    return keep ? write_results(results, outputs, in_name, out_name, true, err) : 0;
  } catch (const RunError& e) {
    if (report != nullptr) std::fclose(report);  // keeps everything written before the error
    std::fputs(e.message().c_str(), err);
    if (keep && started) {
      results.set_error(e.what());
      write_results(results, outputs, in_name, out_name, false, err);
    }
    return 1;
  }
}

// Writes one record of the banner: a star at positions 5 and 74 with the
// text centred between them.
std::string framed_line_layout(std::string_view text) {
  const std::size_t before = (68 - text.size()) / 2;
  const std::size_t after = 68 - text.size() - before;
  return "(TR4,('*'),TR" + std::to_string(before) + ",'" + std::string(text) + "',TR" +
         std::to_string(after) + ",('*'))";
}

void write_banner(RecordSink& con) {
  static const Layout l1("(/,/,/,TR4,24('*  '),/,TR4,('*'),TR68,('*'))");
  static const Layout l2("(TR4,('*'),TR22,'VELMOR3: PROGRAM FOR THE',TR22,('*'))");
  static const Layout l3("(TR4,('*'),TR21,'EVALUATION OF THE TRIAXIAL',TR21,('*'))");
  static const Layout l4("(TR4,('*'),TR26,'COMPRESSION TEST',TR26,('*'))");
  static const Layout l5("(TR4,('*'),TR68,('*'))");
  static const Layout credit1(framed_line_layout("DATA REDUCTION FOR THE SOIL MECHANICS LABORATORY"));
  static const Layout credit2(framed_line_layout("STRESSES, CORRECTIONS AND STRENGTH ENVELOPES"));
  static const Layout l8("(TR4,('*'),TR29,'Jul 2006-V',TR29,('*'))");
  static const Layout l10("(TR4,24('*  '),/,/,/)");
  static const Layout l11("(' *** WARNING:  NO BLANK LINES SHOULD EXIST BEFORE OR AFTER DATA FILE !!!',/,/,/)");
  for (const Layout* l : {&l1, &l2, &l3, &l4, &l5, &credit1, &credit2, &l5, &l8, &l5, &l10, &l11}) {
    write(con, *l, {});
  }
}

// One typed line from the console, without its line end; empty at the end of
// the input.
std::string read_console_line(std::FILE* in) {
  std::string line;
  int c;
  while ((c = std::fgetc(in)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::string name_field(const std::string& typed) {
  std::string f = typed.substr(0, 12);
  f.resize(12, ' ');
  return f;
}

std::string file_name(const std::string& field) {
  const auto first = field.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}

int run_dialogue(std::FILE* in, std::FILE* out, std::FILE* err, const Outputs& outputs) {
  static const Layout prompt_in("(' PLEASE ENTER INPUT FILE NAME (e.g. : --------.DAT):  ')");
  static const Layout prompt_out("(' PLEASE ENTER OUTPUT FILE NAME (e.g : --------.OUT):  ')");
  ConsoleSink con(out);
  write_banner(con);
  write(con, prompt_in, {});
  std::fflush(out);
  const std::string in_field = name_field(read_console_line(in));
  write(con, prompt_out, {});
  std::fflush(out);
  const std::string out_field = name_field(read_console_line(in));
  std::fflush(out);
  for (const std::string* f : {&in_field, &out_field}) {
    if (file_name(*f).empty()) {
      const RunError e(ErrorCode::no_file_name, std::string("no file name given for the ") +
                                                    (f == &in_field ? "data file, unit 5" : "report file, unit 6"));
      std::fputs(e.message().c_str(), err);
      return 1;
    }
  }
  return run_files(in_field, file_name(in_field), out_field, file_name(out_field), false, outputs,
                   err);
}

int run_check(const std::vector<std::string>& names, std::FILE* out, std::FILE* err) {
  int status = 0;
  for (const std::string& name : names) {
    std::string content;
    try {
      content = read_data_file(name);
    } catch (const RunError& e) {
      std::fputs(e.message().c_str(), err);
      status = 1;
      continue;
    }
    const datafile::CheckResult r = datafile::check_data(name, std::move(content));
    for (const std::string& m : r.messages) std::fprintf(out, "%s\n", m.c_str());
    std::fprintf(out, "%s\n", r.summary.c_str());
    if (r.status() == 1 || (r.status() == 3 && status == 0)) status = r.status();
  }
  return status;
}

int run_batch(const std::string& data_name, const std::string& report_name, bool overwrite,
              const Outputs& outputs, std::FILE* err) {
  auto padded = [](std::string s) {
    if (s.size() < 12) s.resize(12, ' ');
    return s;
  };
  return run_files(padded(data_name), data_name, padded(report_name), report_name, overwrite,
                   outputs, err);
}

}  // namespace velmor::control
