// The chart view's measurement log (File > "Keep results" / "Stop saving", the logging picture) and
// the saving of the chart's picture.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include "app/chart_log.h"
#include "app/sensor_code.h"
#include "app/settings.h"
#include "app/ui/app_state.h"
#include "app/ui/file_dialogs.h"
#include "app/ui/main_window.h"
#include "charts/ui/xy_chart.h"
#include "comm/comm_state.h"
#include "docs/par_file.h"
#include "docs/ui/lang.h"

namespace vorta::app {

using docs::Lt;

namespace {

// The locale's long time format, without the time zone the platform adds to it.
QString LongTime(const QDateTime& t) {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove('t');
  return t.time().toString(format.trimmed());
}

}  // namespace

void TVortaF::KeepResultsClick() {
  if (logging_) {
    SavingIDblClick();
  } else {
    StartLog();
  }
}

void TVortaF::StartLog() {
  Timer1->stop();
  RecordPosition();
  const QString chosen =
      FileDialogs().SaveFile(this, QString::fromStdString(Settings().DataDir), logFileName_,
                             Lt("Data files") + " (*.txt);;" + Lt("All files") + " (*)", "txt");
  if (!chosen.isEmpty()) {
    logFileName_ = chosen;
    const QDateTime start = chartStartWall_.isValid() ? chartStartWall_ : QDateTime::currentDateTime();
    TLogHeader h;
    h.date = start.date().toString("dd.MM.yyyy").toStdString();
    h.time = LongTime(start).toStdString();
    h.timeLabel = docs::LT("Time");
    h.resultLabel = docs::LT("Result");
    h.outputLabel = docs::LT("Output");
    h.unit = std::string(UnitName(comm::Comm().Status.UnitIndex));
    if (WriteLogHeader(chosen.toStdString(), h)) {
      Settings().DataDir = docs::DataDirOf(QFileInfo(chosen).absoluteFilePath().toStdString());
      SavingI->show();
      logging_ = true;
      Zapiszjako1->setText(Lt("&Stop saving"));
    } else {
      MyMesM(Lt("Cannot open file") + ":\r" + chosen, kIconWarning, this);
    }
  }
  Timer1->start();
}

void TVortaF::AppendLog(std::int64_t elapsedMs, double value, double current) {
  const std::string line = LogLineText(elapsedMs, value, current, docs::LocaleDecimalSeparator());
  if (AppendLogLine(logFileName_.toStdString(), line)) return;
  SavingIDblClick();
  MyMesM(Lt("Cannot open file") + ":\r" + logFileName_, kIconWarning, this);
}

void TVortaF::SavingIDblClick() {
  logging_ = false;
  SavingI->hide();
  if (chartOn_) Zapiszjako1->setText(Lt("&Keep results") + "...");
}

void TVortaF::SaveChartPicture() {
  Timer1->stop();
  RecordPosition();
  const QString chosen = FileDialogs().SaveFile(this, QString::fromStdString(Settings().DataDir), "chart.png",
                                                "PNG (*.png)", "png");
  if (!chosen.isEmpty() && !XYChart1->Picture().save(chosen, "PNG"))
    MyMesM(Lt("Cannot open file") + ":\r" + chosen, kIconWarning, this);
  Timer1->start();
}

}  // namespace vorta::app
