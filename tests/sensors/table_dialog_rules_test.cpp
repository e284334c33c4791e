// The table dialog's rules: the example, the summary of a loaded table, the unit choice, the line
// shown after a failure and whether the table covers the range.
#include "sensors/table_dialog_rules.h"

#include "test_support.h"

namespace vorta::sensors {
namespace {

class TableDialogRules : public testing::SensorTest {};

TEST_F(TableDialogRules, ExampleNamesTheSignalOfTheInput) {
  const std::vector<std::string> lines = TableExampleLines(5, "Example");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "; Example:");
  EXPECT_EQ(lines[2],
            ";  t[\xC2\xB0"
            "C]   R[Ohm]");
  EXPECT_EQ(lines[4], "    1.0    0.01");
  EXPECT_EQ(TableExampleLines(17, "x")[2],
            ";  t[\xC2\xB0"
            "C]   I[mA]");
  EXPECT_EQ(TableExampleLines(19, "x")[2],
            ";  t[\xC2\xB0"
            "C]   I[mA]");
  EXPECT_EQ(TableExampleLines(15, "x")[2],
            ";  t[\xC2\xB0"
            "C]   V[mV]");
}

TEST_F(TableDialogRules, SummaryShowsTheEndsSortedAndTheCount) {
  SetTable({{100, 4}, {50, 12.5}, {0.25, 20}});
  const TTableSummary s = SummariseTable(table());
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.inMin, "4.000");
  EXPECT_EQ(s.inMax, "20.000");
  EXPECT_EQ(s.resMin, "0.2");
  EXPECT_EQ(s.resMax, "100");
  EXPECT_EQ(PointText(s.first), "100; 4.000");
  EXPECT_EQ(PointText(s.last), "0.2; 20.000");
  table().SetCount(0);
  EXPECT_EQ(SummariseTable(table()).count, 0);
  EXPECT_EQ(SummariseTable(table()).inMin, "");
}

TEST_F(TableDialogRules, UnitChoiceAndTheFailedLine) {
  EXPECT_FALSE(ResultUnitSelectable(15, 47));
  EXPECT_FALSE(ResultUnitSelectable(15, 49));
  EXPECT_TRUE(ResultUnitSelectable(15, 39));
  EXPECT_TRUE(ResultUnitSelectable(5, 47));
  EXPECT_EQ(LineToSelect(-1), -1);
  EXPECT_EQ(LineToSelect(1), -1);
  EXPECT_EQ(LineToSelect(2), 2);
}

TEST_F(TableDialogRules, CoverageOfTheRangeWithinAMillionth) {
  ranges()[kUserRangeRow] = {0, 1000};
  Configure(5, 2, 2, 0, 100);
  EXPECT_TRUE(TableCoversRange(p(), ranges()));
  Configure(5, 2, 2, -0.0000005, 100.0000005);
  EXPECT_TRUE(TableCoversRange(p(), ranges()));
  Configure(5, 2, 2, -0.1, 100);
  EXPECT_FALSE(TableCoversRange(p(), ranges()));
  Configure(5, 2, 2, 0, 100.1);
  EXPECT_FALSE(TableCoversRange(p(), ranges()));
}

}  // namespace
}  // namespace vorta::sensors
