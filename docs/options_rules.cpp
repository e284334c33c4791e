// The rules of OK in the general options dialog.
#include "docs/options_rules.h"

#include "app/settings.h"

namespace vorta::docs {

TOptionsOutcome DecideOptions(const TOptionsInput& in) {
  using TWhy = TOptionsOutcome::TWhy;
  TOptionsOutcome out;
  out.language = in.selected && !in.selected->empty() ? *in.selected : in.language;
  out.password = in.password;
  if (out.language == in.language && in.oldTyped.empty()) return out;  // nothing asked for
  out.verdict = TOptionsVerdict::kStay;
  if (!in.oldTyped.empty()) {
    if (in.oldTyped != in.password) {
      out.why = TWhy::kWrongPassword;
      return out;
    }
    if (!in.newTyped.empty()) {
      if (in.newAgain != in.newTyped) {
        out.why = TWhy::kNewPasswordsDiffer;
        return out;
      }
      if (!app::ValidPassword(in.newTyped)) {
        out.why = TWhy::kNewPasswordInvalid;
        return out;
      }
      out.password = in.newTyped;
    }
  }
  out.verdict = TOptionsVerdict::kAccept;
  return out;
}

}  // namespace vorta::docs
