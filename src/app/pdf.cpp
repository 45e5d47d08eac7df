#include "app/pdf.h"

#include <cstdio>
#include <vector>

#include "text/encoding.h"

namespace tabulon {
namespace {

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

// A PDF string literal of a UTF-8 text in Windows-1252 (what WinAnsiEncoding shows).
std::string Literal(const std::string& utf8) {
  std::string out = "(";
  for (char c : text::Utf8ToCp1252(utf8)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 32) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out + ")";
}

std::string PageContent(const PrintPage& page, double height) {
  std::string s = "0.5 w\n";
  for (const PrintLine& l : page.lines) {
    s += Number(l.x1) + " " + Number(height - l.y1) + " m " + Number(l.x2) + " " +
         Number(height - l.y2) + " l S\n";
  }
  for (const PrintText& t : page.texts) {
    s += "BT /" + std::string(t.bold ? "F2 " : "F1 ") + Number(t.size) + " Tf " + Number(t.x) +
         " " + Number(height - t.baseline) + " Td " + Literal(t.text) + " Tj ET\n";
  }
  return s;
}

}  // namespace

std::string PdfBytes(const PrintDocument& doc) {
  // Objects: 1 catalog, 2 page tree, 3 and 4 the fonts, 5 the document information, then a page
  // object and its content stream for every page.
  std::vector<std::string> objects;
  const std::size_t pages = doc.pages.empty() ? 1 : doc.pages.size();
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  std::string kids;
  for (std::size_t i = 0; i < pages; ++i) kids += std::to_string(6 + 2 * i) + " 0 R ";
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>");
  objects.push_back(
      "<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>");
  objects.push_back(
      "<< /Type /Font /Subtype /Type1 /BaseFont /Courier-Bold /Encoding /WinAnsiEncoding >>");
  objects.push_back("<< /Title " + Literal(doc.title) + " /Producer (Tabulon) >>");
  for (std::size_t i = 0; i < pages; ++i) {
    const std::string content =
        doc.pages.empty() ? std::string() : PageContent(doc.pages[i], doc.height);
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(doc.width) + " " +
                      Number(doc.height) + "] /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> " +
                      "/Contents " + std::to_string(7 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                      "endstream");
  }

  std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(out.size());
    out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = out.size();
  out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t off : offsets) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%010zu 00000 n \n", off);
    out += buf;
  }
  out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return out;
}

}  // namespace tabulon
