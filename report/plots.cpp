#include "report/plots.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

namespace velmor::report {
namespace {

// Colours that stay apart for colour-blind readers; dashes keep the series
// apart in black-and-white print.
const char* const kColours[] = {"#0072B2", "#D55E00", "#009E73", "#CC79A7",
                                "#E69F00", "#56B4E9", "#000000", "#F0E442"};
const char* const kDashes[] = {"", "6,3", "2,2", "8,3,2,3", "4,4", "10,4", "1,3", "12,3,3,3"};

std::string esc(const std::string& s) {
  std::string o;
  for (char c : s) {
    switch (c) {
      case '&': o += "&amp;"; break;
      case '<': o += "&lt;"; break;
      case '>': o += "&gt;"; break;
      case '"': o += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 32 || c == '\n') o += c;
    }
  }
  return o;
}

std::string num(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.2f", v);
  return b;
}

std::string tick_label(double v, double step) {
  char b[32];
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
  std::snprintf(b, sizeof b, "%.*f", std::min(decimals, 6), std::fabs(v) < step * 1e-9 ? 0.0 : v);
  return b;
}

// A tick step of 1, 2 or 5 times a power of ten giving about five ticks.
double nice_step(double span) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double raw = span / 5;
  const double p = std::pow(10.0, std::floor(std::log10(raw)));
  const double m = raw / p;
  return (m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10) * p;
}

struct Series {
  Series(std::string n, std::vector<std::pair<double, double>> p, bool with_markers = false,
         bool with_line = true)
      : name(std::move(n)), points(std::move(p)), markers(with_markers), line(with_line) {}
  std::string name;
  std::vector<std::pair<double, double>> points;
  bool markers;
  bool line;
};

struct Plot {
  Plot(std::string t, std::string x, std::string y)
      : title(std::move(t)), xlabel(std::move(x)), ylabel(std::move(y)) {}
  std::string title, xlabel, ylabel;
  std::vector<Series> series;
  // Curves y = f(x) over the x range (fitted envelopes).
  std::vector<std::pair<std::string, std::function<double(double)>>> curves;
  std::vector<std::pair<std::string, std::pair<double, double>>> marks;  // labelled points
  std::vector<std::pair<double, double>> circles;                      // centre x, radius
  bool equal_axes = false;
  bool from_zero = false;

  std::string svg() const {
    const double W = 720, H = 480, L = 80, R = 190, T = 50, B = 60;
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    auto take = [&](double x, double y) {
      if (!std::isfinite(x) || !std::isfinite(y)) return;
      x0 = std::min(x0, x); x1 = std::max(x1, x);
      y0 = std::min(y0, y); y1 = std::max(y1, y);
    };
    for (const auto& s : series) for (const auto& p : s.points) take(p.first, p.second);
    for (const auto& m : marks) take(m.second.first, m.second.second);
    for (const auto& c : circles) {
      take(c.first - c.second, 0);
      take(c.first + c.second, c.second);
    }
    if (!std::isfinite(x0)) { x0 = 0; x1 = 1; y0 = 0; y1 = 1; }
    if (from_zero) { x0 = std::min(x0, 0.0); y0 = std::min(y0, 0.0); }
    if (x1 - x0 <= 0) x1 = x0 + 1;
    if (y1 - y0 <= 0) y1 = y0 + 1;
    // A margin, so that marks and their labels stay inside the frame.
    y1 += 0.08 * (y1 - y0);
    x1 += 0.04 * (x1 - x0);
    const double xs = nice_step(x1 - x0), ys = nice_step(y1 - y0);
    x0 = std::floor(x0 / xs) * xs; x1 = std::ceil(x1 / xs) * xs;
    y0 = std::floor(y0 / ys) * ys; y1 = std::ceil(y1 / ys) * ys;
    const double pw = W - L - R, ph = H - T - B;
    double sx = pw / (x1 - x0), sy = ph / (y1 - y0);
    if (equal_axes) {
      const double s = std::min(sx, sy);
      sx = sy = s;
    }
    auto X = [&](double x) { return L + (x - x0) * sx; };
    auto Y = [&](double y) { return T + ph - (y - y0) * sy; };
    const double xe = x0 + pw / sx, ye = y0 + ph / sy;

    std::string o = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(W) + "\" height=\"" + num(H) +
                    "\" viewBox=\"0 0 " + num(W) + " " + num(H) + "\" font-family=\"Helvetica, Arial, sans-serif\" font-size=\"12\">\n";
    o += "<rect x=\"0\" y=\"0\" width=\"" + num(W) + "\" height=\"" + num(H) + "\" fill=\"white\"/>\n";
    o += "<text x=\"" + num(W / 2) + "\" y=\"24\" text-anchor=\"middle\" font-size=\"13\">" + esc(title.size() > 90 ? title.substr(0, 87) + "..." : title) + "</text>\n";
    o += "<g stroke=\"#bbbbbb\" stroke-width=\"0.5\">\n";
    for (double x = x0; x <= xe + xs * 1e-9; x += xs) {
      o += "<line x1=\"" + num(X(x)) + "\" y1=\"" + num(T) + "\" x2=\"" + num(X(x)) + "\" y2=\"" + num(T + ph) + "\"/>\n";
    }
    for (double y = y0; y <= ye + ys * 1e-9; y += ys) {
      o += "<line x1=\"" + num(L) + "\" y1=\"" + num(Y(y)) + "\" x2=\"" + num(L + pw) + "\" y2=\"" + num(Y(y)) + "\"/>\n";
    }
    o += "</g>\n<g font-size=\"11\">\n";
    for (double x = x0; x <= xe + xs * 1e-9; x += xs) {
      o += "<text x=\"" + num(X(x)) + "\" y=\"" + num(T + ph + 16) + "\" text-anchor=\"middle\">" + tick_label(x, xs) + "</text>\n";
    }
    for (double y = y0; y <= ye + ys * 1e-9; y += ys) {
      o += "<text x=\"" + num(L - 6) + "\" y=\"" + num(Y(y) + 4) + "\" text-anchor=\"end\">" + tick_label(y, ys) + "</text>\n";
    }
    o += "</g>\n";
    o += "<rect x=\"" + num(L) + "\" y=\"" + num(T) + "\" width=\"" + num(pw) + "\" height=\"" + num(ph) + "\" fill=\"none\" stroke=\"black\"/>\n";
    o += "<text x=\"" + num(L + pw / 2) + "\" y=\"" + num(H - 18) + "\" text-anchor=\"middle\">" + esc(xlabel) + "</text>\n";
    o += "<text transform=\"translate(20," + num(T + ph / 2) + ") rotate(-90)\" text-anchor=\"middle\">" + esc(ylabel) + "</text>\n";
    o += "<svg x=\"" + num(L) + "\" y=\"" + num(T) + "\" width=\"" + num(pw) + "\" height=\"" + num(ph) +
         "\" viewBox=\"" + num(L) + " " + num(T) + " " + num(pw) + " " + num(ph) + "\">\n";
    std::size_t k = 0;
    std::vector<std::string> legend;
    std::vector<bool> marker_only;
    auto style = [&](std::size_t i) {
      std::string s = " stroke=\"" + std::string(kColours[i % 8]) + "\" stroke-width=\"1.8\" fill=\"none\"";
      if (*kDashes[i % 8]) s += " stroke-dasharray=\"" + std::string(kDashes[i % 8]) + "\"";
      return s;
    };
    for (const auto& s : series) {
      std::string pts;
      for (const auto& p : s.points) {
        if (std::isfinite(p.first) && std::isfinite(p.second)) pts += num(X(p.first)) + "," + num(Y(p.second)) + " ";
      }
      if (s.line && !pts.empty()) o += "<polyline points=\"" + pts + "\"" + style(k) + "/>\n";
      if (s.markers) {
        for (const auto& p : s.points) {
          if (std::isfinite(p.first) && std::isfinite(p.second)) {
            o += "<circle cx=\"" + num(X(p.first)) + "\" cy=\"" + num(Y(p.second)) + "\" r=\"3.5\" fill=\"" + kColours[k % 8] + "\"/>\n";
          }
        }
      }
      legend.push_back(s.name);
      marker_only.push_back(s.markers && !s.line);
      ++k;
    }
    for (const auto& c : curves) {
      std::string pts;
      for (int i = 0; i <= 100; ++i) {
        const double x = x0 + (xe - x0) * i / 100.0;
        const double y = c.second(x);
        if (std::isfinite(y)) pts += num(X(x)) + "," + num(Y(y)) + " ";
      }
      if (!pts.empty()) o += "<polyline points=\"" + pts + "\"" + style(k) + "/>\n";
      legend.push_back(c.first);
      marker_only.push_back(false);
      ++k;
    }
    for (std::size_t i = 0; i < circles.size(); ++i) {
      const auto& c = circles[i];
      if (!std::isfinite(c.first) || !std::isfinite(c.second)) continue;
      o += "<path d=\"M " + num(X(c.first - c.second)) + " " + num(Y(0)) + " A " + num(c.second * sx) + " " +
           num(c.second * sy) + " 0 0 1 " + num(X(c.first + c.second)) + " " + num(Y(0)) + "\"" + style(i) + "/>\n";
    }
    o += "</svg>\n";
    for (const auto& m : marks) {
      if (!std::isfinite(m.second.first) || !std::isfinite(m.second.second)) continue;
      o += "<rect x=\"" + num(X(m.second.first) - 5) + "\" y=\"" + num(Y(m.second.second) - 5) +
           "\" width=\"10\" height=\"10\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\"/>\n";
      o += "<text x=\"" + num(X(m.second.first) + 8) + "\" y=\"" + num(Y(m.second.second) - 8) + "\">" + esc(m.first) + "</text>\n";
    }
    // Legend, right of the plot.
    for (std::size_t i = 0; i < legend.size(); ++i) {
      const double y = T + 10 + 18.0 * static_cast<double>(i);
      if (marker_only[i]) {
        o += "<circle cx=\"" + num(W - R + 26) + "\" cy=\"" + num(y) + "\" r=\"3.5\" fill=\"" + kColours[i % 8] + "\"/>\n";
      } else {
        o += "<line x1=\"" + num(W - R + 12) + "\" y1=\"" + num(y) + "\" x2=\"" + num(W - R + 40) + "\" y2=\"" + num(y) + "\"" + style(i) + "/>\n";
      }
      std::string name = legend[i];
      if (name.size() > 26) name = name.substr(0, 25) + "...";
      o += "<text x=\"" + num(W - R + 46) + "\" y=\"" + num(y + 4) + "\" font-size=\"10\">" + esc(name) + "</text>\n";
    }
    o += "</svg>\n";
    return o;
  }
};

std::string trimmed(const std::string& t) {
  const auto e = t.find_last_not_of(' ');
  return e == std::string::npos ? std::string("(no title)") : t.substr(0, e + 1);
}

std::vector<std::pair<double, double>> curve(const ReadingTable& R, const Column& x, const Column& y) {
  std::vector<std::pair<double, double>> p;
  for (int I = 1; I <= R.rows(); ++I) p.emplace_back(x.at(I), y.at(I));
  return p;
}

std::string test_file(int n, const char* what) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "test-%02d-%s.svg", n, what);
  return buf;
}

// Fitted envelope lines of the last linear and power-curve passes, column 1.
void add_envelopes(Plot& p, const Results& r) {
  for (const PassRecord& pass : r.passes()) {
    const TestState& S = pass.S;
    const double deg = 3.141593 / 180;
    if (S.KFIT == 8) {
      const double a = S.ACONST[0], b = S.BEXPNT[0];
      p.curves.emplace_back("power curve", [a, b](double x) { return x > 0 ? a * std::pow(x, b) : NAN; });
      continue;
    }
    if (S.IPARRG == 2 || S.IPARRG == 3 || S.IPARRG == 5) {
      const double phi = S.PHILRG[0] * deg, c = S.COHESN[0];
      p.curves.emplace_back("regression with cohesion",
                            [phi, c](double x) { return c * std::cos(phi) + std::sin(phi) * x; });
    }
    if (S.IPARRG != 2) {
      const double phi = S.PHIORG[0] * deg;
      p.curves.emplace_back("line through the origin", [phi](double x) { return std::sin(phi) * x; });
    }
  }
}

}  // namespace

std::vector<Picture> pictures(const Results& r) {
  std::vector<Picture> out;
  for (const TestRecord& t : r.tests()) {
    const TestState& S = t.S;
    const ReadingTable& R = t.R;
    const std::string name = "Test " + std::to_string(S.NTEST) + ": " + trimmed(t.titles[0]);
    Plot dev(name, "Axial strain AXSTRN [%]", "(S1-S3)/2 [kPa]");
    dev.series.emplace_back("(S1-S3)/2", curve(R, R.AXSTRN, R.DEVKPA));
    dev.marks.push_back({"failure", {R.AXSTRN.at(S.IFAIL), R.DEVKPA.at(S.IFAIL)}});
    if (S.KPRINT == 9) dev.marks.push_back({"ultimate", {R.AXSTRN.at(S.IULT), R.DEVKPA.at(S.IULT)}});
    dev.from_zero = true;
    out.emplace_back(test_file(S.NTEST, "deviator"), dev.svg());
    Plot pp(name, "Axial strain AXSTRN [%]", "Pore pressure [kPa]");
    pp.series.emplace_back("pore pressure", curve(R, R.AXSTRN, R.PPKPA));
    out.emplace_back(test_file(S.NTEST, "pore-pressure"), pp.svg());
    Plot vol(name, "Axial strain AXSTRN [%]", "Volumetric strain VOLSTN [%]");
    vol.series.emplace_back("volumetric strain", curve(R, R.AXSTRN, R.VOLSTN));
    out.emplace_back(test_file(S.NTEST, "volume"), vol.svg());
  }
  if (r.tests().empty()) return out;

  Plot paths("Stress paths and strength envelopes", "(S1+S3)/2 effective [kPa]", "(S1-S3)/2 [kPa]");
  Series points("failure points", {}, true, false);
  for (const TestRecord& t : r.tests()) {
    paths.series.emplace_back("Test " + std::to_string(t.S.NTEST) + ": " + trimmed(t.titles[0]),
                              curve(t.R, t.R.EFFKPA, t.R.DEVKPA));
    points.points.emplace_back(t.R.EFFKPA.at(t.S.IFAIL), t.R.DEVKPA.at(t.S.IFAIL));
  }
  paths.series.push_back(points);
  add_envelopes(paths, r);
  paths.from_zero = true;
  out.emplace_back("stress-paths.svg", paths.svg());

  Plot mohr("Mohr circles at failure (effective stresses)", "Normal stress [kPa]", "Shear stress [kPa]");
  for (const TestRecord& t : r.tests()) {
    mohr.circles.emplace_back(t.R.EFFKPA.at(t.S.IFAIL), t.R.DEVKPA.at(t.S.IFAIL));
    mohr.series.emplace_back("Test " + std::to_string(t.S.NTEST) + ": " + trimmed(t.titles[0]),
                             std::vector<std::pair<double, double>>{}, false, false);
  }
  for (const PassRecord& pass : r.passes()) {
    const TestState& S = pass.S;
    if (S.KFIT != 8 && (S.IPARRG == 2 || S.IPARRG == 3 || S.IPARRG == 5)) {
      // From the regression of (S1-S3)/2 on (S1+S3)/2: sin(phi) is its slope.
      const double phi = S.PHILRG[0] * 3.141593 / 180, c = S.COHESN[0];
      mohr.curves.emplace_back("Mohr-Coulomb line",
                               [phi, c](double x) { return c + std::tan(phi) * x; });
    }
  }
  mohr.equal_axes = true;
  mohr.from_zero = true;
  out.emplace_back("mohr-circles.svg", mohr.svg());
  return out;
}

std::string html_page(const Results& r, const std::string& data_file, const std::string& report_text) {
  std::string o =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
      "<title>Triaxial tests: " + esc(data_file) + "</title>\n<style>\n"
      "body { font-family: Helvetica, Arial, sans-serif; margin: 1.5em; color: #111; }\n"
      "table { border-collapse: collapse; margin: 1em 0; }\n"
      "th, td { border: 1px solid #999; padding: 0.25em 0.6em; text-align: right; }\n"
      "th { background: #eee; } td.t { text-align: left; }\n"
      "svg { max-width: 100%; height: auto; page-break-inside: avoid; }\n"
      "pre { font-size: 7pt; white-space: pre; overflow-x: auto; }\n"
      "@page { size: auto; margin: 15mm; }\n"
      "@media print { body { margin: 0; } section { page-break-before: always; } }\n"
      "</style>\n</head>\n<body>\n<h1>Triaxial compression tests</h1>\n<p>Data file: " + esc(data_file) + "</p>\n";
  if (!r.error().empty()) o += "<p><strong>The run ended early: " + esc(r.error()) + ".</strong></p>\n";
  o += "<h2>Summary of the tests</h2>\n<table>\n<tr><th>Test</th><th>Title</th><th>Cell pressure [psi]</th>"
       "<th>Cell pressure [kg/cm2]</th><th>(S1-S3)/2 at failure [kPa]</th><th>(S1+S3)/2 eff. at failure [kPa]</th>"
       "<th>Axial strain at failure [%]</th><th>Time to failure [h]</th></tr>\n";
  auto cell = [](double v, int d) {
    char b[32];
    if (!std::isfinite(v)) return std::string("-");
    std::snprintf(b, sizeof b, "%.*f", d, v);
    return std::string(b);
  };
  for (const TestRecord& t : r.tests()) {
    const int F = t.S.IFAIL;
    o += "<tr><td>" + std::to_string(t.S.NTEST) + "</td><td class=\"t\">" + esc(trimmed(t.titles[0])) + "</td><td>" +
         cell(t.S.S3IPSI, 1) + "</td><td>" + cell(t.S.S3IKGC, 3) + "</td><td>" + cell(t.R.DEVKPA.at(F), 1) +
         "</td><td>" + cell(t.R.EFFKPA.at(F), 1) + "</td><td>" + cell(t.R.AXSTRN.at(F), 2) + "</td><td>" +
         cell(t.S.TCFAIL, 2) + "</td></tr>\n";
  }
  o += "</table>\n<h2>Strength envelopes</h2>\n";
  if (r.passes().empty()) o += "<p>No envelope fits in this run.</p>\n";
  for (const PassRecord& p : r.passes()) {
    const TestState& S = p.S;
    const bool power = S.KFIT == 8;
    o += "<table>\n<tr><th class=\"t\">" + std::string(power ? "Power curve (logarithms)" : "Linear fits") +
         "</th><th>column 1 (peak, effective)</th><th>column 2</th></tr>\n";
    auto row = [&](const char* name, const std::array<Real, 2>& v, int d) {
      o += "<tr><td class=\"t\">" + std::string(name) + "</td><td>" + cell(v[0], d) + "</td><td>" + cell(v[1], d) + "</td></tr>\n";
    };
    row("correlation COFCOR", S.COFCOR, 6);
    if (power) {
      row("ACONST", S.ACONST, 4);
      row("BEXPNT", S.BEXPNT, 4);
    } else {
      if (S.IPARRG != 2) row("friction angle through the origin PHIORG [deg]", S.PHIORG, 3);
      if (S.IPARRG == 2 || S.IPARRG == 3 || S.IPARRG == 5) {
        row("cohesion COHESN [kPa]", S.COHESN, 3);
        row("friction angle PHILRG [deg]", S.PHILRG, 3);
      }
    }
    o += "</table>\n";
  }
  o += "<h2>Plots</h2>\n";
  for (const Picture& p : pictures(r)) {
    std::string svg = p.second;
    o += "<figure>\n" + svg + "<figcaption>" + esc(p.first) + "</figcaption>\n</figure>\n";
  }
  o += "<section>\n<h2>Report</h2>\n<pre>";
  std::string text;
  for (char c : report_text) {
    if (c != '\r') text += c;
  }
  o += esc(text) + "</pre>\n</section>\n</body>\n</html>\n";
  return o;
}

}  // namespace velmor::report
