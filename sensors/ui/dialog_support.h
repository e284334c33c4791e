// What the sensor dialogs share: placement relative to the window that opened them, today's date
// as the parameter set keeps it, group captions, the unit box, and entry fields that are checked
// when they lose the focus or on Enter, with the refusal that puts the previous value back.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QComboBox;
class QLineEdit;
class QWidget;

namespace vorta::sensors {

QString Q(std::string_view s);
// Places dialog at the position of the owner's window plus an offset given at 96 pixels per inch,
// kept on the owner's screen.
void PlaceDialog(QWidget* dialog, const QWidget* owner, int dx, int dy);
// Places dialog beside the owner's window, on its right, dy lower (at 96 pixels per inch); on its
// left when there is no room on the right.
void PlaceBeside(QWidget* dialog, const QWidget* owner, int dy);
// Today in the short date format ("dd.mm.yyyy").
std::string Today();
// A group caption: the language text with a blank before and after.
QString GroupTitle(std::string_view key);
// The unit texts a result can have (" " .. "m3/h"), index selected.
void FillUnits(QComboBox* box, int index);

// A field that is checked when it loses the focus and on Enter, once after each edit. The focus
// going to one of the exempt widgets (the dialog's buttons, which check the field themselves
// before they act, or discard it) checks nothing, so one press never shows a refusal and then acts
// on the value put back. The check returns whether the text was taken; Enter after a refused text
// does not reach the dialog's default button.
class TEntryField : public QObject {
 public:
  using Check = std::function<bool()>;
  TEntryField(QLineEdit* field, Check check, QList<QWidget*> exempt = {});
  // Runs the check when the text was edited since the last one; true when nothing was refused.
  bool CheckNow();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QLineEdit* field_;
  Check check_;
  QList<QWidget*> exempt_;
};

// A refused entry: the beep, the message with the caption "Velmora" and the icon of kind, the
// previous text back and the focus returned to the field.
void Refuse(QLineEdit* field, const QString& previous, const QString& message, int kind);
// The focus back to a field after a message, its dialog made active again.
void ReturnFocus(QWidget* field);

}  // namespace vorta::sensors
