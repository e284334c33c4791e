// The message handler of the core routines.
#include "app/messages.h"

#include <utility>

namespace vorta::app {
namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

int ShowMessage(const std::string& text, int kind) {
  if (Handler()) return Handler()(text, kind);
  return (kind & 0x0F) == kButtonsYesNo ? kResultNo : kResultOk;
}

}  // namespace vorta::app
