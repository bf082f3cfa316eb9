#pragma once

// Reviewed pictures beside the golden text files (see golden.h).

#include "support/golden.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>

// Compares the picture file `bild` with the reviewed picture tests/data/<fall>/<datei>: the same
// size, and at most `anteil` of the pixels differing by more than 64 in a colour channel (text
// may be smoothed a little differently by another font engine build; a missing line, frame or
// curve changes far more). With ZEPHAN_UPDATE_GOLDEN=1 the reviewed picture is replaced.
inline void expectGoldenBild(const QString& fall, const QString& datei, const QString& bild,
                             double anteil = 0.0005) {
    const QString path = goldenPath(fall, datei);
    if (goldenRewrite()) {
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(bild, path)) << path.toStdString();
        return;
    }
    const QImage soll(path);
    const QImage ist(bild);
    ASSERT_FALSE(soll.isNull()) << "missing golden picture " << path.toStdString();
    ASSERT_FALSE(ist.isNull()) << bild.toStdString();
    ASSERT_EQ(ist.size(), soll.size()) << path.toStdString();
    const QImage a = soll.convertToFormat(QImage::Format_RGB32);
    const QImage b = ist.convertToFormat(QImage::Format_RGB32);
    qint64 anders = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* za = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* zb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = std::max({std::abs(qRed(za[x]) - qRed(zb[x])),
                                    std::abs(qGreen(za[x]) - qGreen(zb[x])),
                                    std::abs(qBlue(za[x]) - qBlue(zb[x]))});
            if (d > 64) ++anders;
        }
    }
    const qint64 grenze = static_cast<qint64>(anteil * a.width() * a.height());
    EXPECT_LE(anders, grenze) << path.toStdString() << ": " << anders
                              << " pixels differ from the reviewed picture";
}
