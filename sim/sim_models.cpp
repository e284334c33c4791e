// Model table of the simulated transmitter: type index, filter step and input ranges per model code.
#include "sim/sim_models.h"

#include <array>

namespace vorta::sim {

namespace {

// Type indexes follow the host's model code table (47, 48, 49, 37, 38, 39, 60, 90, 97 for 0..8).
// Models 47..49 keep no current or voltage range of their own (zero).
constexpr std::array<TSimModel, 9> kModels{{
    {47, 0, 0.2, {0, 0}, {0, 0}},
    {48, 1, 0.2, {0, 0}, {0, 0}},
    {49, 2, 0.2, {0, 0}, {0, 0}},
    {37, 3, 0.09, {-220, 220}, {-110, 110}},
    {38, 4, 0.09, {-220, 220}, {-110, 110}},
    {39, 5, 0.09, {-220, 220}, {-110, 110}},
    {60, 6, 0.09, {0, 0}, {-100, 100}},
    {90, 7, 0.08, {0, 0}, {0, 100}},
    {97, 8, 0.08, {0, 10000}, {0, 2500}},
}};

}  // namespace

std::span<const TSimModel> SimModels() {
  return kModels;
}

const TSimModel* FindSimModel(int code) {
  for (const TSimModel& m : kModels)
    if (m.code == code) return &m;
  return nullptr;
}

}  // namespace vorta::sim
