// The write plan.
#include "app/write_plan.h"

namespace vorta::app {

TWritePlan PlanWrite(const TWriteInput& in) {
  if (in.connectedModel != in.setModel)
    return {TWriteKind::kRefused, "Type of transmitter inconsistency", false};
  if (!in.complete) return {TWriteKind::kTextsOnly, {}, in.othersMarked};
  if (in.textsMarked && !in.othersMarked) return {TWriteKind::kTextsOnly, {}, false};
  return {TWriteKind::kFull, {}, false};
}

}  // namespace vorta::app
