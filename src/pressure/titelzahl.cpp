#include "pressure/titelzahl.h"

#include "store/carried_data.h"
#include "store/ini_file.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <algorithm>
#include <cmath>

namespace zephan {

// A parsed table: the record as loaded plus its numbers, so an evaluation does not parse text.
struct titelzahli::Tabelle {
    bool ok = false;
    TTitelzahl D;
    std::vector<double> x;              // column parameters, index 1..par (0 unused)
    std::vector<double> y;              // row keys, index 1..anzahl (0 unused)
    std::vector<std::vector<double>> w; // values [col][row]
};

namespace {

QString nummer(int n) {
    return QString::number(n);
}

QString datKey(int row, int col) {
    return QStringLiteral("Dat") + nummer(row) + QLatin1Char('_') + nummer(col);
}

double zahl(const QString& text) {
    // Cell texts: blanks and "+" ignored, decimal comma; what is no number counts as 0.
    return leseZahl(text, nullptr, 0);
}

// Linear interpolation of (x0, v0) .. (x1, v1) at x; equal supports give v1.
double linear(double x, double x0, double x1, double v0, double v1) {
    if (x1 == x0) return v1;
    return v0 + (x - x0) / (x1 - x0) * (v1 - v0);
}

} // namespace

titelzahli::titelzahli(const QByteArray& daten, UserSeam* seam)
    : t_(std::make_unique<TIniFile2>()), seam_(seam) {
    t_->setFastread(true);
    if (t_->loadFromBytes(daten)) {
        offen_ = true;
    } else {
        // Without a readable store every table stays unavailable; say why once.
        melde(titelFehlerTabelle,
              QStringLiteral("TitelZahl: Tabellen nicht lesbar: ") + t_->lastError());
    }
    chang_ = false;
}

titelzahli::~titelzahli() = default;

void titelzahli::melde(int code, const QString& text) {
    letzterFehler_ = Fehler{code, text};
    trace(QStringLiteral("Fehler ") + nummer(code) + QStringLiteral(": ") + text);
    if (seam_) seam_->meldung(text, UserSeam::Kind::Fehler);
}

std::unique_ptr<titelzahli::Tabelle> titelzahli::lesen(int Nr) {
    auto tab = std::make_unique<Tabelle>();
    TTitelzahl& D = tab->D;
    D.Nr = Nr;
    const QString s = nummer(Nr);
    const TIniFile2& t = *t_;

    D.rechentab = t.ReadBool(s, QStringLiteral("Rechentabelle"), false);
    const qint64 anzahl = t.ReadInteger(s, QStringLiteral("Anzahl"), -1);
    if (anzahl < 0) {
        melde(titelFehlerExistiertNicht,
              QStringLiteral("TitelZahlDialog: Tabelle ") + s + QStringLiteral(" existiert nicht"));
        return tab;
    }
    if (anzahl > TTitelzahl::maxZeilen) {
        melde(titelFehlerTabelle,
              QStringLiteral("TitelZahl: Die Anzahl der Zeilen überschreitet das Maximum; Tab.") +
                  s);
        return tab;
    }
    D.anzahl = static_cast<int>(anzahl);
    const qint64 par = t.ReadInteger(s, QStringLiteral("Parameter"), 1);
    // The record has room for columns 0..6; an evaluation table needs at least one value column.
    if (par > TTitelzahl::maxSpalten - 1 || par < (D.rechentab ? 1 : 0)) {
        melde(titelFehlerTabelle, QStringLiteral("TitelZahl: Ungültige Spaltenzahl; Tab.") + s);
        return tab;
    }
    D.par = static_cast<int>(par);
    D.Quelle = t.ReadString(s, QStringLiteral("Quelle"));
    D.Beschreibung = t.ReadString(s, QStringLiteral("Beschreibung"));

    auto zelle = [&](int row, int col, int nach) {
        const QString key = datKey(row, col);
        if (nach != 0) return t.ReadString(s, key, QStringLiteral("0"));
        return QString::number(t.ReadInteger(s, key, 0));
    };

    if (D.rechentab) {
        const qint64 art = t.ReadInteger(s, QStringLiteral("Ergebnisart"), 0);
        D.rechenart = art < -1 ? -1 : (art > 1000 ? 1000 : static_cast<int>(art));
        for (int k = 0; k <= 2; ++k) {
            D.titel[k] = t.ReadString(s, QStringLiteral("Titel") + nummer(k));
            const qint64 n = t.ReadInteger(s, QStringLiteral("Nachkommastellen") + nummer(k), 0);
            if (n < 0) {
                melde(titelFehlerTabelle,
                      QStringLiteral("TitelZahl: Strings nicht erlaubt. Nr.") + s);
                return tab;
            }
            D.nach[k] = n > 15 ? 15 : static_cast<int>(n);
        }
        D.dat[0][0].clear();
        tab->x.assign(D.par + 1, 0);
        tab->y.assign(D.anzahl + 1, 0);
        tab->w.assign(D.par + 1, std::vector<double>(D.anzahl + 1, 0));
        for (int col = 1; col <= D.par; ++col) {
            D.dat[col][0] = zelle(0, col, D.nach[0]);
            tab->x[col] = zahl(D.dat[col][0]);
        }
        for (int row = 1; row <= D.anzahl; ++row) {
            D.dat[0][row] = zelle(row, 0, D.nach[1]);
            tab->y[row] = zahl(D.dat[0][row]);
            for (int col = 1; col <= D.par; ++col) {
                D.dat[col][row] = zelle(row, col, D.nach[2]);
                tab->w[col][row] = zahl(D.dat[col][row]);
            }
        }
    } else {
        for (int k = 0; k <= D.par; ++k) {
            D.titel[k] = t.ReadString(s, QStringLiteral("Titel") + nummer(k));
            D.einheit[k] = t.ReadString(s, QStringLiteral("Einheit") + nummer(k));
            const qint64 n = t.ReadInteger(s, QStringLiteral("Nachkommastellen") + nummer(k), 0);
            D.nach[k] = n < -1 ? -1 : (n > 15 ? 15 : static_cast<int>(n));
        }
        for (int row = 0; row <= D.anzahl; ++row)
            for (int col = 0; col <= D.par; ++col) D.dat[col][row] = zelle(row, col, D.nach[col]);
    }
    tab->ok = true;
    return tab;
}

const titelzahli::Tabelle* titelzahli::tabelle(int Nr) {
    if (Nr == letzteNr_ && letzte_) return letzte_;
    if (!offen_ || Nr < 0) return nullptr;
    auto it = cache_.find(Nr);
    if (it == cache_.end()) it = cache_.emplace(Nr, lesen(Nr)).first;
    letzteNr_ = Nr;
    letzte_ = it->second.get();
    return letzte_;
}

bool titelzahli::load(TTitelzahl& D) {
    const Tabelle* tab = tabelle(D.Nr);
    if (!tab || !tab->ok) return false;
    D = tab->D;
    return true;
}

void titelzahli::clear(TTitelzahl& D) {
    const int nr = D.Nr;
    D = TTitelzahl();
    D.Nr = nr;
    D.anzahl = 0;
    D.par = 0;
}

void titelzahli::save(const TTitelzahl& D) {
    if (!offen_ || D.Nr < 0) return;
    TIniFile2& t = *t_;
    const QString s = nummer(D.Nr);
    const int par = std::clamp(D.par, 0, TTitelzahl::maxSpalten - 1);
    const int anzahl = std::clamp(D.anzahl, 0, TTitelzahl::maxZeilen);
    t.eraseSection(s);
    t.WriteString(s, QStringLiteral("Beschreibung"), D.Beschreibung);
    t.WriteString(s, QStringLiteral("Quelle"), D.Quelle);
    t.WriteInteger(s, QStringLiteral("Anzahl"), anzahl);
    t.WriteInteger(s, QStringLiteral("Parameter"), par);
    if (D.rechentab) {
        t.WriteBool(s, QStringLiteral("Rechentabelle"), true);
        t.WriteInteger(s, QStringLiteral("Ergebnisart"), D.rechenart);
        for (int k = 0; k <= 2; ++k)
            t.WriteString(s, QStringLiteral("Titel") + nummer(k), D.titel[k]);
        for (int k = 0; k <= 2; ++k)
            t.WriteInteger(s, QStringLiteral("Nachkommastellen") + nummer(k), D.nach[k]);
        for (int col = 1; col <= par; ++col) t.WriteString(s, datKey(0, col), D.dat[col][0]);
        for (int row = 1; row <= anzahl; ++row)
            for (int col = 0; col <= par; ++col)
                t.WriteString(s, datKey(row, col), D.dat[col][row]);
    } else {
        for (int k = 0; k <= par; ++k) {
            t.WriteString(s, QStringLiteral("Titel") + nummer(k), D.titel[k]);
            t.WriteString(s, QStringLiteral("Einheit") + nummer(k), D.einheit[k]);
            t.WriteInteger(s, QStringLiteral("Nachkommastellen") + nummer(k), D.nach[k]);
        }
        for (int row = 0; row <= anzahl; ++row)
            for (int col = 0; col <= par; ++col)
                t.WriteString(s, datKey(row, col), D.dat[col][row]);
    }
    chang_ = true;
    cache_.erase(D.Nr);
    letzteNr_ = -1;
    letzte_ = nullptr;
}

double titelzahli::erg(int Nr, double X, double Y) {
    const Tabelle* tab = tabelle(Nr);
    if (!tab || !tab->ok || !tab->D.rechentab) return -1;
    return auswerten(*tab, X, Y);
}

double titelzahli::auswerten(const Tabelle& tab, double X, double Y) {
    const TTitelzahl& D = tab.D;
    const QString nr = nummer(D.Nr);
    auto xFehlt = [&] {
        melde(titelFehlerNichtGefunden,
              QStringLiteral("TitelZahl: X-Wert wurde nicht in Tabelle ") + nr +
                  QStringLiteral(" gefunden."));
        return -1.0;
    };
    auto yFehlt = [&] {
        melde(titelFehlerNichtGefunden,
              QStringLiteral("TitelZahl: Y-Wert wurde nicht in Tabelle ") + nr +
                  QStringLiteral(" gefunden."));
        return -1.0;
    };
    if (D.rechenart < 0 || D.rechenart > rechenartInterpolieren) {
        melde(titelFehlerRechenart, QStringLiteral("TitelZahl: Rechenart wurde nicht festgelegt."));
        return -1;
    }
    if (!std::isfinite(X)) return xFehlt();
    if (!std::isfinite(Y) || D.anzahl < 1) return yFehlt();

    if (D.rechenart == rechenartExakt) {
        auto text = [](double v, int nach) {
            return nach == 0 ? QString::number(runden(v)) : formatZahlOhneGruppen(v, nach);
        };
        const QString xs = text(X, D.nach[0]);
        int c = 0;
        for (int col = 1; col <= D.par && c == 0; ++col)
            if (D.dat[col][0].trimmed() == xs) c = col;
        if (c == 0) return xFehlt();
        const QString ys = text(Y, D.nach[1]);
        int r = 0;
        for (int row = 1; row <= D.anzahl && r == 0; ++row)
            if (D.dat[0][row].trimmed() == ys) r = row;
        if (r == 0) return yFehlt();
        return tab.w[c][r];
    }

    if (D.rechenart == rechenartStufe) {
        int c = 1;
        double best = std::fabs(X - tab.x[1]);
        for (int col = 2; col <= D.par; ++col) {
            const double d = std::fabs(X - tab.x[col]);
            if (d < best) {
                best = d;
                c = col;
            }
        }
        int r = D.anzahl;
        for (int row = 1; row <= D.anzahl; ++row)
            if (tab.y[row] >= Y) {
                r = row;
                break;
            }
        return tab.w[c][r];
    }

    // Interpolating: the bracketing columns and rows, clamped to the table's edges.
    int c = D.par;
    for (int col = 1; col <= D.par; ++col)
        if (X <= tab.x[col]) {
            c = col;
            break;
        }
    const int c0 = std::clamp(X < tab.x[c] ? c - 1 : c, 1, D.par);
    int r = D.anzahl;
    for (int row = 1; row <= D.anzahl; ++row)
        if (Y <= tab.y[row]) {
            r = row;
            break;
        }
    const int r0 = std::clamp(Y < tab.y[r] ? r - 1 : r, 1, D.anzahl);
    const auto& w = tab.w;
    if (c != c0 && r != r0) {
        const double obenWert = linear(X, tab.x[c0], tab.x[c], w[c0][r0], w[c][r0]);
        const double untenWert = linear(X, tab.x[c0], tab.x[c], w[c0][r], w[c][r]);
        return linear(Y, tab.y[r0], tab.y[r], obenWert, untenWert);
    }
    if (c != c0) return linear(X, tab.x[c0], tab.x[c], w[c0][r], w[c][r]);
    if (r != r0) return linear(Y, tab.y[r0], tab.y[r], w[c][r0], w[c][r]);
    return w[c][r];
}

titelzahli& titelzahlen() {
    static titelzahli tabellen(carriedData(QStringLiteral("titeldata.ini")));
    return tabellen;
}

} // namespace zephan
