// Unpacking arbitrary bytes must neither crash nor read out of bounds; whatever is
// packed and unpacked again comes back unchanged.
#include "store/packed_container.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray out;
    QString reason;
    bool crcMismatch = false;
    const bool ok = zephan::entpackenBytes(input, out, &reason, &crcMismatch);
    if (ok && !reason.isEmpty()) std::abort();
    if (crcMismatch && ok) std::abort();

    // The round trip on the input itself; on the unpacked bytes only while they are small, so
    // inputs that unpack to large blocks do not slow the search down.
    QByteArray again;
    if (!zephan::entpackenBytes(zephan::packenBytes(input), again) || again != input) std::abort();
    if (out.size() <= 4096 &&
        (!zephan::entpackenBytes(zephan::packenBytes(out), again) || again != out))
        std::abort();
    return 0;
}
