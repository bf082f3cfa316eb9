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
        std::clamp<qint64>(ini.ReadInteger(sektion, QStringLiteral("ZoomState"), 0), 0, 3));
    zoom = std::clamp(ini.ReadSingle(sektion, QStringLiteral("zoom"), 1), 0.1, 4.0);
    diaSW = ini.ReadBool(sektion, QStringLiteral("DiaSW"), false);
    druckgrenze = ini.ReadBool(sektion, QStringLiteral("Druckgrenze"), true);
    mehrfachIntern = ini.ReadBool(sektion, QStringLiteral("MehrfachIntern"), false);
    mehrfachHintShown = ini.ReadBool(sektion, QStringLiteral("MehrfachdruckHintShown"), false);
    externalPDF = ini.ReadBool(sektion, QStringLiteral("externalPDF"), false);
    bigIcons = ini.ReadBool(sektion, QStringLiteral("big_icons"), true);
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
}

} // namespace zephan
