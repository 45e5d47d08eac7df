// The quick report by e-mail: the report's table-0 file is handed to the person's mail program,
// which completes and sends the message. The attachment is looked at first, so that a missing or
// unreadable file is told in the program's own words whichever mail program is installed.
#pragma once

#include <string>

#include "base/data_paths.h"
#include "base/ports.h"
#include "base/settings.h"

namespace tabulon {

inline constexpr char kQuickMailSubject[] = "Schnellmeldung";
// Where no mail program takes the message: a failure, not the person's own cancel.
inline constexpr char kNoMailProgram[] = "FEHLER!: Kein EMail-Programm gefunden!";

// The message: subject "Schnellmeldung", text "Schnellmeldung: " + DST-Nr. (at most 36
// characters), and the report's table-0 file in the school data directory's "SCHNELL" folder.
MailMessage QuickReportMail(const Settings& settings, const DataPaths& paths);

// The plain box that tells the person a mail program's report; "" when it took the message.
std::string MailResultText(int result, const MailMessage& message);

// The send button of the e-mail dialog: checks the attachment, hands the message over and tells
// the person how it went. True when the mail program took the message (the dialog closes with
// OK), false otherwise (it closes with Cancel). No file is changed.
bool SendQuickReport(const Settings& settings, const DataPaths& paths, Platform& platform, Ui& ui);

}  // namespace tabulon
