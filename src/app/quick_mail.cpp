#include "app/quick_mail.h"

#include <fstream>
#include <system_error>

#include "files/files.h"
#include "text/encoding.h"

namespace tabulon {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMailTextChars = 36;

// The fixed boxes, by the mail program's report.
struct ResultText {
  int result;
  const char* text;
};
constexpr ResultText kResultTexts[] = {
    {kMailUserAbort, "Nutzer hat Vorgang abgebrochen!"},
    {kMailFailure, "FEHLER!: Genaue Ursache nicht feststellbar!"},
    {3, "FEHLER!: Benutzerlogin fehlgeschlagen!"},
    {5, "FEHLER!: Nicht genug Speicher vorhanden!"},
    {9, "FEHLER!: Zu viele Dateien im Anhang!"},
    {10, "FEHLER!: Zu viele Empfänger angegeben!"},
    {14, "FEHLER!: Keine EMail-Adresse angegeben!"},
    {15, "FEHLER!: Kein eindeutiger Empfängertyp!"},
    {18, "FEHLER!: Text der Mail zu lang!"},
    {21, "FEHLER!: Keine EMail-Adresse für den Empfänger angegeben!"},
    {kMailNoProgram, kNoMailProgram},
};
constexpr char kOtherResult[] = "Übertragungsfehler oder Nutzerabbruch! ";

// Whether the attachment can be handed over: 11 when there is nothing at its path, 12 when
// what is there cannot be read as a file.
int CheckAttachment(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return kMailAttachmentNotFound;
  if (!fs::is_regular_file(status)) return kMailAttachmentOpenFailure;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return kMailAttachmentOpenFailure;
  return kMailTakenOver;
}

}  // namespace

MailMessage QuickReportMail(const Settings& settings, const DataPaths& paths) {
  MailMessage m;
  m.subject = kQuickMailSubject;
  m.body = text::CutChars("Schnellmeldung: " + settings.dst_nr, kMailTextChars);
  m.attachment = paths.school_data_dir / "SCHNELL" / (settings.dst_nr + "00.CSV");
  return m;
}

std::string MailResultText(int result, const MailMessage& message) {
  const std::string name = message.attachment.filename().string();
  switch (result) {
    case kMailTakenOver:
      return "";
    case kMailAttachmentNotFound:
      return "FEHLER!: Datei (" + name + ") zum Anhängen an die Mail wurde in:\r" +
             DisplayPath(message.attachment) + " nicht gefunden!";
    case kMailAttachmentOpenFailure:
      return "FEHLER!: Datei (" + name + ") zum Anhängen konnte nicht geöffnet werden!";
    default:
      for (const ResultText& r : kResultTexts) {
        if (r.result == result) return r.text;
      }
      return kOtherResult;
  }
}

bool SendQuickReport(const Settings& settings, const DataPaths& paths, Platform& platform, Ui& ui) {
  // A DST-Nr. that cannot name a file would point the attachment anywhere.
  if (!IsUsableDstNr(settings.dst_nr)) {
    ui.Message(MessageKind::kError, UnusableDstNrText(settings.dst_nr));
    return false;
  }
  const MailMessage message = QuickReportMail(settings, paths);
  int result = CheckAttachment(message.attachment);
  if (result == kMailTakenOver) result = platform.SendMail(message);
  if (result == kMailTakenOver) return true;
  ui.Message(MessageKind::kPlain, MailResultText(result, message));
  return false;
}

}  // namespace tabulon
