// The pressure profile ("&Grafik") and the copy of a chain ("Kopieren...") driven as a user
// does: choosing a chain end, the readout under the mouse, the report, and picking start and
// target in the tree while the copy window stays open.
#include "app_fixture.h"

#include "app/kopier_fenster.h"
#include "app/tree_columns.h"
#include "app/verlauf_fenster.h"
#include "editing/kette_kopieren.h"
#include "network/tree_item_model.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace zephan::testing {
namespace {

using ProfilFenster = Fenster;

// Runs `aktion` while a timer works the modal dialog named `name` once it is active.
template <class F, class G> void mitDialog(const QString& name, F aktion, G bedienen) {
    bool gesehen = false;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != name || gesehen) return;
        gesehen = true;
        bedienen(static_cast<QDialog*>(w));
    });
    t.start(10);
    aktion();
    EXPECT_TRUE(gesehen) << name.toStdString();
}

void mausBei(QWidget* w, int x) {
    const QPointF pos(x, 40);
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QStringList titel(const Druckverlauf& v) {
    QStringList r;
    for (const TDaten& p : v.a) r << (p.knoten ? p.knoten->position() : p.titel);
    return r;
}

} // namespace

TEST_F(ProfilFenster, ChainEndsReadoutSimplifiedAndReport) {
    fenster->start();
    const QStringList vorher = baumText();
    // A node in the branch of the supply line: the profile belongs to its line.
    fenster->baumAnsicht()->setCurrentIndex(fenster->modell()->indexVon(at("1.5.3")));
    ASSERT_EQ(s().selektiert(), at("1.5.3"));
    Tk_DVVerlaufform* f = fenster->verlaufform();
    mitDialog(
        QStringLiteral("k_DVVerlaufform"),
        [&] { QTest::mouseClick(feld<QPushButton>("GrafikBtn"), Qt::LeftButton); },
        [&](QDialog* d) {
            EXPECT_EQ(d, f);
            EXPECT_TRUE(d->windowTitle().endsWith(QStringLiteral(" - Druckverlustverlauf")));
            EXPECT_EQ(f->stranglabel()->text(), at("1")->caption());
            ASSERT_EQ(f->combo()->count(), 2);
            EXPECT_EQ(f->combo()->itemText(0), QStringLiteral("1.5.5 ") + at("1.5.5")->caption());
            EXPECT_EQ(f->combo()->itemText(1), QStringLiteral("1.8 ") + at("1.8")->caption());
            EXPECT_EQ(f->combo()->currentIndex(), 0);
            EXPECT_EQ(titel(f->verlauf()).join(' '),
                      QStringLiteral("1.1 1.2 1.3 1.4 1.5 1.5.1 1.5.2 1.5.3 1.5.4 1.5.5 -"));
            EXPECT_EQ(f->wertecpt()->text(), QStringLiteral("-"));

            // The mouse over the first point, then beyond the last one.
            mausBei(f->bild(), verlaufLinks + 1);
            EXPECT_EQ(f->wertecpt()->text(), at("1.1")->caption());
            EXPECT_EQ(f->label1()->text(), verlaufAnzeige(f->verlauf().a[0]));
            mausBei(f->bild(), verlaufLinks + 12 * verlaufBr);
            EXPECT_EQ(f->wertecpt()->text(), QStringLiteral("-"));
            EXPECT_EQ(f->label1()->text(), QStringLiteral("-"));

            // The main chain's end: the keyboard moves the choice on.
            f->combo()->setFocus();
            QTest::keyClick(f->combo(), Qt::Key_Down);
            EXPECT_EQ(f->combo()->currentIndex(), 1);
            EXPECT_EQ(titel(f->verlauf()).join(' '),
                      QStringLiteral("1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 -"));
            mausBei(f->bild(), verlaufLinks + 1 + 7 * verlaufBr);
            EXPECT_EQ(f->wertecpt()->text(), at("1.8")->caption());

            // Redrawing keeps the points; the scale's bottom keeps its rounded value.
            const size_t n = f->verlauf().a.size();
            QTest::mouseClick(f->einfachchk(), Qt::LeftButton);
            QTest::mouseClick(f->pdcheck(), Qt::LeftButton);
            const QImage bild = f->bild()->grab().toImage();
            EXPECT_EQ(f->verlauf().a.size(), n);
            EXPECT_LE(f->verlauf().minwert, -40);
            // The static pressure in red, the total in black over the white picture.
            int rot = 0;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < verlaufLinks + 10 * verlaufBr; ++x)
                    rot += bild.pixel(x, y) == qRgb(255, 0, 0);
            EXPECT_GT(rot, 20);

            QTest::mouseClick(f->druckenbtn(), Qt::LeftButton);
            QTest::mouseClick(f->okbutton1(), Qt::LeftButton);
        });
    EXPECT_FALSE(f->isVisible());
    // Closed, the window holds no node of the tree.
    EXPECT_TRUE(f->verlauf().a.empty());
    EXPECT_EQ(f->combo()->count(), 0);
    EXPECT_EQ(berichte, 1);
    ASSERT_GT(bericht.size(), 20);
    EXPECT_TRUE(bericht.contains(QStringLiteral("°Ü") + at("1")->caption() +
                                 QStringLiteral(" - Druckverlustverlauf bis 1.8 ") +
                                 at("1.8")->caption()));
    // The closing point: no change, no dynamic pressure.
    EXPECT_EQ(bericht.filter(QRegularExpression(QStringLiteral("^9\\|-\\|0,0\\|"))).size(), 1);
    // The line head is shown; the project did not change.
    EXPECT_EQ(s().selektiert(), at("1"));
    EXPECT_EQ(baumText(), vorher);
    EXPECT_FALSE(s().geaendert());
}

TEST_F(ProfilFenster, CopyPicksStartAndTargetInTheTreeAndIsOneUndoStep) {
    fenster->start();
    const QStringList vorher = baumText();
    const auto klick = [&](const char* pos) {
        fenster->baumAnsicht()->setCurrentIndex(fenster->modell()->indexVon(at(pos)));
    };
    klick("1.6");
    fenster->aktion(QStringLiteral("Kopieren..."))->trigger();
    Tk_Kopierform* k = fenster->kopierform();
    ASSERT_TRUE(k->isVisible());
    EXPECT_FALSE(k->isModal());
    EXPECT_EQ(k->windowTitle(), QStringLiteral("Strang kopieren"));
    EXPECT_EQ(k->starttxt()->text(), QStringLiteral("1.6 ") + at("1.6")->caption());
    EXPECT_EQ(k->zieltxt()->text(), QStringLiteral("-"));
    EXPECT_TRUE(k->zielRadio()->isChecked());
    EXPECT_FALSE(k->okbtn()->isEnabled());

    // A target in the start's part of the chain is refused; the window stays open.
    klick("1.4");
    EXPECT_EQ(k->zielnode(), at("1.4"));
    EXPECT_TRUE(k->okbtn()->isEnabled());
    QTest::mouseClick(k->okbtn(), Qt::LeftButton);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen.last(), kopiertext::imStartteil);
    EXPECT_TRUE(k->isVisible());
    EXPECT_EQ(baumText(), vorher);

    // The start picked anew, then the room of the branch as target: the copy replaces the
    // branch's outlet and room, and the window closes.
    k->startRadio()->click();
    klick("1.7");
    EXPECT_EQ(k->startnode(), at("1.7"));
    k->zielRadio()->click();
    klick("1.5.5");
    QTest::mouseClick(k->okbtn(), Qt::LeftButton);
    EXPECT_EQ(fragen.size(), 1);
    EXPECT_FALSE(k->isVisible());
    EXPECT_TRUE(s().geaendert());
    EXPECT_EQ(typVon(at("1.5.4")), typZuluftauslass);
    EXPECT_EQ(typVon(at("1.5.5")), typRaum);
    EXPECT_EQ(at("1.5")->childCount(), 5);
    EXPECT_EQ(s().selektiert(), at("1.5.4"));
    EXPECT_TRUE(fenster->aktion(QStringLiteral("Rückgängig"))->isEnabled());

    fenster->aktion(QStringLiteral("Rückgängig"))->trigger();
    EXPECT_EQ(baumText(), vorher);
}

// The copy window forgets a node that goes away while it is open.
TEST_F(ProfilFenster, CopyWindowLetsGoOfRemovedNodes) {
    fenster->start();
    fenster->baumAnsicht()->setCurrentIndex(fenster->modell()->indexVon(at("1.5.2")));
    fenster->aktion(QStringLiteral("Kopieren..."))->trigger();
    Tk_Kopierform* k = fenster->kopierform();
    EXPECT_EQ(k->startnode(), at("1.5.2"));
    // The piece with its branch deleted through the session: the start is gone.
    s().fokussieren(at("1.5"));
    ASSERT_TRUE(s().knotenLoeschen());
    EXPECT_EQ(k->startnode(), nullptr);
    EXPECT_EQ(k->starttxt()->text(), QStringLiteral("-"));
    EXPECT_FALSE(k->okbtn()->isEnabled());
    QTest::mouseClick(k->abbruchbutton1(), Qt::LeftButton);
    EXPECT_FALSE(k->isVisible());
}

} // namespace zephan::testing
