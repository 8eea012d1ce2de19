// How long one whole turn of the computer takes on a crowded mid-game field, pauses excluded.
// The player waits half a second per pass on screen, so the thinking itself must stay far below
// a millisecond.
#include <benchmark/benchmark.h>

#include <random>

#include "app/game_form.h"
#include "bench_support.h"

namespace {

constexpr int kBenchStage = 6;
constexpr uint32_t kSeed = 7;
// Neither Master can fall within one turn, so every iteration plays a whole turn on the same stage.
constexpr int16_t kSturdyMasterHp = 12;

// Returns at once but counts what the game would have waited, to put the figure in scale.
class CountingPause : public vr::Pause {
public:
    void sleep(int milliseconds) override {
        ++pauses;
        waited_ms += milliseconds;
    }
    int64_t pauses = 0;
    int64_t waited_ms = 0;
};

class SeededRandom : public vr::RandomSource {
public:
    float rnd() override { return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f); }
    void randomize() override {}

private:
    std::mt19937 generator_{kSeed};
};

// Stage 6 in full swing: side 1 on squares 2, 4, 5, 7, 9, side 2 on 3, 6, 8, 10, 11, some hurt,
// the rest in reserve, side 2 with full dice and everything it owns affordable.
void set_position(vr::GameForm& form) {
    form.stage = kBenchStage;
    form.active_side = vr::kComputer;
    form.stage_setup();
    constexpr int kHumanSquares[] = {2, 4, 5, 7, 9};
    constexpr int kComputerSquares[] = {3, 6, 8, 10, 11};
    for (int i = 0; i < 5; ++i) {
        vr::FamiliarRecord& ours = form.familiars(vr::kHuman, i + 1);
        ours.square = static_cast<int16_t>(kHumanSquares[i]);
        ours.damage = static_cast<int16_t>(i % 2);
        vr::FamiliarRecord& theirs = form.familiars(vr::kComputer, i);
        theirs.square = static_cast<int16_t>(kComputerSquares[i]);
        theirs.damage = static_cast<int16_t>(i % 2);
        theirs.ready = true;
    }
    for (int side = vr::kHuman; side <= vr::kComputer; ++side) form.masters(side).hp = kSturdyMasterHp;
    vr::MasterRecord& computer = form.masters(vr::kComputer);
    computer.mv = computer.mv_max;
    computer.mp = computer.mp_max;
}

void BM_ComputerTurn(benchmark::State& state) {
    CountingPause pause;
    SeededRandom random;
    SilentMusic music;
    vr::GameForm form({pause, random, music});
    form.Form_Load();
    pause.pauses = pause.waited_ms = 0;  // only the turns count
    int64_t turns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        set_position(form);
        state.ResumeTiming();
        form.computer_turn();
        benchmark::DoNotOptimize(form.masters(vr::kHuman).hp);
        ++turns;
    }
    // The turn must have been handed back, not cut short by a fallen Master.
    if (form.active_side != vr::kHuman || form.stage != kBenchStage)
        state.SkipWithError("turn did not end normally");
    state.SetItemsProcessed(turns);
    state.counters["pauses"] =
        benchmark::Counter(static_cast<double>(pause.pauses) / static_cast<double>(turns));
    state.counters["waited_ms"] =
        benchmark::Counter(static_cast<double>(pause.waited_ms) / static_cast<double>(turns));
}
BENCHMARK(BM_ComputerTurn)->Unit(benchmark::kMicrosecond);

}  // namespace

GAME_BENCHMARK_MAIN()
