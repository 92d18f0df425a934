#include "report/blocks.hpp"

#include <array>
#include <string>

namespace velmor::report {

using control::Layout;
using control::write;

namespace {

// A text of at least n characters, blank-padded on the right.
std::string padded(const std::string& s, std::size_t n) {
  std::string t = s;
  if (t.size() < n) t.resize(n, ' ');
  return t;
}

}  // namespace

// The file names are the 12-character name fields read at the console: a
// shorter name shows blank-padded to 12 characters.
void write_run_header(control::RecordSink& out, const TestState& S) {
  static const Layout L(
      "(' *** ',A,' :  ',A,' RUN ON VELMOR3 OF 6 July 2006 ***',/,TR5,58('-'),/)");
  const std::string outfil = padded(S.OUTFIL, 12);
  const std::string infile = padded(S.INFILE, 12);
  write(out, L, {outfil, infile});
}

void write_general_data(control::RecordSink& out, TestState& S) {
  static const Layout L(
      "(/,TR28,' GENERAL DATA ',/,TR29,12('-'),/,TR3,'CELL PRESS.GAUGE  PORE WATER PRESS.GAUGE   "
      "RAM AND TOP CAP VALUES ',/,TR3,16('-'),TR2,22('-'),TR3,13('-'),TR1,8('-'),/,'CONST=',F6.3,' "
      "KG/CM2   CONST =',F7.3,' KG/CM2 WT. =',F6.3,' KGF  PSETPR=',F3.0,/,'SLOPE=',F7.4,TR9,'SLOPE "
      "=',F7.4,TR8,'AREA=',F6.3,' CM2  PARREG=',F3.0)");
  static const Layout note(
      "(/,'*** NOTE: A 45-DEG INCL. OF FL. PL. TO HORIZ. IMPLIES THAT NO',/,TR10,'SUCH PLANE "
      "APPEARED.')");
  S.WTOT = (S.WTCAP + S.WTRAM) + S.WTXTR;
  write(out, L, {S.CPCON, S.PPCON, S.WTOT, S.PSETPR, S.CPSLOP, S.PPSLOP, S.ARAM, S.PARREG});
  write(out, note, {});
}

void write_title_lead_in(control::RecordSink& out) {
  static const Layout L("(/,/,/)");
  write(out, L, {});
}

void write_title_line(control::RecordSink& out, const TestState& S) {
  static const Layout indented("(TR23,20A4)");
  static const Layout plain("(20A4)");
  // The title as 20 words of 4 characters, blanks included.
  std::string title = S.TITLE.substr(0, 80);
  title.resize(80, ' ');
  const std::string_view t(title);
  std::array<control::OutItem, 20> words{
      "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""};
  for (std::size_t k = 0; k < 20; ++k) words[k] = t.substr(4 * k, 4);
  write(out, S.KDATA >= 7 ? indented : plain, std::span<const control::OutItem>(words));
}

namespace {

void write_short_form_blocks(control::RecordSink& out, const TestState& S) {
  static const Layout coef(
      "(/,'COEF01=',F9.5,TR5,'COEF1M=',F10.7,TR7,'COEF2M=',F10.7)");
  static const Layout props(
      "(/,TR11,'SAMPLE PROPERTIES',TR11,'APPARS./TEST PROPERTIES',/,TR11,17('-'),TR11,23('-'),/,"
      "'DIAM. =',F6.2,' CM*WATER CONT=',F6.3,TR6,'PR.RG.CONS=',F6.4,' KGF/DIV.',/,'HEIGHT=',F6.2,"
      "' CM***DENSITY =',F6.3,' G/CC CELL PRESS.=',F6.3,' KGF/CM2',/,'MASS  =',F7.1,' G*DG.OF "
      "SAT.=',F6.3,TR6,'E MOD.R.MEM=',F5.2,' KGF/CM',/,'INCLINATION OF FL.PL.TO HO.=',F5.1,' DEG   "
      "PERIMETER OF FPSD =',F5.1,' CM',/,'FRACT.OF INL.AREA BEF.SHEAR=',F8.5,/,'VOID "
      "RATIO=',F6.3,'  POROSITY=',F6.3)");
  if (S.KOPT == 2 || S.KOPT == 3) write(out, coef, {S.COEF01, S.COEF1M, S.COEF2M});
  write(out, props,
        {S.D, S.WCINL, S.PRCONS, S.H, S.DENSBK, S.CELLPR, S.MASS, S.SATINL, S.EXTM, S.ALPA,
         S.PCFPSD, S.FRACA, S.VOIDRI, S.VORINL});
}

void write_full_form_blocks(control::RecordSink& out, const TestState& S) {
  static const Layout constants(
      "(/,' APPARATUS CONSTANTS',TR8,'SPEC.DIMENSIONS  SPEC. INL.PS.  FIN. W/C    "
      "CHANGES',TR9,'TEST RESULTS',TR9,'MEM./DRAINS',/,TR1,19('-'),TR8,15('-'),TR2,15('-'),TR3,"
      "8('-'),TR4,7('-'),TR9,12('-'),TR9,11('-'),/,TR1,'P.R.CONST.=',F7.4,' KG/DIV  DIA.=',F6.2,"
      "' CM   W/C =',F6.3,TR7,'TOP=',F6.3,'  W/C(F-AV)=',F5.3,'   DV/VINL=',F8.5,TR5,'EXTM=',"
      "F5.3,'KG/CM',/,TR1,'ARAM =',F7.3,' CM2',TR10,'HT. =',F6.2,' CM   SR  =',F6.3,TR7,'MID=',"
      "F6.3,'  DWC=',F6.2,' %',TR6,'ALPHA=',F6.2,' DEG',TR5,'PM=',F6.2,' CM',/,TR1,'SLFPR=',"
      "F11.8,' CC/M/KC  HSOFSH=',F5.2,'CM',TR3,'DENS=',F6.3,' G/CC  BOT=',F6.3,'  DWSPEC=',F6.2,"
      "' G   (ALPHA=45 IMPLIES    PCFPSD=',F6.2,'CM',/,TR1,'DMANR=',F5.2,'  ZEROM=',F5.2,' "
      "ZEROLF=',F6.2,' PSI  POR =',F6.3,TR7,'LE =',F6.3,' TFLPR=',F5.2,' G',TR6,'NO SHEAR "
      "PLANE)',TR5,'GS =',F6.3,/)");
  static const Layout consolidation(
      "(/,' CONDITIONS AT END OF CONSOLIDATION: PORFIN=',F6.3,TR4,'VORINL=',F6.3,TR5,'DPOROS=',"
      "F7.2,'  %',/,TR37,'VOIDRF=',F6.3,TR4,'VOIDRI=',F6.3,TR5,'DVOIDR=',F7.2,'  %     "
      "CAVITY=',F6.2,'  %',/,/)");
  write(out, constants,
        {S.PRCONS, S.D,      S.WCINL, S.TOP,   S.WCFIN, S.DVVINL, S.EXTM,   S.ARAM,  S.H,
         S.SATINL, S.MID,    S.DWC,   S.ALPA,  S.PM,    S.CSLFPR, S.HSOFSH, S.DENSBK, S.BOT,
         S.DWSPEC, S.PCFPSD, S.DMANR, S.ZEROM, S.ZEROLF, S.VORINL, S.LE,    S.TFLPR, S.GS});
  write(out, consolidation,
        {S.PORFIN, S.VORINL, S.DPOROS, S.VOIDRF, S.VOIDRI, S.DVOIDR, S.CAVITY});
}

}  // namespace

void write_specimen_blocks(control::RecordSink& out, const TestState& S) {
  if (S.KDATA < 7) {
    write_short_form_blocks(out, S);
  } else {
    write_full_form_blocks(out, S);
  }
}

}  // namespace velmor::report
