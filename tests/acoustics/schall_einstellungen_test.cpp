#include "acoustics/schall_einstellungen.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zephan;

TEST(SchallEinstellungen, ReadFromTheContextsSnapshot) {
    Einstellungen e;
    e.setSchallText(QStringLiteral("63,4K,"));
    e.setSchallmethode(0);
    e.setSchallAuslass(true);
    Rechenkontext k = testKontext();
    k.einstellungen = std::make_shared<const Einstellungen>(e);
    const SchallEinstellungen s = schallEinstellungen(k);
    EXPECT_EQ(s.gezeigteBaender(), (std::vector<int>{0, 6}));
    EXPECT_FALSE(s.vomVentilator);
    EXPECT_TRUE(s.pegelAmAuslass);

    // The defaults: 125, 250, 1000 and 2000 Hz, from the fan to the room, no outlet levels.
    k.einstellungen = std::make_shared<const Einstellungen>();
    const SchallEinstellungen d = schallEinstellungen(k);
    EXPECT_EQ(d.gezeigteBaender(), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_TRUE(d.vomVentilator);
    EXPECT_FALSE(d.pegelAmAuslass);
}
