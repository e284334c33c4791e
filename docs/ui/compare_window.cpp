// Layout of the compare window.
#include "docs/ui/compare_window.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "docs/ui/lang.h"

namespace vorta::docs {
namespace {

const QColor kDifference(255, 214, 153);  // a difference stands out without hiding its text

QTableWidgetItem* Cell(const std::string& text, bool differs) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsEnabled);
  if (differs) {
    item->setBackground(kDifference);
    QFont f = item->font();
    f.setBold(true);
    item->setFont(f);
  }
  return item;
}

}  // namespace

TCompareF::TCompareF(const std::vector<TCompareRow>& rows, const QString& leftTitle,
                     const QString& rightTitle, QWidget* owner)
    : QDialog(owner) {
  setObjectName("CompareF");
  setWindowTitle(QString::fromStdString(LTOrKey("Compare")));
  auto* layout = new QVBoxLayout(this);

  const int differing = DifferingRows(rows);
  SummaryT = new QLabel(this);
  SummaryT->setObjectName("SummaryT");
  SummaryT->setText(differing == 0
                        ? QString::fromStdString(LTOrKey("No differences"))
                        : QString::fromStdString(LTOrKey("Differences")) + ": " + QString::number(differing));
  layout->addWidget(SummaryT);

  RowsT = new QTableWidget(static_cast<int>(rows.size()), 3, this);
  RowsT->setObjectName("RowsT");
  RowsT->setHorizontalHeaderLabels({QString(), leftTitle, rightTitle});
  RowsT->verticalHeader()->hide();
  RowsT->setSelectionMode(QAbstractItemView::NoSelection);
  RowsT->setEditTriggers(QAbstractItemView::NoEditTriggers);
  RowsT->setWordWrap(false);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const TCompareRow& r = rows[static_cast<std::size_t>(i)];
    RowsT->setItem(i, 0, Cell(r.name, r.differs));
    RowsT->setItem(i, 1, Cell(r.left, r.differs));
    RowsT->setItem(i, 2, Cell(r.right, r.differs));
  }
  RowsT->resizeColumnsToContents();
  RowsT->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(RowsT);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(QString::fromStdString(LTOrKey("Exit")));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  // Wide enough for every column, tall enough for every row, within the screen the owner is on.
  int width = RowsT->verticalHeader()->width() + 2 * RowsT->frameWidth() + 24;
  for (int c = 0; c < 3; ++c) width += RowsT->columnWidth(c);
  int height = RowsT->horizontalHeader()->height() + 2 * RowsT->frameWidth();
  for (int r = 0; r < RowsT->rowCount(); ++r) height += RowsT->rowHeight(r);
  RowsT->setMinimumSize(std::min(width, 1200), std::min(height, 700));
}

bool TCompareF::Marked(int row) const {
  const QTableWidgetItem* item = RowsT->item(row, 0);
  return item && item->font().bold();
}

}  // namespace vorta::docs
