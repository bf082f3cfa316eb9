#include "store/folders.h"

#include "store/trace_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zephan {

namespace {

struct Ueberschrieben {
    QString programm;
    QString daten;
    QString anwendungsdaten;
};

Ueberschrieben& ueberschrieben() {
    static Ueberschrieben o;
    return o;
}

QString kurzname() {
    return QString::fromLatin1(programmKurzname);
}

QString inUnterordner(QStandardPaths::StandardLocation wo) {
    QString basis = QStandardPaths::writableLocation(wo);
    if (basis.isEmpty()) basis = QDir::homePath();
    const QString pfad = QDir(basis).filePath(kurzname());
    QDir().mkpath(pfad);
    return pfad;
}

TIniFile2 oeffneEinstellungen(UserSeam* seam) {
    einstellungsDateiUebernehmen();
    TIniFile2 ini(einstellungsDatei(), ffAnsi, seam);
    ini.setUseUtf8(true);
    return ini;
}

} // namespace

QString programmOrdner() {
    if (!ueberschrieben().programm.isEmpty()) return ueberschrieben().programm;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString datenOrdner() {
    if (!ueberschrieben().daten.isEmpty()) return ueberschrieben().daten;
    const QString programm = programmOrdner();
    const QFileInfo fi(programm);
    if (fi.isDir() && fi.isWritable()) return programm;
    return inUnterordner(QStandardPaths::GenericConfigLocation);
}

QString anwendungsdatenOrdner() {
    if (!ueberschrieben().anwendungsdaten.isEmpty()) return ueberschrieben().anwendungsdaten;
    return inUnterordner(QStandardPaths::GenericDataLocation);
}

QString einstellungsDatei() {
    return QDir(datenOrdner()).filePath(kurzname() + QStringLiteral(".ini"));
}

void setzeProgrammOrdner(const QString& pfad) {
    ueberschrieben().programm = pfad;
}
void setzeDatenOrdner(const QString& pfad) {
    ueberschrieben().daten = pfad;
}
void setzeAnwendungsdatenOrdner(const QString& pfad) {
    ueberschrieben().anwendungsdaten = pfad;
}

bool einstellungsDateiUebernehmen() {
    const QString ziel = einstellungsDatei();
    const QString quelle = QDir(programmOrdner()).filePath(kurzname() + QStringLiteral(".ini"));
    if (QFileInfo(quelle) == QFileInfo(ziel)) return true;
    if (QFileInfo::exists(ziel) || !QFileInfo::exists(quelle)) return true;
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    if (QFile::copy(quelle, ziel)) return true;
    trace(QStringLiteral("Einstellungen: %1 kann nicht nach %2 kopiert werden")
              .arg(QDir::toNativeSeparators(quelle), QDir::toNativeSeparators(ziel)));
    return false;
}

TIniFile2 einstellungenLesen(UserSeam* seam) {
    return oeffneEinstellungen(seam);
}

TIniFile2 einstellungenSchreiben(UserSeam* seam) {
    return oeffneEinstellungen(seam);
}

} // namespace zephan
