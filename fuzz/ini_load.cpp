// Arbitrary bytes loaded as a sectioned file. A load either succeeds or refuses with a
// message; what it read must write back to a file that reads back with the same sections,
// keys, values and comments, packed or not, and every section and key it lists must be found
// again.

#include "store/ini_file.h"
#include "store/packed_container.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace zephan;

namespace {

[[noreturn]] void fault() {
    std::abort();
}

void checkLookups(const TIniFile2& ini) {
    const QStringList names = ini.ReadSections();
    if (names.size() != ini.sectionCount()) fault();
    for (const QString& s : names) {
        const TSection* sec = ini.getSection(s);
        if (!sec || sec->name_ != s) fault();
        for (const QString& k : ini.ReadSection(s))
            if (!ini.ValueExists(s, k)) fault();
    }
}

// What a file holds beyond its blank lines (writing collapses a run of blank lines before a
// header by one, and an untitled empty section has nothing to write).
QString inhalt(const TIniFile2& ini) {
    QString out;
    for (const QString& s : ini.ReadSections()) {
        const TSection* sec = ini.getSection(s);
        QString lines;
        for (const TData& d : sec->list) {
            if (d.comment && d.value.isEmpty()) continue;
            lines +=
                d.comment ? QStringLiteral("#") + d.value : d.ident + QLatin1Char('=') + d.value;
            lines += QLatin1Char('\n');
        }
        if (s.isEmpty() && lines.isEmpty()) continue;
        out += QLatin1Char('[') + s + QStringLiteral("]\n") + lines;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Inputs starting with "P" or "Q" stand for their rest packed (as a file, or behind the
    // "DAZ" mark), so the packed path sees more than the few containers a mutation finds.
    if (bytes.startsWith('P'))
        bytes = packenBytes(bytes.mid(1));
    else if (bytes.startsWith('Q'))
        bytes = "DAZ" + packenBytes(bytes.mid(1));
    for (TFileFormat format : {ffAnsi, ffUtf8, ffUnicode}) {
        TIniFile2 ini(QString(), format);
        if (!ini.loadFromBytes(bytes)) {
            if (ini.lastError().isEmpty() || !ini.leer()) fault();
            continue;
        }
        checkLookups(ini);
        const QString once = inhalt(ini);

        const bool wasPacked = ini.compressed();
        ini.setCompressed(false);
        TIniFile2 back(QString(), format);
        if (!back.loadFromBytes(ini.toBytes())) fault();
        ini.setCompressed(wasPacked);
        if (inhalt(back) != once) fault();

        // packing is the slow part: only a packed input is checked packed again, once
        if (format == ffAnsi && ini.compressed()) {
            TIniFile2 packed(QString(), format);
            if (!packed.loadFromBytes(ini.toBytes()) || packed.crcMismatch()) fault();
            if (inhalt(packed) != once || !packed.compressed()) fault();
        }

        // edits keep the store consistent
        const QStringList names = ini.ReadSections();
        if (!names.isEmpty()) {
            ini.WriteString(names.first(), QStringLiteral("Fuzz"), QStringLiteral("1"));
            if (ini.ReadString(names.first(), QStringLiteral("FUZZ")) != QStringLiteral("1"))
                fault();
            ini.eraseSection(names.last());
            if (ini.sectionCount() != names.size() - 1) fault();
            checkLookups(ini);
        }
    }
    return 0;
}
