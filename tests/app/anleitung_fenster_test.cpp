// Hilfe → "Anleitung": the manual carried in the program, with its pictures.
#include "app_fixture.h"

#include "app/anleitung_fenster.h"
#include "app/qt_texte.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

namespace zephan::testing {
namespace {

using Anleitung = Fenster;

// The picture names the Markdown refers to.
QStringList bilderDerAnleitung() {
    QFile f(QStringLiteral(":/handbuch/handbuch.md"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(f.readAll());
    QStringList namen;
    static const QRegularExpression bild(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    for (auto it = bild.globalMatch(text); it.hasNext();) namen << it.next().captured(1);
    return namen;
}

TEST_F(Anleitung, TheHelpMenuOpensTheManualBesideTheMainWindow) {
    // German standard buttons, as the program loads them at its start.
    ASSERT_TRUE(deutscheQtTexteLaden(*QCoreApplication::instance()));
    fenster->start();
    QAction* a = fenster->aktion(QStringLiteral("Anleitung"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(fenster->anleitung(), nullptr);
    a->trigger();
    AnleitungFenster* w = fenster->anleitung();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Anleitung"));
    // Every part the user looks for.
    const QString text = w->text()->toPlainText();
    for (const char* teil :
         {"Erste Schritte mit dem Beispiel", "Einen Strang aufbauen", "Dimensionieren (Planen)",
          "Druckverlustberechnung mit F7 und der Bericht", "Das Berichtsfenster",
          "Einstellungen und Bauteilkatalog", "Das Kommandozeilenwerkzeug zephan-cli",
          "Reibung nach VDI 2087", "schreibgeschützt"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(teil))) << teil;
    // Rendered from Markdown, not shown as its source.
    EXPECT_FALSE(text.contains(QStringLiteral("## ")));
    EXPECT_FALSE(text.contains(QStringLiteral("![")));

    // A second call shows the same window; "Schließen" closes it.
    a->trigger();
    EXPECT_EQ(fenster->anleitung(), w);
    QPushButton* schliessen = w->knoepfe()->button(QDialogButtonBox::Close);
    ASSERT_NE(schliessen, nullptr);
    EXPECT_EQ(schliessen->text().remove(QLatin1Char('&')), QStringLiteral("Schließen"));
    schliessen->click();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Anleitung, EveryPictureOfTheManualIsCarriedAndShown) {
    const QStringList namen = bilderDerAnleitung();
    ASSERT_GE(namen.size(), 3);
    AnleitungFenster w;
    int gezeigt = 0;
    for (QTextBlock b = w.text()->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) ++gezeigt;
    EXPECT_EQ(gezeigt, namen.size());
    for (const QString& name : namen) {
        const QVariant v = w.text()->loadResource(QTextDocument::ImageResource, QUrl(name));
        QImage bild = v.value<QImage>();
        if (bild.isNull()) bild = QImage::fromData(v.toByteArray());
        EXPECT_FALSE(bild.isNull()) << name.toStdString();
        EXPECT_GE(bild.width(), 400) << name.toStdString();
    }
}

} // namespace
} // namespace zephan::testing
