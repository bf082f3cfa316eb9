#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace zephan {

class TmyCanvas;
class TDruck;
class UserSeam;

enum tDiagramm_typ {
    dia_nurpunkte = 0,
    dia_linie = 1,
    dia_liniemitpunkt = 2,
    dia_saeule_gruppiert = 3,
    dia_saeule_gestapelt = 4,
    dia_saeule_schmaler = 5,
    dia_vorgabe = 6
};
enum thilfsstrichtyp { hs_ohne = 0, hs_aussen = 1, hs_innen = 2, hs_beide = 3 };
enum tAchseWertFormat { at_text = 0, at_zahl = 1, at_DatumMY = 2, at_datumTMY = 3, at_datumTM = 4 };

struct TAchse {
    thilfsstrichtyp hauptstriche_ = hs_beide;
    int mustertyp = 0;
    tAchseWertFormat TextFormat_ = at_zahl;
    double von_ = 0, bis_ = 0, step_ = 0, steph_ = 0;
    int nach = 0;
    bool beiAutoMinMaxrunden = true;
    bool TextIstDatum_ = false;
    bool enabled_ = true;
    int textsize = 15;
    QString text_ = QStringLiteral("Achse");
};

struct tp {
    double x = 0, y = 0;
};

struct TDatenreihe {
    QList<tp> p;
    bool aufAchseY2_ = false;
    QString text_;
    int nach = 0;
    QColor Farbe = Qt::black;
    tDiagramm_typ typ = dia_vorgabe;
    struct {
        int size = 2;
        int typ = 0; // 0 square, 1 circle, 2 diamond, 3 triangle, other: none
        QColor fuell = Qt::black;
        QColor rand = Qt::black;
        bool schatten = false;
    } mark;
};

class tDatenReihen {
public:
    QList<TDatenreihe> list;
    int count() const { return static_cast<int>(list.size()); }
    void clear() { list.clear(); }
    TDatenreihe& add() {
        list.append(TDatenreihe{});
        return list.last();
    }
    TDatenreihe& getreihe(int x) { return list[x]; }
    void setreihe(int x, const TDatenreihe& d) { list[x] = d; }
};

// An x/y chart drawn onto the report canvas, or, in recording mode, written into a report
// document as a diagram block.
class tDiagramm {
public:
    QString headline_;
    QColor farbeflaeche = Qt::white;
    TAchse xachse_, yachse_, yachse2_;
    tDiagramm_typ typ_ = dia_nurpunkte;
    tDatenReihen datenreihen;
    bool drucken = false; // recording mode
    bool clearHintergrund = true;
    bool hilfsliniex = false, hilfsliniey = false;
    int aktreihe = -1;
    int links = 0, oben = 0, breite = 100, hoehe = 0;
    int nachdruck_ = 0;

    bool grau = false;          // grey-scale drawing
    TDruck* dokument = nullptr; // where recording mode writes
    UserSeam* seam = nullptr;   // messages
    QStringList* meldungen = nullptr;

    tDiagramm();

    void Clear(tDiagramm_typ Diagrammtyp, const QString& Headline, bool hilfsliniex_,
               bool hilfsliniey_);
    void st(const QString& s);
    void neueReihe(const QString& text, int nachdruck);
    void NeueReihe(const QString& text, int NachKommastellen, int typ, int farbe);
    void add(double x, double y);
    // A data line of a diagram block: two numbers separated by "|".
    void addZeile(const QString& zeile);
    void setAchse(const QString& achse, const QString& von, const QString& bis, const QString& step,
                  const QString& text);
    void druckadd();
    void draw(TmyCanvas& c);

    // The ladder of round axis values: 0, 2, 5, 10, 15, 20, 30, 50, 75, 100, 150, ...
    static double ladderUp(double v);
    static double ladderDown(double v);
    // Tick values from von to bis: steps land on 0 when they cross it; a step that cannot
    // advance gives the one tick at von.
    static QList<double> ticks(double von, double bis, double step);

private:
    void melde(const QString& text);
    void autoSkalieren();
    QString label(const TAchse& a, double v) const;
};

} // namespace zephan
