#include "app/druck_demo.h"

namespace zephan {

QStringList sonderzeichenDemo() {
    QStringList m{
        QStringLiteral("°KS1_0_Sonderzeichen||Seite [seite]/[seiten]"),
        QStringLiteral("°KS1_1_-"),
        QStringLiteral("°ÜSonderzeichen und Auszeichnungen"),
        QStringLiteral("Symbole: °(>= °(<= °(<> °(+- °(~ °(-> °(<- °(quer °(sum °(sqrt °(copy"),
        QStringLiteral("Griechisch: °(alpha °(beta °(gamma °(delta °(epsilon °(eta °(kappa "
                       "°(lambda °(ohm °(omega °(phi °(pi °(roh °(tau °(teta °(zeta"),
        QStringLiteral("Index: x°(super 2°(-super und d°(sub h°(-sub, Punkt darüber: °.V"),
        QStringLiteral("Stil: °(colfett fett°(col-fett °(colkursiv kursiv°(col-kursiv "
                       "°(col_ unterstrichen°(col-_ °(coldurch durchgestrichen°(col-durch"),
        QStringLiteral("Farben: °(colrot rot °(colblau blau °(colgrün grün °(colschwarz schwarz, "
                       "Datum °(date"),
        QString(),
        QStringLiteral("°ÜZeilenbefehle"),
        QStringLiteral("°XC2"),
        QStringLiteral("Nach °XC2 zentriert"),
        QStringLiteral("°XC1"),
        QStringLiteral("Nach °XC1 rechtsbündig"),
        QStringLiteral("°XC0"),
        QStringLiteral("°L1"),
        QStringLiteral("Nach °L1 eine Stufe eingerückt"),
        QStringLiteral("°L0"),
        QStringLiteral("°H14"),
        QStringLiteral("Nach °H14 in 14 Punkt"),
        QStringLiteral("°H10"),
        QStringLiteral("°FCourier New"),
        QStringLiteral("Nach °FCourier New: Schreibmaschine 0123456789"),
        QStringLiteral("°FArial"),
        QStringLiteral("°N1"),
        QStringLiteral("Nach °N1 nummeriert"),
        QStringLiteral("zweiter Punkt"),
        QString(),
        QStringLiteral("°N."),
        QStringLiteral("Aufzählung mit Punkten"),
        QString(),
        QStringLiteral("°ÜTabelle"),
        QStringLiteral("°TK1|1,20,*,-20"),
        QStringLiteral("Breiten in % (°TK1|1,20,*,-20)|* nimmt den Rest|- rechtsbündig"),
        QStringLiteral("Nr|Bauteil|°(delta p [Pa]"),
        QStringLiteral("1|Kanal eckig 400x200|12,5"),
        QStringLiteral("2|Bogen 90°(copy|3,0"),
        QString(),
    };
    return m;
}

} // namespace zephan
