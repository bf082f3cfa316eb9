#pragma once

#include <QString>
#include <QStringList>

namespace zephan {

// File names of the report window, without any window.

// A text made safe as a file name: characters that a file system refuses ("\/:*?"<>|" and
// control characters) become "_".
QString dateinameSicher(QString text);

// A name ending in "." gets "pdf"; a name not ending in ".pdf" (any case) gets ".pdf".
QString mitPdfEndung(QString name);

// The name the save dialog proposes: the folder of the last PDF file (or that folder itself
// when the setting names a folder) plus the subject made file-name-safe + ".pdf"; without
// subject the folder alone.
QString pdfVorschlag(const QString& letzteDatei, const QString& betreff);

// The proposed attachment name: the trimmed subject with ":" replaced by "-", made
// file-name-safe, a trailing "." removed, + ".pdf"; "brief.pdf" without subject.
QString anhangVorschlag(const QString& betreff);

// The confirmed attachment name: at most 255 characters, trailing "." removed, ".pdf"
// appended when missing; empty when nothing usable is left.
QString anhangName(QString eingabe);

// The report document as a text file: one markup line per line, UTF-8. Loading accepts CR LF
// and a byte order mark; false (lines untouched) when the file cannot be read.
bool dokumentLaden(const QString& datei, QStringList& zeilen);
// False with the message "Fehler beim Erstellen oder Speichern der Datei " + name.
bool dokumentSichern(const QString& datei, const QStringList& zeilen, QString* fehler = nullptr);

} // namespace zephan
