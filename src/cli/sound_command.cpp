#include "acoustics/schallnetz.h"
#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/settings.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "render/pdf_output.h"
#include "report/report_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <memory>

namespace zephan::cli {
namespace {

QString ganz(double x) {
    return std::isfinite(x) ? QString::number(std::nearbyint(x), 'f', 0) : QStringLiteral("-");
}

QJsonValue band(double x) {
    return std::isfinite(x) ? QJsonValue(std::round(x * 10) / 10) : QJsonValue();
}

QJsonArray spektrum(const TPegel& p) {
    QJsonArray a;
    for (int k = 0; k < bandAnzahl; ++k) a.append(band(p[k]));
    return a;
}

// Excess of the room over its target, "-" when it keeps it.
QString differenz(const Raumergebnis& r) {
    if (!std::isfinite(r.LA) || r.zulaessig > r.LA) return QStringLiteral("-");
    return ganz(r.LA - r.zulaessig);
}

const Raumergebnis* schlimmster(const SchallnetzErgebnis& e) {
    const Raumergebnis* w = nullptr;
    double groesste = 0;
    for (const Schallstrang& s : e.straenge)
        if (s.schlimmster >= 0) {
            const Raumergebnis& r = s.raeume[static_cast<size_t>(s.schlimmster)];
            if (r.LA - r.zulaessig > groesste) {
                groesste = r.LA - r.zulaessig;
                w = &r;
            }
        }
    return w;
}

QString tabellenText(const SchallnetzErgebnis& e) {
    QString t;
    for (const Schallstrang& s : e.straenge)
        for (const Raumergebnis& r : s.raeume)
            t += QStringLiteral("room\t") + r.raum->position() + QLatin1Char('\t') +
                 (r.fehler ? QStringLiteral("Fehler") : r.name) + QLatin1Char('\t') +
                 QString::number(r.zulaessig) + QLatin1Char('\t') +
                 (r.fehler ? QStringLiteral("-") : ganz(r.LA)) + QLatin1Char('\t') +
                 (r.fehler ? QStringLiteral("-") : differenz(r)) + QLatin1Char('\n');
    const Raumergebnis* w = schlimmster(e);
    t += QStringLiteral("worst\t") +
         (w ? w->raum->position() + QLatin1Char('\t') + w->name : QStringLiteral("-")) +
         QLatin1Char('\n');
    return t;
}

QByteArray jsonText(const SchallnetzErgebnis& e) {
    QJsonArray raeume;
    for (const Schallstrang& s : e.straenge)
        for (const Raumergebnis& r : s.raeume) {
            QJsonObject o;
            o[QStringLiteral("position")] = r.raum->position();
            o[QStringLiteral("line")] = s.kopf->position();
            o[QStringLiteral("name")] = r.name;
            o[QStringLiteral("permitted")] = r.zulaessig;
            o[QStringLiteral("error")] = r.fehler;
            o[QStringLiteral("la")] = band(r.LA);
            o[QStringLiteral("difference")] = differenz(r) == QLatin1String("-")
                                                  ? QJsonValue()
                                                  : QJsonValue(differenz(r).toInt());
            o[QStringLiteral("octaves")] = spektrum(r.L);
            o[QStringLiteral("target")] = spektrum(r.ziel);
            QJsonArray el;
            for (const Elementzeile& z : r.elemente) {
                QJsonObject x;
                x[QStringLiteral("name")] = z.name;
                TPegel N = z.N, D = z.D;
                for (int k = 0; k < bandAnzahl; ++k) {
                    if (N[k] < -200) N[k] = std::nan("");
                    if (D[k] < -800) D[k] = std::nan("");
                }
                x[QStringLiteral("N")] = spektrum(N);
                x[QStringLiteral("D")] = spektrum(D);
                x[QStringLiteral("S")] = spektrum(z.S);
                x[QStringLiteral("R")] = spektrum(z.R);
                x[QStringLiteral("L")] = spektrum(z.L);
                el.append(x);
            }
            o[QStringLiteral("elements")] = el;
            raeume.append(o);
        }
    QJsonObject wurzel;
    wurzel[QStringLiteral("rooms")] = raeume;
    const Raumergebnis* w = schlimmster(e);
    wurzel[QStringLiteral("worst")] = w ? QJsonValue(w->raum->position()) : QJsonValue();
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented);
}

const Command sound(
    "sound",
    "sound FILE [--line POSITION] [--target POSITION] [--method A|B] [--markup OUT.txt] "
    "[--pdf OUT.pdf] [--json] [--einstellungen DATEI] [--katalog DATEI] "
    "[--temporaer laden|verwerfen] [--crc-ignorieren]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        if (!ladeoptionenNehmen(args, optionen)) return usage("sound");
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        QString linie, ziel, methode, markup, pdf;
        if (!wertNehmen(args, QStringLiteral("--line"), linie) ||
            !wertNehmen(args, QStringLiteral("--target"), ziel) ||
            !wertNehmen(args, QStringLiteral("--method"), methode) ||
            !wertNehmen(args, QStringLiteral("--markup"), markup) ||
            !wertNehmen(args, QStringLiteral("--pdf"), pdf))
            return usage("sound");
        if (args.size() != 1 || args[0].startsWith(QLatin1String("--")) ||
            (!linie.isEmpty() && !ziel.isEmpty()) ||
            (!methode.isEmpty() && methode != QLatin1String("A") && methode != QLatin1String("B")))
            return usage("sound");
        if ((!markup.isEmpty() && !ausgabeDatei(markup)) || (!pdf.isEmpty() && !ausgabeDatei(pdf)))
            return exitFehler;

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        Projekt projekt(seam);
        if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;

        SchallnetzOptionen o;
        o.projekt = &projekt.daten();
        o.elementzeilen = json;
        SilentSeam still;
        o.seam = &still;
        for (const QString& pos : {linie, ziel}) {
            if (pos.isEmpty()) continue;
            tmylistitem* n = knotenAnPosition(projekt.baum(), pos);
            if (!n) return keinePosition(pos);
            if (pos == linie) {
                o.nurStrang = n;
            } else {
                o.ganzerStrang = false;
                o.auswahl = n;
            }
        }

        TDruck doc;
        Rechenkontext kontext = programmKontext();
        kontext.druck = &doc;
        if (!methode.isEmpty()) {
            auto e = std::make_shared<Einstellungen>(kontext.settings());
            e->setSchallmethode(methode == QLatin1String("A") ? 0 : 1);
            kontext.einstellungen = e;
        }
        const SchallnetzErgebnis e = schallnetzberechnung(projekt.baum(), kontext, o);
        if (!e.ok) {
            QString text = e.meldung.isEmpty() ? QStringLiteral("Abgebrochen.") : e.meldung;
            if (e.halt) text += QStringLiteral(" Position: ") + e.halt->position();
            return fehler(text);
        }
        if (QString grund; !markup.isEmpty() && !markupSchreiben(doc, markup, grund))
            return fehler(grund);
        if (!pdf.isEmpty()) {
            QString meldung;
            TLayoutEinstellungen le;
            le.seam = &seam;
            if (!berichtAlsPdf(doc, pdf, le, &meldung)) return fehler(meldung);
        }
        out(json ? QString::fromUtf8(jsonText(e)) : tabellenText(e));
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
