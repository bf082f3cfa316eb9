#pragma once

// Checks that two calculations of the same line gave every node the same results.

#include "network/network_tree.h"
#include "pressure/network_pressure_core.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zephan::testing {

inline void durchgangGleich(const Durchgang& a, const Durchgang& b, const std::string& wo) {
    EXPECT_EQ(a.gerechnet, b.gerechnet) << wo;
    EXPECT_EQ(a.dp, b.dp) << wo;
    EXPECT_EQ(a.dpExt, b.dpExt) << wo;
    EXPECT_EQ(a.v, b.v) << wo;
    EXPECT_EQ(a.zeta, b.zeta) << wo;
}

// Node by node: the node, its flow, state code, v and zeta texts and every passage.
inline void knotenGleich(const std::vector<KnotenErgebnis>& a,
                         const std::vector<KnotenErgebnis>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        const KnotenErgebnis& x = a[k];
        const KnotenErgebnis& y = b[k];
        const std::string wo = y.knoten ? y.knoten->position().toStdString() : std::string("-");
        EXPECT_EQ(x.knoten, y.knoten) << wo;
        EXPECT_EQ(x.volumenstrom, y.volumenstrom) << wo;
        EXPECT_EQ(x.fehler, y.fehler) << wo;
        EXPECT_EQ(x.v, y.v) << wo;
        EXPECT_EQ(x.zeta, y.zeta) << wo;
        durchgangGleich(x.haupt, y.haupt, wo);
        durchgangGleich(x.abzweig[0], y.abzweig[0], wo);
        durchgangGleich(x.abzweig[1], y.abzweig[1], wo);
    }
}

} // namespace zephan::testing
