// Reading a printed PDF back in tests, through poppler's pdftotext.
#pragma once

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace pdf_text {

// What the shell command writes to standard output.
inline std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

// The lines of each page as pdftotext reads them, trailing blanks cut and
// empty lines after the last text dropped.
inline std::vector<std::vector<std::string>> Pages(const std::string& pdf) {
  std::vector<std::vector<std::string>> pages;
  std::stringstream all(RunCommand("pdftotext -layout '" + pdf + "' -"));
  std::string page;
  while (std::getline(all, page, '\f')) {
    std::vector<std::string> lines;
    std::stringstream ps(page);
    std::string line;
    while (std::getline(ps, line)) {
      line.erase(line.find_last_not_of(' ') + 1);
      lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (!lines.empty()) pages.push_back(lines);
  }
  return pages;
}

struct Word {
  std::string text;
  double x_min, y_min, x_max, y_max;  // points from the page's top left
};

// The words in pdftotext's -bbox output, in reading order, with their boxes.
inline std::vector<Word> WordsIn(const std::string& html) {
  const std::regex word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  for (std::sregex_iterator i(html.begin(), html.end(), word), end; i != end; ++i)
    words.push_back(
        {(*i)[5], std::stod((*i)[1]), std::stod((*i)[2]), std::stod((*i)[3]), std::stod((*i)[4])});
  return words;
}

// The words of the PDF in reading order, with their boxes.
inline std::vector<Word> Words(const std::string& pdf) {
  return WordsIn(RunCommand("pdftotext -bbox '" + pdf + "' -"));
}

struct Page {
  double width, height;  // points
  std::vector<Word> words;
};

// Each page's size and words.
inline std::vector<Page> PagesWithWords(const std::string& pdf) {
  const std::string html = RunCommand("pdftotext -bbox '" + pdf + "' -");
  const std::regex page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
  std::vector<Page> pages;
  size_t from = 0;
  for (std::sregex_iterator i(html.begin(), html.end(), page), end; i != end; ++i) {
    if (!pages.empty()) {
      const std::string body = html.substr(from, i->position() - from);
      pages.back().words = WordsIn(body);
    }
    pages.push_back({std::stod((*i)[1]), std::stod((*i)[2]), {}});
    from = i->position() + i->length();
  }
  if (!pages.empty()) pages.back().words = WordsIn(html.substr(from));
  return pages;
}

}  // namespace pdf_text
