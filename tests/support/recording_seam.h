#pragma once

#include "store/user_seam.h"

#include <QList>
#include <QStringList>

namespace zephan {

// Records every message and status text; answers questions from a queue, then with 0.
class RecordingSeam : public UserSeam {
public:
    QStringList fragen;      // "text [buttons]"
    QStringList statusTexte; // "panel: text"
    QList<int> antworten;    // answers given in order
    QStringList dateinamen;  // names given by dateinameFragen in order, then none

    int frage(const QString& text, const QString& buttons, Kind) override {
        fragen.append(text + QStringLiteral(" [") + buttons + QLatin1Char(']'));
        return antworten.isEmpty() ? 0 : antworten.takeFirst();
    }
    QString dateinameFragen(const QString& text, const QString& vorschlag) override {
        fragen.append(text + QStringLiteral(" [") + vorschlag + QLatin1Char(']'));
        return dateinamen.isEmpty() ? QString() : dateinamen.takeFirst();
    }
    void status(int panel, const QString& text) override {
        statusTexte.append(QString::number(panel) + QStringLiteral(": ") + text);
    }
};

} // namespace zephan
