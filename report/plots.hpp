// Pictures of the results as SVG: the curves of each test against axial
// strain, the stress paths with the fitted envelopes, and the Mohr circles at
// failure; and a self-contained HTML page for the client.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/results.hpp"

namespace velmor::report {

// One picture: file name (without folder) and SVG text.
using Picture = std::pair<std::string, std::string>;

// Every picture of the run: test-NN-deviator.svg, test-NN-pore-pressure.svg,
// test-NN-volume.svg per test; stress-paths.svg and mohr-circles.svg when the
// run has tests.
std::vector<Picture> pictures(const Results& results);

// The HTML page: summary table, envelope parameters, pictures inline and the
// fixed-column report (`report_text`) in a preformatted block.
std::string html_page(const Results& results, const std::string& data_file,
                      const std::string& report_text);

}  // namespace velmor::report
