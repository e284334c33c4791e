// The simulation window TSymulF: the written transfer function drawn as output against input, with
// the operating point moved by the input bar, the output bar, the two edits or a drag on the plot.
// It shows the signal in its unit, the result in the range's unit and the output current, and
// beside the result the sensor's own curve at the same signal with the difference, the error the
// 200 segments leave. It works on a parameter set and a characteristic handed to it (scratch
// copies the caller encoded) and changes nothing outside itself.
#pragma once

#include <QDialog>
#include <string>

#include "app/param_set.h"
#include "sensors/characteristic.h"
#include "sensors/sensor_range.h"
#include "sensors/simulation.h"
#include "sensors/user_table.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;
class QVBoxLayout;

namespace vorta::charts {

class TWykresXY;
}

namespace vorta::service {

class TSymulF : public QDialog {
  Q_OBJECT
 public:
  // p: the parameter set the characteristic c was computed for (input range, unit, sensor code);
  // table and ranges: what the sensor's curve is evaluated with. All must outlive the window.
  TSymulF(QWidget* owner, const app::TParamSet& p, const sensors::TCharacteristic& c,
          const sensors::TUserTable& table, const sensors::TSensorRangeTable& ranges);

  // The state for x percent of the input, and for the output fraction y.
  void InpDisp(double x);
  void OutDisp(double y);
  // Clears the plot and draws the 201 breakpoints.
  void FormPaint();

  void InputSChange(int position);
  void OutputSChange(int position);
  void InputEChange();
  void OutputEChange();
  void Timer1Timer();
  void Timer2Timer();
  void WykresXY1Click();
  // A drag on the plot: the input at the plot's X.
  void WykresXY1Drag(double x, double y);

  double CurInput() const { return point_.inputPercent; }
  double CurCurrent() const { return point_.current; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void BuildGroups(QVBoxLayout* side);
  void SetTexts();
  void Place(QWidget* owner);
  void Show(const sensors::TSimPoint& p);
  void ShowReference();
  void MoveBars();
  // The accepted entry of an edit, or the message of a refused one; the edit shows the value.
  bool TakeEntry(QLineEdit* edit, double lo, double hi, double& value);
  void SetEditText(QLineEdit* edit, double value);
  std::string ValueText(double v, int extraDecimals = 0) const;

  app::TParamSet p_;
  const sensors::TUserTable& table_;
  const sensors::TSensorRangeTable& ranges_;
  sensors::TSimTable sim_;
  sensors::TSimRange range_;
  sensors::TSimPoint point_;
  std::string signalUnit_;
  bool busy_ = false;

  charts::TWykresXY* WykresXY1 = nullptr;
  QScrollBar *InputS = nullptr, *OutputS = nullptr;
  QGroupBox *InputGB = nullptr, *ResultGB = nullptr, *OutputGB = nullptr, *CurveGB = nullptr;
  QLineEdit *InputE = nullptr, *OutputE = nullptr;
  QLabel *InputJT = nullptr, *Input1T = nullptr, *ResultP = nullptr, *ResultJT = nullptr, *OutputJT = nullptr;
  QLabel *CurveP = nullptr, *CurveJT = nullptr, *DiffT = nullptr, *DiffP = nullptr, *DiffJT = nullptr;
  QTimer *Timer1 = nullptr, *Timer2 = nullptr;
};

}  // namespace vorta::service
