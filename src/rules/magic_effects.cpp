// The eight Magics' effects. Each pays, clears the command, flies its picture from the caster's
// Master to the target and applies its effect, in the order fixed for that Magic.
#include <algorithm>

#include "app/game_form.h"

namespace vr {

namespace {

// The projectile of Magic i is drawn by draw_field when its slot argument is 10 + i.
constexpr int kProjectileSlotBase = 10;
constexpr int kBulletPush = 2;
constexpr int kMeteorPush = 3;
constexpr int kMeteorReach = 2;  // squares on each side of the centre
constexpr int kHighhealAmount = 3;

int enemy_of(int side) {
    return kComputer + kHuman - side;
}

// Away from the caster: side 1 pushes towards square 13, side 2 towards square 0.
int away_from(int caster) {
    return caster == kHuman ? +1 : -1;
}

void pay(GameForm& form, int magic) {
    MasterRecord& master = form.masters(form.active_side);
    master.mp = static_cast<int16_t>(master.mp - form.magics(magic).cost);
    form.show_value(form.masmp(form.active_side), master.mp);
}

void fly(GameForm& form, int magic, int target_square) {
    const int caster = form.active_side;
    form.draw_field(caster, kProjectileSlotBase + magic, home_square(caster), target_square);
}

}  // namespace

void GameForm::cast_sleep(int slot) {
    FamiliarRecord& target = familiars(enemy_of(active_side), slot);
    target.asleep = true;
    ActionMode.clear();
    pay(*this, kSleep);
    fly(*this, kSleep, target.square);
}

void GameForm::cast_heal(int slot) {
    FamiliarRecord& target = familiars(active_side, slot);
    // No lower bound: an icon press on an unhurt Familiar gives it a hit point beyond its kind's.
    target.damage = static_cast<int16_t>(target.damage - 1);
    ActionMode.clear();
    pay(*this, kHeal);
    if (on_field(target.square)) fly(*this, kHeal, target.square);
    // Cast from the reserve strip, the icon's cursor mark must go too.
    reset_icon_strips();
}

void GameForm::cast_bullet(int slot) {
    const int enemy = enemy_of(active_side);
    FamiliarRecord& target = familiars(enemy, slot);
    fly(*this, kBullet, target.square);
    target.damage = static_cast<int16_t>(target.damage + 1);
    // The bullet's push ignores defence abilities; the landing is resolved in full.
    advance_familiar(enemy, slot, away_from(active_side), kBulletPush);
    ActionMode.clear();
    pay(*this, kBullet);
}

void GameForm::cast_quick(int slot) {
    FamiliarRecord& target = familiars(active_side, slot);
    target.quick_bonus = static_cast<int16_t>(target.quick_bonus + 1);
    ActionMode.clear();
    pay(*this, kQuick);
    fly(*this, kQuick, target.square);
}

void GameForm::cast_power(int slot) {
    FamiliarRecord& target = familiars(active_side, slot);
    target.power_bonus = static_cast<int16_t>(target.power_bonus + 1);
    ActionMode.clear();
    pay(*this, kPower);
    fly(*this, kPower, target.square);
}

void GameForm::cast_trap(int square) {
    trap_flags(square) = true;
    ActionMode.clear();
    pay(*this, kTrap);
    fly(*this, kTrap, square);
}

void GameForm::cast_highheal(int slot) {
    FamiliarRecord& target = familiars(active_side, slot);
    target.damage = static_cast<int16_t>(std::max(target.damage - kHighhealAmount, 0));
    ActionMode.clear();
    pay(*this, kHighheal);
    if (on_field(target.square)) fly(*this, kHighheal, target.square);
    reset_icon_strips();
}

void GameForm::cast_meteor(int centre) {
    const int caster = active_side;
    fly(*this, kMeteor, centre);
    const int first = std::max(centre - kMeteorReach, kFirstFieldSquare);
    const int last = std::min(centre + kMeteorReach, kLastFieldSquare);
    for (int square = first; square <= last; ++square) {
        const int direction = square > centre ? +1 : square < centre ? -1 : away_from(caster);
        for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
            // Friend and foe alike; one pushed out of the blast is not met again further on.
            for (int side = kHuman; side <= kComputer; ++side) {
                FamiliarRecord& victim = familiars(side, slot);
                if (victim.square != square) continue;
                victim.damage = static_cast<int16_t>(victim.damage + 1);
                advance_familiar(side, slot, direction, kMeteorPush);
            }
        }
    }
    ActionMode.clear();
    pay(*this, kMeteor);
}

}  // namespace vr
