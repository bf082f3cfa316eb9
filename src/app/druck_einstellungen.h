#pragma once

#include <QRect>
#include <QString>

namespace zephan {

class TIniFile2;

// The report window's settings, section "FensterDruck" of the settings file: read when the
// window is shown, written when it closes.
struct TDruckFensterEinstellungen {
    bool autoOpen = true; // "PDF Datei nach Erstellung anzeigen"
    QString filename;     // last PDF file; default the user's document folder
    int zoomState = 1;    // 0 free zoom, 1 width (the default), 2 height, 3 whole page
    double zoom = 1;      // zoom factor / 100, kept in free zoom only
    bool diaSW = false;   // grey scale for preview and print
    bool druckgrenze = true;
    bool mehrfachIntern = false;
    bool mehrfachHintShown = false;
    bool externalPDF = false; // kept for the settings file; PDF is always written directly
    bool bigIcons = true;
    int breite = 0, hoehe = 0; // window size when last closed; 0: none kept

    // Reads the section; missing keys give the defaults, a zoom state outside 0...3 is
    // clamped and a zoom outside 10 % ... 400 % is brought into that range.
    void lesen(const TIniFile2& ini);
    void schreiben(TIniFile2& ini) const;
};

// Where the report window opens on a screen whose free area (without task bars) is `platz`:
// the kept size when it fits there with the window frame, otherwise 1000 pixels wide (or the
// width there is) and as high as there is room, centred in the free area.
QRect druckFensterGeometrie(QSize gespeichert, const QRect& platz);

// The section name.
inline constexpr char druckFensterSektion[] = "FensterDruck";

} // namespace zephan
