#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zephan {

class TIniFile2;

// One line of the insulation list.
struct Isolierung {
    QString material;
    int dicke = 0; // mm

    bool operator==(const Isolierung&) const = default;
};

// The octave bands the sound tables may show, 63 Hz ... 4 kHz, as stored in "Schall".
constexpr int anzahlSchallBaender = 7;
QString bandToken(int k); // "63", "125", "250", "500", "1K", "2K", "4K"; empty outside 0 ... 6

// Which standard size list.
enum class MassListe { Kanal, Rohr };

// The program-wide settings ("Einstellungen"), read from the settings file once at start and
// written whenever the dialog closes. Readers call `einstellungen()` at the moment of use, so
// a change made in the dialog takes effect for the next calculation. Every setter keeps its
// value inside the range the dialog allows.
class Einstellungen {
public:
    Einstellungen(); // the defaults of a missing settings file

    // --- sizing and presets ("Abmessung") ---
    // Standard sizes in mm, never empty. The page checks need the first entry.
    const QList<int>& kanalMasse() const { return kanal_; }
    const QList<int>& rohrMasse() const { return rohr_; }
    const QList<int>& masse(MassListe l) const { return l == MassListe::Kanal ? kanal_ : rohr_; }
    // Adds a size (whole mm, 10 ... 100000; 0 does nothing): appended unless an equal entry
    // exists, then the list is sorted ascending. Returns the position of the value in the list,
    // -1 when nothing was done.
    int massHinzufuegen(MassListe l, int mm);
    // Removes the entries at the given positions; the last remaining entry stays. Returns the
    // number removed.
    int masseLoeschen(MassListe l, const QList<int>& positionen);
    // Replaces a list from its stored text ("100|150|"): every non-empty whole number > 0 in
    // stored order. A text without one valid size leaves the list unchanged (false).
    bool setMasseText(MassListe l, const QString& text);
    // The stored form: each entry followed by "|".
    QString masseText(MassListe l) const;

    // Sizing rule: 0 by maximum velocity, 1 by friction gradient. Anything else reads as 0.
    int auslegung() const { return auslegung_; }
    void setAuslegung(int a) { auslegung_ = (a == 1) ? 1 : 0; }
    bool nachGefaelle() const { return auslegung_ == 1; }
    // Design velocities in m/s, 1 ... 20.
    int speedHaupt() const { return speedHaupt_; }
    int speedVerz() const { return speedVerz_; }
    int speedAbz() const { return speedAbz_; }
    void setSpeedHaupt(int v);
    void setSpeedVerz(int v);
    void setSpeedAbz(int v);
    // Design velocity of a section class (0 main, 1 distribution, 2 end section).
    int designGeschwindigkeit(int abschnittKlasse) const;
    // Friction gradient in Pa/m: the field's text (decimal comma) and its number.
    QString paProMText() const { return paProM_; }
    double paProM() const;
    void setPaProMText(const QString& t) { paProM_ = t; }

    // Values a newly chosen room receives.
    int nachhallzeit() const { return nachhallzeit_; } // ms, 0 ... 10000
    int abstand() const { return abstand_; }           // m, 0 ... 100
    int raumdB() const { return raumdB_; }             // dB, 0 ... 90
    void setNachhallzeit(int ms);
    void setAbstand(int m);
    void setRaumdB(int db);

    // Bend radius ratios R/d (round) and R/dh (rectangular), 0 ... 100: text and number.
    QString rohrRdhText() const { return rohrRdh_; }
    QString kanalRdhText() const { return kanalRdh_; }
    double rohrRdh() const;
    double kanalRdh() const;
    // False (value unchanged) for a text that is no number in range.
    bool setRohrRdhText(const QString& t);
    bool setKanalRdhText(const QString& t);

    // "Status planen für neue Bauteile": the planning default of new node records.
    bool immerPlanen() const { return immerPlanen_; }
    void setImmerPlanen(bool b) { immerPlanen_ = b; }
    // "Bauteile dadrunter einfügen".
    bool bauteilUnter() const { return bauteilUnter_; }
    void setBauteilUnter(bool b) { bauteilUnter_ = b; }

    // --- the hidden page ---
    // Dimension tolerance at joints in mm: 2 in every run (written, never read back).
    int abweichung() const { return abweichung_; }
    int min1qm() const { return min1qm_; } // 0 ... 2
    void setMin1qm(int i);
    bool vierkantrund() const { return vierkantrund_; }
    void setVierkantrund(bool b) { vierkantrund_ = b; }
    int sbmin() const { return sbmin_; } // 0 ... 2; anything else reads as 0
    void setSbmin(int i) { sbmin_ = (i >= 0 && i <= 2) ? i : 0; }
    int sb30ab() const { return sb30ab_; }
    int sb40ab() const { return sb40ab_; }
    void setSb30ab(int mm) { sb30ab_ = mm; }
    void setSb40ab(int mm) { sb40ab_ = mm; }
    int schusslaenge() const { return 1500; } // not stored
    const QList<Isolierung>& isolierung() const { return isolierung_; }
    void setIsolierung(const QList<Isolierung>& l) { isolierung_ = l; }
    void isolierungHinzufuegen(const Isolierung& i) { isolierung_.append(i); }
    bool isolierungEntfernen(int position);
    // The list line "name, 30mm" and its reading back (name before the first ",", thickness
    // from the rest without "mm"; no number gives 0).
    static QString isolierungZeile(const Isolierung& i);
    static Isolierung isolierungAusZeile(const QString& zeile);
    static QList<Isolierung> standardIsolierung();

    // --- sound ("ProgrammDV") ---
    // Bands shown in the sound tables, 63 Hz ... 4 kHz.
    bool band(int k) const { return k >= 0 && k < anzahlSchallBaender && baender_[k]; }
    void setBand(int k, bool an);
    // The stored form: the tokens of the chosen bands, each followed by ",".
    QString schallText() const;
    // A band is chosen when the text contains its token.
    void setSchallText(const QString& text);
    // 0 from room to fan (1983), 1 from fan to room (2005).
    int schallmethode() const { return schallmethode_; }
    void setSchallmethode(int m) { schallmethode_ = (m == 0) ? 0 : 1; }
    bool schallAuslass() const { return schallAuslass_; }
    void setSchallAuslass(bool b) { schallAuslass_ = b; }
    // "automatisch alle 5 Minuten sichern".
    bool autoSave() const { return autoSave_; }
    void setAutoSave(bool b) { autoSave_ = b; }

    // --- the settings file ---
    // Reads sections "Abmessung", "ProgrammDV" and "Isolierung"; absent keys give defaults.
    void lesen(TIniFile2& ini);
    // Writes the three sections in their fixed order; other sections stay as they are.
    void schreiben(TIniFile2& ini) const;
    // Every effective setting as "section/key=value" in the order they are written.
    QStringList alsZeilen() const;

    bool operator==(const Einstellungen&) const = default;

private:
    QList<int> kanal_;
    QList<int> rohr_;
    int auslegung_ = 0;
    int speedHaupt_ = 8;
    int speedVerz_ = 5;
    int speedAbz_ = 3;
    QString paProM_;
    int nachhallzeit_ = 1000;
    int abstand_ = 3;
    int raumdB_ = 30;
    QString rohrRdh_;
    QString kanalRdh_;
    bool immerPlanen_ = true;
    bool bauteilUnter_ = true;
    int abweichung_ = 2;
    int min1qm_ = 1;
    bool vierkantrund_ = false;
    int sbmin_ = 1;
    int sb30ab_ = 1000;
    int sb40ab_ = 2500;
    QList<Isolierung> isolierung_;
    std::array<bool, anzahlSchallBaender> baender_{};
    int schallmethode_ = 1;
    bool schallAuslass_ = false;
    bool autoSave_ = true;
};

// The program's one settings object (defaults until a settings file was read).
Einstellungen& einstellungen();

// Reads the program's settings file (`Zephan.ini` in the data folder, copied there from the
// program folder first when only that has it) into `einstellungen()`. A missing file leaves
// the defaults. Returns false when a file exists but cannot be read.
bool einstellungenLaden();
// Writes `einstellungen()` into the program's settings file, keeping its other sections.
bool einstellungenSichern(QString* fehler = nullptr);
// The same with an explicit file (tests, command-line tool).
bool einstellungenLaden(Einstellungen& e, const QString& datei);
bool einstellungenSichern(const Einstellungen& e, const QString& datei, QString* fehler = nullptr);

} // namespace zephan
