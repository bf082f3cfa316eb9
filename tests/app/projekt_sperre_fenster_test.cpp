// Opening a project that another running Zephan holds: the window says who holds it, opens it
// read-only on request and never saves over it.
#include "app_fixture.h"

#include <QFile>
#include <QFileInfo>

namespace zephan::testing {
namespace {

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProjektSperren : public Fenster {
protected:
    void SetUp() override {
        Fenster::SetUp();
        halle = daten.filePath(QStringLiteral("Halle.pro"));
        ASSERT_TRUE(beispielSchreiben(halle));
    }
    // The start of `zephan Halle.pro`.
    void starteMitHalle() {
        fenster->start(halle);
        ASSERT_EQ(s().projekt().dateiname(), halle);
    }
    QString halle;
};

TEST_F(ProjektSperren, AProjectOpenedFromTheCommandLineIsLockedUntilTheWindowCloses) {
    starteMitHalle();
    EXPECT_EQ(fenster->gesperrteDatei(), halle);
    EXPECT_FALSE(s().projekt().nurLesen());
    EXPECT_TRUE(fragen.isEmpty());
    const QString sperrDatei = ProjektSperre::sperrDatei(halle);
    EXPECT_TRUE(QFileInfo::exists(sperrDatei));
    // Another program sees it held.
    ProjektSperre andere;
    EXPECT_EQ(andere.nehmen(halle), ProjektSperre::Ergebnis::Belegt);
    EXPECT_EQ(andere.halter().pid, QCoreApplication::applicationPid());
    ASSERT_TRUE(fenster->close());
    EXPECT_FALSE(QFileInfo::exists(sperrDatei));
    EXPECT_EQ(andere.nehmen(halle), ProjektSperre::Ergebnis::Gesperrt);
}

TEST_F(ProjektSperren, HeldByAnotherItAsksAndOpensReadOnlyNeverSavingOverIt) {
    ProjektSperre andere;
    ASSERT_EQ(andere.nehmen(halle), ProjektSperre::Ergebnis::Gesperrt);
    antworten = {0};
    starteMitHalle();
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_TRUE(fragen[0].startsWith(
        QStringLiteral("Das Projekt %1 ist bereits geöffnet: von ").arg(halle)));
    const QString programm =
        QString::fromUtf8(lies(ProjektSperre::sperrDatei(halle)).split('\n').value(1));
    EXPECT_FALSE(programm.isEmpty());
    EXPECT_TRUE(fragen[0].contains(
        QStringLiteral(" (%1, Prozess %2).").arg(programm).arg(QCoreApplication::applicationPid())))
        << fragen[0].toStdString();
    EXPECT_EQ(fragenKnoepfe[0], QStringLiteral("schreibgeschützt öffnen|abbrechen"));
    EXPECT_TRUE(s().projekt().nurLesen());
    EXPECT_TRUE(fenster->gesperrteDatei().isEmpty());
    EXPECT_TRUE(fenster->windowTitle().contains(QStringLiteral("(schreibgeschützt)")));

    // An edit, then "Sichern": it goes to "Sichern als"; cancelled, nothing is written.
    const QByteArray vorher = lies(halle);
    fenster->knotenAuswaehlen(at("1.5.2"));
    ASSERT_TRUE(fenster->loeschenClick());
    ASSERT_TRUE(s().geaendert());
    sichernUnter.clear();
    EXPECT_FALSE(fenster->sichernMenu());
    EXPECT_EQ(lies(halle), vorher);
    // The other holder's file as target is refused with who holds it.
    sichernUnter = halle;
    fragen.clear();
    EXPECT_FALSE(fenster->sichernMenu());
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_TRUE(fragen[0].startsWith(
        QStringLiteral("Nicht gesichert: Die Datei %1 ist bereits geöffnet: von ").arg(halle)));
    EXPECT_EQ(lies(halle), vorher);
    EXPECT_TRUE(s().projekt().nurLesen());

    // Under another name it is saved, locked and editable.
    const QString kopie = daten.filePath(QStringLiteral("Halle-2.pro"));
    sichernUnter = kopie;
    ASSERT_TRUE(fenster->sichernMenu());
    EXPECT_EQ(s().projekt().dateiname(), kopie);
    EXPECT_FALSE(s().projekt().nurLesen());
    EXPECT_FALSE(s().geaendert());
    EXPECT_EQ(fenster->gesperrteDatei(), kopie);
    EXPECT_FALSE(fenster->windowTitle().contains(QStringLiteral("schreibgeschützt")));
    EXPECT_EQ(lies(halle), vorher);
    EXPECT_FALSE(QFileInfo::exists(halle + QStringLiteral("tmp")));
}

TEST_F(ProjektSperren, DecliningKeepsTheOpenProjectAndItsLock) {
    const QString eigene = daten.filePath(QStringLiteral("Eigene.pro"));
    ASSERT_TRUE(beispielSchreiben(eigene));
    fenster->start(eigene);
    ASSERT_EQ(fenster->gesperrteDatei(), eigene);

    // A second window (another Zephan) holds Halle.
    ProjektSperre andere;
    ASSERT_EQ(andere.nehmen(halle), ProjektSperre::Ergebnis::Gesperrt);
    oeffnen = halle;
    antworten = {1};
    EXPECT_FALSE(fenster->ladenMenu());
    EXPECT_EQ(fragenKnoepfe.last(), QStringLiteral("schreibgeschützt öffnen|abbrechen"));
    EXPECT_EQ(s().projekt().dateiname(), eigene);
    EXPECT_EQ(fenster->gesperrteDatei(), eigene);
    EXPECT_FALSE(s().projekt().nurLesen());

    // Opening the own project again keeps its lock without a question.
    fragen.clear();
    oeffnen = eigene;
    EXPECT_TRUE(fenster->ladenMenu());
    EXPECT_TRUE(fragen.isEmpty());
    EXPECT_EQ(fenster->gesperrteDatei(), eigene);

    // Once the other lets go, Halle opens for writing and the own lock is released.
    andere.freigeben();
    oeffnen = halle;
    EXPECT_TRUE(fenster->ladenMenu());
    EXPECT_EQ(fenster->gesperrteDatei(), halle);
    EXPECT_FALSE(QFileInfo::exists(ProjektSperre::sperrDatei(eigene)));

    // "Neu..." lets go of the file.
    antworten = {0};
    ASSERT_TRUE(fenster->neuMenu());
    EXPECT_TRUE(fenster->gesperrteDatei().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ProjektSperre::sperrDatei(halle)));
}

TEST_F(ProjektSperren, TwoWindowsOnOneProject) {
    starteMitHalle();
    std::unique_ptr<Tk_DVform> erstes = std::move(fenster);
    neuesFenster();
    antworten = {0};
    fenster->start(halle);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_TRUE(s().projekt().nurLesen());
    // The first saves as it likes; the second writes nothing beside it.
    s().projekt().setAutomatischSichern([] { return true; });
    fenster->knotenAuswaehlen(at("1.5.2"));
    ASSERT_TRUE(fenster->loeschenClick());
    for (int k = 0; k < 70; ++k) fenster->SavetimerTimer();
    EXPECT_FALSE(QFileInfo::exists(halle + QStringLiteral("tmp")));
    EXPECT_EQ(erstes->gesperrteDatei(), halle);
    erstes->session().projekt().setGeaendert(false);
}

} // namespace
} // namespace zephan::testing
