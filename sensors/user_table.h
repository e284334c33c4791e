// The user characteristic as a table: row 0 holds the number of points (x) and the index of the
// text line a table file parse stopped at (y); rows 1..n hold the points (x = value in engineering
// units, y = sensor signal), ascending or descending in x.
#pragma once

#include <array>

namespace vorta::sensors {

struct TTablePoint {
  double x = 0.0;
  double y = 0.0;
};

inline constexpr int kUserTableRows = 3000;

struct TUserTable {
  std::array<TTablePoint, kUserTableRows + 1> rows{};

  // Row count n from row 0, rounded and held within 0..3000.
  int Count() const;
  void SetCount(int n) { rows[0].x = n; }
  const TTablePoint& operator[](int i) const { return rows[static_cast<std::size_t>(i)]; }
  TTablePoint& operator[](int i) { return rows[static_cast<std::size_t>(i)]; }
  // x of the last point below x of the first.
  bool Descending() const { return Count() >= 2 && rows[static_cast<std::size_t>(Count())].x < rows[1].x; }
};

}  // namespace vorta::sensors
