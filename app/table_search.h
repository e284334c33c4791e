// Where the table file that a characteristic names is looked for: in the folder the last search
// ended in, then in the program's folder, then in its "Tables" folder (or "Tablice" where there is
// no "Tables"). The search never changes the process's working folder; the folder it ended in is
// kept by the caller for the next search, so a user who keeps tables elsewhere is asked only once.
#pragma once

#include <string>
#include <string_view>

namespace vorta::app {

struct TTableSearch {
  std::string path;  // the table file found; empty when it was not found
  std::string dir;   // the folder the search ended in, found or not: the next search starts there
};

// Looks for the bare file name name; an empty name is never found.
TTableSearch FindTableFile(std::string_view name, const std::string& lastDir, const std::string& programDir);

}  // namespace vorta::app
