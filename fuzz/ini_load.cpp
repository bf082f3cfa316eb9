// Arbitrary bytes loaded as a sectioned file. A load either succeeds or refuses with a
// message; what it read must write back to a text that reads the same again, packed or not,
// and every section and key it lists must be found again.

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
        const QString once = ini.text();

        const bool wasPacked = ini.compressed();
        ini.setCompressed(false);
        TIniFile2 back(QString(), format);
        if (!back.loadFromBytes(ini.toBytes())) fault();
        ini.setCompressed(wasPacked);
        if (back.text() != once) fault();

        // packing is the slow part: only a packed input is checked packed again, once
        if (format == ffAnsi && ini.compressed()) {
            TIniFile2 packed(QString(), format);
            if (!packed.loadFromBytes(ini.toBytes()) || packed.crcMismatch()) fault();
            if (packed.text() != once || !packed.compressed()) fault();
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
