#pragma once

#include <QString>

class QWidget;

namespace zephan {

class TIniFile2;

// Storing a panel's input controls in a section. A control is stored when it carries the
// property "NameFeld": "*" stores it under its object name, any other text is the key itself.
// With `sub` the child panels are visited too. Edit fields and check boxes keep what they show
// when their key is missing; editable combo boxes and memos are emptied.
void panel_save(QWidget* panel, TIniFile2& ini, const QString& section, bool sub);
void panel_load(QWidget* panel, const TIniFile2& ini, const QString& section, bool sub);

// Window position (and size for resizable windows) in the section "Fenster" + the window's
// object name. Loading pulls the window back onto the screen.
void formsize_save(QWidget* form, TIniFile2& ini, const QString& prefix = QString());
void formsize_load(QWidget* form, const TIniFile2& ini, const QString& prefix = QString());

} // namespace zephan
