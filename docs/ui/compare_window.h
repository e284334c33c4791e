// The compare window: the current parameter set beside a parameter file or history entry, field
// by field, the differences marked. It only shows; nothing in it changes the set.
#pragma once

#include <QDialog>
#include <vector>

#include "docs/param_compare.h"

class QLabel;
class QTableWidget;

namespace vorta::docs {

class TCompareF : public QDialog {
  Q_OBJECT
 public:
  // leftTitle and rightTitle head the two value columns.
  TCompareF(const std::vector<TCompareRow>& rows, const QString& leftTitle, const QString& rightTitle,
            QWidget* owner);

  QTableWidget* Rows() const { return RowsT; }
  QLabel* Summary() const { return SummaryT; }
  // Whether row i is marked as a difference.
  bool Marked(int row) const;

 private:
  QTableWidget* RowsT = nullptr;
  QLabel* SummaryT = nullptr;
};

}  // namespace vorta::docs
