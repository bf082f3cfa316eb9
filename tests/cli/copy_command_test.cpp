#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zephan;

namespace {

struct Beispiel {
    QTemporaryDir ordner;
    QString datei;
    Beispiel() {
        datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
    }
    QString pfad(const char* name) const { return ordner.filePath(QString::fromLatin1(name)); }
};

QByteArray lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The copy of the supply branch's outlet and room onto the extract room: the target the copy
// went behind, the first copied node, and the written project with the converted outlet.
TEST(CopyCommand, CopiesAndWritesTheProject) {
    Beispiel b;
    const QByteArray vorher = lesen(b.datei);
    const CliResult r = runCli({QStringLiteral("copy"), b.datei, QStringLiteral("1.5.4"),
                                QStringLiteral("2.4"), QStringLiteral("--out"), b.pfad("neu.pro")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.value(QStringLiteral("target")), QStringLiteral("2.2"));
    EXPECT_EQ(r.value(QStringLiteral("first")), QStringLiteral("2.3"));
    EXPECT_EQ(lesen(b.datei), vorher);

    RecordingSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setDateiname(b.pfad("neu.pro"));
    ASSERT_TRUE(p.laden());
    const tmylistitem* l2 = p.baum().topLevel(1);
    ASSERT_EQ(l2->childCount(), 4);
    EXPECT_EQ(typVon(l2->child(2)), typAbluftgitter);
    EXPECT_EQ(typVon(l2->child(3)), typRaum);
    EXPECT_EQ(nodeDaten(l2->child(3))->p[2], QStringLiteral("2"));
}

TEST(CopyCommand, RefusalsAndWrongArguments) {
    Beispiel b;
    const QString neu = b.pfad("neu.pro");
    const struct {
        QStringList args;
        int rc;
        QString meldung;
    } faelle[] = {
        {{b.datei, QStringLiteral("1.6"), QStringLiteral("1.2"), QStringLiteral("--out"), neu},
         1,
         QStringLiteral("Zielpunkt darf sich nicht vor dem Ventilator befinden.")},
        {{b.datei, QStringLiteral("1.4"), QStringLiteral("1.6"), QStringLiteral("--out"), neu},
         1,
         QStringLiteral("Zielpunkt darf nicht zum Startpunkt des Strangs gehören.")},
        {{b.datei, QStringLiteral("1.5.2"), QStringLiteral("1.5"), QStringLiteral("--out"), neu},
         1,
         QStringLiteral("Zielpunkt darf kein Verteilstück sein.")},
        {{b.datei, QStringLiteral("1.5.2"), QStringLiteral("1.4"), QStringLiteral("--out"), neu},
         1,
         QStringLiteral("Startpunkt liegt hinter dem Zielpunkt und würde gelöscht.")},
        {{b.datei, QStringLiteral("1.9"), QStringLiteral("1.4"), QStringLiteral("--out"), neu},
         1,
         QStringLiteral("Keine Position 1.9 im Projekt.")},
        {{b.datei, QStringLiteral("1.6"), QStringLiteral("2.4")}, 2, QString()},
        {{b.datei, QStringLiteral("1.6"), QStringLiteral("--out"), neu}, 2, QString()},
        {{b.datei, QStringLiteral("1.6"), QStringLiteral("2.4"), QStringLiteral("--out")},
         2,
         QString()},
    };
    for (const auto& f : faelle) {
        const CliResult r = runCli(QStringList{QStringLiteral("copy")} + f.args);
        EXPECT_EQ(r.exitCode, f.rc) << f.args.join(' ').toStdString();
        if (!f.meldung.isEmpty()) {
            EXPECT_TRUE(r.err.contains(f.meldung)) << r.err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(neu)) << "a refused copy writes nothing";
    }
}
