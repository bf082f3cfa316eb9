#include "app/pdf_mail.h"

#include "app/desktop.h"

#include <QFileInfo>

namespace zephan {

bool mailProgrammNimmtAnhang(const QString& desktopEintrag) {
    // The clients xdg-email passes attachments to; others get a mailto link, which loses it.
    static const char* const mitAnhang[] = {"thunderbird", "icedove", "seamonkey", "evolution",
                                            "kmail"};
    const QString e = desktopEintrag.trimmed().toLower();
    if (e.isEmpty()) return false;
    for (const char* name : mitAnhang)
        if (e.contains(QLatin1String(name))) return true;
    return false;
}

TMailErgebnis mailUebergeben(TDesktop& desktop, const QString& pdf, const QString& empfaenger,
                             const QString& betreff) {
    TMailErgebnis e;
    const TDesktop::Lauf client = desktop.ausfuehren(
        QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                     QStringLiteral("x-scheme-handler/mailto")});
    const QString eintrag = client.gestartet ? client.ausgabe.trimmed() : QString();
    QString grund;
    if (eintrag.isEmpty()) {
        grund = QStringLiteral("Auf diesem PC ist kein E-Mail-Programm eingerichtet.");
    } else if (!mailProgrammNimmtAnhang(eintrag)) {
        grund = QStringLiteral("Das E-Mail-Programm (") + eintrag +
                QStringLiteral(") kann die PDF-Datei nicht als Anhang übernehmen.");
    } else {
        QStringList args{QStringLiteral("--utf8")};
        if (!betreff.isEmpty()) args << QStringLiteral("--subject") << betreff;
        args << QStringLiteral("--attach") << pdf;
        if (!empfaenger.trimmed().isEmpty()) args << empfaenger.trimmed();
        const TDesktop::Lauf l = desktop.ausfuehren(QStringLiteral("xdg-email"), args);
        if (l.gestartet && l.exitCode == 0) {
            e.uebergeben = true;
            return e;
        }
        grund = QStringLiteral("Das E-Mail-Programm (") + eintrag +
                QStringLiteral(") hat die Nachricht nicht übernommen.");
    }
    // The message says what really happened to the folder.
    const QString ordner = QFileInfo(pdf).absolutePath();
    const bool geoeffnet = desktop.oeffnen(QUrl::fromLocalFile(ordner));
    e.meldung = grund + QLatin1Char('\n') + QStringLiteral("Die PDF-Datei wurde gespeichert: ") +
                pdf + QLatin1Char('\n') +
                (geoeffnet ? QStringLiteral("Der Ordner mit der Datei wurde geöffnet; bitte hängen "
                                            "Sie die Datei selbst an Ihre E-Mail an.")
                           : QStringLiteral("Der Ordner ") + ordner +
                                 QStringLiteral(" konnte nicht geöffnet werden; bitte hängen Sie "
                                                "die Datei selbst an Ihre E-Mail an."));
    return e;
}

} // namespace zephan
