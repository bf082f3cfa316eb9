// Build tool: renders an SVG icon into a square PNG of the given size, so the icon theme gets
// its bitmap sizes from the one drawing the program itself shows.
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv) {
    // Paths only, no text and no window: no platform plugin is needed, so the build machine
    // may have no display.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool ok = args.size() == 3;
    const int seite = ok ? args[1].toInt(&ok) : 0;
    if (!ok || seite < 1 || seite > 4096) {
        QTextStream(stderr) << "Aufruf: zephan-iconpng BILD.svg GRÖSSE AUSGABE.png\n";
        return 2;
    }
    QSvgRenderer svg(args[0]);
    if (!svg.isValid()) {
        QTextStream(stderr) << "SVG nicht lesbar: " << args[0] << '\n';
        return 1;
    }
    QImage bild(seite, seite, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    svg.render(&maler);
    maler.end();
    if (!bild.save(args[2], "PNG")) {
        QTextStream(stderr) << "PNG nicht geschrieben: " << args[2] << '\n';
        return 1;
    }
    return 0;
}
