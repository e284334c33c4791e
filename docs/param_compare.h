// Two parameter sets field by field, as the compare window and "vorta-cli diff" show them: one row
// per field (device, sensor, connection, conversion, table file, range, filter, burnout, mains,
// corrections, tag, text), named as the report names it in the user's language, each side's value
// as text, and whether the two differ in what a write would send.
#pragma once

#include <string>
#include <vector>

#include "app/param_set.h"
#include "docs/lang_list.h"

namespace vorta::docs {

struct TCompareRow {
  std::string id;    // a fixed English name for machine-readable output ("range", "tag", ...)
  std::string name;  // the field's name in the user's language
  std::string left, right;
  bool differs = false;
};

// The rows of a beside b. Numbers are compared within 0.000001 and shown with all their digits,
// so a difference is always visible; texts are compared exactly.
std::vector<TCompareRow> CompareParamSets(const app::TParamSet& a, const app::TParamSet& b,
                                          const TLangList& lang);

// How many rows differ.
int DifferingRows(const std::vector<TCompareRow>& rows);

}  // namespace vorta::docs
