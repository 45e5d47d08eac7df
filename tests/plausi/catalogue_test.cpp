#include "plausi/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/encoding.h"

namespace tabulon {
namespace {

struct Expected {
  int number;
  const char* title;
  const char* passed;
  const char* failed;
  bool is_error;
};

// Written out in full, texts as stored (with their leading blank), so that a wrong pair, a lost
// blank or a typo in the program's table shows up here.
const Expected kExpected[] = {
    {1, " Allgemeiner Fehler (unspezifiziert)", " nicht aufgetreten", " aufgetreten", false},
    {2, " Testfehler (für Erprobungen)", " nicht erkannt", " erkannt", true},
    {3, " Allgemeiner Fehler in der Datenstruktur", " nicht aufgetreten", " aufgetreten", true},
    {4, " Unstimmigkeit in den Grunddaten", " nicht festgestellt", " festgestellt", false},
    {5, " Bezeichnungen der Zellen in der 1. Meldezeile (ES001 --> ES...)", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {6, " gesperrte Zellen", " sind leer", " mindestens 1x mit fehlerhaftem Inhalt!", true},
    {7, " eingetragene Werte in den Zellen", " wahrscheinlich in Ordnung",
     " mindestens 1x fehlerhaft oder nicht lesbar", true},
    {8, " untergeordnete Spalten (z.B. weibl., Ausl., mit Ausb.vertr. usw.)",
     " enthalten mögliche Werte", " enthalten mindestens 1x einen zu hohen Wert", true},
    {9, " untergeordnete Zeilen (z.B. Klassenarten, Berufe usw.)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {10, " DST-Nr. in Meldungsdatei und Programm-Einstellungen", " identisch", " unterschiedlich!",
     true},
    {11, " Schulaufsichtsbereich", " Eintrag vorhanden", " Eintrag fehlt!", true},
    {12, " Schulträger", " Angabe vorhanden", " Angabe fehlt!", true},
    {15, " Angabe der Schulart", " erfolgte schlüsselgerecht", " ist nicht schlüselgerecht", true},
    {16, " Angabe der Zeitform", " erfolgte schlüsselgerecht", " ist nicht schlüselgerecht", true},
    {17, " Angabe der Jahrgangsstufe", " erfolgte schlüsselgerecht", " ist nicht schlüselgerecht",
     true},
    {18, " Angabe der Klassenart", " erfolgte schlüsselgerecht oder leer",
     " ist nicht schlüselgerecht oder nicht leer", true},
    {19, " Klassen-Nummer und Nummer in Klassennamen", " stimmen überein", " stimmen nicht überein",
     true},
    {20, " gesperrte Zelle [Lehrkräfte gesamt;abgeord. LK an die ber.Schule]", " ist leer",
     " belegt!", true},
    {21, " gesperrte Zelle [und zwar weiblich;abgeord. LK an die ber.Schule]", " ist leer",
     " belegt!", true},
    {22, " gesperrte Zelle [und zwar Ausl.;abgeord. LK an die ber.Schule]", " ist leer", " belegt!",
     true},
    {23, " gesperrte Zelle [Abord.Stdn. an andere Schule;abgeord. LK ...]", " ist leer", " belegt!",
     true},
    {24, " Summe [Lehrkräfte gesamt]", " in Ordnung", " fehlerhaft!", true},
    {25, " Summe [und zwar weiblich]", " in Ordnung", " fehlerhaft!", true},
    {26, " Summe [und zwar Ausländer/-innen]", " in Ordnung", " fehlerhaft!", true},
    {27, " Summe [Lehrerwochenstunden IST]", " in Ordnung", " fehlerhaft!", true},
    {28, " Summe [Abordnungstunden an einer anderen Schule]", " in Ordnung", " fehlerhaft!", true},
    {30, " einzelne gesperrte Zellen [Zeile: 011 (dar. Klassen im Blockunterr.)]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {31, " einzelne gesperrte Zellen [Spalte: Klassen 1.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {32, " einzelne gesperrte Zellen [Spalte: Klassen 2.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {33, " einzelne gesperrte Zellen [Spalte: Klassen 3.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {34, " gesperrte Zellen [Bereich: Klassen 4.+5.Jahrgangssufe]", " sind leer (bzw. gesperrt)",
     " mindstens 1x belegt (oder nicht gesperrt)", true},
    {35, " einzelne gesperrte Zellen [Spalte: SchülerInnen 1.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {36, " einzelne gesperrte Zellen [Spalte: SchülerInnen 2.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {37, " einzelne gesperrte Zellen [Spalte: SchülerInnen 3.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {38, " einzelne gesperrte Zellen [Bereich: SchülerInnen 4.+5.Jahrgangsstufe]",
     " sind leer (bzw. gesperrt)", " mindstens 1x belegt (oder nicht gesperrt)", true},
    {39, " Summe []", " in Ordnung", " fehlerhaft!", true},
    {40, " Summe [Klassen insgesamt]", " in Ordnung", " fehlerhaft!", true},
    {41, " Summe [Anzahl Klassen 1.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {42, " Summe [Anzahl Klassen 2.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {43, " Summe [Anzahl Klassen 3.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {44, " Summe [Anzahl Klassen 4.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {45, " Summe [Anzahl Klassen 5.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {46, " Summe [Anzahl Schüler/-innen 1.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {47, " Summe [Anzahl Schüler/-innen 2.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {48, " Summe [Anzahl Schüler/-innen 3.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {49, " Summe [Anzahl Schüler/-innen 4.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {50, " Summe [Anzahl SchülerInnen 5.Jahrgang]", " in Ordnung", " fehlerhaft!", true},
    {51, " Summe [Schüler/-innen insgesamt]", " in Ordnung", " fehlerhaft!", true},
    {52, " Summe [und zwar weiblich]", " in Ordnung", " fehlerhaft!", true},
    {53, " Summe [und zwar Ausländer/-innen]", " in Ordnung", " fehlerhaft!", true},
    {54, " Summe [und zwar mit Behinderungen]", " in Ordnung", " fehlerhaft!", true},
    {55, " Summe [Lehrerwochenstunden]", " in Ordnung", " fehlerhaft!", true},
    {56, " Summe [zusätzlich genehmigte Teilungsstunden]", " in Ordnung", " fehlerhaft!", true},
    {57, " Summe der Klassen in den Schularten/Bildunggängen/Zeitformen", " in Ordnung",
     " mindestens 1x fehlerhaft!", true},
    {58, " Summe der Schüler/-innen in den Schularten/Bildunggängen/Zeitformen", " in Ordnung",
     " mindestens 1x fehlerhaft!", true},
    {59, " untergeordnete Spalten (Klassen in Jahrgangsstufen)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {60, " untergeordnete Spalten (Schüler/-innen in Jahrgangsstufen)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {61, " untergeordnete Spalten (weiblich; Ausländer usw.)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {62, " untergeordnete Zeile: 011 ", " enthält möglichen Wert", " enthält fehlerhaften Wert",
     true},
    {63, " Zwischensummen in Zeile 020", " richtig", " mindestens 1x fehlerhaft", true},
    {64, " Zwischensummen in Zeile 030", " richtig", " mindestens 1x fehlerhaft", true},
    {65, " Zwischensummen in Zeile 160", " richtig", " mindestens 1x fehlerhaft", true},
    {66, " Zwischensummen in Zeile 170", " richtig", " mindestens 1x fehlerhaft", true},
    {67, " Zwischensummen in Zeile 080", " richtig", " mindestens 1x fehlerhaft", true},
    {68, " Zwischensummen in Zeile 120", " richtig", " mindestens 1x fehlerhaft", true},
    {69, " Zwischensummen in Zeile 130", " richtig", " mindestens 1x fehlerhaft", true},
    {70, " Summe [Schüler/-innen mit Religionsunterricht insgesamt]", " in Ordnung", " fehlerhaft!",
     true},
    {71, " untergeordnete Spalten (evangelisch Vollzeit/Teilzeit)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {72, " untergeordnete Spalten (katholisch Vollzeit/Teilzeit)", " enthalten mögliche Werte",
     " enthalten mindestens 1x einen zu hohen Wert", true},
    {73, " untergeordnete Spalten (konfessionsübergreifend Vollzeit/Teilzeit)",
     " enthalten mögliche Werte", " enthalten mindestens 1x einen zu hohen Wert", true},
    {75, " Summe [und zwar Ausländer/-innen] weiblich", " in Ordnung", " fehlerhaft!", true},
    {80, " Schulart 010: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {81, " Schulart 010: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {82, " Schulart 010: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {83, " Schulart 010: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {84, " Schulart 010: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {85, " Schulart 010: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {86, " Schulart 020: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {87, " Schulart 020: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {88, " Schulart 020: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {89, " Schulart 020: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {90, " Schulart 020: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {91, " Schulart 020: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {92, " Schulart 030: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {93, " Schulart 030: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {94, " Schulart 030: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {95, " Schulart 030: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {96, " Schulart 030: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {97, " Schulart 030: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {98, " Schulart 060: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {99, " Schulart 060: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {100, " Schulart 060: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {101, " Schulart 060: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {102, " Schulart 060: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {103, " Schulart 060: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {104, " Schulart 070: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {105, " Schulart 070: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {106, " Schulart 070: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {107, " Schulart 070: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {108, " Schulart 070: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {109, " Schulart 070: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {110, " Schulart 080: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {111, " Schulart 080: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {112, " Schulart 080: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {113, " Schulart 080: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {114, " Schulart 080: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {115, " Schulart 080: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {116, " Schulart 100: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {117, " Schulart 100: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {118, " Schulart 100: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {119, " Schulart 100: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {120, " Schulart 100: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {121, " Schulart 100: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {122, " Schulart 110: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {123, " Schulart 110: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {124, " Schulart 110: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {125, " Schulart 110: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {126, " Schulart 110: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {127, " Schulart 110: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {128, " Schulart 120: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {129, " Schulart 120: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {130, " Schulart 120: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {131, " Schulart 120: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {132, " Schulart 120: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {133, " Schulart 120: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {134, " Schulart 130: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {135, " Schulart 130: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {136, " Schulart 130: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {137, " Schulart 130: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {138, " Schulart 130: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {139, " Schulart 130: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {140, " Schulart 140: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {141, " Schulart 140: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {142, " Schulart 140: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {143, " Schulart 140: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {144, " Schulart 140: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {145, " Schulart 140: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {146, " Schulart 160: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {147, " Schulart 160: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {148, " Schulart 160: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {149, " Schulart 160: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {150, " Schulart 160: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {151, " Schulart 160: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {152, " Schulart 170: Zeilensumme [Absolv./Abgäng. insgesamt]", " in Ordnung", " fehlerhaft",
     true},
    {153, " Schulart 170: Zeilensumme [Absolv./Abgäng. weiblich]", " in Ordnung", " fehlerhaft",
     true},
    {154, " Schulart 170: Spaltensummen (Zeile 9999)", " in Ordnung",
     " mindestens 1x fehlerhaft oder Zeile fehlt", true},
    {155, " Schulart 170: Summe der zusätzlichen Abschlüsse (insgesamt)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {156, " Schulart 170: Summe der zusätzlichen Abschlüsse (weiblich)",
     " wahrscheinlich in Ordnung (kleiner oder gleich)", " mindestens 1x fehlerhaft (zu groß)",
     true},
    {157, " Schulart 170: untergeordnete Zeile [darunter Ausländer (8888)]",
     " wahrscheinlich in Ordnung oder Zeile fehlt", " mindestens 1x fehlerhaft (zu groß)", true},
    {170, " Summe der Zugänge (insgesamt)", " in Ordnung", " fehlerhaft", true},
    {171, " Summe der Abgänge (insgesamt)", " in Ordnung", " fehlerhaft", true},
    {172, " neuer Bestand (insgesamt)", " in Ordnung", " fehlerhaft", true},
    {173, " Summe der Zugänge (weiblich)", " in Ordnung", " fehlerhaft", true},
    {174, " Summe der Abgänge (weiblich)", " in Ordnung", " fehlerhaft", true},
    {175, " neuer Bestand (weiblich)", " in Ordnung", " fehlerhaft", true},
    {180, " Laufende Nummerierung (Lehrer)", " in Ordnung", " enthält mindestens 1x eine Lücke",
     true},
    {181, " Spalte [Geschlecht]", " enthält schlüsselgerechte Werte", " mindestens 1x fehlerhfaft",
     true},
    {182, " Spalte [Lehramt]", " enthält schlüsselgerechte Werte", " mindestens 1x fehlerhfaft",
     true},
    {183, " Spalte [Fachliche Qualifikation]", " enthält schlüsselgerechte Werte",
     " mindestens 1x fehlerhfaft", true},
    {184, " Spalten [Fächer der Lehrbef./Lehrerl.(1..5)]", " enthält schlüsselgerechte Werte",
     " mindestens 1x fehlerhfaft", true},
    {185, " Spalte [Beschäftigungsumfang]", " enthält schlüsselgerechte Werte",
     " mindestens 1x fehlerhfaft", true},
    {186, " Spalte [Bestandsänd. Zu-/Abgänge]", " enthält schlüsselgerechte Werte",
     " mindestens 1x fehlerhfaft", true},
    {190, " Summe [LWS Soll]", " in Ordnung", " fehlerhaft!", true},
    {191, " Summe [LWS lt. Stundenplan]", " in Ordnung", " fehlerhaft!", true},
    {192, " Summe [Wöchentl. tats. ert. U.Stdn. insgesamt]", " in Ordnung", " fehlerhaft!", true},
    {193, " Summe [dav. hauptberufl Lehrkräfte (...) vollbeschäftigt zusammen]", " in Ordnung",
     " fehlerhaft!", true},
    {194, " Summe [dav. hauptberufl Lehrkräfte (...) vollbeschäftigt weiblich]", " in Ordnung",
     " fehlerhaft!", true},
    {195, " Summe [dav. hauptberufl Lehrkräfte (...) teilbeschäftigt zusammen]", " in Ordnung",
     " fehlerhaft!", true},
    {196, " Summe [dav. hauptberufl Lehrkräfte (...) teilbeschäftigt weiblich]", " in Ordnung",
     " fehlerhaft!", true},
    {197, " Summe [dav. Mehrarbeit hauptberufliche Lehrkräfte zusammen]", " in Ordnung",
     " fehlerhaft!", true},
    {198, " Summe [dav. Mehrarbeit hauptberufliche Lehrkräfte weiblich]", " in Ordnung",
     " fehlerhaft!", true},
    {199, " Summe [dav. std.weise nebenberufl. beschäft. Lehrkräfte zusammen]", " in Ordnung",
     " fehlerhaft!", true},
    {200, " Summe [dav. std.weise nebenberufl. beschäft. Lehrkräfte weiblich]", " in Ordnung",
     " fehlerhaft!", true},
    {201, " Zeilensumme der wöchentl. tats. ert. U.Stdn.", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {202, " Zeilensumme der wöchentl. tats. ert. U.Std. durch weibl. LK",
     " ist kleiner oder gleich [insgesamt]", " mindestens 1x zu groß", true},
    {210, " gesperrte Zellen [ES006 bzw. ES007]", " sind leer", " mindestens 1x belegt", true},
    {211, " Spaltensummen (Zeile [9])", " richtig", " mindestens 1x fehlerhaft", true},
    {212, " untergeordnete Spalte [LK, d. v. Kirchen gest. werden, evangelisch]",
     " enthält mögliche Werte", " enthält mindestens 1x einen zu großen Wert", true},
    {213, " untergeordnete Spalte [LK, d. v. Kirchen gest. werden, katholisch]",
     " enthält mögliche Werte", " enthält mindestens 1x einen zu großen Wert", true},
    {215, " Summe der Lehrpersonen in Zeile [019]", " in Ordnung", " mindestens 1x fehlerhaft",
     true},
    {216, " Summe der wöchentl. tats. ert. U.Stdn. (Zeile [029])", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {217, " Summe der ausländischen Lehrpersonen in Zeile [018]", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {220, " Spalte [Personengruppe]", " enthält schlüsselgerechte Werte",
     " enthält mindestens 1x einen falschen Wert", true},
    {221, " SOLL-Stundenzahl ist", " immer kleiner oder gleich der Vertragsstundenzahl",
     " mindestens 1x größer als Vertragsstundenzahl", true},
    {222, " Vertragsstundenzahl ist", " immer kleiner oder gleich dem Regelstundenmaß",
     " mindestens 1x größer als das Regelstundenmaß", true},
    {223, " Kontroll-Berechnung  RglStdnM. - Anrechn.Stdn. + Mehrarb./Ü.Stdn.",
     " stimmt mit [zu ert. Stdn. insg.] überein",
     " stimmt mind. 1x nicht mit [zu ert. Stdn. insg.] überein", true},
    {224, " Summe der an dieser und an anderer Schule erteilte Stunden",
     " stimmt mit [zu ert. Stdn. insg.] überein",
     " stimmt mind. 1x nicht mit [zu ert. Stdn. insg.] überein", true},
    {225, " Summe der in den Schularten unterrichteten Stunden",
     " stimmt mit [zu ert. Stdn. insg.] überein",
     " stimmt mind. 1x nicht mit [zu ert. Stdn. insg.] überein", true},
    {226, " Sabbat-Stdn. und Arbeitszeitkonten-Stdn. ", " sind in SOLL-Stunden enthalten ",
     " sind mind. 1x größer als SOLL-Stdn.", true},
    {227, " Vertragsstundenzahl kleiner oder gleich Regelstundenmaß", " stimmt überein",
     " stimmt mind. 1x nicht überein", true},
    {228, " SOLL-Std. = Vertragsstd. minus ev. U.-Verlag. aus anderem Schuljahr", " stimmt überein",
     " stimmt mind. 1x nicht überein", true},
    {229, " Kontroll-Berechnung  RglStdnM.-Anrechn.Stdn.+Mehrarb./Ü.Stdn. stimmt",
     " mit [zu ert. Stdn. insg.]+-1 Stde. überein",
     " mind. 1x nicht mit [zu ert. Stdn. insg.]+-1 Stde. überein", false},
    {230, " untergeordnete Zeile [8888 darunter Ausländer/-innen]", " enthält mögliche Werte",
     " enthält mindestens 1x einen zu großen Wert", true},
    {231, " zusammenfassende Zeile [9999 (od. 999 od. 99) insgesamt]",
     " ist vorhanden oder nicht nötig", " fehlt", true},
    {232, " Zwischensumme [Schüler/-innen im Ausb.-verh. (...)]", " enthält richtigen Wert",
     " enthält mindestens 1x einen falschen Wert", true},
    {233, " Zwischensumme \"ohne Schulabschluss\"", " in Ordnung", " mindestens 1x fehlerhaft",
     true},
    {234, " Spaltensummen [9999 (od. 999 od. 99) (Schüler/-innen) insgesamt]", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {235, " Schlüsselspalte", " enthält die richtigen Schlüssel",
     " enthält mindestens 1x einen falschen Schlüssel", true},
    {236, " gesperrte Zellen [in WoStdn. umger.BlockU.] x [BlockU.] u.[ohne Ang.]", " nicht belegt",
     " mindestens 1x belegt", true},
    {237, " Übereinstimmung der Quertestfelder g) und h)", " ist gegeben",
     " mindestens 1x nicht vorhanden", true},
    {238, " indirekte Spaltensummen [Schulische Vorbildung (V.B.-Schlüssel 9)]", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {239, " Spaltensummierung [Schulische Vorbildung 1->9 in Berufsgruppe 9999]", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {240, " Anzahl der Berufsgruppen", " ist realistisch",
     " übersteigt interne Verarbeitungsmöglichkeit", true},
    {241, " Spaltensummen innnerhalb der Berufsgruppe 9999", " in Ordnung",
     " mindestens 1x fehlerhaft", true},
    {242, " Spaltensummen innnerhalb einer Berufsgruppe (xyz0)", " in Ordnung",
     " mindestens 1x fehlerhaft oder fehlt", true},
    {243, " Spalte [Kennziffer Ausbildungsrichtung]",
     " enthält wahrscheinlich schlüsselgerechte Werte",
     " enthält mindestens 1x einen falschen Wert", true},
    {244, " Zeilen-Nummerierung (01..99)", " in Ordnung", " mindestens 1x fehlerhaft", true},
    {245, " Ausbildungszeilen ohne Kreiszuordnung (außer Ausbildungsgruppen)", " nicht gefunden",
     " mindestens 1x gefunden", true},
    {246, " bei nichtbetrieblichen Ausbildungen wurde", " nur mit Zeilennummern ab 50 gearbeitet",
     " mindestens 1x eine falsche Zeilennummer verwendet", true},
    {251, " Fußnote a) [Anzahl der Schüler dieser Klasse insgesamt]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {252, " Fußnote b) [Anzahl der Schülerinnen dieser Klasse]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {253, " Fußnote c) [Anzahl der ausländischen Schüler dieser Klasse insgesamt]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {254, " Fußnote d) [Anzahl der ausländischen Schülerinnen dieser Klasse]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {255, " Fußnote e) [Anzahl erwerbstät. Schüler mit Ausbildungsvertrag insg.]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {256, " Fußnote f) [Anzahl erwerbstät. Schülerinnen mit Ausbildungsvertrag]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {257, " Fußnote g) [Anzahl der Schüler d. Kl. im Blockunterricht insgesamt]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {258, " Fußnote h) [Anzahl der Schülerinnen d. Kl. im  Blockunterricht]",
     " ist in allen Bögen/Tabellen/Satzarten/Dateien gleich", " ist mindestens 1x unterschiedlich",
     true},
    {260, " Summe Schüler mit fremdsp. U. (1 bis n FS)", " korrekt gebildet",
     " ist nicht identisch mit Gesamtzahl Schüler im FS-U.", true},
};

// Numbers that hold only a blank in all three texts.
const int kBlank[] = {13, 14, 29, 74, 76, 77, 78, 79, 158, 159, 160, 250};

// Numbers nobody uses: first and last of each range.
const std::pair<int, int> kUnused[] = {{161, 169}, {176, 179}, {187, 189}, {203, 209}, {214, 214},
                                       {218, 219}, {247, 249}, {259, 259}, {261, 300}};

TEST(ErrorCatalogueTest, DefinedEntriesMatchTheirTextsAndWeights) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.number);
    EXPECT_EQ(c[e.number].number, e.number);
    EXPECT_EQ(c[e.number].title, e.title);
    EXPECT_EQ(c[e.number].passed, e.passed);
    EXPECT_EQ(c[e.number].failed, e.failed);
    EXPECT_EQ(c[e.number].is_error, e.is_error);
  }
}

TEST(ErrorCatalogueTest, BlankAndUnusedEntriesCoverTheRest) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  std::set<int> seen;
  for (const Expected& e : kExpected) EXPECT_TRUE(seen.insert(e.number).second) << e.number;
  for (int n : kBlank) {
    SCOPED_TRACE(n);
    EXPECT_TRUE(seen.insert(n).second);
    EXPECT_EQ(c[n].title, " ");
    EXPECT_EQ(c[n].passed, " ");
    EXPECT_EQ(c[n].failed, " ");
    EXPECT_TRUE(c[n].is_error);
  }
  int unused = 0;
  for (auto [first, last] : kUnused) {
    for (int n = first; n <= last; ++n, ++unused) {
      SCOPED_TRACE(n);
      EXPECT_TRUE(seen.insert(n).second);
      EXPECT_EQ(c[n].number, n);
      EXPECT_EQ(c[n].title, " derzeit nicht benutzt");
      EXPECT_EQ(c[n].passed, " alles OK");
      EXPECT_EQ(c[n].failed, " nicht OK");
      EXPECT_TRUE(c[n].is_error);
    }
  }
  EXPECT_EQ(unused, 70);
  EXPECT_EQ(seen.size(), 300u);
  EXPECT_EQ(*seen.begin(), 1);
  EXPECT_EQ(*seen.rbegin(), 300);
}

TEST(ErrorCatalogueTest, OnlyOneFourAndTwoTwentyNineAreHints) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  std::set<int> hints;
  for (int n = 1; n <= kErrorCount; ++n) {
    if (!c[n].is_error) hints.insert(n);
  }
  EXPECT_EQ(hints, (std::set<int>{1, 4, 229}));
}

TEST(ErrorCatalogueTest, TextsFitTheirFieldsAndStartWithABlank) {
  const ErrorCatalogue& c = TheErrorCatalogue();
  for (int n = 1; n <= kErrorCount; ++n) {
    SCOPED_TRACE(n);
    for (const std::string* t : {&c[n].title, &c[n].passed, &c[n].failed}) {
      ASSERT_FALSE(t->empty());
      EXPECT_EQ((*t)[0], ' ');
    }
    // The limits hold for the texts without their leading blank.
    EXPECT_LE(text::CharCount(c[n].title) - 1, 70u);
    EXPECT_LE(text::CharCount(c[n].passed) - 1, 60u);
    EXPECT_LE(text::CharCount(c[n].failed) - 1, 60u);
  }
}

TEST(ErrorFlagsTest, AnyFailedCountsUntestedNumbersAndAnyHintOnlyHints) {
  ErrorFlags f;
  EXPECT_FALSE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  f.failed[300] = true;  // failed without being tested
  EXPECT_TRUE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  f.hint[1] = true;
  EXPECT_TRUE(AnyErrorHint(f));
  f.tested[17] = true;
  ResetErrorFlags(f);
  EXPECT_FALSE(AnyErrorFailed(f));
  EXPECT_FALSE(AnyErrorHint(f));
  EXPECT_FALSE(f.Tested(17));
}

TEST(ErrorFlagsTest, MergeKeepsWhatTheAccumulatorHeldAndLeavesTheRunAlone) {
  ErrorFlags acc;
  acc.failed[40] = true;
  acc.tested[40] = true;
  ErrorFlags run;
  run.tested[40] = true;  // passed this time
  run.tested[41] = true;
  run.failed[41] = true;
  run.hint[229] = true;
  const ErrorFlags run_before = run;
  MergeErrorFlags(acc, run);
  EXPECT_TRUE(acc.failed[40]);
  EXPECT_TRUE(acc.tested[40]);
  EXPECT_TRUE(acc.failed[41]);
  EXPECT_TRUE(acc.tested[41]);
  EXPECT_TRUE(acc.hint[229]);
  EXPECT_FALSE(acc.failed[229]);
  EXPECT_FALSE(acc.tested[42]);
  EXPECT_EQ(run.failed, run_before.failed);
  EXPECT_EQ(run.hint, run_before.hint);
  EXPECT_EQ(run.tested, run_before.tested);
}

}  // namespace
}  // namespace tabulon
