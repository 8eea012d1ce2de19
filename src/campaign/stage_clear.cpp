// Stage clear: the record check, the heroine's growth, the rewards on the stage-clear screen, and
// the next stage set up behind it so that "次のステージ" only has to lift the screen.
#include <cassert>

#include "app/game_form.h"

namespace vr {

namespace {

// Clearing stage n announces kind n + 2 and Magic n; the next stage set-up grants them.
constexpr int kRewardKindOffset = 2;

}  // namespace

void GameForm::stage_clear() {
    assert(stage >= 1 && stage <= kLastStage);
    if (stage == kLastStage) {
        show_epilogue();
        return;
    }
    Label5.set_caption(update_record(stage));
    play_bgm("vr_data\\nextmap.mid");

    const MasterRecord& heroine = masters(kHuman);
    const int old_hp = heroine.hp;
    const int old_mp_max = heroine.mp_max;
    const int old_mv_max = heroine.mv_max;
    grow_heroine();
    show_screen(&frame_stageclear);

    const FamiliarRecord& kind = familiars(kHuman, stage + kRewardKindOffset);
    const MagicRecord& magic = magics(stage);
    st_text1.set_caption(VR_TEXT("Screens", "使い魔\r\n「%1」\r\nをゲット！").arg(catalogue_text(kind.name)));
    st_text2.set_caption(VR_TEXT("Screens", "魔法\r\n「%1」\r\nをゲット！").arg(magic.label));
    st_pic.set_picture(kind.picture);
    st_pic2.set_picture(magic.picture);
    show_value(st_atkdice, kind.atk);
    show_value(st_mvdice, kind.mv);
    show_value(st_hpdice, kind.hp);
    show_value(st_mpdice, kind.cost);
    show_value(st_mpdice2, magic.cost);

    show_value(mas_mgcold, old_mp_max);
    show_value(mas_mgcnew, heroine.mp_max);
    show_value(mas_mvold, old_mv_max);
    show_value(mas_mvnew, heroine.mv_max);
    show_value(mas_hpold, old_hp);
    show_value(mas_hpnew, heroine.hp);

    stage = static_cast<int16_t>(stage + 1);
    active_side = kComputer;
    navi.set_caption(VR_TEXT("Messages", "行動を選択してください"));
    stage_setup();
    show_familiar_info(kHuman, kFirstSlot);
    draw_field(0, 0, 0, 0);
}

void GameForm::grow_heroine() {
    MasterRecord& heroine = masters(kHuman);
    // The game's own campaign never gets near 12 (seven growths from 2, 6, 6), but a loaded save
    // can: nothing may pass the largest number picture, or the next save could not be loaded.
    if (heroine.hp < kLargestValue) ++heroine.hp;

    const int mp_room = kLargestValue - heroine.mp_max;
    const int mv_room = kLargestValue - heroine.mv_max;
    // Each grows in proportion to its distance from the top.
    const int r = static_cast<int>(Rnd() * static_cast<float>(mp_room + mv_room));
    if (r < mp_room) {
        ++heroine.mp_max;
    } else if (mv_room > 0) {
        ++heroine.mv_max;
    }
}

void GameForm::st_btn_Click() {
    if (!frame_stageclear.is_visible()) return;
    show_screen(nullptr);
    play_bgm("vr_data\\dice.mid");
}

}  // namespace vr
