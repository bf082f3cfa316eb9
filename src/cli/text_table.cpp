#include "cli/text_table.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace zephan::cli {

bool ausgabeIstTerminal() {
    return isatty(fileno(stdout)) == 1;
}

bool fehlerausgabeIstTerminal() {
    return isatty(fileno(stderr)) == 1;
}

bool ausgabeNehmen(QStringList& args, Ausgabe& ausgabe) {
    const bool tsv = args.removeAll(QStringLiteral("--tsv")) > 0;
    const bool tabelle = args.removeAll(QStringLiteral("--tabelle")) > 0;
    if (tsv && tabelle) return false;
    ausgabe = tsv                    ? Ausgabe::Zeilen
              : tabelle              ? Ausgabe::Tabelle
              : ausgabeIstTerminal() ? Ausgabe::Tabelle
                                     : Ausgabe::Zeilen;
    return true;
}

TextTabelle::TextTabelle(std::vector<Spalte> spalten) : spalten_(std::move(spalten)) {}

void TextTabelle::zeile(const QStringList& zellen) {
    QStringList z = zellen.mid(0, static_cast<qsizetype>(spalten_.size()));
    while (z.size() < static_cast<qsizetype>(spalten_.size())) z.append(QString());
    zeilen_.push_back(z);
}

namespace {

QString kopfText(const TextTabelle::Spalte& s) {
    return s.einheit.isEmpty() ? s.titel : s.titel + QStringLiteral(" [") + s.einheit + ']';
}

QString gesetzt(const QString& text, qsizetype breite, bool rechts) {
    return rechts ? text.rightJustified(breite, QLatin1Char(' '))
                  : text.leftJustified(breite, QLatin1Char(' '));
}

void zeileAnhaengen(QString& ziel, const QStringList& zellen, const std::vector<qsizetype>& breiten,
                    const std::vector<bool>& rechts) {
    QString z;
    for (size_t k = 0; k < breiten.size(); ++k) {
        if (k > 0) z += QStringLiteral("  ");
        z += gesetzt(zellen[static_cast<qsizetype>(k)], breiten[k], rechts[k]);
    }
    while (z.endsWith(QLatin1Char(' '))) z.chop(1);
    ziel += z + QLatin1Char('\n');
}

} // namespace

QString TextTabelle::text() const {
    std::vector<qsizetype> breiten;
    std::vector<bool> rechts;
    QStringList kopf;
    for (const Spalte& s : spalten_) {
        kopf.append(kopfText(s));
        breiten.push_back(kopf.back().size());
        rechts.push_back(s.rechts);
    }
    for (const QStringList& z : zeilen_)
        for (size_t k = 0; k < breiten.size(); ++k)
            breiten[k] = std::max(breiten[k], z[static_cast<qsizetype>(k)].size());
    QString t;
    zeileAnhaengen(t, kopf, breiten, rechts);
    qsizetype gesamt = 0;
    for (qsizetype b : breiten) gesamt += b;
    gesamt += 2 * static_cast<qsizetype>(breiten.empty() ? 0 : breiten.size() - 1);
    t += QString(gesamt, QLatin1Char('-')) + QLatin1Char('\n');
    for (const QStringList& z : zeilen_) zeileAnhaengen(t, z, breiten, rechts);
    return t;
}

QString wertListe(const std::vector<std::pair<QString, QString>>& werte) {
    qsizetype breite = 0;
    for (const auto& [name, wert] : werte) breite = std::max(breite, name.size());
    QString t;
    for (const auto& [name, wert] : werte)
        t += name.leftJustified(breite + 2, QLatin1Char(' ')) + wert + QLatin1Char('\n');
    return t;
}

} // namespace zephan::cli
