// The link's beep hook.
#include "comm/beep.h"

#include <mutex>

namespace vorta::comm {

namespace {

std::mutex& HandlerLock() {
  static std::mutex lock;
  return lock;
}

LinkBeepHandler& Handler() {
  static LinkBeepHandler handler;
  return handler;
}

}  // namespace

LinkBeepHandler SetLinkBeepHandler(LinkBeepHandler handler) {
  std::lock_guard lock(HandlerLock());
  LinkBeepHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void Beep(LinkBeep kind) {
  LinkBeepHandler handler;
  {
    std::lock_guard lock(HandlerLock());
    handler = Handler();
  }
  if (handler) handler(kind);
}

}  // namespace vorta::comm
