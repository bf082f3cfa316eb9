#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/room_overview_model.h"
#include "network/project_file.h"
#include "network/tree_container.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zephan::cli {
namespace {

// A cell as a machine number, "-" when it is empty.
QString zelle(const RaumZeile& z, RaumSpalte s) {
    const double w = raumZellenWert(z, s);
    return w == -1 ? QStringLiteral("-") : QString::number(static_cast<long long>(w));
}

QJsonValue seite(const RaumZeile& z, bool zuluft) {
    const tmylistitem* raum = zuluft ? z.zu : z.ab;
    if (!raum) return QJsonValue();
    const double strom = raumZellenWert(z, zuluft ? RaumSpalte::VolZu : RaumSpalte::VolAb);
    const double pegel = raumZellenWert(z, zuluft ? RaumSpalte::DbZu : RaumSpalte::DbAb);
    QJsonObject o;
    o[QStringLiteral("position")] = raum->position();
    o[QStringLiteral("flow")] = strom == -1 ? QJsonValue() : QJsonValue(strom);
    o[QStringLiteral("level")] = pegel == -1 ? QJsonValue() : QJsonValue(pegel);
    return o;
}

// The rows of the rooms overview: identifier, supply and extract volume flow [m³/h], supply
// and extract permitted level [dB(A)], and the positions of the two rooms; "-" for an empty
// cell (no room on that side, or no outlet before the room).
const Command
    rooms("rooms",
          "rooms FILE [--json] [--einstellungen DATEI] [--katalog DATEI] "
          "[--temporaer laden|verwerfen] [--crc-ignorieren]",
          [](const QStringList& argsIn) {
              QStringList args = argsIn;
              Ladeoptionen optionen;
              if (!ladeoptionenNehmen(args, optionen)) return usage("rooms");
              const bool json = args.removeAll(QStringLiteral("--json")) > 0;
              if (args.size() != 1) return usage("rooms");
              KonsolenSeam seam;
              if (const int rc = starten(optionen, seam)) return rc;
              Projekt projekt(seam);
              if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
              const std::vector<RaumZeile> zeilen = raumListe(projekt.baum());
              if (json) {
                  QJsonArray a;
                  for (const RaumZeile& z : zeilen) {
                      QJsonObject o;
                      o[QStringLiteral("name")] = z.name;
                      o[QStringLiteral("supply")] = seite(z, true);
                      o[QStringLiteral("extract")] = seite(z, false);
                      a.append(o);
                  }
                  QJsonObject o;
                  o[QStringLiteral("rooms")] = a;
                  o[QStringLiteral("count")] = static_cast<int>(zeilen.size());
                  out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
                  return exitOk;
              }
              QString text;
              const QChar tab = QLatin1Char('\t');
              for (const RaumZeile& z : zeilen) {
                  text += z.name;
                  for (RaumSpalte s :
                       {RaumSpalte::VolZu, RaumSpalte::VolAb, RaumSpalte::DbZu, RaumSpalte::DbAb})
                      text += tab + zelle(z, s);
                  text += tab + (z.zu ? z.zu->position() : QStringLiteral("-"));
                  text += tab + (z.ab ? z.ab->position() : QStringLiteral("-"));
                  text += QLatin1Char('\n');
              }
              text +=
                  QStringLiteral("Räume: ") + QString::number(zeilen.size()) + QLatin1Char('\n');
              out(text);
              return exitOk;
          });

} // namespace
} // namespace zephan::cli
