#include "editing/page_check.h"
#include "editing_fixture.h"
#include "network/project_file.h"
#include "network/type_codes.h"

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

// The example is the first project a user opens: no page of it may report missing
// information, and every component shows a pressure loss.
TEST_F(Sitzung, EveryPageOfTheExampleIsComplete) {
    ASSERT_NO_FATAL_FAILURE(beispielLaden());
    ASSERT_EQ(s.baum().count(), 19);
    for (int k = 0; k < s.baum().count(); ++k) {
        tmylistitem* n = s.baum().item(k);
        const std::string wo = n->position().toStdString() + " " + n->caption().toStdString();
        s.auswaehlen(n);
        const SeitenZustand z = seitenPruefung(s);
        EXPECT_TRUE(z.vollstaendig) << wo;
        EXPECT_TRUE(z.meldung.isEmpty()) << wo << ": " << z.meldung.toStdString();
        const int typ = s.editDaten().typ;
        if (!istStrangTyp(typ)) {
            EXPECT_NE(z.ergebnis, editText::fehlendeInformationen) << wo;
            EXPECT_TRUE(z.ergebnis.endsWith(QStringLiteral("[Pa]")))
                << wo << ": " << z.ergebnis.toStdString();
        }
    }
    EXPECT_FALSE(s.geaendert());
}

} // namespace
