#include "render/report_images.h"

#include "report/qr_code.h"

#include <cmath>

namespace zephan {

QImage bildDekodieren(const TBild& bild) {
    if (bild.daten.isEmpty()) return {};
    const char* format = bild.art == QLatin1String("JPG")   ? "JPG"
                         : bild.art == QLatin1String("BMP") ? "BMP"
                                                            : nullptr;
    QImage img = QImage::fromData(bild.daten, format);
    if (img.isNull() && format) img = QImage::fromData(bild.daten);
    return img;
}

QImage grafikDekodieren(const TGrafikDefinition& def, QString* fehler) {
    if (def.art == QLatin1String("QRDATA")) {
        const QrModule qr = qrDatenLesen(QString::fromLatin1(def.daten));
        if (!qr.ok()) {
            if (fehler) *fehler = qr.fehler;
            return {};
        }
        QImage img(qr.breite * 5, qr.hoehe * 5, QImage::Format_Grayscale8);
        img.fill(255);
        for (int r = 0; r < qr.hoehe; ++r)
            for (int c = 0; c < qr.breite; ++c)
                if (qr.module[r * qr.breite + c] == QLatin1Char('1'))
                    for (int dy = 0; dy < 5; ++dy) {
                        uchar* zeile = img.scanLine(r * 5 + dy);
                        for (int dx = 0; dx < 5; ++dx) zeile[c * 5 + dx] = 0;
                    }
        return img;
    }
    return bildDekodieren(TBild{def.art, def.daten});
}

QSize natuerlicheGroesse(const QImage& img) {
    if (img.isNull()) return {};
    // Dots per metre: a picture without a stored resolution counts as 96 dpi.
    const double dpmX = img.dotsPerMeterX() > 100 ? img.dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = img.dotsPerMeterY() > 100 ? img.dotsPerMeterY() : 96 / 0.0254;
    return QSize(static_cast<int>(std::lround(img.width() / dpmX * 10000)),
                 static_cast<int>(std::lround(img.height() / dpmY * 10000)));
}

} // namespace zephan
