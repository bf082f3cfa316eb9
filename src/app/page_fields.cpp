#include "app/page_fields.h"

#include <QComboBox>

#include "app/number_field.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <memory>

namespace zephan {

Zahlenfeld* zahlFeld(QWidget* eltern, const QString& name, int stellen, const Bereich& bereich) {
    auto* z = new Zahlenfeld(stellen, eltern);
    z->setObjectName(name);
    z->setBereich(bereich);
    return z;
}

namespace {
// Remembers why the field lost the focus last: the window going inactive (another program, or
// the window closing while it is destroyed) is no leaving of the field.
class FokusGrund : public QObject {
public:
    using QObject::QObject;
    Qt::FocusReason grund = Qt::OtherFocusReason;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusOut) grund = static_cast<QFocusEvent*>(e)->reason();
        return QObject::eventFilter(o, e);
    }
};
} // namespace

void beimVerlassen(QLineEdit* feld, QWidget* seite, const std::function<void()>& verlassen,
                   const std::function<void()>& nachReturn) {
    // Return emits returnPressed before editingFinished: the field's own action runs first,
    // then the page is applied.
    auto ret = std::make_shared<bool>(false);
    auto* fokus = new FokusGrund(feld);
    feld->installEventFilter(fokus);
    QObject::connect(feld, &QLineEdit::returnPressed, seite, [ret, fokus] {
        *ret = true;
        fokus->grund = Qt::OtherFocusReason;
    });
    QObject::connect(feld, &QLineEdit::editingFinished, seite, [=] {
        const bool mitReturn = *ret;
        *ret = false;
        if (!mitReturn) {
            const Qt::FocusReason grund = fokus->grund;
            fokus->grund = Qt::OtherFocusReason;
            if (grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason ||
                !seite->isVisible())
                return;
        }
        if (verlassen) verlassen();
        if (mitReturn && nachReturn) nachReturn();
    });
}

QString ungueltigMeldung(const BenanntesFeld& f) {
    if (!f.feld || !f.feld->isVisibleTo(f.feld->window()) || !f.feld->isEnabled() ||
        f.feld->gueltig())
        return {};
    return QStringLiteral("Der Wert im Feld \"%1\" ist nicht möglich (%2).")
        .arg(f.name, f.feld->bereich().hinweis());
}

QString ungueltigMeldung(std::initializer_list<BenanntesFeld> felder) {
    for (const BenanntesFeld& f : felder) {
        const QString m = ungueltigMeldung(f);
        if (!m.isEmpty()) return m;
    }
    return {};
}

KurzLabel::KurzLabel(QWidget* eltern, int zeichen) : QLabel(eltern), zeichen_(zeichen) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void KurzLabel::setLangText(const QString& text) {
    lang_ = text;
    setToolTip(text);
    kuerzen();
}

QSize KurzLabel::sizeHint() const {
    QSize s = QLabel::sizeHint();
    s.setWidth(qMin(fontMetrics().horizontalAdvance(lang_) + 4,
                    fontMetrics().averageCharWidth() * zeichen_));
    return s;
}

QSize KurzLabel::minimumSizeHint() const {
    QSize s = QLabel::minimumSizeHint();
    s.setWidth(fontMetrics().averageCharWidth() * 4);
    return s;
}

void KurzLabel::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    kuerzen();
}

void KurzLabel::kuerzen() {
    // Not laid out yet: the whole text until the label has its width.
    if (contentsRect().width() <= 0) {
        setText(lang_);
        return;
    }
    const QString t =
        fontMetrics().elidedText(lang_, Qt::ElideRight, qMax(0, contentsRect().width()));
    if (t != text()) setText(t);
}

void feldZeile(QGridLayout* g, int zeile, const QString& caption, QWidget* feld,
               const QString& einheit) {
    auto* parent = g->parentWidget();
    g->addWidget(new QLabel(caption, parent), zeile, 0);
    g->addWidget(feld, zeile, 1);
    if (!einheit.isEmpty()) g->addWidget(new QLabel(einheit, parent), zeile, 2);
}

void gruppenWahlFuellen(QComboBox* wahl, QWidget* caption, const QStringList& liste) {
    const QString vorher = wahl->currentText();
    wahl->clear();
    wahl->addItems(liste);
    const int i = liste.indexOf(vorher);
    wahl->setCurrentIndex(i < 0 ? 0 : i);
    wahl->setVisible(liste.size() > 1);
    caption->setVisible(liste.size() > 1);
}

} // namespace zephan
