// Unpacking arbitrary bytes must neither crash nor read out of bounds, and a success never
// comes with a reason or a CRC mismatch; short inputs must also survive a pack/unpack round
// trip unchanged.
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

    // Short inputs also make a round trip through the packer; longer ones only unpack, as
    // packing dominates the run time and the search should spend it on the reader.
    QByteArray again;
    if (input.size() <= 128 &&
        (!zephan::entpackenBytes(zephan::packenBytes(input), again) || again != input))
        std::abort();
    return 0;
}
