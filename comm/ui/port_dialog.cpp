// Layout and handlers of the port dialog.
#include "comm/ui/port_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "app/ui/message_box.h"
#include "comm/comm_state.h"
#include "comm/protocol.h"
#include "comm/ui/port_messages.h"
#include "comm/ui/port_source.h"
#include "docs/ui/lang.h"
#include "platform/port_links.h"
#include "platform/port_names.h"

namespace vorta::comm {

using docs::Lt;

namespace {

// The port being left rests this long before another one is opened.
constexpr int kSwitchPauseMs = 1000;
constexpr int kSwitchStepMs = 100;

template <typename T>
T* Named(T* w, const char* name) {
  w->setObjectName(name);
  return w;
}

}  // namespace

TPortS::TPortS(QWidget* owner, std::uint16_t& port, bool& rtPriority, Opener opener)
    : QDialog(owner), port_(port), rtPriority_(rtPriority), opener_(std::move(opener)) {
  setObjectName("PortS");
  setWindowTitle(Lt("Serial port"));
  auto* layout = new QVBoxLayout(this);
  Wybierz = Named(new QLabel(Lt("Select"), this), "Wybierz");
  ListaRS = Named(new QComboBox(this), "ListaRS");
  ListaRS->setMinimumContentsLength(36);
  ListaRS->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  RelPriorB = Named(new QCheckBox(Lt("Force highest priority"), this), "RelPriorB");
  RelPriorB->setToolTip(Lt("Use when other processes disturb communication"));
  Panel2 = Named(new QFrame(this), "Panel2");
  auto* panel = new QVBoxLayout(Panel2);
  Wiadomosc1 = Named(new QLabel(Lt("Switching the serial port"), Panel2), "Wiadomosc1");
  Wiadomosc2 = Named(new QLabel(Lt("Please wait") + "...", Panel2), "Wiadomosc2");
  panel->addWidget(Wiadomosc1);
  panel->addWidget(Wiadomosc2);
  Panel2->hide();
  OKbutt = Named(new QPushButton("OK", this), "OKbutt");
  OKbutt->setDefault(true);
  Cancelbutt = Named(new QPushButton(Lt("Cancel"), this), "Cancelbutt");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKbutt);
  buttons->addWidget(Cancelbutt);
  layout->addWidget(Wybierz);
  layout->addWidget(ListaRS);
  layout->addWidget(RelPriorB);
  layout->addWidget(Panel2);
  layout->addLayout(buttons);
  connect(OKbutt, &QPushButton::clicked, this, &TPortS::OKbuttClick);
  connect(Cancelbutt, &QPushButton::clicked, this, &TPortS::CancelbuttClick);
  if (owner) {
    const double scale = owner->logicalDpiX() / 96.0;
    move(owner->x() + static_cast<int>(100 * scale), owner->y() + static_cast<int>(120 * scale));
  }
  ListPorts();
}

void TPortS::ListPorts() {
  ListaRS->clear();
  entries_ = BuildPortList(PortDevices(), platform::ListPortLinks(platform::PortsDir()));
  for (const TPortEntry& e : entries_) ListaRS->addItem(QString::fromStdString(PortEntryText(e)));
  // With no entry of the port in use the first is offered; the port itself stays what it is
  // until another one has really been opened.
  const int index = PortIndexOf(entries_, port_);
  ListaRS->setCurrentIndex(index >= 0 ? index : (entries_.empty() ? -1 : 0));
  RelPriorB->setChecked(rtPriority_);
}

void TPortS::SwitchingShown(bool shown) {
  Panel2->setVisible(shown);
  Wiadomosc1->setVisible(shown);
  Wiadomosc2->setVisible(shown);
}

void TPortS::OKbuttClick() {
  int p = port_;
  const int index = ListaRS->currentIndex();
  if (index >= 0 && index < static_cast<int>(entries_.size()))
    p = entries_[static_cast<std::size_t>(index)].number;
  const bool polling = Comm().PollStarted;
  if (polling && p == port_) {
    rtPriority_ = RelPriorB->isChecked();
    accept();
    return;
  }
  if (polling) {
    SwitchingShown(true);
    QApplication::processEvents();
    QElapsedTimer since;
    since.start();
    CloseLine();
    while (since.elapsed() < kSwitchPauseMs) {
      QThread::msleep(kSwitchStepMs);
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }
  platform::TPortOpenError why;
  if (opener_(p, &why)) {
    port_ = static_cast<std::uint16_t>(p);
    rtPriority_ = RelPriorB->isChecked();
    accept();
    return;
  }
  app::MessageBeep(app::BeepKind::kAsterisk);
  app::MyMesM(PortFailureText(p, why), app::kIconNone, this);
  SwitchingShown(false);
  ListaRS->setFocus();
}

void TPortS::CancelbuttClick() {
  reject();
}

}  // namespace vorta::comm
