#pragma once

#include "report/report_picture.h"

#include <QImage>
#include <QString>

namespace zephan {

// Decodes a picture the report carries (BMP or JPEG bytes); a null image when it cannot.
QImage bildDekodieren(const TBild& bild);

// Decodes a picture defined by a "°GX" line. QR data become one pixel per module enlarged five
// times; a damaged definition gives a null image and the message to show in *fehler.
QImage grafikDekodieren(const TGrafikDefinition& def, QString* fehler);

// Natural size of a picture in 0.1 mm: its stored resolution, else 96 dots per inch.
QSize natuerlicheGroesse(const QImage& img);

} // namespace zephan
