// Layout of the splash window.
#include "app/ui/splash_window.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "docs/ui/lang.h"

namespace vorta::app {

Twitryna::Twitryna(QWidget* parent) : QDialog(parent) {
  setObjectName("witryna");
  const std::string title = docs::LTOrKey("Vorta Transmitter");
  setWindowTitle(QString::fromUtf8(title.c_str()));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(36, 28, 36, 20);
  title_ = new QLabel(QString::fromUtf8(title.c_str()), this);
  QFont big = title_->font();
  big.setPointSize(20);
  big.setBold(true);
  title_->setFont(big);
  title_->setAlignment(Qt::AlignCenter);
  auto* subtitle = new QLabel("Configurator", this);
  subtitle->setAlignment(Qt::AlignCenter);
  version_ = new QLabel(this);
  version_->setObjectName("Version");
  version_->setAlignment(Qt::AlignCenter);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKbutt");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(title_);
  layout->addWidget(subtitle);
  layout->addSpacing(8);
  layout->addWidget(version_);
  layout->addSpacing(12);
  layout->addWidget(ok, 0, Qt::AlignCenter);
}

void Twitryna::SetVersion(const QString& text) {
  version_->setText(text);
}

}  // namespace vorta::app
