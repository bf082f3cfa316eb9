#pragma once

#include "bands/pegel.h"

#include <QString>

namespace zephan {

class Pegelzeilen;
class TDruck;

// Where a flow-noise calculation writes its derivation. Without a recording document every
// call is a no-op and callers skip building their lines (an() is false), so a calculation of a
// whole network without a report costs no text formatting. With the rows of a run
// (`zeilen`), a spectrum row equal to one written before shares its text.
class Geraeuschbericht {
public:
    explicit Geraeuschbericht(TDruck* druck, Pegelzeilen* zeilen = nullptr);

    bool an() const { return druck_ != nullptr; }
    void zeile(const QString& text) const;
    void leer() const;
    // The frequency row that opens a spectrum table.
    void frequenzen() const;
    // A spectrum row with whole numbers / with adaptive decimals.
    void pegel(const QString& titel, const QString& einheit, const TPegel& p) const;
    void werte(const QString& titel, const QString& einheit, const TPegel& p) const;

private:
    TDruck* druck_;
    Pegelzeilen* zeilen_;
};

// A number for a report line with d decimals; a value that is no finite number (which the
// calculations guard against) prints as 0 rather than as a placeholder.
QString berichtZahl(double x, int d);

} // namespace zephan
