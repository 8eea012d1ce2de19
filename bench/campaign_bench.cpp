// A whole scripted campaign, title to game clear, with the instant pause: the cost of the rules,
// the drawing of every animation frame and the screens, without any waiting.
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/campaign_player.h"
#include "bench_support.h"

namespace {

void BM_WholeCampaign(benchmark::State& state) {
    InstantPause pause;
    SilentMusic music;
    for (auto _ : state) {
        vr::test::CampaignDice dice;
        vr::GameForm form({pause, dice, music});
        form.Form_Load();
        vr::test::CampaignPlayer player(form, dice);
        form.from_first_Click();
        form.start_Click();
        for (int stage = 1; stage <= vr::kLastStage; ++stage) {
            while (player.board_in_play()) {
                player.end_turn();
                player.play_turn();
            }
            if (stage < vr::kLastStage) form.st_btn_Click();
        }
        form.gameclear2_Click();
        if (!form.frame_gameclear.is_visible()) state.SkipWithError("the campaign did not reach game clear");
    }
}
BENCHMARK(BM_WholeCampaign)->Unit(benchmark::kMillisecond);

}  // namespace

GAME_BENCHMARK_MAIN()
