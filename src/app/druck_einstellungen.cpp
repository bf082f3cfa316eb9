#include "app/druck_einstellungen.h"

#include "store/ini_file.h"

#include <QStandardPaths>
#include <algorithm>

namespace zephan {

namespace {
const QString sektion = QString::fromLatin1(druckFensterSektion);
}

void TDruckFensterEinstellungen::lesen(const TIniFile2& ini) {
    autoOpen = ini.ReadBool(sektion, QStringLiteral("AutoOpen"), true);
    filename = ini.ReadString(sektion, QStringLiteral("Filename"),
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    zoomState = static_cast<int>(
        std::clamp<qint64>(ini.ReadInteger(sektion, QStringLiteral("ZoomState"), 1), 0, 3));
    zoom = std::clamp(ini.ReadSingle(sektion, QStringLiteral("zoom"), 1), 0.1, 4.0);
    diaSW = ini.ReadBool(sektion, QStringLiteral("DiaSW"), false);
    druckgrenze = ini.ReadBool(sektion, QStringLiteral("Druckgrenze"), true);
    mehrfachIntern = ini.ReadBool(sektion, QStringLiteral("MehrfachIntern"), false);
    mehrfachHintShown = ini.ReadBool(sektion, QStringLiteral("MehrfachdruckHintShown"), false);
    externalPDF = ini.ReadBool(sektion, QStringLiteral("externalPDF"), false);
    bigIcons = ini.ReadBool(sektion, QStringLiteral("big_icons"), true);
    breite = static_cast<int>(ini.ReadInteger(sektion, QStringLiteral("Breite"), 0));
    hoehe = static_cast<int>(ini.ReadInteger(sektion, QStringLiteral("Hoehe"), 0));
}

void TDruckFensterEinstellungen::schreiben(TIniFile2& ini) const {
    ini.WriteBool(sektion, QStringLiteral("AutoOpen"), autoOpen);
    ini.WriteString(sektion, QStringLiteral("Filename"), filename);
    ini.WriteInteger(sektion, QStringLiteral("ZoomState"), zoomState);
    // The zoom factor belongs to free zoom; the fitted zooms follow the window.
    if (zoomState == 0) ini.WriteSingle(sektion, QStringLiteral("zoom"), 1, -3, zoom);
    ini.WriteBool(sektion, QStringLiteral("DiaSW"), diaSW);
    ini.WriteBool(sektion, QStringLiteral("Druckgrenze"), druckgrenze);
    ini.WriteBool(sektion, QStringLiteral("MehrfachIntern"), mehrfachIntern);
    ini.WriteBool(sektion, QStringLiteral("MehrfachdruckHintShown"), mehrfachHintShown);
    ini.WriteBool(sektion, QStringLiteral("externalPDF"), externalPDF);
    ini.WriteBool(sektion, QStringLiteral("big_icons"), bigIcons);
    if (breite > 0 && hoehe > 0) {
        ini.WriteInteger(sektion, QStringLiteral("Breite"), breite);
        ini.WriteInteger(sektion, QStringLiteral("Hoehe"), hoehe);
    }
}

QRect druckFensterGeometrie(QSize gespeichert, const QRect& platz) {
    // Frame and title bar around the window's own area.
    constexpr int rahmenBreite = 16, rahmenHoehe = 48, titel = 40;
    const int breiteFrei = std::max(200, platz.width() - rahmenBreite);
    const int hoeheFrei = std::max(200, platz.height() - rahmenHoehe);
    QSize g = gespeichert;
    if (g.width() <= 0 || g.height() <= 0 || g.width() > breiteFrei || g.height() > hoeheFrei)
        g = QSize(std::min(1000, breiteFrei), hoeheFrei);
    const int x = platz.x() + (platz.width() - g.width()) / 2;
    const int y = platz.y() + titel + (hoeheFrei - g.height()) / 2;
    return QRect(QPoint(x, y), g);
}

} // namespace zephan
