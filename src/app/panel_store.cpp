#include "app/panel_store.h"

#include "app/number_field.h"
#include "store/ini_file.h"
#include "store/named_values.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVariant>

namespace zephan {
namespace {

// The stored controls of a panel in child order, with their values.
struct Eintrag {
    QWidget* w;
    NamedValue v;
};

void sammeln(QWidget* panel, bool sub, QList<Eintrag>& r) {
    for (QObject* o : panel->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) continue;
        const QString key = speicherSchluessel(w->property("NameFeld").toString(), w->objectName());
        if (!key.isEmpty()) {
            NamedValue v;
            v.key = key;
            if (auto* z = dynamic_cast<Zahlenfeld*>(w)) {
                v.art = WertArt::Zahl;
                v.nachkommastellen = z->nachkommastellen();
                v.zahl = z->wert();
                v.ganz = static_cast<qint64>(v.zahl);
            } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
                v.art = WertArt::Text;
                v.text = e->text();
            } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
                v.art = WertArt::Bool;
                v.an = c->isChecked();
            } else if (auto* rb = qobject_cast<QRadioButton*>(w)) {
                v.art = WertArt::Bool;
                v.an = rb->isChecked();
            } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
                v.art = cb->isEditable() ? WertArt::EditText : WertArt::Index;
                v.text = cb->currentText();
                v.ganz = cb->currentIndex();
            } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
                v.art = WertArt::Memo;
                v.text = m->toPlainText();
            } else {
                v.art = WertArt::Unbekannt;
            }
            r << Eintrag{w, v};
        }
        if (sub) sammeln(w, sub, r);
    }
}

} // namespace

void panel_save(QWidget* panel, TIniFile2& ini, const QString& section, bool sub) {
    QList<Eintrag> e;
    sammeln(panel, sub, e);
    QList<NamedValue> werte;
    for (const Eintrag& x : e) werte << x.v;
    namedValuesSave(ini, section, werte);
}

void panel_load(QWidget* panel, const TIniFile2& ini, const QString& section, bool sub) {
    QList<Eintrag> e;
    sammeln(panel, sub, e);
    QList<NamedValue> werte;
    for (const Eintrag& x : e) werte << x.v;
    namedValuesLoad(ini, section, werte);
    for (int k = 0; k < e.size(); ++k) {
        QWidget* w = e[k].w;
        const NamedValue& v = werte[k];
        if (auto* z = dynamic_cast<Zahlenfeld*>(w))
            z->setWert(v.nachkommastellen == 0 ? static_cast<double>(v.ganz) : v.zahl);
        else if (auto* le = qobject_cast<QLineEdit*>(w))
            le->setText(v.text);
        else if (auto* c = qobject_cast<QCheckBox*>(w))
            c->setChecked(v.an);
        else if (auto* rb = qobject_cast<QRadioButton*>(w))
            rb->setChecked(v.an);
        else if (auto* cb = qobject_cast<QComboBox*>(w)) {
            if (cb->isEditable())
                cb->setEditText(v.text);
            else if (v.ganz >= 0 && v.ganz < cb->count())
                cb->setCurrentIndex(static_cast<int>(v.ganz));
        } else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            m->setPlainText(v.text);
    }
}

namespace {
QString fensterAbschnitt(QWidget* form, const QString& prefix) {
    return prefix + QStringLiteral("Fenster") + form->objectName();
}
bool groesseVeraenderbar(QWidget* form) {
    return !qobject_cast<QDialog*>(form);
}
} // namespace

void formsize_save(QWidget* form, TIniFile2& ini, const QString& prefix) {
    const QString s = fensterAbschnitt(form, prefix);
    const QRect g = form->normalGeometry().isValid() ? form->normalGeometry() : form->geometry();
    ini.WriteInteger(s, QStringLiteral("VonOben"), g.top());
    ini.WriteInteger(s, QStringLiteral("Links"), g.left());
    if (groesseVeraenderbar(form)) {
        ini.WriteInteger(s, QStringLiteral("Hoehe"), g.height());
        ini.WriteInteger(s, QStringLiteral("Breite"), g.width());
    }
}

void formsize_load(QWidget* form, const TIniFile2& ini, const QString& prefix) {
    const QString s = fensterAbschnitt(form, prefix);
    if (!ini.SectionExists(s)) return;
    QRect g = form->geometry();
    g.moveTop(static_cast<int>(ini.ReadInteger(s, QStringLiteral("VonOben"), g.top())));
    g.moveLeft(static_cast<int>(ini.ReadInteger(s, QStringLiteral("Links"), g.left())));
    if (groesseVeraenderbar(form)) {
        g.setHeight(static_cast<int>(ini.ReadInteger(s, QStringLiteral("Hoehe"), g.height())));
        g.setWidth(static_cast<int>(ini.ReadInteger(s, QStringLiteral("Breite"), g.width())));
    }
    // Pulled back onto the screen: a window saved on a larger or a second screen stays
    // reachable.
    if (QScreen* sc = QGuiApplication::primaryScreen()) {
        const QRect b = sc->availableGeometry();
        if (g.width() > b.width()) g.setWidth(b.width());
        if (g.right() > b.width()) g.moveLeft(b.width() - g.width());
        if (g.height() > b.height() - 20) g.setHeight(b.height() - 30);
        if (g.bottom() > b.height() - 20) g.moveTop(b.height() - 20 - g.height());
        if (g.left() < 0) g.moveLeft(0);
        if (g.top() < 0) g.moveTop(0);
    }
    form->setGeometry(g);
}

} // namespace zephan
