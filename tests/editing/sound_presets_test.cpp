#include "editing/room_band_model.h"
#include "editing/sound_preset_model.h"
#include "editing_fixture.h"
#include "network/project_file.h"
#include "network/type_codes.h"

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

BandWerte alle(double x) {
    BandWerte w{};
    w.fill(x);
    return w;
}

// --- sound preset ---------------------------------------------------------------------------

TEST(SchallVorgabe, AFreshRecordShowsEmptyFieldsAndOkWithoutBoxesStoresZeros) {
    DVdata d;
    d.typ = typDrosselklappe;
    SchallVorgabe v = schallVorgabeAnsicht(d);
    EXPECT_EQ(v.geraeusch, alle(-1));
    EXPECT_EQ(v.daempfung, alle(-1));
    EXPECT_FALSE(v.geraeuschAn);
    EXPECT_FALSE(v.daempfungAn);
    EXPECT_TRUE(schallVorgabeFehler(v).isEmpty());
    schallVorgabeSetzen(v, d);
    EXPECT_EQ(d.schall, 0);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(d.sg[static_cast<size_t>(k)], 0) << k;
        EXPECT_EQ(d.sd[static_cast<size_t>(k)], 0) << k;
    }
    // The eighth slot is not edited.
    EXPECT_EQ(d.sg[7], -1);
    EXPECT_EQ(d.sd[7], -1);
    // Shown again: zeros, both boxes unchecked.
    v = schallVorgabeAnsicht(d);
    EXPECT_EQ(v.geraeusch, alle(0));
    EXPECT_FALSE(v.geraeuschAn);
    EXPECT_FALSE(v.daempfungAn);
}

TEST(SchallVorgabe, BitsOfTheBoxesAndANegativeNoiseStoredAsZero) {
    DVdata d;
    SchallVorgabe v;
    v.geraeusch = {-5, 40, 45, 50, 48.5, 44, 39};
    v.daempfung = alle(3);
    v.geraeuschAn = true;
    EXPECT_TRUE(schallVorgabeFehler(v).isEmpty()); // -5 lies inside -20 ... 199
    schallVorgabeSetzen(v, d);
    EXPECT_EQ(d.schall, 1);
    EXPECT_EQ(d.sg[0], 0);
    EXPECT_EQ(d.sg[4], 48.5);
    EXPECT_EQ(d.sd[6], 3);
    v.daempfungAn = true;
    schallVorgabeSetzen(v, d);
    EXPECT_EQ(d.schall, 3);
    v.geraeuschAn = false;
    schallVorgabeSetzen(v, d);
    EXPECT_EQ(d.schall, 2);
    // A row is checked on showing only with all seven bands given and its bit set.
    d.schall = 3;
    d.sd[2] = -1;
    const SchallVorgabe a = schallVorgabeAnsicht(d);
    EXPECT_TRUE(a.geraeuschAn);
    EXPECT_FALSE(a.daempfungAn);
    EXPECT_EQ(a.daempfung[2], -1);
}

TEST(SchallVorgabe, AFieldInForceOutOfRangeIsNamed) {
    SchallVorgabe v;
    v.geraeusch = alle(50);
    v.daempfung = alle(10);
    v.geraeusch[3] = -21;
    v.geraeuschAn = true;
    EXPECT_EQ(schallVorgabeFehler(v),
              QStringLiteral("Der Wert im Feld \"Geräusch 500 Hz\" ist nicht möglich "
                             "(zulässig: -20 bis 199 dB)."));
    // A row not in force is not checked; stored, its value is held to the range.
    v.geraeuschAn = false;
    v.daempfung[6] = 250;
    EXPECT_TRUE(schallVorgabeFehler(v).isEmpty());
    v.daempfungAn = true;
    EXPECT_EQ(schallVorgabeFehler(v),
              QStringLiteral("Der Wert im Feld \"Dämpfung 4000 Hz\" ist nicht möglich "
                             "(zulässig: 0 bis 199 dB)."));
    v.daempfungAn = false;
    DVdata d;
    schallVorgabeSetzen(v, d);
    EXPECT_EQ(d.sd[6], 199);
    EXPECT_EQ(d.sg[3], 0);
}

// --- room spectrum and reverberation ----------------------------------------------------------

TEST(RaumBand, SevenBandsOf40dBGiveTheEnergeticTotal) {
    const double l = raumBandMitte(RaumBandArt::Spektrum, alle(40));
    EXPECT_NEAR(l, 48.45, 0.005);
    EXPECT_EQ(raumBandMitteText(RaumBandArt::Spektrum, l), QStringLiteral("48,45"));
    DVdata d;
    d.typ = typRaum;
    d.i[3] = 35;
    RaumBandVorgabe v{alle(40), true, l};
    EXPECT_TRUE(raumBandFehler(RaumBandArt::Spektrum, v).isEmpty());
    raumBandSetzen(RaumBandArt::Spektrum, v, d);
    EXPECT_EQ(d.i[3], 48); // the field's whole-number value
    EXPECT_TRUE(d.raumSpektrumangabe);
    EXPECT_EQ(d.RaumSpektrum[0], 40);
    EXPECT_EQ(d.RaumSpektrum[7], 0); // not edited
    const RaumBandVorgabe a = raumBandAnsicht(d, RaumBandArt::Spektrum);
    EXPECT_TRUE(a.genau);
    EXPECT_EQ(a.baender, alle(40));
    EXPECT_EQ(a.mitte, 48);
}

TEST(RaumBand, TheMeanOfTheReverberationTimes) {
    const BandWerte t{1200, 1100, 1000, 1000, 900, 900, 800};
    const double m = raumBandMitte(RaumBandArt::Nachhallzeit, t);
    EXPECT_NEAR(m, 6900.0 / 7, 1e-9);
    EXPECT_EQ(raumBandMitteText(RaumBandArt::Nachhallzeit, m), QStringLiteral("985,7"));
    DVdata d;
    d.typ = typRaum;
    raumBandSetzen(RaumBandArt::Nachhallzeit, {t, true, m}, d);
    EXPECT_EQ(d.i[4], 986);
    EXPECT_TRUE(d.nachhallzeitangabe);
    EXPECT_EQ(d.nachhallzeit[0], 1200);
    EXPECT_EQ(d.nachhallzeit[6], 800);
    // A time of 0 ms is given (>= 0) on showing, but refused in force: the room attenuation
    // divides by it.
    d.nachhallzeit[2] = 0;
    RaumBandVorgabe a = raumBandAnsicht(d, RaumBandArt::Nachhallzeit);
    EXPECT_EQ(a.baender[2], 0);
    EXPECT_TRUE(a.genau);
    EXPECT_EQ(raumBandMitte(RaumBandArt::Nachhallzeit, a.baender), -1);
    EXPECT_EQ(raumBandFehler(RaumBandArt::Nachhallzeit, a),
              QStringLiteral("Der Wert im Feld \"Nachhallzeit 250 Hz\" ist nicht möglich "
                             "(zulässig: 1 bis 9.999 ms)."));
}

TEST(RaumBand, EmptyFieldsAndTheMeanField) {
    DVdata d;
    d.typ = typRaum;
    d.i[3] = 40;
    RaumBandVorgabe v = raumBandAnsicht(d, RaumBandArt::Spektrum);
    EXPECT_EQ(v.baender, alle(-1));
    EXPECT_FALSE(v.genau);
    EXPECT_EQ(v.mitte, 40);
    // Not in force: empty bands are fine and stored as 0; the mean goes into slot 3.
    v.mitte = 45;
    EXPECT_TRUE(raumBandFehler(RaumBandArt::Spektrum, v).isEmpty());
    raumBandSetzen(RaumBandArt::Spektrum, v, d);
    EXPECT_EQ(d.RaumSpektrum[3], 0);
    EXPECT_FALSE(d.raumSpektrumangabe);
    EXPECT_EQ(d.i[3], 45);
    // In force, every band needs a value.
    v.genau = true;
    v.baender = alle(40);
    v.baender[5] = -1;
    EXPECT_EQ(raumBandMitte(RaumBandArt::Spektrum, v.baender), -1);
    EXPECT_EQ(raumBandFehler(RaumBandArt::Spektrum, v),
              QStringLiteral("Das Feld \"Raumschallpegel 2000 Hz\" darf nicht leer sein."));
    // The mean field must not be empty and keeps to 0 ... 99 dB(A).
    v.genau = false;
    v.mitte = -1;
    EXPECT_EQ(raumBandFehler(RaumBandArt::Spektrum, v),
              QStringLiteral("Das Feld \"Raumschallpegel\" darf nicht leer sein."));
    v.mitte = 100;
    EXPECT_EQ(raumBandFehler(RaumBandArt::Spektrum, v),
              QStringLiteral("Der Wert im Feld \"Raumschallpegel\" ist nicht möglich "
                             "(zulässig: 0 bis 99 dB(A))."));
    v.mitte = 10000;
    EXPECT_EQ(raumBandFehler(RaumBandArt::Nachhallzeit, v),
              QStringLiteral("Der Wert im Feld \"mittlere Nachhallzeit\" ist nicht möglich "
                             "(zulässig: 0 bis 9.999 ms)."));
}

// --- through the session ----------------------------------------------------------------------

class Vorgaben : public Sitzung {
protected:
    void SetUp() override {
        Sitzung::SetUp();
        ASSERT_NO_FATAL_FAILURE(beispielLaden());
    }
};

TEST_F(Vorgaben, OkOnTheSelectedNodeIsOneCommandThatUndoAndRedoTakeBack) {
    tmylistitem* raum = at("1.8");
    s.auswaehlen(raum);
    const DVdata vorher = *nodeDaten(raum);
    // A value typed on the page but not applied stays in the buffer only.
    s.editDaten().i[0] = 77;
    ASSERT_FALSE(s.geaendert());
    const RaumBandVorgabe v{alle(40), true, raumBandMitte(RaumBandArt::Spektrum, alle(40))};
    ASSERT_TRUE(s.vorgabeSetzen(QStringLiteral("Raumspektrum"),
                                [v](DVdata& d) { raumBandSetzen(RaumBandArt::Spektrum, v, d); }));
    EXPECT_TRUE(s.geaendert());
    EXPECT_EQ(nodeDaten(raum)->i[3], 48);
    EXPECT_TRUE(nodeDaten(raum)->raumSpektrumangabe);
    EXPECT_EQ(nodeDaten(raum)->i[0], vorher.i[0]);
    EXPECT_EQ(s.editDaten().i[3], 48);
    EXPECT_EQ(s.editDaten().i[0], 77);
    EXPECT_TRUE(s.pufferVeraendert()); // the typed value is still not applied
    EXPECT_EQ(s.undoStack().naechsterRueckgaengig()->name, QStringLiteral("Raumspektrum"));

    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(*nodeDaten(raum), vorher);
    EXPECT_FALSE(s.geaendert());
    EXPECT_EQ(s.editDaten().i[3], vorher.i[3]);
    ASSERT_TRUE(s.wiederholen());
    EXPECT_EQ(nodeDaten(raum)->i[3], 48);
    EXPECT_EQ(nodeDaten(raum)->RaumSpektrum[6], 40);
    EXPECT_TRUE(s.geaendert());
}

TEST_F(Vorgaben, ASoundPresetOfAComponentAndOkWithoutChangeIsNoCommand) {
    tmylistitem* fan = at("1.3");
    s.auswaehlen(fan);
    SchallVorgabe v = schallVorgabeAnsicht(s.editDaten());
    v.geraeusch = {70, 72, 74, 71, 68, 64, 60};
    v.geraeuschAn = true;
    ASSERT_TRUE(s.vorgabeSetzen(QStringLiteral("Schallvorgabe"),
                                [v](DVdata& d) { schallVorgabeSetzen(v, d); }));
    EXPECT_EQ(nodeDaten(fan)->schall, 1);
    EXPECT_EQ(nodeDaten(fan)->sg[1], 72);
    EXPECT_EQ(nodeDaten(fan)->sd[1], 0);
    EXPECT_FALSE(s.pufferVeraendert());
    const int schritte = s.undoStack().anzahl();
    EXPECT_FALSE(s.vorgabeSetzen(QStringLiteral("Schallvorgabe"),
                                 [v](DVdata& d) { schallVorgabeSetzen(v, d); }));
    EXPECT_EQ(s.undoStack().anzahl(), schritte);
}

TEST_F(Vorgaben, ATypeChosenForInsertionTakesThePresetInTheBufferOnly) {
    s.auswaehlen(at("1.4"));
    ASSERT_TRUE(s.typWaehlen(typDrosselklappe));
    const DVdata kanal = *nodeDaten(at("1.4"));
    SchallVorgabe v;
    v.daempfung = alle(5);
    v.daempfungAn = true;
    EXPECT_FALSE(s.vorgabeSetzen(QStringLiteral("Schallvorgabe"),
                                 [v](DVdata& d) { schallVorgabeSetzen(v, d); }));
    EXPECT_EQ(s.editDaten().schall, 2);
    EXPECT_EQ(s.editDaten().sd[0], 5);
    EXPECT_EQ(*nodeDaten(at("1.4")), kanal);
    EXPECT_FALSE(s.kannRueckgaengig());
}

} // namespace
