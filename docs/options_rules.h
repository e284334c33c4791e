// What OK in the general options dialog does with what was typed and chosen: the language, the
// password, or the dialog staying open with a message. The window loads the language afterwards.
#pragma once

#include <optional>
#include <string>

namespace vorta::docs {

struct TOptionsInput {
  std::string language;                 // the current language
  std::optional<std::string> selected;  // the entry chosen in the list, none when nothing is
  std::string password;                 // the current user password
  std::string oldTyped;                 // "Old:"
  std::string newTyped;                 // "New:"
  std::string newAgain;                 // the new password once more
};

enum class TOptionsVerdict { kCancel, kStay, kAccept };

struct TOptionsOutcome {
  TOptionsVerdict verdict = TOptionsVerdict::kCancel;
  std::string language;  // the language to load on kAccept
  std::string password;  // the password from now on (kAccept)
  // kStay: the English text of the message ("Wrong password!" is built from its two keys by the
  // window) and which fields are emptied.
  enum class TWhy { kNone, kWrongPassword, kNewPasswordsDiffer, kNewPasswordInvalid } why = TWhy::kNone;
};

// The password is checked before anything changes; a wrong old password keeps the dialog open and
// changes nothing. Nothing selected keeps the current language. With the language unchanged and
// no old password typed the dialog closes as cancelled. A new password must be typed twice alike
// and be a valid password (1..30 printable characters); an empty new one keeps the password.
TOptionsOutcome DecideOptions(const TOptionsInput& in);

}  // namespace vorta::docs
