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
    if (client.gestartet && mailProgrammNimmtAnhang(client.ausgabe)) {
        QStringList args{QStringLiteral("--utf8")};
        if (!betreff.isEmpty()) args << QStringLiteral("--subject") << betreff;
        args << QStringLiteral("--attach") << pdf;
        if (!empfaenger.trimmed().isEmpty()) args << empfaenger.trimmed();
        const TDesktop::Lauf l = desktop.ausfuehren(QStringLiteral("xdg-email"), args);
        if (l.gestartet && l.exitCode == 0) {
            e.uebergeben = true;
            return e;
        }
    }
    const QString ordner = QFileInfo(pdf).absolutePath();
    desktop.oeffnen(QUrl::fromLocalFile(ordner));
    e.meldung = QStringLiteral("Kein E-Mail-Programm kann die PDF-Datei als Anhang übernehmen.") +
                QLatin1Char('\n') + QStringLiteral("Die Datei wurde gespeichert: ") + pdf +
                QLatin1Char('\n') +
                QStringLiteral("Der Ordner wird angezeigt; bitte hängen Sie sie selbst an.");
    return e;
}

} // namespace zephan
