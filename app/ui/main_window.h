// The main window: menus, toolbar, status bar, the parameter fields and the measurement panel.
// Handlers are named after their control and event; each one is thin and calls the core.
#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/chart_view_rules.h"
#include "app/config_history.h"
#include "app/connection_tracker.h"
#include "app/param_set.h"
#include "app/ui/message_box.h"
#include "comm/sent_image.h"
#include "comm/transfer_runner.h"
#include "platform/port_trouble.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;
class QToolBar;
class QToolButton;

namespace vorta::docs {

class TParametryF;
}
namespace vorta::comm {

class TWiadomosc;
class TLineLogWindow;
}
namespace vorta::charts {

class TXYChart;
}

namespace vorta::app {

struct TParamSet;

class TVortaF : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the whole start-up of the window (init); Started() is false when the splash was escaped.
  explicit TVortaF(QWidget* parent = nullptr, bool showSplash = true);
  ~TVortaF() override;

  bool Started() const { return started_; }

  // How the window opens the line at start: comm::OpenLine on the port by default; tests hand in
  // the simulated transmitter. An empty function puts the default back.
  using LineOpener = std::function<bool(int port)>;
  static void SetLineOpener(LineOpener opener);

  // Status bar panel 0: a blank and the text.
  void StatBarTxt(const QString& text);
  QString StatusText() const;
  void ShowCaption();
  // Enables or disables the menus of the reduced layouts; off also hides status bar and toolbar.
  void EnDisMenu(bool on);
  // Records the window position into the settings (before every message box and dialog).
  void RecordPosition();
  // The current parameter file name ("No_name" text while untitled).
  QString FileName() const { return fileName_; }

  // Menu handlers.
  void Nowy1Click();
  void Otworz1Click();
  void Zachowaj1Click();
  void Zapiszjako1Click();
  void Exit1Click();
  void MonOnly1Click();
  void Pasek1Click();
  void Status1Click();
  void Autoread1Click();
  void Danetech1Click();
  void Wersja1Click();
  void Info1Click();
  // Line log (View menu): opens the line log window, or brings the open one to the front.
  void LineLog1Click();
  comm::TLineLogWindow* LineLogWindow() const { return lineLog_; }
  // The simulation window for the parameter set, encoded into scratch copies.
  void Symulacja1Click();

  // The parameter report, the general options and the manual.
  void Drukuj1Click();
  void PrintSetup1Click();
  // "Save report as PDF...": the printed page as a PDF file, without a printer.
  void ZapiszPdf1Click();
  // Options > General; on OK the main window and every open window take the new language.
  void Ogolne1Click();
  void RelabelOpenWindows();
  // The manual at the page of front (F1; Help > Help gives the main window's page).
  void HelpFor(QWidget* front, const std::string& page = {});
  void InstallHelpKey();

  // "New": the parameter set and the window back to the no-parameters state.
  void odnowa();
  // Field looks: 1 grey, 2 white (all nine), 3 aqua (numeric fields), 4 aqua (all nine).
  void kolory(int mode);
  // One field's look: 1 grey, 2 white, 3 aqua.
  void SetFieldLook(QWidget* field, int mode);
  // Applies the language to every caption, text and hint, then redisplays or performs "New".
  void FormLang();
  void Timer1Timer();
  // One tick of the live display: the measurement, the connection tracking, the silence.
  void LiveTick();
  void EnableTransmitterCommands();

  // Workflows of the transmitter.
  using TransferRun = std::function<bool(const comm::ProgressCallback&)>;
  // Runs one block transfer with the busy banner and the progress in the status bar.
  bool showiad(const QString& message, const TransferRun& run);
  bool Odczyt(int readMode, const QString& message);
  void OdczytajTClick();
  void Odswierz1Click();
  void ZapiszTClick();
  void WriteTexts(bool othersWaiting);
  void WriteFull(int connectedModel);
  void Zapisane();
  void Weryfikuj1Click();
  void Reset1Click();
  bool CheckParam(bool tableNeeded, bool quiet);
  void CheckDevice();
  // Shows the parameter set; colourMode 0 leaves the field looks alone.
  void pokaz(int colourMode);
  void dispABSy();
  // Completes missing characteristic data; true while they stay incomplete.
  bool nietypo();
  // The folder the next table search starts in (the working folder at start).
  void SetTableDir(const std::string& dir) { tableDir_ = dir; }
  // Editors.
  void MinInputEExit();
  void MaxInputEExit();
  void FiltrZakresEExit();
  void FiltrCzasEExit();
  void FiltrLimitEExit();
  void FiltrLimitEChange();
  void FiltrLimitUpDownClick(bool up);
  void BurnoutEChange(int index);
  void SiecEChange(int index);
  void KodEChange();
  void OgolneEChange();
  void FiltrDobierzClick();
  // Validates the field being edited, as leaving it would.
  void ValidateFocusedField();

  // Sensor selection (main_window_sensors.cpp): the Select button and Configuration > Sensors,
  // and the transmitter type choice it asks first when no model is known.
  void SenSelClick();
  bool TypSelect();

  void showres(double value);
  void showout(double current);
  void CheckAutoRead();
  // Opens the line on ComPort at 9600 baud with polling; the message when it fails.
  bool OpenLineAtStart();

  // The serial port and the service windows: the port dialog, the password prompt in front of the
  // corrections and diagnostics windows, the port in use on the status bar, and the reopening of
  // a port that failed beneath the program (an unplugged adapter).
  void Komunikacja1Click();
  void Regulacja1Click();
  // Opens the line on port with polling, through the opener tests may set; why says why not.
  bool OpenPortLine(int port, platform::TPortOpenError* why);
  // Once per tick of Timer1: closes a line that has failed and opens its port again every 2 s.
  void WatchLine();
  // The port in use (or being reopened) on the status bar.
  void ShowPortPanel();
  bool LineLost() const { return lineLost_; }
  // The configuration history (main_window_history.cpp): keeps the set after a read or a write,
  // warning once a run when it cannot; File > "Compare..." beside a parameter file.
  void KeepHistory(THistoryEvent event);
  void Compare1Click();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolbar();
  void BuildStatusBar();
  void BuildCentral();
  QWidget* BuildSensorGroup();
  QWidget* BuildParamGroup();
  QWidget* BuildInfoGroup();
  QWidget* BuildMeasurePanel();
  void FormKeyDown(int key);
  void UpdateKeyPanels();
  void FixSize();
  void SetReadButtonImage();
  // While a transfer runs every other transmitter command is refused with a beep.
  bool RefuseWhileBusy();
  bool Marked(const QWidget* field) const;
  void ClearValuePanels();
  void SetResultFont(bool fault);
  QToolButton* ButtonOf(QAction* a) const;
  void ConnectEditors();
  bool EditorFocusOut(QObject* watched);
  void EditFailed(QWidget* field, BeepKind beep, const QString& text, int kind);
  void RangeEExit(QLineEdit* field, bool minimum);
  void RangeEChange(QLineEdit* field, const QString& saved);
  void ShowRangeFields();
  bool CompletePowerSeries();
  void EnableFields(bool complete);
  void ClearFields();
  void BeginBusy(const QString& message);
  void EndBusy();
  void LoadTable(const std::string& path);
  void SaveAs();
  bool SaveTo(const QString& file);
  QAction* MakeAction(const char* name, void (TVortaF::*handler)(), const QKeySequence& shortcut = {});
  void BuildPortPanel();
  void OpenServiceWindow();
  // Faults found by trying the window: unsaved changes, a replaced range, the status while the
  // transmitter is silent, automatic reading of a transmitter that comes back, fitting the screen.
  bool AnyFieldMarked() const;
  bool MayDiscardChanges();
  void ReportReplacedRange(const TNormalised& replaced);
  QString ShownStatus() const;
  bool SameTransmitterBack();
  void FitOnScreen();
  void Settle();
  // The printer of the report, kept from Print setup to Print.
  QPrinter& Printer();
  // Shows the parameter set after an accepted selection, marking what it changed.
  void ShowSelection(const TParamSet& before);

  bool started_ = false;
  QString fileName_;
  QString logFileName_;
  bool capsOn_ = false, numOn_ = false, insOn_ = false;
  bool monitorOnly_ = false;
  TConnectionTracker tracker_;
  const QEvent* lastKey_ = nullptr;
  quint64 lastKeyTime_ = 0;
  QSize normalSize_;
  comm::TWiadomosc* busyWindow_ = nullptr;
  QString savedMin_, savedMax_;  // the texts the program last wrote into the range fields
  bool validating_ = false;      // a validation message is up: focus changes do not validate again
  std::string tableDir_;         // where the last table search ended
  comm::TSentImage sent_;        // what the transmitter was last sent, for Verify
  bool changesKept_ = true;      // no field was changed since the set was read, opened, saved or written
  bool noCommShown_ = false;     // the status says the transmitter does not answer
  bool readBeforeLoss_ = false;  // the configuration had been read when the transmitter went silent
  bool autoReadDone_ = false;    // the automatic read was settled since the transmitter came back
  // The port and the line beneath it.
  QLabel* PortPanel = nullptr;
  std::string portPath_;    // the path the line was opened on (a link in ports/, or the device)
  std::string portDevice_;  // the device behind it
  bool lineLost_ = false;   // the line failed beneath the program: its port is opened again
  int reopenWaitMs_ = 0;    // until the next attempt
  bool historyWarned_ = false;  // the history's failure was said this run
  QAction* Compare1 = nullptr;  // File > "Compare..."

  // Menus and their entries.
  QMenu *Plik1 = nullptr, *Konfig1 = nullptr, *Ustawienia1 = nullptr, *Widok1 = nullptr, *Opcje1 = nullptr,
        *Pomoc1 = nullptr;
  QAction *Nowy1 = nullptr, *Otworz1 = nullptr, *Zachowaj1 = nullptr, *Zapiszjako1 = nullptr,
          *Drukuj1 = nullptr, *PrintSetup1 = nullptr, *Exit1 = nullptr;
  QAction *Odczytaj1 = nullptr, *Zapisz1 = nullptr, *Weryfikuj1 = nullptr, *Odswierz1 = nullptr,
          *Czujniki1 = nullptr, *Reset1 = nullptr, *Regulacja1 = nullptr;
  QAction *Wykres1 = nullptr, *Symulacja1 = nullptr, *MonOnly1 = nullptr, *Pasek1 = nullptr,
          *Status1 = nullptr;
  QAction *Ogolne1 = nullptr, *Komunikacja1 = nullptr, *Autoread1 = nullptr;
  QAction *Danetech1 = nullptr, *Wersja1 = nullptr, *Info1 = nullptr;
  // Toolbar buttons (separate controls with their own enabling).
  QToolBar* ToolBar1 = nullptr;
  QAction *NowyT = nullptr, *OtworzT = nullptr, *ZachowajT = nullptr, *DrukujT = nullptr,
          *OdczytajT = nullptr, *ZapiszT = nullptr, *KomunikacjaT = nullptr, *RegulacjaT = nullptr,
          *Wykres1T = nullptr;

  // Status bar panels.
  QLabel *StatPanel0 = nullptr, *StatPanel2 = nullptr, *StatPanel3 = nullptr, *StatPanel4 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // The parameter groups (sensor, parameters, information) in one widget, held by a scroll area.
  QScrollArea* ParamScroll = nullptr;
  QWidget* ParamGroups = nullptr;
  // Sensor group.
  QGroupBox* SensorG = nullptr;
  QPushButton* SenSel = nullptr;
  QLabel* SensorT = nullptr;
  // Parameters group.
  QGroupBox *ParametryG = nullptr, *Filtry = nullptr;
  QLabel *ZakresTxt = nullptr, *Minimum = nullptr, *Maksimum = nullptr, *JednostkiE = nullptr,
         *JednostkiE1 = nullptr, *AbsMinE = nullptr, *AbsMaxE = nullptr;
  QLineEdit *MinInputE = nullptr, *MaxInputE = nullptr;
  QLabel *FiltrZakresTxt = nullptr, *FiltrCzasTxt = nullptr, *FiltrLimitTxt = nullptr;
  QLineEdit *FiltrZakresE = nullptr, *FiltrCzasE = nullptr, *FiltrLimitE = nullptr;
  QToolButton *FiltrLimitUp = nullptr, *FiltrLimitDown = nullptr;
  QPushButton* FiltrDobierz = nullptr;
  QLabel *Reakcja = nullptr, *SiecTxt = nullptr;
  QComboBox *BurnoutE = nullptr, *SiecE = nullptr;
  QLabel *RegulT = nullptr, *RegulZT = nullptr, *RegulGT = nullptr, *RegulZV = nullptr, *RegulGV = nullptr;
  QToolButton* RegulacjaPic = nullptr;
  // Info group.
  QGroupBox* Info = nullptr;
  QLabel *KodTxt = nullptr, *SerialTxt = nullptr, *DataTxt = nullptr, *OgolneTxt = nullptr,
         *SerialE = nullptr, *DataE = nullptr;
  QLineEdit *KodE = nullptr, *OgolneE = nullptr;
  // Measurement panel.
  QFrame* WynikP = nullptr;
  QLabel *nResult = nullptr, *nOutput = nullptr, *Wynikp = nullptr, *Outputp = nullptr;

  QTimer* Timer1 = nullptr;
  std::unique_ptr<docs::TParametryF> ParametryF;

  // Line log: its View menu entry and the open window (it deletes itself when closed).
  QAction* LineLog1 = nullptr;
  comm::TLineLogWindow* lineLog_ = nullptr;
  // The report: its PDF entry and the printer (shared_ptr: destroyed where QPrinter is known).
  QAction* ZapiszPdf1 = nullptr;
  std::shared_ptr<QPrinter> printer_;

  // The chart view and the measurement log (main_window_chart.cpp, main_window_chart_log.cpp).
 public:
  void Wykres1Click();
  bool ChartViewOn() const { return chartOn_; }
  void WykresPlot(double value, double current);
  void XYChart1NeedLinesY(charts::TXYChart* sender, double& value, charts::TColor& color, bool& finished);
  void LineRBClick();
  void DotRBClick();
  void BarRBClick();
  void ShowFilterCBClick();
  void StopScalingCBClick();
  void WykresStartBClick();
  void WykresClearBClick();
  void WykresIntEChange();
  void WykresIntUDClick(bool up);
  void SavingIDblClick();
  // File > "Keep results" / "Stop saving" while the chart view is on.
  void KeepResultsClick();
  bool Logging() const { return logging_; }
  QString LogFileName() const { return logFileName_; }

 private:
  QWidget* BuildChartView();
  QWidget* BuildChartControls();
  QWidget* BuildChartPanel();
  void ShowChartView(bool on);
  // Read with the status bar shown for its duration (the chart view hides it).
  void ReadShowingStatusBar();
  // The same from the timer tick: the timer stays stopped until the tick ends.
  void ReadFromTick();
  bool ReadForFilterLines();
  void StartLog();
  void AppendLog(std::int64_t elapsedMs, double value, double current);
  void SaveChartPicture();
  QString ChartHint(const charts::TDataPoint& point) const;

  bool chartOn_ = false;
  bool chartStart_ = true;  // the next plotted tick starts a new time base
  bool plotting_ = true;    // "Stop" on the start button
  double chartStartSeconds_ = 0;  // on the chart's monotonic clock
  QDateTime chartStartWall_;      // the same moment by the wall clock, for the log header
  TSampleColours sampleColours_;
  bool logging_ = false;
  int intervalPosition_ = 1;  // WykresIntUD, 0..99
  QFrame *WykresP1 = nullptr, *WykresP2 = nullptr;
  QLabel *NewAvLED = nullptr, *NewAvT = nullptr, *LargeErLED = nullptr, *LargeErT = nullptr;
  QCheckBox *ShowFilterCB = nullptr, *StopScalingCB = nullptr;
  QRadioButton *LineRB = nullptr, *DotRB = nullptr, *BarRB = nullptr;
  QLabel* WykresIntT = nullptr;
  QLineEdit* WykresIntE = nullptr;
  QWidget* WykresIntUD = nullptr;
  charts::TXYChart* XYChart1 = nullptr;
  QLabel *SavingI = nullptr, *WykresTimeT = nullptr;
  QPushButton *WykresStartB = nullptr, *WykresClearB = nullptr, *WykresExitB = nullptr;
};

// The main window while it exists.
TVortaF* VortaF();

}  // namespace vorta::app
