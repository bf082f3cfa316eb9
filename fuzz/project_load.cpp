// Arbitrary bytes opened as a project file: the load either succeeds, and then every node can
// be titled, its flow found and every passage calculated without a crash or a value that is
// not finite, or it refuses with a message and leaves the open project exactly as it was.

#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "report/report_document.h"
#include "store/user_seam.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace zephan;

namespace {

[[noreturn]] void fault() {
    std::abort();
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

QByteArray snapshot(Projekt& p) {
    QByteArray s;
    for (tmylistitem* n = p.baum().topitem(); n; n = n->getNext()) {
        s += n->position().toUtf8() + ' ';
        if (const DVdata* d = nodeDaten(n)) {
            s += QByteArray::number(d->typ) + ' ' + d->p[2].toUtf8();
            for (double v : d->i) s += ' ' + QByteArray::number(v);
        }
        s += '\n';
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    static const QString beispiel = dir.filePath(QStringLiteral("beispiel.pro"));
    static const QString eingabe = dir.filePath(QStringLiteral("eingabe.pro"));
    static const bool bereit = beispielSchreiben(beispiel);
    if (!bereit) fault();
    if (!writeFile(eingabe,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
        fault();

    SilentSeam seam;
    Projekt projekt(seam);
    projekt.setDateiname(beispiel);
    if (!projekt.laden()) fault();
    const QByteArray vorher = snapshot(projekt);

    projekt.setDateiname(eingabe);
    if (!projekt.laden()) {
        if (snapshot(projekt) != vorher) fault();
        return 0;
    }

    TDruck druck;
    DruckenAus aus(druck);
    const TBasisDatenTabelle& kat = basisDatenTabelle();
    const Volumenstroeme stroeme(kat, projekt.baum());
    Rechenkontext umgebung = programmKontext();
    umgebung.druck = &druck;
    umgebung.stroeme = &stroeme;
    for (tmylistitem* n = projekt.baum().topitem(); n; n = n->getNext()) {
        DVdata* d = nodeDaten(n);
        if (!d) fault();
        (void)nodeTitel(kat, *d);
        (void)volumenstrom(kat, n);
        nachbarpruefung(n, umgebung);
        for (int modus = 1; modus <= 3; ++modus) {
            DVdata arbeit;
            const double dp = bauteildruck(modus, n, arbeit, 0, umgebung);
            if (!std::isfinite(dp)) fault();
        }
    }
    return 0;
}
