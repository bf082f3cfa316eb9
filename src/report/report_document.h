#pragma once

#include "report/report_picture.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace zephan {

class UserSeam;

// The marker that starts a command line or an inline escape, and the break inside one line.
inline constexpr char16_t druckMarke = u'\u00B0';   // "°"
inline constexpr char16_t druckUmbruch = u'\u00FE'; // "þ"

// What a line is, decided on its text alone.
enum class Zeilenart { Leer, Befehl, Text };
Zeilenart zeilenart(QStringView zeile);

// Readies a working list for a layout run: drops trailing lines that are empty or start with
// "°X" or "°U", drops a "°XB" line directly followed by another, and turns a line of fewer
// than 200 characters made only of "|" into a single blank.
void dokumentVorbereiten(QStringList& m);

// Page head and foot set: three head lines and the foot line.
// A foot "-" means "use the foot of the first set", a foot "°" the default foot
// "[datum]||Seite [seite]/[seiten]"; a second set whose k[0] is "-" is unused.
struct tkopfzeilen {
    std::array<QString, 3> k;
    QString fuss;

    bool operator==(const tkopfzeilen&) const = default;
};

// The report document: an ordered list of markup lines plus the few properties that are set
// by operations rather than lines. Calculations only append lines; the layout reads `m`, the
// heads, margins and pictures, and rewrites the working list from `mbackup` on every run.
//
// Every line-adding operation does nothing while `drucken` is false, so a calculation can run
// silently with the same code that writes its report (see DruckenAus).
class TDruck {
public:
    TDruck();

    // --- Document state (read by the layout) -------------------------------------------
    QStringList m;       // the lines
    QStringList mbackup; // copy taken when the report is shown; each layout run starts from it
    bool drucken = true; // recording switch

    tkopfzeilen kop1; // first page, and every page when kop2 is unused
    tkopfzeilen kop2; // pages after the first

    QString wasserzeichen_; // watermark text, empty for none
    bool falzmarken_ = false;
    QString datum;                           // text for "[datum]"; empty means today
    QString anBetreff, anErsteller, anEMail; // subject, author, recipient of a mailed report

    // Margins and head/foot distances in 0.1 mm, orientation.
    int obenspin = 200;
    int untenspin = 200;
    int Alinks = 200;
    int Arechts = 200;
    int Akopf = 100;
    int Afuss = 150;
    bool quer = false;

    // Pictures handed over by the caller, kept until clear (oldest first).
    QList<std::pair<QString, TBild>> grafikDirekt;
    // Pictures defined by "°GX" lines; the layout refills this on every run.
    QList<TGrafikDefinition> grafiken;

    // Messages ("Bild ... ist leer", QR failures) go here; without a seam only to the trace log.
    UserSeam* seam = nullptr;
    // Translation hook applied to headings; empty means no translation.
    std::function<QString(const QString&)> uebersetzen;

    // --- Document lifecycle --------------------------------------------------------------
    // Empties the document and resets heads, feet, properties, margins and flags.
    void clear();
    // Counts the calls of clear, so a layout can tell that its page cache is stale.
    std::uint64_t generation() const { return generation_; }
    // Showing the report: m is copied to mbackup.
    void sichern() { mbackup = m; }
    // Start of a layout run: the working list is restored from mbackup.
    void wiederherstellen() { m = mbackup; }

    bool gedruckt() const { return gedruckt_; }
    bool geMailt() const { return geMailt_; }
    void gedrucktreset() { gedruckt_ = geMailt_ = false; }
    void setGedruckt(bool ja) { gedruckt_ = ja; }
    void setGeMailt(bool ja) { geMailt_ = ja; }

    // --- Building operations -----------------------------------------------------------
    // s with every CR LF and every lone CR turned into "þ".
    void add(const QString& s);
    // caption + "|" + s, where caption is the caption of the control the value belongs to.
    void add(const QString& caption, const QString& s);
    // s unchanged.
    void addW(const QString& s);
    void addStrings(const QStringList& s);
    // One line per line of the memo text (breaks CR LF, CR or LF; a final break ends the last
    // line rather than opening an empty one), then one empty line when danach1xLeer.
    void addMemo(const QString& memo, bool danach1xLeer);
    // With a prefix: one line, prefix (+ "|" unless it ends with one) + memo with its breaks as
    // "þ"; with an empty prefix as addMemo.
    void addMemo2(const QString& inhaltenSpaltendavor, const QString& memo, bool danach1xLeer);
    void leer();
    void headline(const QString& s);
    void tabelle(const QString& format);
    void tabelleK(int kopfzeilen, const QString& format);
    void design(const QString& s);
    void size(int i);
    void Schrift(const QString& s);
    void links();
    void rechts();
    void center();
    void linksblock();
    void listitem(const QString& typ_1_A_a_punkt);
    void linksLeer(int i);
    void NeueSeite();
    void NeueSeiteNull();
    void Absatz();
    void Uebertrag(const QString& s);
    void Seitenzahlen(bool ein);
    void SeiteQuer(bool ein);
    void dreh(bool drehen);
    // Head lines of the first set; the foot is stored unless it is "???".
    void kopf(const QString& kopf1, const QString& kopf2, const QString& kopf3,
              const QString& fuss);
    // Head lines (and, unless "???", the foot) of the second set.
    void kopf2(const QString& kopf1, const QString& kopf2, const QString& kopf3,
               const QString& fuss);
    void kopf_clear();
    void kopflogoDef(const QString& name, int breiteMM, int vonLinksMM, int vonObenMM,
                     const TBild& gra);
    void obenunten(int abstandoben, int abstandunten, int links, int rechts, int kOben, int kFuss);
    // Picture placement; a negative width or top, or a left of -1, is left out.
    void grafik(const QString& titel, int breitemm = -1, int linksMM = -1, int obenMM = -1);
    void grafikPro(const QString& titel, int breiteprozent, bool zentriert);
    // Defines a picture inside the document; an empty picture shows "Bild <titel> ist leer".
    void grafikDef(const QString& titel, const TBild& gra);
    // Defines a picture from file bytes; the kind is detected (empty when unknown).
    void grafikDefstream(const QString& titel, const QByteArray& stream);
    // Keeps a picture for the layout without writing a line (replaces one of the same name).
    void grafikDefDirekt(const QString& titel, const TBild& gra);
    void grafikDefDirekt(const QString& titel, const QByteArray& stream);
    void grafikdef_QRCODE(const QString& titel, const QString& inhalt);
    void grafikdef_QRCODE_UTF8(const QString& titel, const QString& inhalt);
    void Diagramm(int typ, int links, int breite, int hoehe, const QString& headline);
    void Diagramm(int typ, int links, int breite, int hoehe, const QString& headline,
                  bool hilfsliniex, bool hilfsliniey);
    // farbe is 0xRRGGBB, or -1 for the diagram's own choice; written as "#RRGGBB".
    void DiaNeueReihe(const QString& text, int Nachkommastellen, int typ, int farbe);
    void DiaSetachse(const QString& xachse, const QString& von, const QString& bis,
                     const QString& step, const QString& text, int typ);
    void wasserzeichen(const QString& s) { wasserzeichen_ = s; }
    void setfalzmarken(bool ja) { falzmarken_ = ja; }

    // --- Picture lookup ------------------------------------------------------------------
    // The caller's picture of that name (trimmed, any case), or nullptr.
    const TBild* direkteGrafik(const QString& titel) const;
    // The newest "°GX" definition of that name, or nullptr.
    const TGrafikDefinition* definierteGrafik(const QString& titel) const;

private:
    void zeile(const QString& s); // appends while recording
    void meldeFehler(const QString& text) const;
    void qrDef(const QString& titel, const QString& inhalt, bool utf8);

    std::uint64_t generation_ = 0;
    bool gedruckt_ = false;
    bool geMailt_ = false;
};

// Switches recording off (or on) for a scope and restores the previous state.
class DruckenAus {
public:
    explicit DruckenAus(TDruck& d, bool ein = false) : d_(d), alt_(d.drucken) { d.drucken = ein; }
    ~DruckenAus() { d_.drucken = alt_; }
    DruckenAus(const DruckenAus&) = delete;
    DruckenAus& operator=(const DruckenAus&) = delete;

private:
    TDruck& d_;
    bool alt_;
};

} // namespace zephan
