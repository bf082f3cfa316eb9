#include "render/table_design.h"

namespace zephan {

namespace {

bool istZiffer(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// How many digits belong to a letter: "C" and "H" up to two, the rules one ("2").
int ziffernFuer(QChar buchstabe) {
    switch (buchstabe.unicode()) {
    case 'C':
    case 'H':
        return 2;
    case 'L':
    case 'O':
    case 'U':
    case 'R':
        return 1;
    default:
        return 0;
    }
}

// Removes letter x and up to `ziffern` digits after it, everywhere in the design.
QString ohne(const QString& design, QChar x, int ziffern) {
    QString r;
    r.reserve(design.size());
    for (qsizetype i = 0; i < design.size(); ++i) {
        if (design[i] == x) {
            int k = 0;
            while (k < ziffern && i + 1 < design.size() && istZiffer(design[i + 1])) {
                ++i;
                ++k;
            }
            continue;
        }
        r += design[i];
    }
    return r;
}

QString hinzu(QString design, QChar x, const QString& ziffern) {
    design = ohne(design, x, ziffernFuer(x));
    const QString gruppen[] = {QStringLiteral("lzr"), QStringLiteral("omu")};
    for (const QString& g : gruppen)
        if (g.contains(x))
            for (QChar c : g) design = ohne(design, c, 0);
    return design + x + ziffern;
}

} // namespace

TZellDesign designLesen(QStringView d) {
    TZellDesign z;
    for (qsizetype i = 0; i < d.size(); ++i) {
        const QChar c = d[i];
        auto zahl = [&](int maxZiffern) {
            int v = 0, k = 0;
            while (k < maxZiffern && i + 1 < d.size() && istZiffer(d[i + 1])) {
                v = v * 10 + d[i + 1].digitValue();
                ++i;
                ++k;
            }
            return k == 0 ? -1 : v;
        };
        switch (c.unicode()) {
        case 'l':
        case 'z':
        case 'r':
            z.horizontal = static_cast<char>(c.unicode());
            break;
        case 'o':
        case 'm':
        case 'u':
            z.vertikal = static_cast<char>(c.unicode());
            break;
        case 'L':
        case 'O':
        case 'U':
        case 'R': {
            const int w = zahl(1) == 2 ? 4 : 1;
            if (c == QLatin1Char('L')) z.links = w;
            if (c == QLatin1Char('O')) z.oben = w;
            if (c == QLatin1Char('U')) z.unten = w;
            if (c == QLatin1Char('R')) z.rechts = w;
            break;
        }
        case 'F':
            z.fett = true;
            break;
        case 'Q':
            z.quer = true;
            break;
        case 'B':
            z.breiteAusKopf = true;
            break;
        case 'C': {
            const int n = zahl(2);
            z.spalten = n < 1 ? 1 : n;
            break;
        }
        case 'H': {
            const int n = zahl(2);
            z.zeilen = n < 1 ? 1 : n;
            break;
        }
        default:
            break;
        }
    }
    return z;
}

int designSpalten(QStringView design) {
    return designLesen(design).spalten;
}

QString designAnwenden(const QString& alt, const QString& feld) {
    if (feld.isEmpty() || feld == QLatin1String("+")) return alt;
    if (!feld.contains(QLatin1Char('+')) && !feld.contains(QLatin1Char('-'))) return feld;
    QString d = alt;
    QChar modus = QLatin1Char('+');
    for (qsizetype i = 0; i < feld.size(); ++i) {
        const QChar c = feld[i];
        if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
            modus = c;
            continue;
        }
        if (istZiffer(c)) continue; // a digit without its letter
        if (modus == QLatin1Char('-')) {
            d = ohne(d, c, 1);
            if (i + 1 < feld.size() && istZiffer(feld[i + 1])) ++i;
        } else {
            QString ziffern;
            const int n = ziffernFuer(c);
            while (ziffern.size() < n && i + 1 < feld.size() && istZiffer(feld[i + 1]))
                ziffern += feld[++i];
            d = hinzu(d, c, ziffern);
        }
    }
    return d;
}

TTabellenDefinition tabellenDefinitionLesen(QStringView argument) {
    TTabellenDefinition t;
    QString s = argument.toString();
    s.replace(QLatin1Char(','), QLatin1Char('|'));
    if (s.startsWith(QLatin1Char('K'))) {
        const qsizetype bar = s.indexOf(QLatin1Char('|'));
        const QString n = bar < 0 ? s.mid(1) : s.mid(1, bar - 1);
        bool ok = false;
        const int k = n.trimmed().toInt(&ok);
        t.koepfe = n.trimmed().isEmpty() ? 0 : (ok ? k : -1);
        if (t.koepfe < 0) t.koepfe = 0;
        if (t.koepfe > 50) t.koepfe = 50;
        s = bar < 0 ? QString() : s.mid(bar + 1);
    }
    QStringList felder = s.split(QLatin1Char('|'));
    const QString stil = felder.takeFirst().trimmed();
    bool ok = false;
    const int st = stil.toInt(&ok);
    t.stil = stil.isEmpty() ? 0 : (ok ? st : -1);
    if (felder.size() > maxSpalten) {
        t.zuVieleSpalten = true;
        felder = felder.mid(0, maxSpalten);
    }
    t.breiten = felder;
    return t;
}

QString kopfDesignFuerStil(int stil) {
    switch (stil) {
    case 0:
        return QStringLiteral("F");
    case 1:
        return QStringLiteral("LOURF");
    case 2:
        return QStringLiteral("URF");
    case 3:
        return QStringLiteral("UF");
    default:
        return {};
    }
}

QString rumpfDesignFuerStil(int stil, int spalte, bool mitKoepfen) {
    switch (stil) {
    case 1:
        return mitKoepfen ? QStringLiteral("LUR") : QStringLiteral("LOUR");
    case 2:
        return QStringLiteral("UR");
    case 3:
        return spalte == 1 ? QStringLiteral("L") : QString();
    default:
        return {};
    }
}

} // namespace zephan
