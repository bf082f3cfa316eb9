#include "app/message_dialog.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace zephan {
namespace {

Antwortgeber& antwortgeber() {
    static Antwortgeber a;
    return a;
}

// The standard button of a short code; NoButton for a caption of its own.
QMessageBox::StandardButton standardKnopf(const QString& code) {
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("j") || c == QLatin1String("y")) return QMessageBox::Yes;
    if (c == QLatin1String("o")) return QMessageBox::Ok;
    if (c == QLatin1String("n")) return QMessageBox::No;
    if (c == QLatin1String("a")) return QMessageBox::Cancel;
    if (c == QLatin1String("alle") || c == QLatin1String("all")) return QMessageBox::YesToAll;
    if (c == QLatin1String("i")) return QMessageBox::Ignore;
    if (c == QLatin1String("w")) return QMessageBox::Retry;
    return QMessageBox::NoButton;
}

QString standardText(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return QStringLiteral("&Ja");
    case QMessageBox::Ok:
        return QStringLiteral("OK");
    case QMessageBox::No:
        return QStringLiteral("&Nein");
    case QMessageBox::Cancel:
        return QStringLiteral("Abbrechen");
    case QMessageBox::YesToAll:
        return QStringLiteral("A&lle");
    case QMessageBox::Ignore:
        return QStringLiteral("&Ignorieren");
    case QMessageBox::Retry:
        return QStringLiteral("&Wiederholen");
    default:
        return QString();
    }
}

} // namespace

void setzeAntwortgeber(Antwortgeber a) {
    antwortgeber() = std::move(a);
}

bool hatAntwortgeber() {
    return static_cast<bool>(antwortgeber());
}

QString dialogTitel(UserSeam::Kind kind) {
    switch (kind) {
    case UserSeam::Kind::Warnung:
        return QStringLiteral("Warnung");
    case UserSeam::Kind::Fehler:
        return QStringLiteral("Fehler");
    case UserSeam::Kind::Bestaetigen:
        return QStringLiteral("Bestätigen");
    case UserSeam::Kind::Information:
        return QStringLiteral("Information");
    }
    return QString();
}

QStringList dialogKnoepfe(const QString& buttons) {
    QStringList r;
    for (const QString& teil : buttons.split(QLatin1Char('|'))) {
        const QMessageBox::StandardButton s = standardKnopf(teil);
        r << (s == QMessageBox::NoButton ? teil : standardText(s));
    }
    return r;
}

int meldungsDialog(QWidget* parent, const QString& text, const QString& buttons,
                   UserSeam::Kind kind) {
    // A trailing "|" (as in "Material "%a" nicht gefunden.|") only ends the text.
    QString t = text;
    if (t.endsWith(QLatin1Char('|'))) t.chop(1);
    const QString knoepfe = buttons.isEmpty() ? QStringLiteral("o") : buttons;
    if (antwortgeber()) return antwortgeber()(t, knoepfe);

    QMessageBox box(parent);
    box.setWindowTitle(dialogTitel(kind));
    box.setText(t);
    switch (kind) {
    case UserSeam::Kind::Warnung:
        box.setIcon(QMessageBox::Warning);
        break;
    case UserSeam::Kind::Fehler:
        box.setIcon(QMessageBox::Critical);
        break;
    case UserSeam::Kind::Bestaetigen:
        box.setIcon(QMessageBox::Question);
        break;
    case UserSeam::Kind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    QList<QAbstractButton*> liste;
    for (const QString& teil : knoepfe.split(QLatin1Char('|'))) {
        const QMessageBox::StandardButton s = standardKnopf(teil);
        // Standard buttons take their caption from Qt's German translation.
        QAbstractButton* b =
            s != QMessageBox::NoButton && s != QMessageBox::YesToAll
                ? static_cast<QAbstractButton*>(box.addButton(s))
                : box.addButton(s == QMessageBox::YesToAll ? standardText(s) : teil,
                                QMessageBox::AcceptRole);
        liste << b;
    }
    if (!liste.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(liste.front()));
    box.exec();
    return static_cast<int>(liste.indexOf(box.clickedButton()));
}

} // namespace zephan
