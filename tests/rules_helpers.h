// Helpers for board and rule tests: the field's frames recorded at each refresh, expected scenes
// composed from the loaded pictures, marks found by their pixels, pauses written compactly.
#pragma once

#include <QImage>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace vr::test {

constexpr int kFramePause = 30;
constexpr int kEventPause = 500;
constexpr int kMarkTop = 12;

// A sprite drawn with its mask: picture, mask and top-left corner.
struct Sprite {
    const Picture* picture;
    const Picture* mask;
    int x;
    int y;
};

// Every image the field showed, with how many pauses had been requested when it was shown.
class FrameRecorder {
public:
    FrameRecorder(PictureBox& box, const InstantPause& pause) : box_(box) {
        box.on_refresh = [this, &pause](const QImage& image) {
            frames.push_back({pause.pauses.size(), image});
        };
    }
    ~FrameRecorder() { box_.on_refresh = nullptr; }

    struct Frame {
        size_t pauses_before;
        QImage image;
    };
    std::vector<Frame> frames;

private:
    PictureBox& box_;
};

// The field's background alone, as the picture box shows it.
inline QImage background(GameForm& form) {
    PictureBox box(nullptr);
    box.place(0, 0, form.fld.width(), form.fld.height());
    box.set_picture(form.field_picture);
    return box.image();
}

inline void paint(QImage& image, const Sprite& sprite) {
    paint_raster(image, sprite.mask->image(), sprite.x, sprite.y, RasterOp::MergePaint);
    paint_raster(image, sprite.picture->image(), sprite.x, sprite.y, RasterOp::SrcAnd);
}

// Background, the given Familiars in order, the two Masters, then whatever flies or marks on top.
inline QImage compose(GameForm& form, const std::vector<Sprite>& sprites,
                      const std::vector<Sprite>& on_top = {}) {
    QImage image = background(form);
    for (const Sprite& sprite : sprites) paint(image, sprite);
    paint(image, {&form.masters(1).picture, &form.masters(1).mask, 0, 8});
    paint(image, {&form.masters(2).picture, &form.masters(2).mask, 416, 8});
    for (const Sprite& sprite : on_top) paint(image, sprite);
    return image;
}

inline Sprite familiar_at(GameForm& form, int side, int slot, int x, int y = 8) {
    return {&form.familiars(side, slot).picture, &form.familiars(side, slot).mask, x, y};
}

// True when the sprite's opaque part (black in its mask) shows exactly its own pixels at (x, y).
inline bool shows_sprite(const QImage& image, const Picture& picture, const Picture& mask, int x, int y) {
    bool seen = false;
    for (int my = 0; my < mask.height(); ++my) {
        for (int mx = 0; mx < mask.width(); ++mx) {
            if ((mask.image().pixel(mx, my) & 0xFFFFFF) != 0) continue;
            if (!image.valid(x + mx, y + my)) continue;
            seen = true;
            if (image.pixel(x + mx, y + my) != picture.image().pixel(mx, my)) return false;
        }
    }
    return seen;
}

// Pauses with runs of equal durations folded: {30, 30, 500} reads {"30x2", "500"}.
inline std::vector<std::string> pause_runs(const std::vector<int>& pauses) {
    std::vector<std::string> runs;
    for (size_t i = 0; i < pauses.size();) {
        size_t j = i;
        while (j < pauses.size() && pauses[j] == pauses[i]) ++j;
        runs.push_back(std::to_string(pauses[i]) + (j - i > 1 ? "x" + std::to_string(j - i) : ""));
        i = j;
    }
    return runs;
}

// The marks that were shown for each 500 ms pause, in order: "hit 5", "fall 0", "trap 4".
// A mark counts when it is in the frame shown before the pause and not in the frame before that.
inline std::vector<std::string> shown_marks(GameForm& form, const FrameRecorder& recorder,
                                            const std::vector<int>& pauses) {
    const auto marks_in = [&form](const QImage& image) {
        std::vector<std::string> found;
        for (int s = -2; s <= 15; ++s) {
            const int left = 32 * s + 8;
            if (shows_sprite(image, form.attack_picture, form.attack_mask, left, kMarkTop))
                found.push_back("hit " + std::to_string(s));
            if (shows_sprite(image, form.death_picture, form.death_mask, left, kMarkTop))
                found.push_back("fall " + std::to_string(s));
            if (shows_sprite(image, form.magics(kTrap).picture, form.magics(kTrap).mask, 32 * s, kMarkTop))
                found.push_back("trap " + std::to_string(s));
        }
        return found;
    };
    std::vector<std::string> shown;
    const auto& frames = recorder.frames;
    for (size_t f = 0; f < frames.size(); ++f) {
        const size_t at = frames[f].pauses_before;
        if (at >= pauses.size() || pauses[at] != kEventPause) continue;
        const auto now = marks_in(frames[f].image);
        const auto before = f > 0 ? marks_in(frames[f - 1].image) : std::vector<std::string>{};
        for (const auto& mark : now) {
            if (std::find(before.begin(), before.end(), mark) == before.end()) shown.push_back(mark);
        }
    }
    return shown;
}

}  // namespace vr::test

// Image mismatches name the sizes instead of dumping the object's bytes.
inline void PrintTo(const QImage& image, std::ostream* os) {
    *os << "QImage " << image.width() << "x" << image.height();
}
