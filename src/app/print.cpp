#include "app/print.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/pdf.h"
#include "app/registry.h"
#include "app/session.h"
#include "files/files.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

constexpr int kMinColumnChars = 3;
constexpr int kMaxColumnChars = 40;
constexpr int kMaxHeaderLines = 4;
constexpr double kPad = 2;

bool IsBlank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

int Chars(const std::string& s) { return static_cast<int>(text::CharCount(s)); }

// Cells are printed trimmed, as they are copied: blanks around a number only shift it.
std::string Trimmed(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

// Splits a text into lines of at most `width` characters at blanks; a longer word is cut.
std::vector<std::string> Wrap(const std::string& text, int width) {
  // What fits stays as it is, blanks included (protocol lines align with them).
  if (Chars(text) <= width) return text.empty() ? std::vector<std::string>{} : std::vector{text};
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t end = text.find(' ', i);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(i, end - i);
    i = end;
    if (word.empty()) break;
    while (Chars(word) > width) {
      if (!line.empty()) lines.push_back(std::move(line)), line.clear();
      std::string head = text::CutChars(word, width);
      lines.push_back(head);
      word = word.substr(head.size());
    }
    if (line.empty()) {
      line = word;
    } else if (Chars(line) + 1 + Chars(word) <= width) {
      line += " " + word;
    } else {
      lines.push_back(std::move(line));
      line = word;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

int LongestWord(const std::string& text) {
  int longest = 0;
  for (const std::string& w : Wrap(text, 1 << 20)) {
    std::size_t start = 0;
    while (start <= w.size()) {
      std::size_t end = w.find(' ', start);
      if (end == std::string::npos) end = w.size();
      longest = std::max(longest, Chars(w.substr(start, end - start)));
      start = end + 1;
    }
  }
  return longest;
}

// Places the title block shared by every page; returns the top of the space below it.
double TitleBlock(PrintPage& page, const PaperFormat& paper, const std::string& title,
                  const std::string& second_line) {
  const double big = paper.font_size + 4;
  double y = paper.margin + big;
  page.texts.push_back({paper.margin, y, big, true, title});
  y += paper.font_size * 1.8;
  page.texts.push_back({paper.margin, y, paper.font_size, false, second_line});
  return y + paper.font_size;
}

void Footer(PrintPage& page, const PaperFormat& paper, const std::string& text) {
  const double x = paper.width - paper.margin - Chars(text) * paper.font_size * kCharWidth;
  page.texts.push_back({x, paper.height - paper.margin, paper.font_size, false, text});
}

void NumberPages(PrintDocument& doc, const PaperFormat& paper) {
  const std::size_t n = doc.pages.size();
  for (std::size_t i = 0; i < n; ++i) {
    Footer(doc.pages[i], paper, "Seite " + std::to_string(i + 1) + " von " + std::to_string(n));
  }
}

}  // namespace

std::vector<std::string> FindingLines(const std::vector<FindingPlace>& findings) {
  std::vector<std::string> out;
  for (const FindingPlace& f : findings) {
    const std::string entry =
        "[" + std::to_string(f.entry) + "]  " + (f.table.empty() ? "" : f.table + "  |  ");
    out.push_back(f.col < 0 ? entry + "(betrifft keine einzelne Zelle)"
                            : entry + "Spalte: " + f.column_header + "  |  " + f.row_label);
  }
  return out;
}

ErrorProtocol PassedProtocol(const std::string& title) {
  ErrorProtocol p;
  p.caption = title;
  p.verdict_label = "Ergebnis:";
  p.verdict = kTestPassedMessage;
  return p;
}

std::string TablePrintTitle(const TableDef& def) {
  std::string title(def.title);
  const SheetDef* sheet = FindSheetOfDefinition(def.name);
  const TablePage* page = FindTablePage(def.sheet, def.table);
  if (sheet != nullptr && page != nullptr) {
    title += " (" + std::string(sheet->caption) + ": " + std::string(page->caption) + ")";
  }
  return title;
}

std::optional<PrintDocument> CurrentTableDocument(const Session& session, TableStore& store) {
  const TablePage* page = FindTablePage(session.current_sheet(), session.current_table());
  if (page == nullptr) return std::nullopt;
  const SheetDef& sheet = SheetOf(page->sheet);
  const TableDef* def = sheet.FindTableNumber(page->table);
  Grid* grid = def != nullptr ? store.FindGrid(def->name) : nullptr;
  if (grid == nullptr) return std::nullopt;
  const bool class_table = sheet.prefix != FilePrefix::kDstNr;
  PrintDocument doc = LayoutTable(*grid, {TablePrintTitle(*def), session.settings().dst_nr,
                                          class_table ? session.current_class() : "", TodayText()});
  doc.pdf = PdfBytes(doc);
  std::string name = session.settings().dst_nr + "_" + std::string(def->name);
  if (class_table) name = session.current_class() + "_" + std::string(def->name);
  doc.pdf_name = IsSafeNameComponent(name + ".pdf") ? name + ".pdf" : std::string("Tabelle.pdf");
  return doc;
}

PrintDocument ProtocolDocument(const ErrorProtocol& protocol,
                               const std::vector<FindingPlace>& findings) {
  PaperFormat portrait;
  std::swap(portrait.width, portrait.height);
  PrintDocument doc = LayoutProtocol(protocol, FindingLines(findings), TodayText(), portrait);
  doc.pdf = PdfBytes(doc);
  doc.pdf_name = "Protokoll.pdf";
  return doc;
}

std::string TodayText() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[16];
  std::strftime(buf, sizeof buf, "%d.%m.%Y", &tm);
  return buf;
}

PrintDocument LayoutTable(const Grid& grid, const TablePrintHeading& heading,
                          const PaperFormat& paper) {
  PrintDocument doc;
  doc.title = heading.title;
  doc.width = paper.width;
  doc.height = paper.height;
  const int fixed_rows = std::min(grid.FixedRows(), grid.RowCount());
  const int fixed_cols = std::min(grid.FixedCols(), grid.ColCount());
  const double cw = paper.font_size * kCharWidth;
  const double row_h = paper.font_size * 1.6;

  // Free rows at the end that hold nothing are not printed.
  int last_row = fixed_rows - 1;
  for (int r = fixed_rows; r < grid.RowCount(); ++r) {
    for (int c = 0; c < grid.ColCount(); ++c) {
      if (!IsBlank(grid.Cell(c, r))) last_row = r;
    }
  }

  // Each column as wide as its widest value and its longest title word, within bounds.
  std::vector<int> chars(grid.ColCount(), kMinColumnChars);
  for (int c = 0; c < grid.ColCount(); ++c) {
    int want = kMinColumnChars;
    for (int r = fixed_rows; r <= last_row; ++r) {
      want = std::max(want, Chars(Trimmed(grid.Cell(c, r))));
    }
    for (int r = 0; r < fixed_rows; ++r) {
      const std::string& title = grid.Cell(c, r);
      want = std::max(
          {want, LongestWord(title), (Chars(title) + kMaxHeaderLines - 1) / kMaxHeaderLines});
    }
    chars[c] = std::min(want, kMaxColumnChars);
  }
  const double usable_w = paper.width - 2 * paper.margin;
  auto width_of = [&](int c) { return chars[c] * cw + 2 * kPad; };
  double label_w = 0;
  for (int c = 0; c < fixed_cols; ++c) label_w += width_of(c);
  // The label columns never take more than half the paper: the widest is narrowed first.
  while (label_w > usable_w / 2 && fixed_cols > 0) {
    int widest = static_cast<int>(std::max_element(chars.begin(), chars.begin() + fixed_cols) -
                                  chars.begin());
    if (chars[widest] <= kMinColumnChars) break;
    --chars[widest];
    label_w -= cw;
  }

  // Column blocks: as many data columns as fit beside the label columns.
  std::vector<std::pair<int, int>> blocks;
  for (int c = fixed_cols; c < grid.ColCount();) {
    int end = c;
    double w = label_w + width_of(c);
    while (end + 1 < grid.ColCount() && w + width_of(end + 1) <= usable_w) w += width_of(++end);
    blocks.emplace_back(c, end);
    c = end + 1;
  }
  if (blocks.empty()) blocks.emplace_back(fixed_cols, fixed_cols - 1);

  // Header rows wrap their titles over up to four lines.
  std::vector<int> header_lines(fixed_rows, 1);
  for (int r = 0; r < fixed_rows; ++r) {
    for (int c = 0; c < grid.ColCount(); ++c) {
      const int n = static_cast<int>(Wrap(grid.Cell(c, r), chars[c]).size());
      header_lines[r] = std::max(header_lines[r], std::min(n, kMaxHeaderLines));
    }
  }
  double header_h = 0;
  for (int n : header_lines) header_h += n * paper.font_size * 1.2 + 2 * kPad;

  std::string second = "DST-Nr.: " + heading.dst_nr;
  if (!heading.class_id.empty()) second += "   Klasse: " + heading.class_id;
  second += "   Datum: " + heading.date;

  const double title_h = paper.font_size * 4.6;
  const double body_h = paper.height - 2 * paper.margin - title_h - header_h - row_h * 1.5;
  const int rows_per_page = std::max(1, static_cast<int>(std::floor(body_h / row_h)));
  const int body_rows = last_row - fixed_rows + 1;
  const int row_pages = std::max(1, (body_rows + rows_per_page - 1) / rows_per_page);

  for (std::size_t b = 0; b < blocks.size(); ++b) {
    std::vector<int> cols;
    cols.reserve(static_cast<std::size_t>(fixed_cols + blocks[b].second - blocks[b].first + 1));
    for (int c = 0; c < fixed_cols; ++c) cols.push_back(c);
    for (int c = blocks[b].first; c <= blocks[b].second; ++c) cols.push_back(c);
    std::string block_text = second;
    if (blocks.size() > 1) {
      block_text +=
          "   Spaltenteil " + std::to_string(b + 1) + " von " + std::to_string(blocks.size());
    }
    for (int p = 0; p < row_pages; ++p) {
      PrintPage page;
      double y = TitleBlock(page, paper, heading.title, block_text);
      const double left = paper.margin;
      double right = left;
      for (int c : cols) right += width_of(c);
      page.lines.push_back({left, y, right, y});
      for (int r = 0; r < fixed_rows; ++r) {
        double x = left;
        for (int c : cols) {
          std::vector<std::string> lines = Wrap(grid.Cell(c, r), chars[c]);
          if (static_cast<int>(lines.size()) > kMaxHeaderLines) lines.resize(kMaxHeaderLines);
          double ly = y + kPad;
          for (const std::string& l : lines) {
            ly += paper.font_size * 1.2;
            page.texts.push_back({x + kPad, ly - paper.font_size * 0.25, paper.font_size, true, l});
          }
          x += width_of(c);
        }
        y += header_lines[r] * paper.font_size * 1.2 + 2 * kPad;
        page.lines.push_back({left, y, right, y});
      }
      const int first = fixed_rows + p * rows_per_page;
      const int last = std::min(last_row, first + rows_per_page - 1);
      for (int r = first; r <= last; ++r) {
        double x = left;
        for (int c : cols) {
          const std::string cell = Trimmed(grid.Cell(c, r));
          if (!cell.empty()) {
            page.texts.push_back({x + kPad, y + row_h - paper.font_size * 0.45, paper.font_size,
                                  c < fixed_cols, text::CutChars(cell, chars[c])});
          }
          x += width_of(c);
        }
        y += row_h;
        page.lines.push_back({left, y, right, y});
      }
      const double top = page.lines.front().y1;
      double x = left;
      page.lines.push_back({x, top, x, y});
      for (int c : cols) {
        x += width_of(c);
        page.lines.push_back({x, top, x, y});
      }
      doc.pages.push_back(std::move(page));
    }
  }
  NumberPages(doc, paper);
  return doc;
}

PrintDocument LayoutProtocol(const ErrorProtocol& protocol,
                             const std::vector<std::string>& findings, const std::string& date,
                             const PaperFormat& paper) {
  PrintDocument doc;
  doc.title = protocol.caption;
  doc.width = paper.width;
  doc.height = paper.height;
  const double line_h = paper.font_size * 1.5;
  const int width =
      static_cast<int>((paper.width - 2 * paper.margin) / (paper.font_size * kCharWidth));

  struct Line {
    std::string text;
    bool bold;
  };
  std::vector<Line> lines;
  auto add = [&](const std::string& text, bool bold) {
    std::vector<std::string> wrapped = Wrap(text, width);
    if (wrapped.empty()) wrapped.push_back("");
    for (std::string& w : wrapped) lines.push_back({std::move(w), bold});
  };
  for (const ProtocolLine& l : protocol.lines) add(l.text, l.kind == ProtocolLineKind::kHeading);
  add("", false);
  add(protocol.verdict_label + " " + protocol.verdict, true);
  for (const StatusLine& s : protocol.statuses) add(s.label + ": " + s.text, false);
  if (!findings.empty()) {
    add("", false);
    add("Fundstellen:", true);
    for (const std::string& f : findings) add(f, false);
  }

  const double footer = line_h * 1.5;
  std::size_t i = 0;
  do {
    PrintPage page;
    double y = TitleBlock(page, paper, protocol.caption, "Datum: " + date) + line_h;
    while (i < lines.size() && y + footer < paper.height - paper.margin) {
      if (!lines[i].text.empty()) {
        page.texts.push_back({paper.margin, y, paper.font_size, lines[i].bold, lines[i].text});
      }
      y += line_h;
      ++i;
    }
    doc.pages.push_back(std::move(page));
  } while (i < lines.size());
  NumberPages(doc, paper);
  return doc;
}

}  // namespace tabulon
