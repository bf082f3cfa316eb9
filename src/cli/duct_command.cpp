#include "cli/command.h"
#include "network/dvdata.h"
#include "pressure/air_density.h"
#include "pressure/duct_hydraulics.h"
#include "render/pdf_output.h"
#include "report/report_document.h"

#include <QHash>
#include <cmath>
#include <limits>
#include <utility>

namespace zephan::cli {
namespace {

const Command duct(
    "duct",
    "duct (--breite B --hoehe H | --durchmesser D) --volumenstrom Q --material NAME "
    "[--laenge L] [--dichte RHO] [--report] [--pdf OUT.pdf]",
    [](const QStringList& args) {
        const QStringList mitWert{"--breite",   "--hoehe",  "--durchmesser", "--volumenstrom",
                                  "--material", "--laenge", "--dichte"};
        QHash<QString, QString> opt;
        bool bericht = false;
        QString pdf;
        for (int k = 0; k < args.size(); ++k) {
            if (args[k] == QLatin1String("--report")) {
                bericht = true;
            } else if (args[k] == QLatin1String("--pdf") && k + 1 < args.size() && pdf.isEmpty()) {
                pdf = args[++k];
            } else if (mitWert.contains(args[k]) && k + 1 < args.size() && !opt.contains(args[k])) {
                opt.insert(args[k], args[k + 1]);
                ++k;
            } else {
                return usage("duct");
            }
        }
        if (!pdf.isEmpty() && !ausgabeDatei(pdf)) return exitFehler;
        const bool eckig = opt.contains("--breite") || opt.contains("--hoehe");
        const bool rund = opt.contains("--durchmesser");
        if (eckig == rund || (eckig && !(opt.contains("--breite") && opt.contains("--hoehe"))) ||
            !opt.contains("--volumenstrom") || !opt.contains("--material"))
            return usage("duct");

        QHash<QString, double> wert;
        for (auto it = opt.cbegin(); it != opt.cend(); ++it) {
            if (it.key() == QLatin1String("--material")) continue;
            QString grund;
            if (!zahlArgument(it.value(), wert[it.key()], grund))
                return fehler(it.key() + QStringLiteral(": ") + grund);
        }
        const double b = eckig ? wert["--breite"] : wert["--durchmesser"];
        const double h = eckig ? wert["--hoehe"] : 0;
        if (b <= 0 || (eckig && h <= 0))
            return fehler(QStringLiteral("Die Abmessungen müssen größer als 0 mm sein."));
        const bool mitLaenge = opt.contains("--laenge");
        const double laenge = mitLaenge ? wert["--laenge"] : 0;
        if (laenge < 0) return fehler(QStringLiteral("Die Länge darf nicht negativ sein."));
        const double rho = opt.contains("--dichte") ? wert["--dichte"] : dichteStandard;
        if (rho < dichteMinimum || rho > dichteMaximum)
            return fehler(QStringLiteral("Die Dichte muss zwischen 0,5 und 2 kg/m³ liegen."));

        DVdata d;
        initNode(d, false);
        d.typ = eckig ? typKanal : typRohr;
        d.eckig = eckig;
        d.i[0] = b;
        d.i[1] = eckig ? h : -1;
        d.i[5] = laenge;
        d.p[2] = opt["--material"];
        const double ks = materialKs(d.p[2]);
        if (ks < 0)
            return fehler(eckig ? QStringLiteral("Material nicht gefunden: ") + d.p[2]
                                : QStringLiteral("Material ") + d.p[2] +
                                      QStringLiteral(" nicht gefunden."));

        // The same flow rule as the straight-run calculation: 0 counts as 1, the sign is dropped.
        double q = std::fabs(wert["--volumenstrom"]);
        if (q == 0) q = 1;
        const double v = geschwindigkeit(q, eckig ? flaeche_eckig(b, h) : flaeche_rund(b));
        tDVvorgabe vg;
        vg.ks = ks;
        vg.v = v;
        vg.art = eckig ? artEckig : artRund;
        vg.b = b;
        vg.h = h;
        tresult r;
        Reibungswerte w;
        dvberechnen(vg, r, nullptr, rho, &w);
        if (!r.ok) return fehler(QStringLiteral("Keine Berechnung möglich."));

        TDruck doc;
        doc.drucken = bericht || !pdf.isEmpty();
        const double ergebnis = geradeStrecke(d, q, &doc, rho);
        if (ergebnis <= -999) return fehler(QStringLiteral("Keine Berechnung möglich."));

        const std::pair<const char*, double> werte[] = {
            {"v", v},
            {"dh", w.dh * 1000},
            {"Re", static_cast<double>(w.Re)},
            {"ksd", w.ksd},
            {"lambda", w.lambda},
            {"R", r.s},
            {"dp", mitLaenge ? r.s * laenge / 1000 : 0}};
        // Finite input can still overflow (flows of 1e200 m³/h): no result rather than "inf",
        // nor a Reynolds number cut off at the integer's end.
        const bool reVoll = w.Re == std::numeric_limits<long long>::max();
        for (const auto& [name, x] : werte)
            if (!std::isfinite(x) || !std::isfinite(ergebnis) ||
                (reVoll && QLatin1String(name) == QLatin1String("Re")))
                return fehler(QStringLiteral("Keine Berechnung möglich: %1 liegt außerhalb des "
                                             "Zahlenbereichs.")
                                  .arg(QLatin1String(name)));
        for (const auto& [name, x] : werte)
            if (mitLaenge || QLatin1String(name) != QLatin1String("dp"))
                keyValue(QLatin1String(name), x);
        if (bericht)
            for (const QString& zeile : doc.m) out(zeile + QLatin1Char('\n'));
        if (!pdf.isEmpty()) {
            QString meldung;
            if (!berichtAlsPdf(doc, pdf, TLayoutEinstellungen{}, &meldung)) return fehler(meldung);
        }
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
