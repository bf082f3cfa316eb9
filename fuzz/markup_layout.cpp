#include "render/page_target.h"
#include "render/report_layout.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

using namespace zephan;

// Arbitrary bytes as a report document (UTF-8, one markup line per text line), measured and
// drawn onto page pictures: the layout must end and never crash on any document.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    if (size > 20000) return 0;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TDruck doc;
    doc.m = text.split(QLatin1Char('\n'));
    doc.sichern();
    TDruckLayout layout(doc);
    layout.messen();
    TSeitenBilder bilder;
    layout.zeichnen(bilder);
    return 0;
}
