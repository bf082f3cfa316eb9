#pragma once

#include "editing/field_range.h"
#include "network/dvdata.h"
#include "sizing/duct_page.h"

#include <QList>
#include <QString>

namespace zephan {

class Einstellungen;

// The rules of the duct page ("Kanal") and the pipe page ("Rohr") without a window: which
// field goes to which part of the record, how the design value is kept, the page's defaults
// and the sizing arithmetic behind its controls. Both pages share it; `rund` tells them apart.

// What the page's fields hold (-1 for an empty field).
struct StreckenFelder {
    double volumenstrom = -1;
    double breite = -1; // the pipe's diameter
    double hoehe = -1;  // duct only
    double maxBreite = -1;
    double maxHoehe = -1;
    double laenge = -1;
    double auslegung = -1; // the design field as shown (m/s, or Pa/m by gradient)
    QString material;
    QString gruppe; // empty for "unbekannt"
    QString bemerkung;
};

// The rows "berechnet:" and "Vorschlag:" of the last sizing, and the area of the section.
struct AuslegungsZeilen {
    QString berechnetMass, berechnetFlaeche, berechnetWert;
    QString vorschlagMass, vorschlagFlaeche, vorschlagWert;
};

class StreckenSeitenModell {
public:
    StreckenSeitenModell(bool rund, const Einstellungen& e) : rund_(rund), e_(e) {}

    bool rund() const { return rund_; }
    int typ() const;

    // --- record and fields ----------------------------------------------------------------
    // The fields into the record (all but "Planung", which the session sets). A diameter
    // below 20 mm is a number still being typed: the last one stays.
    void felderInPuffer(const StreckenFelder& f, DVdata& d) const;
    // The design value as the field shows it: the duct's gradient × 100 back in Pa/m; the
    // pipe shows its design velocity only while in planning.
    double auslegungAnzeige(const DVdata& d) const;
    // The design value as the record keeps it: whole m/s, or the gradient × 100 (duct).
    double auslegungSpeichern(double feld) const;
    // Caption and unit of the design field.
    QString auslegungText() const;
    QString auslegungEinheit() const;
    // A remark is stored on one line: "|" separates the stored fields.
    static QString bemerkung(const QString& feld);
    // Whether the material list chooses the record's material (a sized section, or one that
    // names a material) instead of keeping its first row.
    static bool materialWaehlen(const DVdata& d) { return d.i[0] > -1 || !d.p[2].isEmpty(); }

    // The page chosen by its tab: the buffer reset to a fresh duct or pipe. A duct sized by
    // gradient and not in planning starts with the setting's gradient.
    void seiteZuruecksetzen(DVdata& d) const;

    // --- ranges ------------------------------------------------------------------------------
    Bereich auslegungBereich() const;

    // --- sizing --------------------------------------------------------------------------------
    enum class Auslegung { KeinVolumenstrom, Planung, Abgelehnt, Ausgelegt };
    struct AuslegungsErgebnis {
        Auslegung art = Auslegung::Abgelehnt;
        QString meldung; // status bar
        // The fields after sizing (duct: limits and width/height; pipe: diameter in breite).
        double maxBreite = -1, maxHoehe = -1, breite = -1, hoehe = -1;
        AuslegungsZeilen zeilen;
    };
    // Leaving the design field: sizes the section for the page's flow and writes the design
    // value, the limits, the dimensions and the velocity text into the record.
    AuslegungsErgebnis auslegen(const StreckenFelder& f, double dichte, DVdata& d) const;

    // A duct width typed alone (height below the smallest standard edge): the height that
    // reaches the design velocity; -1 when nothing is to change. `vAbschnitt` is the design
    // velocity of the node's section class (used when sizing by gradient).
    double hoeheZurBreite(const StreckenFelder& f, bool breiteGeaendert, double vAbschnitt) const;

    // The area text of the section in the record ("0,063 [m²]"); empty without dimensions.
    QString flaecheText(const DVdata& d) const;
    // The pipe's area for a typed diameter; empty for a diameter still being typed (below
    // 20) or none.
    static QString rohrFlaecheText(double durchmesser);
    // The diameter is still being typed.
    static bool durchmesserUnfertig(double d) { return d != -1 && d < 20; }

    // A button beside the diameter: the next smaller or larger standard diameter with the
    // velocity it would give; "-" without a diameter, a neighbour or a flow.
    RohrNachbar nachbar(double durchmesser, double Q, bool groesser) const;

    // The length field: below 100 metres (12 → 12000 mm); negative stays as typed.
    static double laenge(double feld);
    // A limit field: values below 10 mean no limit.
    static double grenze(double feld) { return feld < 10 ? -1 : feld; }

private:
    bool rund_;
    const Einstellungen& e_;
};

// "123 [mm]" and "0,06 [m²]" as the sizing rows show them.
QString mmText(double x);
QString qmText(double a, int stellen);

} // namespace zephan
