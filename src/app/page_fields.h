#pragma once

#include "editing/field_range.h"

#include <QLabel>
#include <QString>
#include <functional>
#include <initializer_list>

class QLineEdit;
class QComboBox;
class QGridLayout;

namespace zephan {

class Zahlenfeld;

// The building blocks the edit pages share: named fields, the exit and Return actions of a
// field, the check of the fields' ranges and labels that shorten long texts.

template <class T> T* benannt(QWidget* eltern, const QString& name) {
    auto* w = new T(eltern);
    w->setObjectName(name);
    return w;
}

Zahlenfeld* zahlFeld(QWidget* eltern, const QString& name, int stellen, const Bereich& bereich);

// Leaving the field runs `verlassen` (when given); Return runs it too and then `nachReturn`.
// A field of a hidden page does nothing when it loses the focus: its page is no longer shown
// (another tab, or the window going away).
void beimVerlassen(QLineEdit* feld, QWidget* seite, const std::function<void()>& verlassen,
                   const std::function<void()>& nachReturn);

// A field and the caption it is known by on its page.
struct BenanntesFeld {
    const Zahlenfeld* feld;
    QString name;
};
// The message for the first shown field whose value is out of range, naming the field and its
// range; empty when all are valid.
// Fills a page's group choice with "unbekannt" and the project's groups, keeping the text
// shown before; the choice and its caption show only when the project names groups.
void gruppenWahlFuellen(QComboBox* wahl, QWidget* caption, const QStringList& liste);

QString ungueltigMeldung(std::initializer_list<BenanntesFeld> felder);
QString ungueltigMeldung(const BenanntesFeld& feld);

// A label that shortens a long text with "…" to the room it has and shows the whole text as
// its tooltip; it never asks for more room than `zeichen` characters.
class KurzLabel : public QLabel {
public:
    explicit KurzLabel(QWidget* eltern = nullptr, int zeichen = 30);
    void setLangText(const QString& text);
    QString langText() const { return lang_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void kuerzen();
    QString lang_;
    int zeichen_;
};

// A row of a page grid: caption, field, unit.
void feldZeile(QGridLayout* g, int zeile, const QString& caption, QWidget* feld,
               const QString& einheit = QString());

} // namespace zephan
