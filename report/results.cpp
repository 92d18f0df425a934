#include "report/results.hpp"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace velmor::report {
namespace {

using json = nlohmann::ordered_json;

// The shortest decimal text that reads back to the same single-precision
// value, as a JSON number (0.15f is written 0.15, not 0.15000000596...).
std::string shortest(float x) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, x);
  return std::string(buf, r.ptr);
}

struct Quantity {
  const char* name;
  const char* unit;
  Real TestState::*member;
};

// Values printed in the specimen blocks, summary lines and coded blocks.
const Quantity kSpecimen[] = {
    {"D", "cm", &TestState::D},           {"H", "cm", &TestState::H},
    {"MASS", "g", &TestState::MASS},      {"WCINL", "-", &TestState::WCINL},
    {"DENSBK", "g/cc", &TestState::DENSBK}, {"SATINL", "-", &TestState::SATINL},
    {"VORINL", "-", &TestState::VORINL},  {"VOIDRI", "-", &TestState::VOIDRI},
    {"CELLPR", "kg/cm2", &TestState::CELLPR}, {"PRCONS", "kgf/div", &TestState::PRCONS},
    {"EXTM", "kgf/cm", &TestState::EXTM}, {"ALPA", "deg", &TestState::ALPA},
    {"PCFPSD", "cm", &TestState::PCFPSD}, {"FRACA", "-", &TestState::FRACA},
    {"COEF01", "kg/cm2", &TestState::COEF01}, {"COEF1M", "-", &TestState::COEF1M},
    {"COEF2M", "-", &TestState::COEF2M},  {"ARAM", "cm2", &TestState::ARAM},
    {"TOP", "-", &TestState::TOP},        {"MID", "-", &TestState::MID},
    {"BOT", "-", &TestState::BOT},        {"LE", "-", &TestState::LE},
    {"WCFIN", "-", &TestState::WCFIN},    {"DVVINL", "-", &TestState::DVVINL},
    {"DWC", "%", &TestState::DWC},        {"PM", "cm", &TestState::PM},
    {"CSLFPR", "cc/min/(kg/cm2)", &TestState::CSLFPR}, {"HSOFSH", "cm", &TestState::HSOFSH},
    {"DWSPEC", "g", &TestState::DWSPEC},  {"DMANR", "-", &TestState::DMANR},
    {"ZEROM", "-", &TestState::ZEROM},    {"ZEROLF", "psi", &TestState::ZEROLF},
    {"TFLPR", "g", &TestState::TFLPR},    {"GS", "-", &TestState::GS},
    {"PORFIN", "-", &TestState::PORFIN},  {"DPOROS", "%", &TestState::DPOROS},
    {"VOIDRF", "-", &TestState::VOIDRF},  {"DVOIDR", "%", &TestState::DVOIDR},
    {"CAVITY", "%", &TestState::CAVITY},
};
const Quantity kSummary[] = {
    {"TCFAIL", "h", &TestState::TCFAIL},  {"DVDHF", "-", &TestState::DVDHF},
    {"DVDUE", "-", &TestState::DVDUE},    {"SEATCR", "div", &TestState::SEATCR},
    {"BEDCM", "cm", &TestState::BEDCM},   {"BEDSNP", "%", &TestState::BEDSNP},
    {"ASTNIN", "%", &TestState::ASTNIN},  {"BEDIN", "0.001 in", &TestState::BEDIN},
    {"BEDPER", "%", &TestState::BEDPER},  {"PERBED", "%", &TestState::PERBED},
    {"SEATCM", "cm", &TestState::SEATCM}, {"STGSTN", "%", &TestState::STGSTN},
    {"SEATIN", "0.001 in", &TestState::SEATIN}, {"STGPER", "%", &TestState::STGPER},
    {"TESTNO", "-", &TestState::TESTNO},  {"RPPSAT", "-", &TestState::RPPSAT},
    {"DWCSTS", "%", &TestState::DWCSTS},  {"PER3T4", "%", &TestState::PER3T4},
    {"PER3T8", "%", &TestState::PER3T8},  {"S3IPSI", "psi", &TestState::S3IPSI},
    {"DEGCON", "%", &TestState::DEGCON},  {"PPSOSH", "kg/cm2", &TestState::PPSOSH},
    {"STNRAT", "mm/min", &TestState::STNRAT}, {"BEDGMM", "mm", &TestState::BEDGMM},
    {"STGMEC", "mm", &TestState::STGMEC}, {"SGSNME", "-", &TestState::SGSNME},
    {"SEATMM", "mm", &TestState::SEATMM}, {"PSGMTT", "%", &TestState::PSGMTT},
    {"DWCUUT", "%", &TestState::DWCUUT},  {"DWCPCU", "%", &TestState::DWCPCU},
    {"DWCLEW", "%", &TestState::DWCLEW},  {"DWCMTE", "%", &TestState::DWCMTE},
    {"ACTKFP", "kgf/cm", &TestState::ACTKFP}, {"FAILMD", "-", &TestState::FAILMD},
    {"S3IKGC", "kg/cm2", &TestState::S3IKGC}, {"EXTCLI", "0.001 in", &TestState::EXTCLI},
    {"BSTNCL", "-", &TestState::BSTNCL},  {"RBGTS3", "-/psi", &TestState::RBGTS3},
};

struct ColumnDef {
  const char* name;
  const char* unit;
  Column ReadingTable::*member;
};

// Every per-reading column of Table 1, Table 2 and the kPa table.
const ColumnDef kColumns[] = {
    {"APSIG3", "psi", &ReadingTable::APSIG3},   {"DURATN", "min", &ReadingTable::DURATN},
    {"VOLCH", "cc", &ReadingTable::VOLCH},      {"PP", "kg/cm2", &ReadingTable::PP},
    {"PARA2", "-", &ReadingTable::PARA2},       {"SDIALP", "0.001 in", &ReadingTable::SDIALP},
    {"PRDIAL", "div", &ReadingTable::PRDIAL},   {"PARA3", "-", &ReadingTable::PARA3},
    {"AXSTRN", "%", &ReadingTable::AXSTRN},     {"VOLSTN", "%", &ReadingTable::VOLSTN},
    {"EFFNS", "kg/cm2", &ReadingTable::EFFNS},  {"DEVSC", "kg/cm2", &ReadingTable::DEVSC},
    {"TOTST", "kg/cm2", &ReadingTable::TOTST},  {"CORAR", "cm2", &ReadingTable::CORAR},
    {"ERRAC", "%", &ReadingTable::ERRAC},       {"S1S3", "-", &ReadingTable::S1S3},
    {"SIG1UC", "kg/cm2", &ReadingTable::SIG1UC}, {"CMSIG1", "kg/cm2", &ReadingTable::CMSIG1},
    {"SIG1C", "kg/cm2", &ReadingTable::SIG1C},  {"ERSIG1", "%", &ReadingTable::ERSIG1},
    {"SIG3UC", "kg/cm2", &ReadingTable::SIG3UC}, {"CMSIG3", "kg/cm2", &ReadingTable::CMSIG3},
    {"SIG3C", "kg/cm2", &ReadingTable::SIG3C},  {"CMDEDS", "kg/cm2", &ReadingTable::CMDEDS},
    {"CMDELR", "kg/cm2", &ReadingTable::CMDELR}, {"ERMCBH", "%", &ReadingTable::ERMCBH},
    {"SIG1EF", "kg/cm2", &ReadingTable::SIG1EF}, {"SIG3EF", "kg/cm2", &ReadingTable::SIG3EF},
    {"CUMFPR", "g", &ReadingTable::CUMFPR},     {"CFSIG1", "kg/cm2", &ReadingTable::CFSIG1},
    {"PERCMB", "%", &ReadingTable::PERCMB},     {"PERCSD", "%", &ReadingTable::PERCSD},
    {"TOTKPA", "kPa", &ReadingTable::TOTKPA},   {"PPKPA", "kPa", &ReadingTable::PPKPA},
    {"EFFKPA", "kPa", &ReadingTable::EFFKPA},   {"DEVKPA", "kPa", &ReadingTable::DEVKPA},
};

// Builds JSON numbers, and lists where a value is not finite.
class Numbers {
 public:
  json value(float x, const std::string& path) {
    if (!std::isfinite(x)) {
      non_finite.push_back(path);
      return nullptr;
    }
    return json::parse(shortest(x));
  }
  json non_finite = json::array();
};

std::string data_form(const TestState& S) {
  if (S.KSPEC != 0) return "special apparatus";
  return S.KDATA < 7 ? "short" : "full";
}

std::string report_form(const TestState& S) {
  if (S.KPRINT == 7 || S.KPRINT == 9) return "kPa table";
  if (S.KPRINT == 8) return "none";
  return "full tables";
}

std::string trimmed(const std::string& t) {
  const auto e = t.find_last_not_of(' ');
  return e == std::string::npos ? std::string() : t.substr(0, e + 1);
}

std::string csv_field(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

std::string csv_number(double x) { return std::isfinite(x) ? shortest(static_cast<float>(x)) : ""; }

}  // namespace

void Results::add_test(const std::array<std::string, 3>& titles, const TestState& S,
                       const ReadingTable& R) {
  tests_.push_back(TestRecord{titles, S, R});
}

void Results::add_pass(const TestState& S, int N) { passes_.push_back(PassRecord{S, N}); }

void Results::set_envelope(const EnvelopeTable& E, int N) {
  E_ = E;
  N_ = N;
}

std::string Results::to_json(const std::string& data_file, const std::string& report_file) const {
  Numbers num;
  json doc;
  doc["program"] = "velmor3";
  doc["data_file"] = data_file;
  doc["report_file"] = report_file;
  doc["complete"] = error_.empty();
  if (!error_.empty()) doc["error"] = error_;
  json tests = json::array();
  for (std::size_t t = 0; t < tests_.size(); ++t) {
    const TestRecord& rec = tests_[t];
    const TestState& S = rec.S;
    const std::string at = "tests[" + std::to_string(t) + "]";
    json j;
    j["number"] = S.NTEST;
    j["data_form"] = data_form(S);
    j["report_form"] = report_form(S);
    j["KPRINT"] = num.value(S.KPRINT.v, at + ".KPRINT");
    j["titles"] = json::array();
    for (const auto& title : rec.titles) j["titles"].push_back(trimmed(title));
    auto quantities = [&](const char* key, std::span<const Quantity> list) {
      json q = json::array();
      for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string p = at + "." + key + "[" + std::to_string(k) + "].value";
        q.push_back({{"name", list[k].name}, {"value", num.value((S.*list[k].member).v, p)},
                     {"unit", list[k].unit}});
      }
      j[key] = q;
    };
    quantities("specimen", kSpecimen);
    quantities("summary", kSummary);
    json cols = json::array();
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
      json values = json::array();
      const Column& col = rec.R.*kColumns[c].member;
      for (int I = 1; I <= col.size(); ++I) {
        values.push_back(num.value(static_cast<float>(col.at(I)),
                                   at + ".readings[" + std::to_string(c) + "].values[" +
                                       std::to_string(I - 1) + "]"));
      }
      cols.push_back({{"name", kColumns[c].name}, {"unit", kColumns[c].unit}, {"values", values}});
    }
    j["readings"] = cols;
    j["failure_reading"] = S.IFAIL;
    j["time_to_failure_h"] = num.value(S.TCFAIL.v, at + ".time_to_failure_h");
    if (S.KPRINT == 9) j["ultimate_reading"] = S.IULT;
    tests.push_back(j);
  }
  doc["tests"] = tests;

  json points = json::array();
  for (int i = 0; i < N_ && static_cast<std::size_t>(i) < E_.SIGENV.size(); ++i) {
    const auto row = static_cast<std::size_t>(i);
    const std::string at = "envelope.points[" + std::to_string(i) + "]";
    points.push_back({{"test", i + 1},
                      {"SIG", {num.value(E_.SIGENV[row][0].v, at + ".SIG[0]"),
                               num.value(E_.SIGENV[row][1].v, at + ".SIG[1]")}},
                      {"TAU", {num.value(E_.TAUENV[row][0].v, at + ".TAU[0]"),
                               num.value(E_.TAUENV[row][1].v, at + ".TAU[1]")}}});
  }
  json passes = json::array();
  for (std::size_t p = 0; p < passes_.size(); ++p) {
    const TestState& S = passes_[p].S;
    const bool power = S.KFIT == 8;
    const int P = S.IPARRG;
    json columns = json::array();
    for (std::size_t m = 0; m < 2; ++m) {
      const std::string at = "envelope.passes[" + std::to_string(p) + "].columns[" + std::to_string(m) + "]";
      json c;
      c["COFCOR"] = num.value(S.COFCOR[m].v, at + ".COFCOR");
      if (P != 2) {
        c["PHIORG_deg"] = num.value(S.PHIORG[m].v, at + ".PHIORG_deg");
        c["COFC0"] = num.value(S.COFC0[m].v, at + ".COFC0");
      }
      if (P == 2 || P == 3 || P == 5) {
        c["PHILRG_deg"] = num.value(S.PHILRG[m].v, at + ".PHILRG_deg");
        c["COHESN_kPa"] = num.value(S.COHESN[m].v, at + ".COHESN_kPa");
      }
      if (power) {
        c["BEXPNT"] = num.value(S.BEXPNT[m].v, at + ".BEXPNT");
        c["ACONST"] = num.value(S.ACONST[m].v, at + ".ACONST");
      }
      columns.push_back(c);
    }
    passes.push_back({{"kind", power ? "power curve" : "linear"}, {"IPARRG", P}, {"columns", columns}});
  }
  doc["envelope"] = {{"points", points}, {"passes", passes}};
  doc["non_finite"] = num.non_finite;
  return doc.dump(2) + "\n";
}

bool Results::write_csv(const std::string& dir) const {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  auto file = [&](const std::string& name, const std::string& text) {
    std::ofstream f(std::filesystem::path(dir) / name, std::ios::binary);
    f << text;
    return static_cast<bool>(f);
  };
  bool ok = true;
  std::string tests = "NTEST,TITLE,IFAIL,TCFAIL [h]";
  const char* at_failure[] = {"AXSTRN", "VOLSTN", "DEVSC", "EFFNS", "TOTST", "PP", "DEVKPA", "EFFKPA"};
  for (const char* n : at_failure) {
    for (const ColumnDef& c : kColumns) {
      if (std::string(c.name) == n) tests += std::string(",") + n + " at failure [" + c.unit + "]";
    }
  }
  for (const Quantity& q : kSpecimen) tests += std::string(",") + q.name + " [" + q.unit + "]";
  tests += "\r\n";
  for (std::size_t t = 0; t < tests_.size(); ++t) {
    const TestRecord& rec = tests_[t];
    std::string rows;
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
      rows += (c ? "," : "") + csv_field(std::string(kColumns[c].name) + " [" + kColumns[c].unit + "]");
    }
    rows += "\r\n";
    for (int I = 1; I <= rec.R.rows(); ++I) {
      for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        rows += (c ? "," : "") + csv_number((rec.R.*kColumns[c].member).at(I));
      }
      rows += "\r\n";
    }
    char name[32];
    std::snprintf(name, sizeof name, "readings-%02d.csv", rec.S.NTEST);
    ok = file(name, rows) && ok;

    const TestState& S = rec.S;
    tests += std::to_string(S.NTEST) + "," + csv_field(trimmed(rec.titles[0])) + "," +
             std::to_string(S.IFAIL) + "," + csv_number(S.TCFAIL);
    for (const char* n : at_failure) {
      for (const ColumnDef& c : kColumns) {
        if (std::string(c.name) == n) tests += "," + csv_number((rec.R.*c.member).at(S.IFAIL));
      }
    }
    for (const Quantity& q : kSpecimen) tests += "," + csv_number(S.*q.member);
    tests += "\r\n";
  }
  ok = file("tests.csv", tests) && ok;

  std::string env = "TEST,SIG1 [kPa],TAU1 [kPa],SIG2 [kPa],TAU2 [kPa]\r\n";
  for (int i = 0; i < N_ && static_cast<std::size_t>(i) < E_.SIGENV.size(); ++i) {
    const auto r = static_cast<std::size_t>(i);
    env += std::to_string(i + 1) + "," + csv_number(E_.SIGENV[r][0]) + "," + csv_number(E_.TAUENV[r][0]) +
           "," + csv_number(E_.SIGENV[r][1]) + "," + csv_number(E_.TAUENV[r][1]) + "\r\n";
  }
  env += "\r\nPASS,COLUMN,COFCOR,PHIORG [deg],COFC0,PHILRG [deg],COHESN [kPa],BEXPNT,ACONST\r\n";
  for (const PassRecord& p : passes_) {
    const TestState& S = p.S;
    // Fits that the pass did not compute stay empty.
    const bool origin = S.IPARRG != 2;
    const bool linear = S.IPARRG == 2 || S.IPARRG == 3 || S.IPARRG == 5;
    const bool power = S.KFIT == 8;
    auto cell = [](bool computed, Real v) { return "," + (computed ? csv_number(v) : std::string()); };
    for (std::size_t m = 0; m < 2; ++m) {
      env += std::string(power ? "power curve" : "linear") + "," + std::to_string(m + 1) +
             cell(true, S.COFCOR[m]) + cell(origin, S.PHIORG[m]) + cell(origin, S.COFC0[m]) +
             cell(linear, S.PHILRG[m]) + cell(linear, S.COHESN[m]) + cell(power, S.BEXPNT[m]) +
             cell(power, S.ACONST[m]) + "\r\n";
    }
  }
  ok = file("envelope.csv", env) && ok;
  return ok;
}

}  // namespace velmor::report
