#include "bands/rechenblatt.h"

#include "store/trace_log.h"

namespace zephan {

namespace {

void meldeZeile(int nr) {
    trace(QStringLiteral("FEHLER Rechenblatt: Zeile %1 nicht in 1..%2")
              .arg(nr)
              .arg(Rechenblatt::zeilenAnzahl));
}

} // namespace

Rechenblatt::Rechenblatt() {
    leeren();
}

void Rechenblatt::leeren() {
    for (auto& z : zeilen_) z.fill(pegelNichtBerechnet);
    ausserhalb_.fill(pegelNichtBerechnet);
}

TPegel& Rechenblatt::zeile(int nr) {
    if (gueltigeZeile(nr)) return zeilen_[nr - 1];
    meldeZeile(nr);
    ausserhalb_.fill(pegelNichtBerechnet);
    return ausserhalb_;
}

const TPegel& Rechenblatt::zeile(int nr) const {
    if (gueltigeZeile(nr)) return zeilen_[nr - 1];
    meldeZeile(nr);
    ausserhalb_.fill(pegelNichtBerechnet);
    return ausserhalb_;
}

TPegel Rechenblatt::zeilensumme(int erste, int letzte, bool* ok) const {
    const bool gut = gueltigeZeile(erste) && (letzte <= erste || gueltigeZeile(letzte));
    if (ok) *ok = gut;
    if (!gut) {
        meldeZeile(gueltigeZeile(erste) ? letzte : erste);
        return pegel(pegelNichtBerechnet);
    }
    TPegel c = zeilen_[erste - 1];
    for (int nr = erste + 1; nr <= letzte; ++nr) addiere(c, zeilen_[nr - 1], c);
    return c;
}

Rechenblatt& rechenblatt() {
    static Rechenblatt blatt;
    return blatt;
}

} // namespace zephan
