// Writes a laid-out document as a PDF file: the standard Courier faces (no font embedded), texts in
// Windows-1252, one content stream per page. The desktop program's "Als PDF speichern" and
// tabulon-cli drucken write the same bytes.
#pragma once

#include <string>

#include "app/print.h"

namespace tabulon {

std::string PdfBytes(const PrintDocument& document);

}  // namespace tabulon
