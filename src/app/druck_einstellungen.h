#pragma once

#include <QString>

namespace zephan {

class TIniFile2;

// The report window's settings, section "FensterDruck" of the settings file: read when the
// window is shown, written when it closes.
struct TDruckFensterEinstellungen {
    bool autoOpen = true; // "PDF Datei nach Erstellung anzeigen"
    QString filename;     // last PDF file; default the user's document folder
    int zoomState = 0;    // 0 free zoom, 1 width, 2 height, 3 whole page
    double zoom = 1;      // zoom factor / 100, kept in free zoom only
    bool diaSW = false;   // grey scale for preview and print
    bool druckgrenze = true;
    bool mehrfachIntern = false;
    bool mehrfachHintShown = false;
    bool externalPDF = false; // kept for the settings file; PDF is always written directly
    bool bigIcons = true;

    // Reads the section; missing keys give the defaults, a zoom state outside 0...3 is
    // clamped and a zoom outside 10 % ... 400 % is brought into that range.
    void lesen(const TIniFile2& ini);
    void schreiben(TIniFile2& ini) const;
};

// The section name.
inline constexpr char druckFensterSektion[] = "FensterDruck";

} // namespace zephan
