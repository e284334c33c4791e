// The page of the user manual that tells about a window, for F1: the manual is a folder of HTML
// pages named after their topics.
#pragma once

#include <string>
#include <string_view>

namespace vorta::docs {

// The page (file name with an optional "#section") for a window's class name (namespaces are
// ignored, "vorta::app::TOgolneF" is "TOgolneF") or, when the class is unknown, its object name.
// Windows the manual has no page of give "index.html".
std::string HelpPageOf(std::string_view className, std::string_view objectName = {});

// Whether name is one of the manual's pages (a plain file name ending in ".html", no folder).
bool ValidHelpPage(std::string_view name);

}  // namespace vorta::docs
