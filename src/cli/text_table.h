#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zephan::cli {

// How a command writes its rows: TAB-separated in full precision for programs, or as an
// aligned table with units and German-rounded values for a person at a terminal.
enum class Ausgabe { Zeilen, Tabelle };

// Takes "--tsv" (rows) and "--tabelle" (table) out of args; without either, the table when
// standard output is a terminal. False when both are given.
bool ausgabeNehmen(QStringList& args, Ausgabe& ausgabe);
// Whether standard output / standard error is a terminal.
bool ausgabeIstTerminal();
bool fehlerausgabeIstTerminal();

// An aligned text table: a head of captions with their unit in brackets, a rule, then the
// rows; columns two blanks apart, numbers right-aligned, no blanks at a line's end.
class TextTabelle {
public:
    struct Spalte {
        QString titel;
        QString einheit; // empty: none
        bool rechts = false;
    };
    explicit TextTabelle(std::vector<Spalte> spalten);

    // A row; missing cells stay empty, surplus cells are dropped.
    void zeile(const QStringList& zellen);
    bool leer() const { return zeilen_.empty(); }
    QString text() const;

private:
    std::vector<Spalte> spalten_;
    std::vector<QStringList> zeilen_;
};

// Two columns "caption  value unit" for a single result.
QString wertListe(const std::vector<std::pair<QString, QString>>& werte);

} // namespace zephan::cli
