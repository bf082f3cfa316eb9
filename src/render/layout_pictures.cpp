#include "render/diagram.h"
#include "render/masse.h"
#include "render/report_images.h"
#include "render/report_layout.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {
struct Platzierung {
    QString name;
    bool mitBreite = false;
    double breite = 0;
    bool prozent = false;
    bool mitLinks = false;
    double links = 0;
    bool mitOben = false;
    double oben = 0;
    bool zentriert = false;
};

Platzierung platzierungLesen(QStringView s) {
    Platzierung p;
    const QStringList teile = s.toString().split(QLatin1Char(','));
    p.name = grafikName(teile.value(0));
    for (int k = 1; k < teile.size(); ++k) {
        const QString t = teile[k].trimmed();
        if (t.isEmpty()) continue;
        QString wert = t.mid(1).trimmed();
        const QChar c = t[0].toUpper();
        auto zahl = [](QString w) {
            w.replace(QLatin1Char(','), QLatin1Char('.'));
            bool ok = false;
            const double v = w.toDouble(&ok);
            return ok && std::isfinite(v) ? v : -1.0;
        };
        if (c == QLatin1Char('B')) {
            p.mitBreite = true;
            if (wert.endsWith(QLatin1Char('%'))) {
                p.prozent = true;
                wert.chop(1);
            }
            p.breite = zahl(wert);
        } else if (c == QLatin1Char('L')) {
            p.mitLinks = true;
            p.links = zahl(wert);
        } else if (c == QLatin1Char('O')) {
            p.mitOben = true;
            p.oben = zahl(wert);
        } else if (c == QLatin1Char('Z')) {
            p.zentriert = true;
        }
    }
    return p;
}
} // namespace

int TDruckLayout::bildZeile(int i, QStringView platzierung, bool kopfBild) {
    const Platzierung p = platzierungLesen(platzierung);
    // The document's definitions first (newest first), then the caller's pictures.
    QImage img;
    int schluessel = 0;
    bool gefunden = false;
    for (qsizetype k = doc_.grafiken.size() - 1; k >= 0 && !gefunden; --k) {
        if (doc_.grafiken[k].name != p.name) continue;
        gefunden = true;
        schluessel = static_cast<int>(k);
        auto it = bilder_.find(schluessel);
        if (it != bilder_.end()) {
            img = *it;
        } else {
            QString fehler;
            img = grafikDekodieren(doc_.grafiken[k], &fehler);
            if (!fehler.isEmpty()) melden(fehler);
            bilder_.insert(schluessel, img);
        }
    }
    if (!gefunden) {
        for (qsizetype k = 0; k < doc_.grafikDirekt.size(); ++k) {
            if (doc_.grafikDirekt[k].first != p.name) continue;
            gefunden = true;
            schluessel = -1 - static_cast<int>(k);
            auto it = bilder_.find(schluessel);
            if (it == bilder_.end())
                it = bilder_.insert(schluessel, bildDekodieren(doc_.grafikDirekt[k].second));
            img = *it;
        }
    }
    if (!gefunden) {
        melden(QStringLiteral("Grafik nicht gefunden: ") + p.name);
        return i + 1;
    }
    if (img.isNull()) return i + 1;
    const QSize natur = natuerlicheGroesse(img);
    const int textbreite = textBreite();
    int breite = natur.width();
    if (p.mitBreite) {
        if (p.prozent)
            breite = (p.breite >= 0 && p.breite <= 100)
                         ? static_cast<int>(p.breite * textbreite / 100)
                         : z_.druckb;
        else
            breite = massRund(p.breite * 10);
    }
    // Sizes and positions from the markup are held to the paper: no picture is wider or
    // higher than the page, and one placed by position stays on it.
    breite = std::min(breite, z_.druckb);
    if (breite <= 0) return i + 1;
    int hoehe = natur.width() > 0
                    ? massRund(static_cast<double>(breite) * natur.height() / natur.width())
                    : 0;
    if (hoehe > z_.druckh) {
        breite = std::max(1, mass(static_cast<double>(breite) * z_.druckh / hoehe));
        hoehe = z_.druckh;
    }
    auto xBerechnen = [&] {
        if (p.zentriert) return z_.Alinks + (textbreite - breite) / 2;
        if (p.mitLinks) {
            const int l = massRund(p.links * 10);
            return std::clamp(p.links < -1 ? z_.druckb + l - breite : l, 0,
                              std::max(0, z_.druckb - breite));
        }
        return z_.Alinks + z_.einzug;
    };
    if (p.mitOben) {
        const int oben = std::clamp(massRund(p.oben * 10), 0, std::max(0, z_.druckh - hoehe));
        canvas_.bild(xBerechnen(), oben, breite, hoehe, img);
        return i + 1;
    }
    if (kopfBild) return i + 1;
    // The lowest a picture may reach; one that does not fit goes to the next page first, and
    // only a picture taller than a whole text area is made smaller.
    const int unterkante = z_.druckh - z_.untenspin - 40 - (z_.uebertrag.isEmpty() ? 0 : 40);
    if (!zeichnen_ && z_.y + hoehe > unterkante && !seiteLeer()) {
        const int weiter = umbruch(i, false);
        if (bewegt_) return weiter;
    }
    if (z_.y + hoehe > unterkante && hoehe > 0) {
        const int rest = std::max(1, unterkante - z_.y);
        breite = static_cast<int>(static_cast<double>(breite) * rest / hoehe);
        hoehe = rest;
    }
    canvas_.bild(xBerechnen(), z_.y, breite, hoehe, img);
    z_.y += hoehe;
    return i + 1;
}

int TDruckLayout::diagrammBlock(int i) {
    const int n = static_cast<int>(m_.size());
    int ende = i + 1;
    while (ende < n && !m_[ende].isEmpty()) ++ende;
    int typ = 1, links = 0, breite = 100, hoehe = 40;
    QString text;
    bool hx = false, hy = false;
    const QStringList items = m_[i].mid(3).split(QLatin1Char('|'));
    for (const QString& item : items) {
        const qsizetype c = item.indexOf(QLatin1Char(':'));
        if (c < 0) continue;
        const QString key = item.left(c);
        const QString wert = item.mid(c + 1);
        const int w = leseGanzzahl(wert);
        if (key == QLatin1String("typ")) {
            if (w < 0 || w > 5) {
                melden(QStringLiteral("Diagrammwert ausswerhalb des zulässigen Bereiches"));
                typ = 1;
            } else {
                typ = w;
            }
        } else if (key == QLatin1String("links")) {
            links = w;
        } else if (key == QLatin1String("breite")) {
            breite = w;
        } else if (key == QLatin1String("hoehe")) {
            hoehe = w;
        } else if (key == QLatin1String("text")) {
            text = wert;
        } else if (key == QLatin1String("hliniex")) {
            hx = wert == QLatin1String("1");
        } else if (key == QLatin1String("hliniey")) {
            hy = wert == QLatin1String("1");
        }
    }
    // Placement is held to the page: no wider than the paper, no higher than a text area,
    // and on the paper.
    const int pxB = std::min(massRund(breite * (z_.druckb - 400.0) / 100.0), z_.druckb);
    const int pxH = std::min(massRund(hoehe * (z_.druckh - 400.0) / 100.0),
                             std::max(1, grenze() + 40 - z_.oben));
    const int pxL = std::clamp(massRund(links * (z_.druckb - 400.0) / 100.0), -z_.Alinks,
                               std::max(-z_.Alinks, z_.druckb - z_.Alinks - pxB));
    if (pxB <= 0 || pxH <= 0) return ende; // a diagram without size draws nothing
    if (!zeichnen_ && z_.y + pxH > grenze() + 40 && !seiteLeer()) {
        const int weiter = umbruch(i, false);
        if (bewegt_) return weiter;
    }
    if (zeichnen_ && canvas_.painter) {
        tDiagramm d;
        d.seam = nullptr;
        d.Clear(static_cast<tDiagramm_typ>(typ), text, hx, hy);
        d.clearHintergrund = false;
        d.grau = canvas_.grau;
        for (int k = i + 1; k < ende; ++k) {
            const QString& s = m_[k];
            if (s.startsWith(QStringLiteral("°D")))
                d.st(s.mid(2));
            else
                d.addZeile(s);
        }
        d.links = z_.Alinks + pxL;
        d.oben = z_.y;
        d.breite = pxB;
        d.hoehe = pxH;
        const TSchrift alt = canvas_.font;
        d.draw(canvas_);
        canvas_.font = alt;
    } else if (!zeichnen_) {
        // The measuring pass reads the block once so its messages appear.
        tDiagramm d;
        d.seam = e_.seam;
        d.meldungen = &meldungen_;
        d.Clear(static_cast<tDiagramm_typ>(typ), text, hx, hy);
        for (int k = i + 1; k < ende; ++k) {
            const QString& s = m_[k];
            if (s.startsWith(QStringLiteral("°D")))
                d.st(s.mid(2));
            else
                d.addZeile(s);
        }
    }
    z_.y += pxH;
    return ende;
}

} // namespace zephan
