#pragma once

#include <QString>
#include <QStringList>

namespace zephan {

class TIniFile2;

// The stored fields of the project page ("Eigenschaften"): who plans what where, the
// project's quantity groups and notes. The project page edits them; the project file stores
// them in the page's order.
struct ProjektDaten {
    QString firma;
    QString Bearbeiter;
    QString strasse;
    QString ort;
    QString firma2;
    QString Bau_Vorhaben;
    QString Bau_Ort;
    QString Bau_Strasse;
    QString pnrtxt;  // project number
    QString Gruppen; // memo: one quantity group per line ("\n")
    QString Memo;    // memo: the project's notes
    bool MassenauszugMitGruppen = false;

    bool operator==(const ProjektDaten&) const = default;

    static inline const QString abschnitt = QStringLiteral("Eigenschaften");

    // Writes the section "Eigenschaften" (memo line breaks as "þ").
    void sichern(TIniFile2& ini) const;
    // Reads the section back as the page restores its fields: a missing text or check box
    // keeps what the page showed, a missing memo is emptied. "Bearbeiter" falls back to
    // "unbekannt".
    void laden(const TIniFile2& ini);

    // "Neu...": the project number and the three building-project fields are emptied.
    void neuesProjekt();

    // The group choices of the edit pages: "unbekannt", then each non-empty trimmed line of
    // the "Gruppen" memo.
    QStringList gruppenListe() const;
};

} // namespace zephan
