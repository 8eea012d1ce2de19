// The field picture: the static scene, the hop and projectile animations, the cursor mark and
// the number pictures of the value boxes.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/game_form.h"

namespace vr {

namespace {

constexpr int kFramePause = 30;       // ms between animation frames
constexpr int kProjectileRest = 300;  // ms the projectile stays on its target

constexpr int kHopFramesPerSquare = 8;
constexpr int kHopStep = 4;  // px per hop frame
constexpr int kProjectileFramesPerSquare = 4;
constexpr int kProjectileStep = 8;  // px per projectile frame

constexpr int kFirstProjectileSlot = 10;  // slot 10 + i flies Magic i

// A hopper running past either end stops at once, so it can leave the field.
constexpr int kHopLeftLimit = -32;
constexpr int kHopRightLimit = 448;

int square_left(int square) {
    return kSquareWidth * square;
}

// Height above the baseline of a hopper at x: one arc per square, 3 6 7 8 7 6 3 0.
int hop_lift(int x) {
    const int m = (x + kSquareWidth) % kSquareWidth;
    return static_cast<int>(std::floor(m * (kSquareWidth - m) / static_cast<double>(kSquareWidth)));
}

// Height of a projectile at x on its parabola from `from` to `to`: 8 px at the middle, 0 at
// both ends, whatever the distance. Fractions are rounded to the nearest pixel.
int projectile_top(int x, int from, int to) {
    const double d = from - to;
    const double lift =
        (x - square_left(from)) * static_cast<double>(square_left(to) - x) / (kSquareWidth * d * d);
    return static_cast<int>(std::lround(kSpriteTop - lift));
}

}  // namespace

void GameForm::draw_field(int side, int slot, int from_square, int to_square) {
    if (side == 0) {
        // The refresh shows the previous image once more; the new scene appears at the next one.
        fld.refresh();
        build_static_scene(0, 0);
        return;
    }

    const int direction = from_square < to_square ? 1 : -1;
    int x = square_left(from_square);

    if (slot < kFirstProjectileSlot) {
        const FamiliarRecord& mover = familiars(side, slot);
        const int frames = kHopFramesPerSquare * std::abs(from_square - to_square);
        for (int frame = 1; frame <= frames; ++frame) {
            fld.refresh();
            build_static_scene(side, slot);
            Sleep(kFramePause);
            x += direction * kHopStep;
            draw_sprite(fld, mover.picture, mover.mask, x, kSpriteTop - hop_lift(x));
            if (x < kHopLeftLimit || x > kHopRightLimit) break;
        }
        // The last frame stays unrefreshed: the caller redraws once the square is updated.
        return;
    }

    const MagicRecord& magic = magics(slot - kFirstProjectileSlot);
    const int frames = kProjectileFramesPerSquare * std::abs(from_square - to_square);
    for (int frame = 1; frame <= frames; ++frame) {
        fld.refresh();
        build_static_scene(0, 0);
        Sleep(kFramePause);
        x += direction * kProjectileStep;
        draw_sprite(fld, magic.picture, magic.mask, x, projectile_top(x, from_square, to_square));
    }
    fld.refresh();
    Sleep(kProjectileRest);
    build_static_scene(0, 0);
}

// Background, then every Familiar on squares 1..12 (side 1 first, slot order, so later ones
// overlap earlier ones), then the Masters on top. (left_out_side, left_out_slot) is the hopper;
// side 0 leaves nobody out.
void GameForm::build_static_scene(int left_out_side, int left_out_slot) {
    fld.set_picture(field_picture);
    for (int side = kHuman; side <= kComputer; ++side) {
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            const FamiliarRecord& familiar = familiars(side, slot);
            if (!on_field(familiar.square)) continue;
            if (side == left_out_side && slot == left_out_slot) continue;
            draw_sprite(fld, familiar.picture, familiar.mask, square_left(familiar.square), kSpriteTop);
        }
    }
    draw_sprite(fld, masters(kHuman).picture, masters(kHuman).mask, square_left(kHumanHome), kSpriteTop);
    draw_sprite(fld, masters(kComputer).picture, masters(kComputer).mask, square_left(kComputerHome),
                kSpriteTop);
}

// The mask punches a white hole, the picture's colours land in it; white in the picture leaves
// what is below untouched.
void GameForm::draw_sprite(PictureBox& box, const Picture& picture, const Picture& mask, int x, int y) {
    box.paint_picture(mask, x, y, RasterOp::MergePaint);
    box.paint_picture(picture, x, y, RasterOp::SrcAnd);
}

void GameForm::draw_cursor_on_square(int square) {
    draw_sprite(fld, cursor_picture, cursor_mask, square_left(square), kSpriteTop);
}

void GameForm::draw_cursor_on_icon(PictureBox& icon) {
    draw_sprite(icon, cursor_picture, cursor_mask, 0, 0);
}

// There are pictures for 0..12 only; a Master hit below 0 or a Familiar hit more often than it
// had hit points shows the nearest one.
void GameForm::show_value(PictureBox& box, int value) {
    box.set_picture(number_pictures(std::clamp(value, 0, kLargestValue)));
}

}  // namespace vr
