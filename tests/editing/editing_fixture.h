#pragma once

#include "editing/edit_script.h"
#include "editing/edit_session.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/settings.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zephan::testing {

// A session with a recording seam and the default settings (restored afterwards).
class Sitzung : public ::testing::Test {
protected:
    void SetUp() override {
        gespeichert = einstellungen();
        einstellungen() = Einstellungen();
        s.projekt().setAutomatischSichern([] { return false; });
        // A rule that changes a node it did not stage stops the test.
        EditSession::setVormerkPruefung(true);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { einstellungen() = gespeichert; }

    // Writes the example project carried in the program and opens it.
    void beispielLaden() {
        const QString ex = dir.filePath(QStringLiteral("ex.pro"));
        ASSERT_TRUE(beispielSchreiben(ex));
        ASSERT_TRUE(s.laden(ex));
    }

    tmylistitem* at(const char* pos) {
        return knotenAnPosition(s.baum(), QString::fromLatin1(pos));
    }
    DVdata& rec(const char* pos) { return *nodeDaten(at(pos)); }

    static std::vector<int> kinderTypen(const tmylistitem* n) {
        std::vector<int> t;
        for (int k = 0; n && k < n->childCount(); ++k) t.push_back(nodeDaten(n->child(k))->typ);
        return t;
    }

    // The texts of the status bar's message panel, in order.
    QStringList meldungen() const {
        QStringList r;
        for (const QString& t : seam.statusTexte)
            if (t.startsWith(QStringLiteral("3: ")) && t.size() > 3) r.append(t.mid(3));
        return r;
    }
    QString letzteMeldung() const {
        const QStringList m = meldungen();
        return m.isEmpty() ? QString() : m.last();
    }

    void neuerStrang(int typ = 0, const QString& kennung = QStringLiteral("1")) {
        s.strangSeite(typ, kennung);
        ASSERT_TRUE(s.strangEinfuegen());
    }

    // Completes the outside-air grille at `pos` (in planning, so no dimensions are needed).
    void gitterFertig(const char* pos = "1.1") {
        s.auswaehlen(at(pos));
        s.editDaten().tag2 = 0;
        s.editDaten().i[3] = 2000;
        ASSERT_TRUE(s.uebernehmen());
    }

    // Chooses a type from the type list with the values that make it complete in planning.
    void waehle(int typ) {
        ASSERT_TRUE(s.typWaehlen(typ)) << typ;
        DVdata& b = s.editDaten();
        b.planung = true;
        if (typ == 2 || typ == 3) {
            b.p[2] = QStringLiteral("Stahlblech");
            b.i[5] = 1000;
        }
        if (typ == 6) b.i[0] = 500;
        if (typ == 7) b.i[6] = 50;
        if (typ == 40) b.i[2] = 30; // the damper's angle
        if (typ == 8) {
            b.p[0] = QStringLiteral("3");
            b.p[1] = QStringLiteral("0,5");
        }
        if (b.tag1 < 0) b.tag1 = 0;
        if (b.tag2 < 0) b.tag2 = 0;
    }

    // The project as its file would hold it.
    QByteArray datei(const QString& name) {
        const QString pfad = dir.filePath(name);
        EXPECT_TRUE(s.sichern(pfad)) << name.toStdString();
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    Einstellungen gespeichert;
    QTemporaryDir dir;
    RecordingSeam seam;
    EditSession s{seam};
};

} // namespace zephan::testing
