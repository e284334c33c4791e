// Keys and clicks on a dialog's controls by object name, as a user gives them, for window tests
// that drive dialogs (usually inside a ModalDriver step).
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

namespace vorta::testing {

template <typename T = QWidget>
T* Control(QWidget* dialog, const char* name) {
  T* c = dialog->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// A mouse click on a button, or on the box of a radio button or check box (a layout may make such
// a button wider than its box and text, and a click beside them does nothing).
inline void Click(QWidget* dialog, const char* name) {
  auto* b = Control<QAbstractButton>(dialog, name);
  if (!b) return;
  const bool box = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
  QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, box ? QPoint(6, b->height() / 2) : b->rect().center());
}

// A click on tab index of the dialog's tab bar TabControl1.
inline void ClickTab(QWidget* dialog, int index) {
  if (auto* bar = Control<QTabBar>(dialog, "TabControl1"))
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

// Focus into the field, its text replaced by typing, then Tab to leave it.
inline void Type(QWidget* dialog, const char* name, const QString& text) {
  auto* e = Control<QLineEdit>(dialog, name);
  if (!e) return;
  e->setFocus();
  QApplication::processEvents();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, text);
  QTest::keyClick(e, Qt::Key_Tab);
  QApplication::processEvents();
}

inline QString Text(QWidget* dialog, const char* name) {
  if (auto* e = dialog->findChild<QLineEdit*>(name)) return e->text();
  if (auto* b = dialog->findChild<QAbstractButton*>(name)) return b->text();
  auto* l = Control<QLabel>(dialog, name);
  return l ? l->text() : QString();
}

inline bool Checked(QWidget* dialog, const char* name) {
  auto* b = Control<QAbstractButton>(dialog, name);
  return b && b->isChecked();
}

inline bool Enabled(QWidget* dialog, const char* name) {
  auto* w = Control(dialog, name);
  return w && w->isEnabled();
}

}  // namespace vorta::testing
