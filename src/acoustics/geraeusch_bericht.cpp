#include "acoustics/geraeusch_bericht.h"

#include "bands/pegel_druck.h"
#include "bands/pegel_zeilen.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

Geraeuschbericht::Geraeuschbericht(TDruck* druck, Pegelzeilen* zeilen)
    : druck_(druck && druck->drucken ? druck : nullptr), zeilen_(zeilen) {}

void Geraeuschbericht::zeile(const QString& text) const {
    if (!druck_) return;
    // A line put together with + keeps the room its growth reserved; the report of a large
    // network holds hundreds of thousands of them, so each is kept at its own size.
    if (text.capacity() > text.size() + 8)
        druck_->add(QString(text.constData(), text.size()));
    else
        druck_->add(text);
}

void Geraeuschbericht::leer() const {
    if (druck_) druck_->leer();
}

void Geraeuschbericht::frequenzen() const {
    if (druck_) druckePegel(*druck_, QString(), QString(), oktavFrequenzen);
}

void Geraeuschbericht::pegel(const QString& titel, const QString& einheit, const TPegel& p) const {
    if (!druck_) return;
    // The frequency row opens a table: druckePegel writes both.
    if (zeilen_ && !istFrequenzzeile(p))
        zeilen_->schreiben(*druck_, titel, einheit, p, false);
    else
        druckePegel(*druck_, titel, einheit, p);
}

void Geraeuschbericht::werte(const QString& titel, const QString& einheit, const TPegel& p) const {
    if (!druck_) return;
    if (zeilen_)
        zeilen_->schreiben(*druck_, titel, einheit, p, true);
    else
        druckeWerte(*druck_, titel, einheit, p);
}

QString berichtZahl(double x, int d) {
    return formatZahl(std::isfinite(x) ? x : 0.0, d);
}

} // namespace zephan
