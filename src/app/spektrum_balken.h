#pragma once

#include "editing/sound_preset_model.h"

#include <QColor>
#include <QWidget>
#include <vector>

namespace zephan {

// A spectrum as bars beside its band table: one group of bars per octave band 63 Hz ... 4 kHz,
// one bar per row of the table, on a scale from the rows' range. An empty band draws no bar;
// a row not in force is drawn pale.
class SpektrumBalken : public QWidget {
    Q_OBJECT

public:
    explicit SpektrumBalken(QWidget* parent = nullptr);

    // A row of bars with its colour; returns its number.
    int reiheHinzufuegen(const QColor& farbe);
    void setWerte(int reihe, const BandWerte& werte);
    void setAktiv(int reihe, bool aktiv);
    // The value range of the scale (a value outside is drawn at the edge).
    void setSkala(double min, double max, const QString& einheit);

    BandWerte werte(int reihe) const;
    bool aktiv(int reihe) const;
    // The height in pixels the bar of a band has in the widget's current size (0: none).
    int balkenHoehe(int reihe, int band) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    struct Reihe {
        BandWerte werte{};
        QColor farbe;
        bool aktiv = true;
    };
    QRect zeichenflaeche() const;
    std::vector<Reihe> reihen_;
    double min_ = 0, max_ = 100;
    QString einheit_;
};

} // namespace zephan
