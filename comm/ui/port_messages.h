// The message of a port that could not be opened: "COM%d initialization failed!" and, on a line
// of its own, why (missing, permission with the owning group, held by another program, no serial
// port), in the user's language.
#pragma once

#include <QString>

#include "platform/port_trouble.h"

namespace vorta::comm {

QString PortFailureText(int port, const platform::TPortOpenError& why);

}  // namespace vorta::comm
