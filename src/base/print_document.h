// A laid-out print: pages of texts and lines in points. The core lays it out; the platform shows,
// prints or saves it.
#pragma once

#include <string>
#include <vector>

namespace tabulon {

// Every text is set in one monospaced face (Courier in the PDF), so a text's width is its
// character count times kCharWidth times the size: columns line up without font metrics.
inline constexpr double kCharWidth = 0.6;

struct PrintText {
  double x = 0;         // left edge, points from the left of the page
  double baseline = 0;  // points from the top of the page
  double size = 8;
  bool bold = false;
  std::string text;  // UTF-8, already cut to fit
};

struct PrintLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // points from the top left
};

struct PrintPage {
  std::vector<PrintText> texts;
  std::vector<PrintLine> lines;
};

struct PrintDocument {
  std::string title;   // also the PDF's title
  double width = 842;  // A4 landscape by default
  double height = 595;
  std::vector<PrintPage> pages;
  // The PDF of the same pages, for "Als PDF speichern".
  std::string pdf;
  // The file name offered when saving it.
  std::string pdf_name;
};

}  // namespace tabulon
