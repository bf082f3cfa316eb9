#include "app/band_felder.h"

#include "app/number_field.h"
#include "store/number_format.h"

#include <QGridLayout>
#include <QLabel>

namespace zephan {

namespace {
// Wide enough for "199,9" and "9999".
class BandFeld : public Zahlenfeld {
public:
    using Zahlenfeld::Zahlenfeld;
    QSize sizeHint() const override {
        QSize s = QLineEdit::sizeHint();
        s.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("-9999,9")) + 12);
        return s;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};
} // namespace

BandFelder bandFelder(QWidget* eltern, QGridLayout* g, int zeile, int spalte,
                      const QString& namePrefix, int stellen, const Bereich& b) {
    BandFelder f{};
    for (int k = 0; k < vorgabeBandAnzahl; ++k) {
        auto* z = new BandFeld(stellen, eltern);
        z->setObjectName(namePrefix + QString::number(k));
        z->setBereich(b);
        z->setToolTip(bandName(k));
        g->addWidget(z, zeile, spalte + k);
        f[static_cast<size_t>(k)] = z;
    }
    return f;
}

void bandKoepfe(QWidget* eltern, QGridLayout* g, int zeile, int spalte) {
    for (int k = 0; k < vorgabeBandAnzahl; ++k) {
        auto* l = new QLabel(bandKopf(k), eltern);
        l->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        g->addWidget(l, zeile, spalte + k);
    }
}

BandWerte bandWerte(const BandFelder& f) {
    BandWerte w{};
    for (size_t k = 0; k < f.size(); ++k) w[k] = f[k]->wert();
    return w;
}

void bandWerteZeigen(const BandFelder& f, const BandWerte& w) {
    for (size_t k = 0; k < f.size(); ++k) f[k]->setWert(w[k]);
}

int unlesbaresBandFeld(const BandFelder& f) {
    for (size_t k = 0; k < f.size(); ++k) {
        if (f[k]->text().trimmed().isEmpty()) continue;
        bool ok = false;
        leseZahl(f[k]->text(), &ok);
        if (!ok) return static_cast<int>(k);
    }
    return -1;
}

QString unlesbarMeldung(const QString& name) {
    return QStringLiteral("Im Feld \"%1\" steht keine Zahl.").arg(name);
}

} // namespace zephan
