#include "datafile/records.hpp"

#include <array>
#include <map>
#include <memory>

namespace velmor::datafile {
namespace {

using T = TestState;
using RT = ReadingTable;

constexpr Field S(std::string_view n, std::string_view u, std::string_view m, Real T::*p) {
  return Field{n, u, m, p, nullptr};
}
constexpr Field C(std::string_view n, std::string_view u, std::string_view m, Column RT::*p) {
  return Field{n, u, m, nullptr, p};
}

const Field kHeader[] = {
    S("KDATA", "-", "data form: below 7 short, 7 to 8 full, above 8 special apparatus; 1 coefficient formula, 2 free-format readings", &T::KDATA),
    S("KPPDIR", "-", "1: pore pressures used as read (KDATA not 1)", &T::KPPDIR),
    S("PRCONS", "kgf/div", "proving-ring constant", &T::PRCONS),
    S("DRAM", "cm", "ram diameter", &T::DRAM),
    S("WTRAM", "kgf", "ram weight", &T::WTRAM),
    S("PHIASM", "deg", "angle subtracted from the failure-plane inclination", &T::PHIASM),
    S("PARREG", "-", "above 0: store envelope points; whole part selects the envelope fits", &T::PARREG),
    S("KPRINT", "-", "report form: 7 or 9 kPa table, 8 none, other values full tables", &T::KPRINT),
    S("KGAUGE", "-", "above 0: a gauge record follows", &T::KGAUGE),
};

const Field kGauge[] = {
    S("PSETPR", "-", "proving-ring setting: 0 readings include the ram thrust less the ram weight", &T::PSETPR),
    S("CPCON", "kg/cm2", "cell-pressure gauge constant", &T::CPCON),
    S("CPSLOP", "kg/cm2/psi", "cell-pressure gauge slope", &T::CPSLOP),
    S("PPCON", "kg/cm2", "pore-pressure gauge constant", &T::PPCON),
    S("PPSLOP", "kg/cm2/unit", "pore-pressure gauge slope", &T::PPSLOP),
    S("WTCAP", "kgf", "top-cap weight", &T::WTCAP),
    S("WTXTR", "kgf", "extra load weight", &T::WTXTR),
    S("DIALK", "cm/div", "strain-dial constant; 0 means 0.00254", &T::DIALK),
    S("CSLFPR", "cc/min/(kg/cm2)", "leakage coefficient", &T::CSLFPR),
};

const Field kShortSpecimen[] = {
    S("CELLPR", "psi", "cell pressure as read from the gauge", &T::CELLPR),
    S("PRCNEW", "kgf/div", "above 0: new proving-ring constant", &T::PRCNEW),
    S("MASS", "g", "specimen mass", &T::MASS),
    S("WCINL", "-", "initial water content (ratio)", &T::WCINL),
    S("GS", "-", "specific gravity of the solids", &T::GS),
    S("D", "cm", "specimen diameter", &T::D),
    S("H", "cm", "specimen height", &T::H),
    S("EXTM", "kgf/cm", "membrane modulus", &T::EXTM),
    S("PM", "cm", "membrane dimension used with EXTM", &T::PM),
    S("DHFRB", "cm", "height change of consolidation; 0 means none given", &T::DHFRB),
    S("PCFPSD", "cm", "perimeter covered by filter-paper side drains", &T::PCFPSD),
    S("ACTKFP", "kgf/cm", "filter-paper constant", &T::ACTKFP),
    S("ALPHA", "deg", "inclination of the failure plane to the horizontal (45: no shear plane)", &T::ALPHA),
    S("WCFIN", "-", "final water content (ratio)", &T::WCFIN),
    S("KVOL", "-", "volume change: 1 none, 2 burette only, other fully corrected; KDATA 2: start time in min", &T::KVOL),
    S("KNEWDS", "-", "above 0: a new data-set header follows this test", &T::KNEWDS),
    S("RNREAD", "-", "number of reading records", &T::RNREAD),
    S("KOPT", "-", "1 or 2: seating correction; 2 or 3: a coefficient record follows", &T::KOPT),
};

const Field kCoefficient[] = {
    S("COEF01", "kg/cm2", "pore-pressure coefficient, constant term", &T::COEF01),
    S("COEF1M", "-", "pore-pressure coefficient of the reading PP", &T::COEF1M),
    S("COEF2M", "-", "pore-pressure coefficient of the auxiliary reading PPAUX", &T::COEF2M),
};

const Field kFull1[] = {
    S("WCOATA", "g", "coated specimen weighed in air; above 7800: not measured", &T::WCOATA),
    S("WCINL", "-", "initial water content (ratio)", &T::WCINL),
    S("WCFIN", "-", "final water content (ratio)", &T::WCFIN),
    S("WSPINL", "g", "initial specimen weight", &T::WSPINL),
    S("WSPFIN", "g", "final specimen weight", &T::WSPFIN),
    S("D", "cm", "specimen diameter", &T::D),
    S("DREF", "cm", "reference diameter; not 0: diameter from the dial", &T::DREF),
    S("DDIAL0", "0.001 in", "diameter dial, zero reading", &T::DDIAL0),
    S("DDIAL1", "0.001 in", "diameter dial, first reading", &T::DDIAL1),
    S("DDIAL2", "0.001 in", "diameter dial, second reading", &T::DDIAL2),
    S("H", "cm", "specimen height", &T::H),
    S("GS", "-", "specific gravity of the solids", &T::GS),
    S("ZEROM", "as read", "zero reading of the pore-pressure instrument", &T::ZEROM),
    S("FRACA", "-", "area at the start of shear over the initial area", &T::FRACA),
    S("KFRACA", "-", "not 0: FRACA formed from DHFRA", &T::KFRACA),
    S("DHFRA", "cm", "height change of consolidation", &T::DHFRA),
    S("ALPHA", "deg", "inclination of the failure plane to the horizontal", &T::ALPHA),
    S("TFLPR", "g", "printed with the apparatus constants", &T::TFLPR),
    S("CELLPR", "psi", "cell pressure as read from the gauge", &T::CELLPR),
    S("CPCON", "kg/cm2", "cell-pressure gauge constant", &T::CPCON),
    S("CPSLOP", "kg/cm2/psi", "cell-pressure gauge slope", &T::CPSLOP),
    S("ZEROLF", "psi", "pore-pressure zero reading for PARA2 between 2 and 3", &T::ZEROLF),
    S("CSLFPR", "cc/min/(kg/cm2)", "leakage coefficient", &T::CSLFPR),
    S("EXTM", "kgf/cm", "membrane modulus", &T::EXTM),
    S("PM", "cm", "membrane dimension used with EXTM", &T::PM),
    S("PCFPSD", "cm", "perimeter covered by filter-paper side drains", &T::PCFPSD),
    S("MASS", "g", "specimen mass", &T::MASS),
    S("WTARE", "g", "coated-volume method: weight added to MASS", &T::WTARE),
    S("WCOATW", "g", "coated specimen weighed submerged", &T::WCOATW),
    S("VCORR0", "cc", "coated-volume method: volume correction", &T::VCORR0),
    S("DMANR", "as read", "pore-pressure range reading for PARA2 = 2", &T::DMANR),
};

const Field kRecord2[] = {
    S("WTCAP", "kgf", "top-cap weight", &T::WTCAP),
    S("WTXTR", "kgf", "extra load weight", &T::WTXTR),
    S("ACTKFP", "kgf/cm", "filter-paper constant", &T::ACTKFP),
    S("SPARE1", "-", "read and ignored", &T::SPARE1),
    S("SPARE2", "-", "read and ignored", &T::SPARE2),
    S("SEATF1", "-", "seating factor", &T::SEATF1),
    S("SEATF2", "-", "seating factor", &T::SEATF2),
};

const Field kRecord3[] = {
    S("TESTNO", "-", "test serial number", &T::TESTNO),
    S("FAILMD", "-", "failure mode number", &T::FAILMD),
    S("EXTC0", "0.001 in", "dial reading", &T::EXTC0),
    S("KEXTC", "-", "1 or more: compute EXTCLI", &T::KEXTC),
    S("DIALST", "0.001 in", "dial reading", &T::DIALST),
    S("KBSTN", "-", "1 or more: compute BSTNCL and RBGTS3", &T::KBSTN),
    S("DIALSM", "0.001 in", "dial reading", &T::DIALSM),
    S("W3T4", "g", "weight of a grain fraction", &T::W3T4),
    S("W3T8", "g", "weight of a second grain fraction", &T::W3T8),
    S("KGRAIN", "-", "1 or more: compute the grain-fraction percentages", &T::KGRAIN),
    S("STNRAT", "in/min", "strain rate", &T::STNRAT),
    S("KDWC", "-", "1 or more: water-content change as DWCPCU, DEGCON computed", &T::KDWC),
    S("PPSAT", "kg/cm2", "pore pressure reference", &T::PPSAT),
    S("WCSTS", "-", "water content compared with WCINL", &T::WCSTS),
    S("KWCSTS", "-", "1 or more: compute DWCSTS", &T::KWCSTS),
    S("RNREAD", "-", "number of reading records", &T::RNREAD),
    S("KVOL", "-", "volume change: 1 none, 2 burette only, other fully corrected", &T::KVOL),
};

const Field kSpecial1[] = {
    S("WCOATA", "g", "coated specimen weighed in air; above 7800: not measured", &T::WCOATA),
    S("MASS", "g", "specimen mass", &T::MASS),
    S("WTARE", "g", "coated-volume method: weight added to MASS", &T::WTARE),
    S("WCOATW", "g", "coated specimen weighed submerged", &T::WCOATW),
    S("VCORR0", "cc", "coated-volume method: volume correction", &T::VCORR0),
    S("WCINL", "-", "initial water content (ratio)", &T::WCINL),
    S("WSPFIN", "g", "final specimen weight", &T::WSPFIN),
    S("WWTOP", "g", "wet weight of the top water-content sample with container", &T::WWTOP),
    S("WWMID", "g", "wet weight of the middle sample with container", &T::WWMID),
    S("WWBOT", "g", "wet weight of the bottom sample with container", &T::WWBOT),
    S("WWLE", "g", "wet weight of the LE sample with container", &T::WWLE),
    S("WDTOP", "g", "dry weight of the top sample with container", &T::WDTOP),
    S("WDMID", "g", "dry weight of the middle sample with container", &T::WDMID),
    S("WDBOT", "g", "dry weight of the bottom sample with container", &T::WDBOT),
    S("WDLE", "g", "dry weight of the LE sample with container", &T::WDLE),
    S("KCONT", "-", "container set: below 2 first set, 2 or more second set", &T::KCONT),
    S("D", "cm", "specimen diameter", &T::D),
    S("H", "cm", "specimen height", &T::H),
    S("GS", "-", "specific gravity of the solids", &T::GS),
    S("ZEROM", "as read", "zero reading of the pore-pressure instrument", &T::ZEROM),
    S("FRACA", "-", "area at the start of shear over the initial area", &T::FRACA),
    S("ALPHA", "deg", "inclination of the failure plane to the horizontal", &T::ALPHA),
    S("TFLPR", "g", "printed with the apparatus constants", &T::TFLPR),
    S("CELLPR", "psi", "cell pressure as read from the gauge", &T::CELLPR),
    S("DMANR", "as read", "pore-pressure range reading for PARA2 = 2", &T::DMANR),
    S("EXTM", "kgf/cm", "membrane modulus as read (halved for the test)", &T::EXTM),
    S("CSLFPR", "cc/min/(kg/cm2)", "leakage coefficient", &T::CSLFPR),
    S("PM", "cm", "membrane dimension used with EXTM", &T::PM),
    S("PCFPSD", "cm", "perimeter covered by filter-paper side drains", &T::PCFPSD),
    S("WSPINL", "g", "initial specimen weight", &T::WSPINL),
    S("ZEROLF", "psi", "pore-pressure zero reading for PARA2 between 2 and 3", &T::ZEROLF),
};

const Field kShortReading[] = {
    C("TDAY", "d", "day of the reading", &RT::TDAY),
    C("THOUR", "h", "hour of the reading", &RT::THOUR),
    C("TMIN", "min", "minute of the reading", &RT::TMIN),
    C("VOLRD1", "cc", "burette 1 reading", &RT::VOLRD1),
    C("VOLRD2", "cc", "burette 2 reading", &RT::VOLRD2),
    C("KBUR", "-", "burette selector: 2 or more selects burette 2", &RT::KBUR),
    C("PP", "as read", "pore-pressure reading", &RT::PP),
    C("SDIAL", "div", "strain dial", &RT::SDIAL),
    C("PRDIAL", "div", "proving-ring dial", &RT::PRDIAL),
    C("PARA3", "-", "1 or more: reading past the appearance of the shear plane", &RT::PARA3),
    C("KPPCF", "-", "above 0: pore pressure by the coefficient formula (KDATA 1)", &RT::KPPCF),
    C("PPAUX", "as read", "auxiliary pore-pressure reading", &RT::PPAUX),
};

const Field kFullReading[] = {
    C("APSIG3", "psi", "applied cell pressure", &RT::APSIG3),
    C("TDAY", "d", "day of the reading", &RT::TDAY),
    C("THOUR", "h", "hour of the reading", &RT::THOUR),
    C("TMIN", "min", "minute of the reading", &RT::TMIN),
    C("VOLRD1", "cc", "burette 1 reading", &RT::VOLRD1),
    C("VOLRD2", "cc", "burette 2 reading", &RT::VOLRD2),
    C("KBUR", "-", "burette selector: 2 or more selects burette 2", &RT::KBUR),
    C("PP", "as read", "pore-pressure reading", &RT::PP),
    C("PARA2", "-", "kind of pore-pressure reading: below 2, 2, above 2 up to 3, above 3", &RT::PARA2),
    C("SDIAL", "div", "strain dial", &RT::SDIAL),
    C("PRDIAL", "div", "proving-ring dial", &RT::PRDIAL),
    C("PARA3", "-", "1 or more: reading past the appearance of the shear plane", &RT::PARA3),
};

const Field kFreeReading[] = {
    C("SDIAL", "div", "strain dial", &RT::SDIAL),
    C("PRDIAL", "div", "proving-ring dial", &RT::PRDIAL),
};

const Record kRecords[] = {
    {"data-set header", "(9F8.0)", kHeader},
    {"gauge record", "(9F8.0)", kGauge},
    {"short-form specimen record", "(9F8.0)", kShortSpecimen},
    {"coefficient record", "(9F8.0)", kCoefficient},
    {"full-form specimen record 1", "(9F8.0)", kFull1},
    {"full-form specimen record 2", "(9F8.0)", kRecord2},
    {"full-form specimen record 3", "(9F8.0)", kRecord3},
    {"special specimen record 1", "(8F10.0)", kSpecial1},
    {"special specimen record 2", "(8F10.0)", kRecord2},
    // The special apparatus carries no KVOL: only the first 16 fields.
    {"special specimen record 3", "(8F10.0)", std::span<const Field>(kRecord3).first(16)},
    {"short-form reading", "(6F4.0,6F8.0)", kShortReading, true},
    {"full-form reading", "(8F4.0,4F8.0)", kFullReading, true},
    {"special reading", "(8F5.0,4F10.0)", kFullReading, true},
    {"free-format reading", "free format", kFreeReading, true},
};

const Record* const kAll[] = {&kRecords[0], &kRecords[1], &kRecords[2],  &kRecords[3],  &kRecords[4],
                              &kRecords[5], &kRecords[6], &kRecords[7],  &kRecords[8],  &kRecords[9],
                              &kRecords[10], &kRecords[11], &kRecords[12], &kRecords[13]};

}  // namespace

const Record& dataset_header() { return kRecords[0]; }
const Record& gauge_record() { return kRecords[1]; }
const Record& short_specimen() { return kRecords[2]; }
const Record& coefficient_record() { return kRecords[3]; }
const Record& full_specimen_1() { return kRecords[4]; }
const Record& full_specimen_2() { return kRecords[5]; }
const Record& full_specimen_3() { return kRecords[6]; }
const Record& special_specimen_1() { return kRecords[7]; }
const Record& special_specimen_2() { return kRecords[8]; }
const Record& special_specimen_3() { return kRecords[9]; }
const Record& short_reading() { return kRecords[10]; }
const Record& full_reading() { return kRecords[11]; }
const Record& special_reading() { return kRecords[12]; }
const Record& free_reading() { return kRecords[13]; }

std::span<const Record* const> all_records() { return kAll; }

const control::Layout& layout_of(const Record& rec) {
  // One parsed layout per distinct layout text, made on first use.
  static const auto layouts = [] {
    std::map<std::string_view, std::unique_ptr<control::Layout>> m;
    for (const Record* r : kAll) {
      if (r->layout.front() == '(' && !m.count(r->layout)) {
        m.emplace(r->layout, std::make_unique<control::Layout>(r->layout));
      }
    }
    return m;
  }();
  return *layouts.at(rec.layout);
}

}  // namespace velmor::datafile
