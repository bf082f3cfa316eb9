// Attenuation of branch splits (VDI 2081 section 7.4, Gl. 34) and of the listed silencer.

#include "acoustics/daempfung_modelle.h"
#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "network/type_codes.h"

#include <cmath>

#include <QStringBuilder>

namespace zephan {

namespace {

constexpr char s1[] = "S°(sub 1°(-sub ";
constexpr char s2[] = "S°(sub 2°(-sub ";
constexpr char s3[] = "S°(sub 3°(-sub ";

QString flaeche(double S) {
    return berichtZahl(S, 4) + QStringLiteral(" [m²]");
}

// dL = -10 lg q for the share q of the sound power that enters the passage; a passage
// without a section (dimensions not given) lowers nothing.
double teilung(double q) {
    return q > 0 ? -10 * lg(q) : 0;
}

void haelfte(const DaempfungEingabe& e, const QString& zeileS, TPegel& ergebnis) {
    e.b.zeile(zeileS);
    e.b.zeile(QString::fromUtf8(s1) % QStringLiteral("/(") % QString::fromUtf8(s1) %
              QStringLiteral("+") % QString::fromUtf8(s2) % QStringLiteral(")= ") %
              berichtZahl(0.5, 2));
    e.b.frequenzen();
    setzen(ergebnis, teilung(0.5));
    e.b.werte(QStringLiteral("°(delta L°(sub w°(-sub  (Gleichung 34)"), QStringLiteral("dB"),
              ergebnis);
}

} // namespace

bool daempfungVerzweigung(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const bool kreuz = d.typ == typKreuzstueck;
    if (e.seite == 0)
        e.b.zeile(QStringLiteral("Pegelsenkung für Verzweigung (Abschnitt 7.4)"));
    else if (e.seite == 1)
        e.b.zeile(QStringLiteral("Pegelsenkung für Abzweig  (Abschnitt 7.4)"));
    else
        e.b.zeile(QStringLiteral("Pegelsenkung für Abzweig 2 (Abschnitt 7.4)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    e.b.zeile(QStringLiteral("Bauteilform: ") %
              (d.eckig ? QStringLiteral("eckig") : QStringLiteral("rund")));

    double Sd = 0, Sb = 0;
    if (d.typ == typAbzweigstueck90Rund) {
        Sd = rechteckflaeche(d.i[0], d.i[1]);
        Sb = kreisflaeche(d.i[2]);
    } else {
        const bool reduziert =
            d.typ == typAbzweigreduzierstueck90 || d.typ == typAbzweigreduzierstueckSchraeg;
        const int a = reduziert ? 4 : 0;
        Sd = d.eckig ? rechteckflaeche(d.i[a], d.i[a + 1]) : kreisflaeche(d.i[a]);
        Sb = d.eckig ? rechteckflaeche(d.i[2], d.i[3]) : kreisflaeche(d.i[2]);
    }

    double S1 = 0, S2 = 0, S3 = 0;
    QString z;
    if (e.seite == 0) {
        S1 = Sd, S2 = Sb, S3 = Sb;
        z = QStringLiteral("Durchgang ") + QString::fromUtf8(s1) + QStringLiteral(": ") +
            flaeche(S1) + QStringLiteral("; Abzweig   ") + QString::fromUtf8(s2) +
            QStringLiteral(": ") + flaeche(S2);
        if (kreuz)
            z += QStringLiteral(";   Abzweig 2 ") + QString::fromUtf8(s3) + QStringLiteral(": ") +
                 flaeche(S3);
    } else if (e.seite == 1) {
        S1 = Sb, S2 = Sd, S3 = Sb;
        z = QStringLiteral("Abzweig   ") + QString::fromUtf8(s1) + QStringLiteral(": ") +
            flaeche(S1) + QStringLiteral(";  Durchgang ") + QString::fromUtf8(s2) +
            QStringLiteral(": ") + flaeche(S2);
        if (kreuz)
            z += QStringLiteral(";  Abzweig 2 ") + QString::fromUtf8(s3) + QStringLiteral(": ") +
                 flaeche(S3);
    } else {
        S1 = Sb, S2 = Sb, S3 = Sd;
        z = QStringLiteral("Abzweig 2  ") + QString::fromUtf8(s1) + QStringLiteral(": ") +
            flaeche(S1) + QStringLiteral(";  Abzweig 1  ") + QString::fromUtf8(s2) +
            QStringLiteral(": ") + flaeche(S2) + QStringLiteral(";  Durchgang  ") +
            QString::fromUtf8(s3) + QStringLiteral(": ") + flaeche(S3);
    }
    e.b.zeile(z);

    double q = 0;
    if (kreuz) {
        q = teile(S1, S1 + S2 + S3);
        e.b.zeile(QString::fromUtf8(s1) % QStringLiteral("/(") % QString::fromUtf8(s1) %
                  QStringLiteral("+") % QString::fromUtf8(s2) % QStringLiteral("+") %
                  QString::fromUtf8(s3) % QStringLiteral(")= ") % berichtZahl(q, 2));
    } else {
        q = teile(S1, S1 + S2);
        e.b.zeile(QString::fromUtf8(s1) % QStringLiteral("/(") % QString::fromUtf8(s1) %
                  QStringLiteral("+") % QString::fromUtf8(s2) % QStringLiteral(")= ") %
                  berichtZahl(q, 2));
    }
    e.b.frequenzen();
    setzen(ergebnis, teilung(q));
    e.b.werte(QStringLiteral("°(delta L°(sub w°(-sub  (Gl. 34)"), QStringLiteral("dB"), ergebnis);
    return true;
}

bool daempfungSattelstutzen(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    e.b.zeile(d.eckig ? QStringLiteral("Pegelsenkung für Gabelung Abzweig (Abschnitt 7.4)")
                      : QStringLiteral("Pegelsenkung für Sattelstutzen Abzweig (Abschnitt 7.4)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    const double S = d.eckig ? rechteckflaeche(d.i[2], d.i[3]) : kreisflaeche(d.i[2]);
    haelfte(e,
            QStringLiteral("Abzweig ") + QString::fromUtf8(s1) + QStringLiteral("=") +
                QString::fromUtf8(s2) + QStringLiteral("= ") + flaeche(S),
            ergebnis);
    return true;
}

bool daempfungHosenstueck(const DaempfungEingabe& e, TPegel& ergebnis) {
    e.b.zeile(QStringLiteral("Pegelsenkung für Hosenstück (Abschnitt 7.4)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    const double S = kreisflaeche(e.rec.i[2]);
    haelfte(e,
            QStringLiteral("Abzweig ") + QString::fromUtf8(s1) + QStringLiteral("=") +
                QString::fromUtf8(s2) + QStringLiteral(": ") + flaeche(S),
            ergebnis);
    e.b.werte(QStringLiteral("Gesamtpegelsenkung °(delta L°(sub w°(-sub"), QStringLiteral("dB"),
              ergebnis);
    return true;
}

bool daempfungSchalldaempfer(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    // Data are carried for the round telephony silencer with 25 mm insulation only.
    if (d.tag1 != 0 || d.tag2 != 0 || d.eckig) return true;
    const int L = ganz(d.i[5]);
    const int DN = ganz(d.i[0]);
    bool laenge = false;
    for (const SchalldaempferDaten& s : e.daten.schalldaempfer) laenge = laenge || s.laenge == L;
    if (!laenge) {
        e.b.zeile(QStringLiteral("Länge ") % berichtZahl(L, 0) %
                  QStringLiteral("mm existiert nicht"));
        setzen(ergebnis, pegelAbgebrochen);
        return false;
    }
    const SchalldaempferDaten* s = e.daten.schalldaempferGroesse(L, DN);
    if (!s) {
        e.b.zeile(QStringLiteral("DN ") % berichtZahl(DN, 0) % QStringLiteral(" existiert nicht"));
        setzen(ergebnis, pegelAbgebrochen);
        return false;
    }
    ergebnis = s->einfuegung;
    e.b.zeile(QStringLiteral("Telefonie-Schalldämpfer - Lindab SLF-A25"));
    e.b.zeile(QStringLiteral("Länge: ") % berichtZahl(L, 0) %
              QStringLiteral(" [mm] ; Durchmesser: ") % berichtZahl(DN, 0) %
              QStringLiteral(" [mm]"));
    e.b.frequenzen();
    e.b.werte(QStringLiteral("°(delta L°(sub w°(-sub "), QStringLiteral("dB"), ergebnis);
    return true;
}

} // namespace zephan
