// List storage of the tree container: one list section with "Count" and one section per node.

#include "network/tree_container.h"
#include "store/echo_text.h"
#include "store/ini_file.h"
#include "store/trace_log.h"

namespace zephan {

namespace {

const QString keyCount = QStringLiteral("Count");
const QString keyLevel = QStringLiteral("Level");
const QString keyText = QStringLiteral("text");

// Erases the node sections prefix + 0 ... prefix + (anzahl - 1) that exist. A damaged count
// may be huge, so beyond the number of sections present the names are matched instead of
// counted through.
void eraseNodeSections(TIniFile2& ini, const QString& prefix, qint64 anzahl) {
    if (anzahl <= 0) return;
    if (anzahl <= ini.sectionCount()) {
        for (qint64 i = 0; i < anzahl; ++i) {
            const QString name = prefix + QString::number(i);
            if (ini.SectionExists(name)) ini.eraseSection(name);
        }
        return;
    }
    const QStringList namen = ini.ReadSections();
    for (const QString& name : namen) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QString rest = name.mid(prefix.size());
        bool ok = false;
        const qint64 i = rest.toLongLong(&ok);
        // Only the names this storage writes: plain decimal numbers without sign or zeros.
        if (ok && i >= 0 && i < anzahl && rest == QString::number(i)) ini.eraseSection(name);
    }
}

QString ungueltig(const QString& was) {
    return QStringLiteral("Baum nicht geladen: ") + was;
}

} // namespace

void tMylistviewBase::SaveToInifile(TIniFile2& ini, const QString& prefix) const {
    const QString listSection = prefix + QStringLiteral("List");
    if (!ini.leer()) eraseNodeSections(ini, prefix, ini.ReadInteger(listSection, keyCount, 0));
    // Sections beyond the old count may still be lying around in a damaged file; a node
    // section must never inherit keys of another record.
    eraseNodeSections(ini, prefix, count_);

    ini.reserveSections(ini.sectionCount() + count_ + 1);
    ini.WriteInteger(listSection, keyCount, count_);
    int i = 0;
    for (tmylistitem* n = first_; n; n = n->next_, ++i) {
        const QString section = prefix + QString::number(i);
        if (tree_) ini.WriteInteger(section, keyLevel, n->level_);
        if (OnItemSave) {
            busy_ = true;
            OnItemSave(ini, section, n);
            busy_ = false;
        } else {
            ini.WriteString(section, keyText, n->caption());
        }
    }
}

bool tMylistviewBase::LoadFromIniFile(TIniFile2& ini, const QString& prefix, bool itemsadd) {
    lastError_.clear();
    if (busy_) {
        lastError_ = ungueltig(QStringLiteral("der Baum wird gerade geändert."));
        return false;
    }
    const QString listSection = prefix + QStringLiteral("list");
    // The count is a plain whole number: "1<NUL>9" or "5,7" is damage, not 1 or 5.
    const QString countText = ini.ReadString(listSection, keyCount, QStringLiteral("0"));
    const QStringView countZiffern = QStringView(countText).trimmed();
    bool countOk = !countZiffern.isEmpty();
    for (QChar c : countZiffern)
        countOk = countOk && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qint64 anzahl = countOk ? countZiffern.toLongLong(&countOk) : -1;

    // First check that the sections form a tree, so that bad input leaves the view untouched.
    QString fehler;
    const bool countDa = ini.ValueExists(listSection, keyCount);
    if (!countDa && ini.SectionExists(prefix + QStringLiteral("0"))) {
        // Without its count a list of nodes would load as no nodes at all.
        fehler = ungueltig(QStringLiteral("\"Count\" fehlt in Abschnitt %1, die Datei enthält "
                                          "aber Abschnitt %2.")
                               .arg(prefix + QStringLiteral("List"), prefix + QStringLiteral("0")));
    } else if (!countOk || anzahl < 0) {
        fehler = ungueltig(QStringLiteral("\"Count\" in Abschnitt %1 ist ungültig (%2).")
                               .arg(prefix + QStringLiteral("List"), eingabeZeigen(countText)));
    } else if (anzahl > ini.sectionCount()) {
        fehler = ungueltig(
            QStringLiteral(
                "\"Count\" in Abschnitt %1 ist %2, die Datei enthält aber nur %3 Abschnitte.")
                .arg(prefix + QStringLiteral("List"), QString::number(anzahl),
                     QString::number(ini.sectionCount())));
    }
    std::vector<int> ebenen;
    QStringList namen; // the node sections, named once for both passes
    if (fehler.isEmpty()) {
        ebenen.reserve(static_cast<std::size_t>(anzahl));
        namen.reserve(static_cast<qsizetype>(anzahl));
    }
    qint64 vorher = -1; // level of the node read before; the first one must be 0
    for (qint64 i = 0; fehler.isEmpty() && i < anzahl; ++i) {
        const QString section = prefix + QString::number(i);
        if (!ini.SectionExists(section)) {
            fehler = ungueltig(QStringLiteral("Abschnitt %1 fehlt.").arg(section));
            break;
        }
        qint64 level = 0;
        if (tree_) {
            // A node without its level cannot be placed: guessing 0 would turn a branch
            // into a new line.
            if (!ini.ValueExists(section, keyLevel)) {
                fehler = ungueltig(QStringLiteral("Abschnitt %1 hat kein \"Level\".").arg(section));
                break;
            }
            level = ini.ReadInteger(section, keyLevel, 0);
            if (level >= maxEbenen && level <= vorher + 1) {
                fehler = ungueltig(QStringLiteral("Abschnitt %1: Der Baum ist tiefer als %2 "
                                                  "Ebenen.")
                                       .arg(section, QString::number(maxEbenen)));
                break;
            }
            if (level < 0 || level > vorher + 1) {
                const QString erlaubt = vorher < 0 ? QStringLiteral("nur 0")
                                                   : QStringLiteral("0 bis %1").arg(vorher + 1);
                fehler = ungueltig(
                    QStringLiteral("Abschnitt %1 hat \"Level\" %2, möglich ist hier %3.")
                        .arg(section, eingabeZeigen(ini.ReadString(section, keyLevel)), erlaubt));
                break;
            }
        }
        ebenen.push_back(static_cast<int>(level));
        namen.append(section);
        vorher = level;
    }
    if (!fehler.isEmpty()) {
        lastError_ = fehler;
        trace(fehler);
        return false;
    }

    // Replacing the tree is one reset for the listeners; appending tells every insert.
    if (!itemsadd) {
        beginZuruecksetzen();
        Clear();
    }
    // Each node read goes to the end of the flat list: as a top-level node, or as the last
    // child of the node read last one level up.
    std::vector<tmylistitem*> zuletzt;
    for (std::size_t i = 0; i < ebenen.size(); ++i) {
        const QString& section = namen[static_cast<qsizetype>(i)];
        const int level = ebenen[i];
        tmylistitem* parent = level == 0 ? nullptr : zuletzt[static_cast<std::size_t>(level) - 1];
        const QString caption =
            OnItemLoad ? QStringLiteral("-") : ini.ReadString(section, keyText, QString());
        const int sibPos = static_cast<int>(parent ? parent->kids_.size() : tops_.size());
        tmylistitem* n = createAt(parent, sibPos, last_, caption);
        if (OnItemLoad) {
            busy_ = true;
            OnItemLoad(ini, section, n);
            busy_ = false;
        }
        zuletzt.resize(static_cast<std::size_t>(level) + 1);
        zuletzt.back() = n;
    }
    if (!itemsadd) endZuruecksetzen();
    return true;
}

} // namespace zephan
