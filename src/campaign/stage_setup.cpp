// Laying out a stage: what each side owns, side 2's Master, the Master panels and the icons.
#include <array>

#include "app/game_form.h"

namespace vr {

namespace {

// Side 2's Master on stages 1..7 is the kind that side 1 gains by clearing the stage.
constexpr int kOpponentKindOffset = 2;
constexpr int kStagesPerOpponentHp = 3;
constexpr int kOpponentBaseHp = 2;
constexpr std::array<int16_t, 7> kOpponentMpMax = {6, 4, 10, 7, 10, 8, 11};  // stages 1..7
constexpr std::array<int16_t, 7> kOpponentMvMax = {4, 8, 4, 9, 8, 12, 11};
constexpr int kLastKindStage = 7;  // the last stage whose Master is a Familiar kind

// The last stage's Master has its own name, pictures and values.
constexpr MarkedText kFinalMasterName = VR_TEXT("Catalogue", "？？？");
constexpr int16_t kFinalMasterHp = 4;
constexpr int16_t kFinalMasterMax = 12;  // both mp_max and mv_max

// The heroine as a new game starts her.
constexpr int16_t kHeroineStartHp = 2;
constexpr int16_t kHeroineStartMax = 6;  // both mp_max and mv_max

// Kinds 0..stage+1 and Magics 0..stage-1 are in play on a stage.
bool kind_owned(int stage, int kind) {
    return kind <= stage + 1;
}
bool magic_owned(int stage, int magic) {
    return magic <= stage - 1;
}

// Every Familiar of a side waits at home, unhurt and unboosted, owned as the stage decides.
void reset_side(BoundedArray2<FamiliarRecord, 1, 2, 0, 9>& familiars, int side, int stage) {
    for (int kind = kFirstSlot; kind <= kLastSlot; ++kind) {
        FamiliarRecord& familiar = familiars(side, kind);
        familiar.damage = 0;
        familiar.square = static_cast<int16_t>(home_square(side));
        familiar.ready = false;
        familiar.power_bonus = 0;
        familiar.quick_bonus = 0;
    }
    for (int kind = kFirstSlot; kind <= kLastSlot; ++kind)
        familiars(side, kind).owned = kind_owned(stage, kind);
}

}  // namespace

void GameForm::stage_setup() {
    Label4.set_caption(kStageAndTurn.arg(stage).arg(0));
    buttonturn_end.set_caption(kStartCaption);
    setup_heroine();
    setup_opponent();

    show_value(masmv(kHuman), 0);
    show_value(masmv(kComputer), 0);
    show_value(masmp(kHuman), 0);
    show_value(masmp(kComputer), 0);
    show_value(mashp(kHuman), masters(kHuman).hp);
    show_value(mashp(kComputer), masters(kComputer).hp);

    for (int square = kFirstFieldSquare; square <= kLastFieldSquare; ++square) trap_flags(square) = false;
    for (int kind = kFirstSlot; kind <= kLastSlot; ++kind)
        monicon(kind).set_visible(familiars(kHuman, kind).owned);
    for (int m = kFirstMagic; m <= kLastMagic; ++m) mgcicon(m).set_visible(magics(m).owned);

    Frame1(kComputer).set_caption(catalogue_text(masters(kComputer).name));
}

void GameForm::setup_heroine() {
    MasterRecord& heroine = masters(kHuman);
    // Later stages keep what she grew at the last stage clear or what the save file held.
    if (stage == 1) {
        heroine.mp_max = kHeroineStartMax;
        heroine.mv_max = kHeroineStartMax;
        heroine.hp = kHeroineStartHp;
    }
    heroine.mv = 0;
    heroine.mp = 0;
    reset_side(familiars, kHuman, stage);
    // Magics are owned by the stage, not by a side: the computer reads the same flags.
    for (int m = kFirstMagic; m <= kLastMagic; ++m) magics(m).owned = magic_owned(stage, m);
}

void GameForm::setup_opponent() {
    MasterRecord& opponent = masters(kComputer);
    if (stage > kLastKindStage) {
        opponent.name = kFinalMasterName.source;
        opponent.hp = kFinalMasterHp;
        opponent.mv_max = kFinalMasterMax;
        opponent.mp_max = kFinalMasterMax;
        // Loaded once at start-up: the files cannot change while the game runs.
        opponent.picture = master2_picture;
        opponent.mask = master2_mask;
    } else {
        if (stage < 1) index_out_of_range("stage", stage, 1, kLastStage);
        const FamiliarRecord& kind = familiars(kComputer, stage + kOpponentKindOffset);
        opponent.name = kind.name;
        opponent.hp = static_cast<int16_t>((stage - 1) / kStagesPerOpponentHp + kOpponentBaseHp);
        opponent.mp_max = kOpponentMpMax[stage - 1];
        opponent.mv_max = kOpponentMvMax[stage - 1];
        opponent.picture = kind.picture;
        opponent.mask = kind.mask;
    }
    opponent.mv = 0;
    opponent.mp = 0;
    reset_side(familiars, kComputer, stage);
}

}  // namespace vr
