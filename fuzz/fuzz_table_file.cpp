// A table characteristic file (*.dat) for every input type that takes one.
#include <memory>
#include <string_view>

#include "docs/line_buffer.h"
#include "fuzz/fuzz_support.h"
#include "sensors/sensor_range.h"
#include "sensors/table_file.h"
#include "sensors/user_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorta;
  if (size < 1) return 0;
  static const int kTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
  const int charTyp = kTypes[data[0] % 20];
  docs::TLineBuffer lines;
  lines.SetText(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  sensors::TSensorRangeTable ranges;
  static auto table = std::make_unique<sensors::TUserTable>();
  *table = sensors::TUserTable{};
  sensors::TTableParse result;
  if (sensors::ParseTableFile(lines.Lines(), charTyp, ranges, *table, result)) {
    sensors::TableSpanSufficient(*table, charTyp);
    sensors::SetTableLimits(*table, ranges);
  }
  return 0;
}
