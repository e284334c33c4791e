// The thermometer dialog's rules.
#include "sensors/wybor_rules.h"

#include "sensors/selection_models.h"

namespace vorta::sensors {

int ConnectionShown(int tryb, bool fourWireAllowed) {
  if (tryb == 2 || tryb == 3) return tryb;
  if (tryb == 4 && fourWireAllowed) return 4;
  return fourWireAllowed ? 4 : 3;
}

TRtdPage RtdPageFor(const app::TSensorCode& code, int model) {
  TRtdPage page;
  page.typ = code.Typ >= 1 && code.Typ <= 4 ? code.Typ : 1;
  page.fourWire = FourWireAllowed(model);
  page.tryb = ConnectionShown(code.Tryb, page.fourWire);
  page.lin = code.Lin == 2;
  return page;
}

TTcPage TcPageFor(const app::TSensorCode& code, bool tableLoaded, bool cjcShown, bool tempDiffShown) {
  TTcPage page;
  page.cjc = cjcShown;
  page.tempDiff = tempDiffShown;
  switch (code.Tryb) {
    case 5:
      page.tempDiff = true;
      page.cjc = false;  // the two are never both checked
      break;
    case 6:
      page.cjc = false;
      break;
    case 7:
      page.cjc = true;
      page.tempDiff = false;
      break;
    default:
      page.cjc = true;
      page.tempDiff = false;
  }
  page.lin = code.Lin == 2;
  page.typ = code.Typ >= 6 && code.Typ <= 15 ? code.Typ : 6;
  page.modesEnabled = !(page.typ == 15 && !tableLoaded);
  return page;
}

int ThermocoupleTryb(bool tempDiff, bool cjc) {
  if (tempDiff) return 5;
  return cjc ? 7 : 6;
}

bool UserTableAllowsCjc(const TUserTable& table, const TRangeRow& userRange) {
  if (userRange.lo >= userRange.hi || userRange.lo > 0) return false;
  const int n = table.Count();
  if (n < 1) return false;
  int i0 = 1;
  while (i0 < n && table[i0].x < 0) ++i0;
  int i1 = i0;
  while (i1 < n && table[i1].x < 60) ++i1;
  return table[i1].x >= 60 && i1 - i0 >= 11;
}

void ApplyWybor(const TWyborChoice& choice, int typAtOpening, app::TParamSet& p,
                const TSensorRangeTable& ranges, std::string_view today) {
  p.Code.Typ = static_cast<std::uint8_t>(choice.typ);
  p.Code.Tryb = static_cast<std::uint8_t>(choice.tryb);
  p.Code.Lin = static_cast<std::uint8_t>(choice.lin);
  p.P.Jednostki = 8;
  if (choice.typ == kUserRangeRow || choice.typ != typAtOpening) {
    p.P.MinInput = ranges.Lo(choice.typ);
    p.P.MaxInput = ranges.Hi(choice.typ);
    p.P.FiltrLimit = p.P.FiltrZakres = p.P.FiltrCzas = 0;
    p.P.ZeroReg = p.P.GainReg = 0.0;
  }
  if (choice.typ != kUserRangeRow) {
    p.TableLoaded = false;
    p.CharTyp = 0;
  }
  app::SetText(p.data, today, app::kDateCap);
}

}  // namespace vorta::sensors
