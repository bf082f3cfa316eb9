#pragma once

#include "render/report_canvas.h"
#include "report/report_document.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

namespace zephan {

class TSeitenZiel;
class tDiagramm;
class UserSeam;

enum TmyAlignment { tmLeft = 0, tmRight = 1, tmCenter = 2, tmBlock = 3 };
enum TNumberingStyle_ {
    nsNone,
    nsBullet,
    nsNumber,
    nsLowerCase,
    nsUpperCase,
    nsLowerRoman,
    nsUpperRoman,
    nsSequence
};

// One page as the measuring pass found it; the drawing pass follows these entries.
struct TSeitenEintrag {
    int startZeile = 0; // first line of the page, -1 when it begins inside a paragraph
    int ersteZeile = 0; // the line the page begins in (also for a paragraph's later part)
    int druckb = 2100;  // paper width and height in 0.1 mm
    int druckh = 2970;
    int seitenNummer = 1; // printed for "[seite]"
    int seitenGesamt = 1; // printed for "[seiten]": pages of this numbering run
    bool quer = false;
    int schriftGroesse = 10;
    quint8 schriftStil = 0;
    quint8 ausrichtung = tmLeft;
    qint64 listenZaehler = 0; // counts on past the int range a start may reach
    int oben = 200;           // top of the text area in 0.1 mm
    QString logo, bild2;      // head pictures in force
};

struct TLayoutEinstellungen {
    int papierBreite = 2100; // portrait paper in 0.1 mm (A4)
    int papierHoehe = 2970;
    bool grau = false;
    QDate heute = QDate::currentDate();
    UserSeam* seam = nullptr;
    // Progress of a pass: text, lines done, lines in all; false cancels the run.
    std::function<bool(const QString&, int, int)> fortschritt;
};

// The structured output interface: a target that takes the report's structure (text,
// headings, tables, page breaks) instead of drawing. The base does nothing.
struct TTab_Zelle {
    enum { links, rechts, mitte } Alignment = links;
    int zellenBreit = 1;
    int zellenHoch = 1;
    double Breite = 0;
    bool quer = false;
    bool fett = false;
    bool kopfzelle = false;
    QString text;
};

class TDruckExportObject {
public:
    virtual ~TDruckExportObject() = default;
    bool direkt = false;
    bool needPreScan = false;
    virtual void textout(int, int, const QString&) {}
    virtual void leerzeile() {}
    virtual void headline(const QString&) {}
    virtual void blockquote(int) {}
    virtual void tab_neu() {}
    virtual void tab_Ende() {}
    virtual void tab_neueZeile() {}
    virtual void tab_ZeilenEnde() {}
    virtual void tab_neueZelle(const TTab_Zelle&) {}
    virtual void NeueSeite() {}
    virtual void Line(int, int, int, int) {}
    void Rectangle(int x1, int y1, int x2, int y2) {
        Line(x1, y1, x2, y1);
        Line(x2, y1, x2, y2);
        Line(x2, y2, x1, y2);
        Line(x1, y2, x1, y1);
    }
};

// The target the layout draws through: a canvas in 0.1 mm on the pages of a page target.
class TDruckCanvasObject : public TDruckExportObject {
public:
    explicit TDruckCanvasObject(TSeitenZiel* ziel) : ziel_(ziel) {
        direkt = true;
        needPreScan = true;
    }
    TSeitenZiel* ziel() const { return ziel_; }
    TmyCanvas canvas;

private:
    TSeitenZiel* ziel_;
};

// Lays a report document out on pages: the measuring pass decides where every page begins
// and records the page cache, the drawing pass follows the cache and draws each page once
// onto a page target. The document's working list `m` is rebuilt from `mbackup` first.
class TDruckLayout {
public:
    explicit TDruckLayout(TDruck& doc, TLayoutEinstellungen e = {});
    ~TDruckLayout();
    TDruckLayout(const TDruckLayout&) = delete;
    TDruckLayout& operator=(const TDruckLayout&) = delete;

    // Measuring pass; false when cancelled.
    bool messen();
    // Drawing pass onto a target (after messen). False when cancelled or the target failed.
    bool zeichnen(TSeitenZiel& ziel);
    // Draws pages von..bis (counting from 1) onto a target (after messen), beginning at the
    // nearest page start the measuring pass recorded rather than at the first page; the target
    // sees only those pages. The target is not finished (abschliessen is the caller's), so
    // several ranges can go onto one device. False when cancelled or the target failed.
    bool seitenZeichnen(TSeitenZiel& ziel, int von, int bis);

    // True while a pass runs (a viewer asked to draw meanwhile must wait for the next turn).
    bool beschaeftigt() const { return beschaeftigt_; }
    int AnzahlSeiten() const { return static_cast<int>(seiten_.size()); }
    const QList<TSeitenEintrag>& seiten() const { return seiten_; }
    // Line of the document as given (counting from 0) for a line of the working list.
    int dokumentZeile(int arbeitsZeile) const;
    // Messages met in the measuring pass, in order.
    const QStringList& meldungen() const { return meldungen_; }
    // Drawing-pass problems ("Seitenverarbeitungsfehler").
    const QStringList& fehler() const { return fehler_; }
    const TLayoutEinstellungen& einstellungen() const { return e_; }
    // Replaces the progress of the passes (empty: none).
    void setFortschritt(std::function<bool(const QString&, int, int)> f) {
        e_.fortschritt = std::move(f);
    }

    // State of the table being read (public for the table code in its own file).
    struct TTabZustand {
        bool offen = false;
        int koepfe = 0;
        int kopfGelesen = 0;
        int spalten = 0;
        int stil = 0;
        QList<int> breite;
        QStringList breiteFeld;
        QStringList zf;
        QList<QStringList> kinhalt;
        QList<QStringList> kdesign;
        int kopfStatus = 0; // 0 none pending, 1 first drawing pending, 2 repeat on new page
        bool breitenOffen = false;
        bool kopfZuHoch = false;  // head rows over half a page are not repeated
        long long kopfHoehe = -1; // height of the head rows in the font they were measured in
        TSchrift kopfHoeheSchrift;
    };
    // Everything a line can change; the keep rule restores all of it.
    struct TZustand {
        int y = 0;
        TSchrift schrift;
        int ausrichtung = tmLeft;
        int einzug = 0;
        int liste = nsNone;
        qint64 listenZaehler = 0;
        TTabZustand tab;
        tkopfzeilen kop1, kop2;
        int obenspin = 200, untenspin = 200, Alinks = 200, Arechts = 200, Akopf = 100, Afuss = 150;
        int oben = 200, unten = 235;
        bool quer = false;
        int druckb = 2100, druckh = 2970;
        QString uebertrag, datumText, logo, bild2;
        int grafikAnzahl = 0;
    };

private:
    // Where a page can be drawn from: the state at its start as the measuring pass left it.
    struct TSeitenStart {
        int zeile = -1; // -1: the page begins inside a paragraph (drawn from an earlier start)
        TZustand z;
        TmyCanvas canvas;
        int grafiken = 0;
    };

    bool lauf(bool zeichnen);
    bool schleife(int i);
    void vorbereiten();
    int zeile(int i);
    int befehl(int i);
    int textzeile(int i);
    int leerzeile(int i);
    int ueberschrift(int i);
    int kopfBefehl(int i, const QString& s);
    int tabelleOeffnen(int i);
    int tabellenZeile(int i);
    void tabelleSchliessen();
    void spaltenBreiten();
    // Lines of a table row; the wrapped lines of each cell go to `umbrochen` when given.
    int zeilenAnzahl(const QStringList& zellen, const QStringList& designs,
                     QList<QStringList>* umbrochen = nullptr);
    // Height of one line of a table row.
    int tabLinie() const;
    // Room for table rows on an empty page.
    long long seitenPlatz() const;
    // Whether a row with the head rows it brings is higher than an empty page.
    bool zuHochFuerSeite(long long rowH, long long kopfH, int luecke);
    long long kopfHoehe();
    // The pending head rows; -1, or the line to go on with when a kept block moved.
    int kopfZeilenZeichnen(int i);
    // A row higher than a page, broken inside its cells over as many pages as it needs.
    int zeileTeilen(int i, const QStringList& zellen, int zeilen,
                    const QList<QStringList>& umbrochen);
    int zeileSetzen(int i, const QStringList& texte, const QStringList& designs, int zeilen,
                    const QList<QStringList>& umbrochen);
    struct TZeilenTeil {
        int von = 0, anzahl = 0; // wrapped lines of this page
        bool erster = true, letzter = true;
        QList<TSchrift>* schrift = nullptr; // where each cell's text style stopped
    };
    void teilZeichnen(const QStringList& texte, const QStringList& designs,
                      const QList<QStringList>& umbrochen, const TZeilenTeil& teil);
    void stilNachZeile(const QStringList& texte);
    void tabellenZeileZeichnen(const QStringList& zellen, const QStringList& designs, int hoehe,
                               const QList<QStringList>& umbrochen);
    int bildZeile(int i, QStringView platzierung, bool kopfBild);
    int diagrammBlock(int i);
    int absatz(int i, QStringView text, int links, int breite, int markerBreite);

    int grenze() const;
    bool seiteLeer() const { return z_.y <= z_.oben; }
    int textBreite() const { return z_.druckb - z_.Alinks - z_.Arechts; }
    // Page break in the measuring pass: applies the keep rule and returns the line to go on
    // with (the keep start when the block moves).
    int umbruch(int naechste, bool inAbsatz);
    void neueSeite(int startZeile, int ersteZeile);
    void kopfVorlauf(int start);
    void kopfUndFuss();
    void kopfZeile(const QString& text, int y);
    void uebertragZeichnen();
    QString platzhalter(QString text) const;
    void keepSetzen(int zeile);
    void melden(const QString& text);
    int hoehe() const { return canvas_.h(); }
    int kuerze(double x) const { return static_cast<int>(x); }

    TDruck& doc_;
    TLayoutEinstellungen e_;
    QStringList m_;
    QList<int> herkunft_;
    QList<TSeitenEintrag> seiten_;
    QList<TSeitenStart> starts_;
    QList<TGrafikDefinition> grafikenGemessen_;
    QStringList meldungen_, fehler_;

    bool zeichnen_ = false;
    TSeitenZiel* ziel_ = nullptr;
    TmyCanvas canvas_;
    TZustand z_;
    int seite_ = -1;
    int keepZeile_ = -1;
    int keepY_ = 0;
    TZustand keepZustand_;
    bool neuNummern_ = false;
    bool bewegt_ = false;     // the last page break moved a kept block
    bool kopfLaeuft_ = false; // head rows are being set (a break inside them repeats none)
    int aktuelleZeile_ = 0;
    // Pages of the drawing pass handed to the target (from 0); others are only followed.
    int vonSeite_ = 0, bisSeite_ = 0;
    bool zielSeiteOffen_ = false;
    bool beschaeftigt_ = false;
    QString fortschrittText_;
    QHash<int, QImage> bilder_; // decoded pictures by definition index (-1 - i: caller's)
};

} // namespace zephan
