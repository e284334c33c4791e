// Port failure messages.
#include "comm/ui/port_messages.h"

#include <cstring>

#include "comm/port_list.h"
#include "docs/ui/lang.h"

namespace vorta::comm {

QString PortFailureText(int port, const platform::TPortOpenError& why) {
  // The number goes in as text: a translation is never used as a format.
  QString text = QString::fromStdString(docs::PortFailedText(docs::LangList(), port)) + "!";
  const TTroubleLine line = PortTroubleLine(why);
  if (line.key.empty()) return text;
  QString reason = QString::fromStdString(docs::LTOrKey(line.key))
                       .replace("%s", QString::fromStdString(line.path))
                       .replace("%g", QString::fromStdString(line.group));
  if (why.trouble == platform::PortTrouble::kOther && why.error != 0)
    reason += " (" + QString::fromLocal8Bit(std::strerror(why.error)) + ")";
  return text + "\n" + reason + ".";
}

}  // namespace vorta::comm
