// How long one static scene of the field takes to build: background, 20 Familiars, 2 Masters.
// The animations wait 30 ms per frame, so this must stay far below a millisecond.
#include <benchmark/benchmark.h>

#include "app/game_form.h"
#include "bench_support.h"

namespace {

class FixedRandom : public vr::RandomSource {
public:
    float rnd() override { return 0.5f; }
    void randomize() override {}
};

void BM_StaticScene(benchmark::State& state) {
    InstantPause pause;
    FixedRandom random;
    SilentMusic music;
    vr::GameForm form({pause, random, music});
    form.Form_Load();
    form.stage = vr::kLastStage;
    form.active_side = vr::kComputer;
    form.stage_setup();
    // Twenty Familiars on the field: side 1 on squares 1..10, side 2 on 3..12 (overlapping).
    for (int slot = vr::kFirstSlot; slot <= vr::kLastSlot; ++slot) {
        form.familiars(vr::kHuman, slot).square = static_cast<int16_t>(slot + 1);
        form.familiars(vr::kComputer, slot).square = static_cast<int16_t>(slot + 3);
    }
    for (auto _ : state) {
        form.build_static_scene(0, 0);
        benchmark::DoNotOptimize(form.fld.image().constBits());
    }
}
BENCHMARK(BM_StaticScene)->Unit(benchmark::kMicrosecond);

}  // namespace

GAME_BENCHMARK_MAIN()
