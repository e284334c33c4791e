// Reads a PDF file back with poppler's tools (scripts/deps.sh installs poppler-utils): its number
// of pages, its text, and where each word lies on the page, in points from the top left.
#pragma once

#include <stdio.h>

#include <regex>
#include <string>
#include <vector>

namespace vorta::testing {

// Output of a command, empty when it could not run.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    pclose(pipe);
  }
  return out;
}

inline std::string Quoted(const std::string& path) {
  std::string q = "'";
  for (const char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline int PdfPages(const std::string& path) {
  std::smatch m;
  const std::string info = CommandOutput("pdfinfo " + Quoted(path) + " 2>/dev/null");
  return std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(m[1]) : -1;
}

// The text line by line, each run of blanks as one blank: how many blanks pdftotext puts between
// two words depends on their distance, not on the text that was drawn.
inline std::string PdfText(const std::string& path) {
  const std::string raw = CommandOutput("pdftotext -layout " + Quoted(path) + " - 2>/dev/null");
  return std::regex_replace(raw, std::regex(" +"), " ");
}

struct TPdfWord {
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string text;
};

inline std::vector<TPdfWord> PdfWords(const std::string& path) {
  const std::string html = CommandOutput("pdftotext -bbox " + Quoted(path) + " - 2>/dev/null");
  const std::regex word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<TPdfWord> words;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
    words.push_back(
        {std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]), (*it)[5]});
  return words;
}

}  // namespace vorta::testing
