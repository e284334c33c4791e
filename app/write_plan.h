// What Write does with the parameter set: a full write, a write of the tag and free text only, or
// nothing, and why. Decided from what the window knows before anything is encoded.
#pragma once

#include <string>

namespace vorta::app {

enum class TWriteKind { kFull, kTextsOnly, kRefused };

struct TWritePlan {
  TWriteKind kind = TWriteKind::kFull;
  std::string refusal;         // language key of why nothing is written
  bool othersWaiting = false;  // a texts-only write leaves other marked changes unwritten
};

struct TWriteInput {
  bool complete = false;      // the parameters are shown and their characteristic data complete
  int connectedModel = 0;     // model code of the transmitter on the line (0: unknown)
  int setModel = 0;           // model code of the parameter set
  bool textsMarked = false;   // the tag or the free text was changed
  bool othersMarked = false;  // any other field was changed
};

// Incomplete parameters write only the texts; a transmitter of another model than the set's is
// refused; changed texts beside no other change write only the texts; anything else is a full write.
TWritePlan PlanWrite(const TWriteInput& in);

}  // namespace vorta::app
