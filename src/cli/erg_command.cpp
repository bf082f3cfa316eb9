#include "cli/command.h"
#include "pressure/titelzahl.h"
#include "store/user_seam.h"

#include <cmath>

namespace zephan::cli {
namespace {

// Keeps the first table message so it can be printed as the command's failure.
class ErsteMeldung : public UserSeam {
public:
    QString text;
    int frage(const QString& t, const QString&, Kind) override {
        if (text.isEmpty()) text = t;
        return 0;
    }
    void status(int, const QString&) override {}
};

const Command erg("erg", "erg NR X Y", [](const QStringList& args) {
    if (args.size() != 3) return usage("erg");
    bool okNr = false;
    const int nr = args[0].trimmed().toInt(&okNr);
    if (!okNr) return fehler(QStringLiteral("Keine Tabellennummer: ") + args[0]);
    double x = 0, y = 0;
    QString grund;
    if (!zahlArgument(args[1], x, grund) || !zahlArgument(args[2], y, grund)) return fehler(grund);

    ErsteMeldung meldung;
    titelzahli& tabellen = titelzahlen();
    tabellen.setSeam(&meldung);
    const double wert = tabellen.erg(nr, x, y);
    tabellen.setSeam(nullptr);
    if (!meldung.text.isEmpty()) return fehler(meldung.text);
    TTitelzahl D;
    D.Nr = nr;
    if (nr < 0 || !tabellen.load(D))
        return fehler(QStringLiteral("TitelZahlDialog: Tabelle ") + QString::number(nr) +
                      QStringLiteral(" existiert nicht"));
    // A plain list has no value to evaluate.
    if (!D.rechentab)
        return fehler(QStringLiteral("TitelZahl: Tabelle ") + QString::number(nr) +
                      QStringLiteral(" ist keine Rechentabelle."));
    keyValue(QStringLiteral("erg"), wert);
    return exitOk;
});

} // namespace
} // namespace zephan::cli
