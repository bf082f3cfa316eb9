#include "app/seiten_fuss.h"

#include "app/page_fields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephan {

SeitenFuss::SeitenFuss(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Fuss"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* nachbarn = new QHBoxLayout;
    const auto nachbar = [&](const QString& text, const QString& name) {
        nachbarn->addWidget(new QLabel(text, this));
        auto* l = new KurzLabel(this, 40);
        l->setObjectName(name);
        l->setLangText(QStringLiteral("nichts"));
        nachbarn->addWidget(l, 1);
        return l;
    };
    davor = nachbar(QStringLiteral("Davor:"), QStringLiteral("DavorLabel"));
    danach = nachbar(QStringLiteral("Danach:"), QStringLiteral("DanachLabel"));
    v->addLayout(nachbarn);

    auto* knoepfe = new QHBoxLayout;
    const auto knopf = [&](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        knoepfe->addWidget(b);
        return b;
    };
    einfuegen = knopf(QStringLiteral("&Einfügen"), QStringLiteral("EinfuegenBtn"));
    uebernehmen = knopf(QStringLiteral("Über&nehmen"), QStringLiteral("UebernehmenBtn"));
    loeschen = knopf(QStringLiteral("&Löschen"), QStringLiteral("LoeschenBtn"));
    berechnen = knopf(QStringLiteral("&Berechnen"), QStringLiteral("BerechnenBtn"));
    s = knopf(QStringLiteral("s"), QStringLiteral("SBtn"));
    s->setEnabled(false);
    s->setToolTip(QStringLiteral("noch nicht verfügbar"));
    planen = knopf(QStringLiteral("&Planen"), QStringLiteral("PlanenBtn"));
    p = knopf(QStringLiteral("p"), QStringLiteral("PBtn"));
    p->setToolTip(QStringLiteral("alle Bauteile darunter auf planen setzen"));
    ergebnis = new QLabel(this);
    ergebnis->setObjectName(QStringLiteral("ErgebnisLabel"));
    ergebnis->setMinimumWidth(160);
    ergebnis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    knoepfe->addStretch();
    knoepfe->addWidget(ergebnis);
    v->addLayout(knoepfe);
}

} // namespace zephan
