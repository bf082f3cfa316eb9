#include "render/diagram.h"

#include "render/masse.h"
#include "render/report_canvas.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <QDate>
#include <QPainter>
#include <cmath>
#include <limits>

namespace zephan {

namespace {
// Rounds halves to even, as the reports do; values far off the page and NaN stay harmless.
int rund(double x) {
    return mass(std::nearbyint(x));
}

// Decimals a series may ask for: more than a double holds would only write noise.
constexpr int nachGrenze = 17;

const QList<double>& leiter() {
    static const QList<double> l = [] {
        QList<double> w{0, 2, 5, 10, 15, 20, 30, 50, 75, 100};
        for (double d = 100; d * 10 <= 2147483647.0; d *= 10)
            for (double f : {1.5, 2.0, 3.0, 5.0, 7.5, 10.0}) w.append(d * f);
        return w;
    }();
    return l;
}

QColor standardFarbe(int anzahl) {
    static const QRgb farben[] = {0xFF0000, 0x0000FF, 0x008000, 0xFF00FF, 0xFFFF00, 0x000080,
                                  0x00FF00, 0x00FFFF, 0x800000, 0x800080, 0x808000};
    if (anzahl >= 1 && anzahl <= 11) return QColor::fromRgb(farben[anzahl - 1]);
    return Qt::black;
}

Qt::PenStyle grauLinie(const QColor& c) {
    switch (c.rgb() & 0xFFFFFF) {
    case 0xFF0000:
        return Qt::DashLine;
    case 0x0000FF:
        return Qt::DotLine;
    case 0x008000:
        return Qt::DashDotLine;
    case 0xFFFF00:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle grauFuellung(const QColor& c) {
    switch (c.rgb() & 0xFFFFFF) {
    case 0xFF0000:
        return Qt::BDiagPattern;
    case 0x008000:
        return Qt::DiagCrossPattern;
    case 0x00FF00:
        return Qt::CrossPattern;
    case 0xFFFF00:
        return Qt::VerPattern;
    case 0x808080:
        return Qt::HorPattern;
    case 0x0000FF:
        return Qt::FDiagPattern;
    case 0xFF00FF:
        return Qt::SolidPattern;
    default:
        return Qt::NoBrush;
    }
}
} // namespace

tDiagramm::tDiagramm() {
    yachse2_.enabled_ = false;
}

void tDiagramm::melde(const QString& text) {
    trace(text);
    if (meldungen) meldungen->append(text);
    if (seam) seam->meldung(text, UserSeam::Kind::Warnung);
}

double tDiagramm::ladderUp(double v) {
    const double a = std::fabs(v);
    for (double l : leiter())
        if (l >= a) return v < 0 ? -l : l;
    return v;
}

double tDiagramm::ladderDown(double v) {
    if (v <= 0) return ladderUp(v);
    // Values between 0 and 2 go down to 0, so the data stay above the axis.
    double best = 0;
    for (double l : leiter()) {
        if (l > v) break;
        best = l;
    }
    return best;
}

QList<double> tDiagramm::ticks(double von, double bis, double step) {
    QList<double> t;
    if (!std::isfinite(von) || !std::isfinite(bis) || !std::isfinite(step)) return t;
    double v = von;
    for (int k = 0; k < 1000 && v <= bis + std::fabs(bis - von) * 1e-9; ++k) {
        t.append(v);
        double n = v + step;
        if (v < 0 && n > 0) n = 0;
        if (!(n > v)) break; // a step that cannot advance: one tick
        v = n;
    }
    return t;
}

void tDiagramm::Clear(tDiagramm_typ Diagrammtyp, const QString& Headline, bool hx, bool hy) {
    if (drucken) {
        if (dokument) dokument->Diagramm(Diagrammtyp, 0, 100, 40, Headline, hx, hy);
        return;
    }
    typ_ = Diagrammtyp;
    headline_ = Headline;
    hilfsliniex = hx;
    hilfsliniey = hy;
    datenreihen.clear();
    aktreihe = -1;
}

void tDiagramm::st(const QString& s) {
    if (s.isEmpty()) return;
    const QChar c = s[0];
    const QStringList items = s.mid(1).split(QLatin1Char('|'));
    if (c == QLatin1Char('X') || c == QLatin1Char('Y') || c == QLatin1Char('y')) {
        TAchse& a = c == QLatin1Char('X') ? xachse_ : c == QLatin1Char('Y') ? yachse_ : yachse2_;
        if (c == QLatin1Char('y')) a.enabled_ = true;
        for (const QString& it : items) {
            const QString wert = it.mid(it.indexOf(QLatin1Char(':')) + 1);
            if (it.startsWith(QLatin1String("von:")))
                a.von_ = leseZahl(wert);
            else if (it.startsWith(QLatin1String("bis:")))
                a.bis_ = leseZahl(wert);
            else if (it.startsWith(QLatin1String("step:")))
                a.step_ = leseZahl(wert);
            else if (it.startsWith(QLatin1String("text:")))
                a.text_ = wert;
            else if (it.startsWith(QLatin1String("typ:"))) {
                const int f = leseGanzzahl(wert);
                if (f >= 0 && f <= 4) a.TextFormat_ = static_cast<tAchseWertFormat>(f);
            }
        }
        return;
    }
    if (c != QLatin1Char('N')) return;
    TDatenreihe r;
    r.Farbe = standardFarbe(datenreihen.count() + 1);
    nachdruck_ = 0;
    for (const QString& it : items) {
        const qsizetype k = it.indexOf(QLatin1Char(':'));
        if (k < 0) continue;
        const QString key = it.left(k);
        const QString wert = it.mid(k + 1);
        if (key == QLatin1String("text"))
            r.text_ = wert;
        else if (key == QLatin1String("typ")) {
            const int t = leseGanzzahl(wert);
            r.typ = (t >= 0 && t <= 6) ? static_cast<tDiagramm_typ>(t) : dia_vorgabe;
        } else if (key == QLatin1String("nach"))
            nachdruck_ = std::clamp(leseGanzzahl(wert), -nachGrenze, nachGrenze);
        else if (key == QLatin1String("farbe"))
            r.Farbe = TmyCanvas::farbeLesen(wert);
        else if (key == QLatin1String("size"))
            r.mark.size = std::clamp(leseGanzzahl(wert), 0, 50); // half the plot at most
        else if (key == QLatin1String("mtyp")) {
            const int m = leseGanzzahl(wert);
            r.mark.typ = m == -1 ? 0 : m;
        } else if (key == QLatin1String("schatten"))
            r.mark.schatten = wert == QLatin1String("1");
    }
    r.aufAchseY2_ = yachse2_.enabled_;
    r.mark.fuell = r.Farbe;
    r.mark.rand = Qt::black;
    if (r.typ == dia_nurpunkte && r.mark.typ < 0)
        melde(QStringLiteral("Druck.Diagramm.") + r.text_ +
              QStringLiteral(" Markentyp fehlt, da dia_nurPunkte"));
    datenreihen.list.append(r);
    aktreihe = datenreihen.count() - 1;
}

void tDiagramm::neueReihe(const QString& text, int nachdruck) {
    nachdruck_ = nachdruck;
    const QString zeile =
        QStringLiteral("Ntext:") + text + QStringLiteral("|nach:") + QString::number(nachdruck);
    if (drucken) {
        if (dokument) dokument->add(QStringLiteral("°D") + zeile);
    } else {
        st(zeile);
    }
}

void tDiagramm::NeueReihe(const QString& text, int NachKommastellen, int typ, int farbe) {
    nachdruck_ = NachKommastellen;
    QString zeile = QStringLiteral("Ntext:") + text + QStringLiteral("|nach:") +
                    QString::number(NachKommastellen) + QStringLiteral("|typ:") +
                    QString::number(typ);
    if (farbe != -1)
        zeile += QStringLiteral("|farbe:#") +
                 QStringLiteral("%1")
                     .arg(static_cast<uint>(farbe) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
                     .toUpper();
    if (drucken) {
        if (dokument) dokument->add(QStringLiteral("°D") + zeile);
    } else {
        st(zeile);
    }
}

void tDiagramm::add(double x, double y) {
    if (drucken) {
        if (dokument)
            dokument->add(formatZahl(x, nachdruck_) + QLatin1Char('|') + formatZahl(y, nachdruck_));
        return;
    }
    if (aktreihe < 0 || aktreihe >= datenreihen.count()) {
        melde(QStringLiteral("Keine Datenreihe vorhanden!"));
        return;
    }
    datenreihen.list[aktreihe].p.append(tp{x, y});
}

void tDiagramm::addZeile(const QString& zeile) {
    const qsizetype k = zeile.indexOf(QLatin1Char('|'));
    bool okX = false, okY = false;
    const double x = leseZahl(k < 0 ? zeile : zeile.left(k), &okX, 0);
    const double y = k < 0 ? 0 : leseZahl(zeile.mid(k + 1), &okY, 0);
    add(x, y);
}

void tDiagramm::setAchse(const QString& achse, const QString& von, const QString& bis,
                         const QString& step, const QString& text) {
    if (drucken) {
        if (dokument) dokument->DiaSetachse(achse, von, bis, step, text, 0);
        return;
    }
    st(achse + QStringLiteral("von:") + von + QStringLiteral("|bis:") + bis +
       QStringLiteral("|step:") + step + QStringLiteral("|text:") + text);
}

void tDiagramm::druckadd() {
    if (!dokument) return;
    dokument->Diagramm(typ_, links, breite, hoehe, headline_);
    auto achse = [&](const QString& name, const TAchse& a) {
        dokument->DiaSetachse(name, formatZahl(a.von_, a.nach), formatZahl(a.bis_, a.nach),
                              formatZahl(a.step_, a.nach), a.text_, a.TextFormat_);
    };
    achse(QStringLiteral("X"), xachse_);
    achse(QStringLiteral("Y"), yachse_);
    if (yachse2_.enabled_) achse(QStringLiteral("y"), yachse2_);
}

QString tDiagramm::label(const TAchse& a, double v) const {
    if (a.TextFormat_ == at_text) return a.text_;
    if (a.TextFormat_ == at_zahl) return formatZahl(v, a.nach);
    const QDate basis(1899, 12, 30);
    // Beyond the last day a date can name the axis shows that day.
    const QDate d = v >= 10000 ? basis.addDays(static_cast<qint64>(std::min(v, 1e9))) : basis;
    switch (a.TextFormat_) {
    case at_DatumMY:
        return QString::number(d.month()) + QLatin1Char('.') + QString::number(d.year());
    case at_datumTMY:
        return QString::number(d.day()) + QLatin1Char('.') + QString::number(d.month()) +
               QLatin1Char('.') + QString::number(d.year());
    default:
        return QString::number(d.day()) + QLatin1Char('.') + QString::number(d.month()) +
               QLatin1Char('.');
    }
}

void tDiagramm::autoSkalieren() {
    const bool xFest = xachse_.von_ != xachse_.bis_;
    const bool yFest = yachse_.von_ != yachse_.bis_;
    const bool y2Fest = !yachse2_.enabled_ || yachse2_.von_ != yachse2_.bis_;
    if (xFest && yFest && y2Fest) return;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int n = 0;
    const bool gestapelt = typ_ == dia_saeule_gestapelt || typ_ == dia_saeule_schmaler;
    if (!gestapelt) {
        bool erster = true;
        for (const TDatenreihe& r : datenreihen.list) {
            n = std::max(n, static_cast<int>(r.p.size()));
            for (const tp& p : r.p) {
                if (erster) {
                    xmin = xmax = p.x;
                    ymin = ymax = p.y;
                    erster = false;
                }
                xmin = std::min(xmin, p.x);
                xmax = std::max(xmax, p.x);
                ymin = std::min(ymin, p.y);
                ymax = std::max(ymax, p.y);
            }
        }
    } else if (datenreihen.count() > 0) {
        const TDatenreihe& erste = datenreihen.list[0];
        n = static_cast<int>(erste.p.size());
        for (int i = 0; i < n; ++i) {
            double neg = 0, pos = 0;
            for (const TDatenreihe& r : datenreihen.list) {
                if (i >= r.p.size()) continue;
                xmin = std::min(xmin, r.p[i].x);
                xmax = std::max(xmax, r.p[i].x);
                if (r.p[i].y < 0)
                    neg += r.p[i].y;
                else
                    pos += r.p[i].y;
            }
            ymin = std::min(ymin, neg);
            ymax = std::max(ymax, pos);
        }
    }
    if (yachse2_.enabled_ && yachse2_.von_ == yachse2_.bis_) {
        double a = 0, b = 0;
        for (const TDatenreihe& r : datenreihen.list)
            if (r.aufAchseY2_)
                for (const tp& p : r.p) {
                    a = std::min(a, p.y);
                    b = std::max(b, p.y);
                }
        if (a == b) {
            if (a != 0)
                a = 0;
            else
                b = 1;
        }
        yachse2_.von_ = ladderUp(a);
        yachse2_.bis_ = ladderUp(b);
        yachse2_.step_ = ladderUp((b - a) / 10);
        if (yachse2_.step_ <= 0) yachse2_.step_ = 1;
        if (yachse2_.von_ < 0 && yachse2_.von_ > -yachse2_.step_) yachse2_.von_ = -yachse2_.step_;
    }
    if (!xFest) {
        if (xachse_.beiAutoMinMaxrunden) {
            xachse_.von_ = ladderDown(xmin);
            xachse_.bis_ = ladderUp(xmax);
        } else {
            xachse_.von_ = xmin;
            xachse_.bis_ = xmax;
        }
        if (xachse_.step_ == 0) {
            const int m = n == 0 ? 1 : std::min(n, 10);
            xachse_.step_ = (xachse_.bis_ - xachse_.von_) / m;
        }
    }
    if (!yFest) {
        if (yachse_.beiAutoMinMaxrunden) {
            yachse_.von_ = ladderDown(ymin);
            yachse_.bis_ = ladderUp(ymax);
        } else {
            yachse_.von_ = ymin;
            yachse_.bis_ = ymax;
        }
        if (yachse_.von_ == yachse_.bis_) yachse_.bis_ += 1;
        yachse_.step_ = ladderUp((ymax - ymin) / 10);
        if (yachse_.step_ == 0) yachse_.step_ = 1;
        if (yachse_.von_ < 0 && yachse_.von_ > -yachse_.step_) yachse_.von_ = -yachse_.step_;
    }
}

void tDiagramm::draw(TmyCanvas& c) {
    if (breite <= 0 || hoehe <= 0) return; // nothing to draw on
    const TSchrift altFont = c.font;
    const QColor altPen = c.penFarbe, altBrush = c.brushFarbe;
    const int altPenBreite = c.penBreite;
    const Qt::PenStyle altPenStil = c.penStil;
    const Qt::BrushStyle altBrushStil = c.brushStil;

    c.font = TSchrift{};
    c.font.groesse = 15;
    c.brushFarbe = farbeflaeche;
    c.penFarbe = Qt::black;
    c.penBreite = 1;
    c.penStil = Qt::SolidLine;
    c.brushStil = clearHintergrund ? Qt::SolidPattern : Qt::NoBrush;
    c.Rectangle(links, oben, links + breite, oben + hoehe);
    // Everything is drawn inside the frame, even axis labels of absurd values.
    if (c.painter) {
        c.painter->save();
        c.painter->setClipRect(QRect(links, oben, breite + 1, hoehe + 1));
        c.painterGewechselt();
    }
    const int m = rund(breite * 0.03);
    const int hA = c.textheight();
    int left = links, right = links + breite, top = oben + hA + m, bottom = oben + hoehe - m;
    autoSkalieren();
    // The label column takes at most a third of the width, so the plot keeps its place.
    const int uy = std::min(rund(1.8 * std::max(c.textwidth(label(yachse_, yachse_.von_)),
                                                c.textwidth(label(yachse_, yachse_.bis_)))),
                            breite / 3);
    left += uy;
    if (yachse2_.enabled_) {
        right -= uy;
        bottom = oben + (hoehe - 5 * c.textheight());
    }
    if (!xachse_.text_.isEmpty()) bottom -= 2 * c.textheight();
    if (!headline_.isEmpty()) {
        const TSchrift vor = c.font;
        c.font.groesse = rund(vor.groesse * 1.5);
        const int w = c.mytextwidth(headline_);
        c.mytextout(links + (breite - w) / 2, oben + (top - oben) / 10, headline_);
        top += rund(1.5 * c.textheight());
        c.font = vor;
    }
    if (bottom <= top) bottom = top + 1;
    int dl = left, dr = right, dt = top;
    const int db = bottom;
    const int t = rund(breite * 0.03);
    if (xachse_.von_ > 0) dl += t;
    dr -= t;
    if (yachse_.von_ > 0) dt += t;
    if (typ_ == dia_saeule_gruppiert) {
        dl += t;
        dr -= t;
    }
    if (dr <= dl) dr = dl + 1;
    auto spanne = [](const TAchse& a) {
        const double s = a.bis_ - a.von_;
        return s == 0 || !std::isfinite(s) ? 1.0 : s;
    };
    // A value outside the axis (or too large to compute with) lands on the frame.
    auto X = [&](double v) {
        return std::clamp(dl + rund((v - xachse_.von_) / spanne(xachse_) * (dr - dl)), links,
                          links + breite);
    };
    auto Yauf = [&](const TAchse& a, double v) {
        return std::clamp(db - rund((v - a.von_) / spanne(a) * (db - dt)), oben, oben + hoehe);
    };
    auto Y = [&](double v) { return Yauf(yachse_, v); };
    c.brushStil = Qt::SolidPattern;

    // Axes.
    const int u = std::max(1, rund(breite / 200.0));
    c.font.groesse = 10;
    c.penFarbe = Qt::black;
    if (!xachse_.text_.isEmpty()) {
        const int w = c.mytextwidth(xachse_.text_);
        c.mytextout(dl + (dr - dl - w) / 2, bottom + rund(1.5 * c.textheight()), xachse_.text_);
    }
    c.linie(left, bottom, right, bottom);
    if (yachse_.von_ < 0 && yachse_.bis_ > 0) c.linie(left, Y(0), right, Y(0));
    auto strich = [&](thilfsstrichtyp typ, bool waagrecht, int pos, int a) {
        int v1 = a, v2 = a;
        if (typ == hs_aussen) v2 = a + u;
        if (typ == hs_innen) v1 = a - u;
        if (typ == hs_beide) {
            v1 = a - u;
            v2 = a + u;
        }
        if (typ == hs_ohne) return;
        if (waagrecht)
            c.linie(pos, v1, pos, v2);
        else
            c.linie(v1, pos, v2, pos);
    };
    auto hilfslinie = [&](int x1, int y1, int x2, int y2) {
        c.penFarbe = QColor(0x80, 0x80, 0x80);
        c.penStil = Qt::DotLine;
        c.linie(x1, y1, x2, y2);
        c.penFarbe = Qt::black;
        c.penStil = Qt::SolidLine;
    };
    for (double v : ticks(xachse_.von_, xachse_.bis_, xachse_.step_)) {
        const int x = X(v);
        const QString l = label(xachse_, v);
        c.textout(x - c.textwidth(l) / 2, bottom + 2 * u, l);
        if (hilfsliniex) hilfslinie(x, bottom, x, top);
        strich(xachse_.hauptstriche_, true, x, bottom);
    }
    c.linie(left, top, left, bottom);
    for (double v : ticks(yachse_.von_, yachse_.bis_, yachse_.step_)) {
        const int y = Y(v);
        const QString l = label(yachse_, v);
        c.textout(left - 3 * u - c.textwidth(l), y - c.textheight() / 2, l);
        if (hilfsliniey && v != 0) hilfslinie(left, y, right, y);
        strich(yachse_.hauptstriche_, false, y, left);
    }
    if (yachse2_.enabled_) {
        c.linie(right, top, right, bottom);
        const int w = std::max(c.textwidth(label(yachse2_, yachse2_.von_)),
                               c.textwidth(label(yachse2_, yachse2_.bis_)));
        for (double v : ticks(yachse2_.von_, yachse2_.bis_, yachse2_.step_)) {
            const int y = Yauf(yachse2_, v);
            const QString l = label(yachse2_, v);
            c.textout(right + 3 * u + w - c.textwidth(l), y - c.textheight() / 2, l);
            strich(yachse2_.hauptstriche_, false, y, right);
        }
    }

    // Series.
    auto linienStift = [&](const QColor& farbe, int breiteStift) {
        c.penBreite = breiteStift;
        if (grau) {
            c.penFarbe = Qt::black;
            c.penStil = grauLinie(farbe);
        } else {
            c.penFarbe = farbe;
            c.penStil = Qt::SolidLine;
        }
    };
    auto fuellung = [&](const QColor& rand, const QColor& fuell) {
        c.penStil = Qt::SolidLine;
        c.penBreite = 1;
        if (grau) {
            c.penFarbe = Qt::black;
            c.brushFarbe = Qt::black;
            c.brushStil = grauFuellung(fuell);
        } else {
            c.penFarbe = rand;
            c.brushFarbe = fuell;
            c.brushStil = Qt::SolidPattern;
        }
    };
    const int achsB = right - left;
    auto marke = [&](const TDatenreihe& r, int x, int y) {
        const int s = rund(achsB * r.mark.size / 200.0);
        const int o = rund(achsB * r.mark.size / 400.0);
        auto form = [&](int px, int py) {
            switch (r.mark.typ) {
            case 0:
                c.Rectangle(px - s, py - s, px + s, py + s);
                break;
            case 1:
                c.kreism(px, py, s);
                break;
            case 2:
                c.Polygon(QPolygon({QPoint(px, py - s), QPoint(px + s, py), QPoint(px, py + s),
                                    QPoint(px - s, py)}));
                break;
            case 3:
                c.Polygon(
                    QPolygon({QPoint(px, py - s), QPoint(px + s, py + s), QPoint(px - s, py + s)}));
                break;
            default:
                break;
            }
        };
        if (r.mark.schatten) {
            c.penFarbe = QColor(0x80, 0x80, 0x80);
            c.brushFarbe = QColor(0x80, 0x80, 0x80);
            c.brushStil = Qt::SolidPattern;
            c.penBreite = 1;
            form(x + o, y + o);
        }
        fuellung(r.mark.rand, r.mark.fuell);
        form(x, y);
    };
    // Bars: filled in colour and for solid or clear grey brushes; hatched ones are drawn as
    // lines inside the outline so the hatching has the same spacing on every device.
    auto balken = [&](int x1, int y1, int x2, int y2, const TDatenreihe& r) {
        if (x1 > x2) std::swap(x1, x2);
        if (y1 > y2) std::swap(y1, y2);
        x1 = std::clamp(x1, links, links + breite);
        x2 = std::clamp(x2, links, links + breite);
        y1 = std::clamp(y1, oben, oben + hoehe);
        y2 = std::clamp(y2, oben, oben + hoehe);
        fuellung(r.Farbe, r.mark.fuell);
        const Qt::BrushStyle b = c.brushStil;
        if (!grau || b == Qt::SolidPattern || b == Qt::NoBrush) {
            c.Rectangle(x1, y1, x2, y2);
            return;
        }
        c.brushStil = Qt::NoBrush;
        c.Rectangle(x1, y1, x2, y2);
        const int a = x1 + 1, bx = x2 - 1, o = y1 + 1, un = y2 - 1;
        if (bx <= a || un <= o) return;
        if (b == Qt::HorPattern || b == Qt::CrossPattern)
            for (int y = o; y <= un; y += 5) c.linie(a, y, bx, y);
        if (b == Qt::VerPattern || b == Qt::CrossPattern)
            for (int x = a; x <= bx; x += 5) c.linie(x, o, x, un);
        const int hoeheB = un - o;
        if (b == Qt::BDiagPattern || b == Qt::DiagCrossPattern)
            for (int k = a - hoeheB; k <= bx; k += 10) {
                // from lower left to upper right, clipped to the box
                int xs = k, ys = un, xe = k + hoeheB, ye = o;
                if (xs < a) {
                    ys -= a - xs;
                    xs = a;
                }
                if (xe > bx) {
                    ye += xe - bx;
                    xe = bx;
                }
                if (xs <= xe) c.linie(xs, ys, xe, ye);
            }
        if (b == Qt::FDiagPattern || b == Qt::DiagCrossPattern)
            for (int k = a - hoeheB; k <= bx; k += 10) {
                int xs = k, ys = o, xe = k + hoeheB, ye = un;
                if (xs < a) {
                    ys += a - xs;
                    xs = a;
                }
                if (xe > bx) {
                    ye -= xe - bx;
                    xe = bx;
                }
                if (xs <= xe) c.linie(xs, ys, xe, ye);
            }
    };
    const int balkenB = rund(xachse_.step_ / spanne(xachse_) * (dr - dl) * 0.9);
    int kGruppe = 0;
    for (const TDatenreihe& r : datenreihen.list)
        if (r.typ == dia_saeule_gruppiert || (r.typ == dia_vorgabe && !r.aufAchseY2_)) ++kGruppe;
    kGruppe = std::max(1, kGruppe);
    const int faecher =
        std::clamp(rund(spanne(xachse_) / (xachse_.step_ == 0 ? 1 : xachse_.step_)) + 1, 1, 100000);
    QList<double> posSumme(faecher, 0), negSumme(faecher, 0);
    const int n = datenreihen.count();
    for (int a = 0; a < n; ++a) {
        const TDatenreihe& r = datenreihen.list[a];
        if (r.p.isEmpty()) continue;
        const bool zweite = r.aufAchseY2_;
        const TAchse& ya = zweite && yachse2_.enabled_ ? yachse2_ : yachse_;
        const int art = zweite ? dia_linie : typ_;
        const int y0 = std::min(db, Yauf(ya, 0));
        if (art <= dia_liniemitpunkt) {
            for (int k = 0; k < r.p.size(); ++k) {
                const int x = X(r.p[k].x), y = Yauf(ya, r.p[k].y);
                if ((art == dia_linie || art == dia_liniemitpunkt) && k > 0) {
                    linienStift(r.Farbe, 3);
                    c.linie(X(r.p[k - 1].x), Yauf(ya, r.p[k - 1].y), x, y);
                }
                if (art == dia_nurpunkte || art == dia_liniemitpunkt) marke(r, x, y);
                c.penBreite = 1;
            }
        } else if (art == dia_saeule_gruppiert) {
            for (const tp& p : r.p) {
                const double X0 = X(p.x);
                balken(rund(X0 - balkenB / 2.0 + a * static_cast<double>(balkenB) / kGruppe),
                       Y(p.y),
                       rund(X0 - balkenB / 2.0 + (a + 1) * static_cast<double>(balkenB) / kGruppe),
                       y0, r);
            }
        } else {
            for (const tp& p : r.p) {
                const int slot = rund((p.x - xachse_.von_) / spanne(xachse_) * (faecher - 1));
                if (slot < 0 || slot >= faecher) continue;
                double& summe = p.y <= 0 ? negSumme[slot] : posSumme[slot];
                const int vor = std::min(db, Y(summe));
                summe += p.y;
                const int nach = std::min(db, Y(summe));
                const int X0 = X(p.x);
                const int halb = art == dia_saeule_gestapelt
                                     ? balkenB / 2
                                     : rund((1 - static_cast<double>(a) / n / 2) * (balkenB / 2));
                balken(X0 - halb, vor, X0 + halb, nach, r);
            }
        }
    }

    // Legend.
    c.penStil = Qt::SolidLine;
    c.penBreite = 1;
    const int q = rund(1.3 * c.textheight());
    auto symbol = [&](const TDatenreihe& r, int x, int y) {
        if (r.typ == dia_saeule_gruppiert || r.typ == dia_saeule_gestapelt ||
            r.typ == dia_saeule_schmaler) {
            marke(r, x, y);
            return;
        }
        const int d = q / 3;
        linienStift(r.Farbe, 3);
        c.linie(x - d, y - d, x + d, y + d);
        c.penBreite = 1;
        c.penStil = Qt::SolidLine;
    };
    auto kasten = [&](int x1, int y1, int x2, int y2) {
        c.penFarbe = Qt::black;
        c.penStil = Qt::SolidLine;
        c.penBreite = 1;
        c.brushFarbe = QColor(0xC0, 0xC0, 0xC0);
        c.brushStil = grau ? Qt::NoBrush : Qt::SolidPattern;
        c.Rectangle(x1, y1, x2, y2);
    };
    int W = 0;
    for (const TDatenreihe& r : datenreihen.list) W = std::max(W, c.mytextwidth(r.text_));
    const int wA = c.textwidth(u"A");
    if (!yachse2_.enabled_) {
        if (W > 0 && n > 0) {
            const int g = W + 6 * wA;
            const int bx = links + rund(0.95 * breite) - g;
            const int by = oben + rund(hoehe * 10 / 100.0);
            kasten(bx, by, bx + g, by + (n + 1) * q);
            const int aB = c.textwidth(u"AB");
            for (int k = 0; k < n; ++k) {
                symbol(datenreihen.list[k], bx + aB, by + q + k * q);
                c.mytextout(bx + 2 * aB, by + q + k * q - q / 2, datenreihen.list[k].text_);
            }
        }
    } else if (n > 0) {
        const int ly = oben + rund(hoehe - 3.5 * c.textheight());
        int A = 0;
        for (const TDatenreihe& r : datenreihen.list)
            A += c.mytextwidth(r.text_ + QStringLiteral("Ariala"));
        if (A + q <= breite) {
            int bx = left;
            if (bx + A + q > links + breite) bx = links + (breite - A - q) / 2;
            kasten(bx, ly, bx + A + q, ly + 2 * q);
            int x = bx + 2 * wA;
            for (const TDatenreihe& r : datenreihen.list) {
                symbol(r, x, ly + q);
                c.mytextout(x + wA, ly + q / 2, r.text_);
                x += wA + c.mytextwidth(QStringLiteral("Arial") + r.text_);
            }
        } else {
            int A2 = 0;
            for (int k = 0; k < n; k += 2) {
                const int w1 = c.mytextwidth(datenreihen.list[k].text_);
                const int w2 = k + 1 < n ? c.mytextwidth(datenreihen.list[k + 1].text_) : 0;
                A2 += std::max(w1, w2) + c.textwidth(u"ArialA");
            }
            const int bx = links + rund(breite - A2 - q) / 2;
            kasten(bx, ly, bx + A2 + q, ly + rund(2.5 * q));
            int x = bx + 2 * wA;
            for (int k = 0; k < n; k += 2) {
                const TDatenreihe& r1 = datenreihen.list[k];
                symbol(r1, x, ly + (q / 3) * 2);
                c.mytextout(x + wA, ly + q / 4, r1.text_);
                int wp = c.mytextwidth(r1.text_);
                if (k + 1 < n) {
                    const TDatenreihe& r2 = datenreihen.list[k + 1];
                    symbol(r2, x, ly + rund(1.8 * q));
                    c.mytextout(x + wA, ly + rund(1.3 * q), r2.text_);
                    wp = std::max(wp, c.mytextwidth(r2.text_));
                }
                x += wA + wp + c.textwidth(u"Arial");
            }
        }
    }

    if (c.painter) {
        c.painter->restore();
        c.painterGewechselt();
    }
    c.font = altFont;
    c.penFarbe = altPen;
    c.brushFarbe = altBrush;
    c.penBreite = altPenBreite;
    c.penStil = altPenStil;
    c.brushStil = altBrushStil;
}

} // namespace zephan
