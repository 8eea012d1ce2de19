// The field picture: the static scene, the hop and projectile animations, and the marks drawn on it.
#include "app/game_form.h"
#include "app/not_built_yet.h"

namespace vr {

void GameForm::draw_field(int, int, int, int) { not_built_yet("draw_field"); }

void GameForm::build_static_scene(int, int) { not_built_yet("build_static_scene"); }

void GameForm::draw_sprite(PictureBox&, const Picture&, const Picture&, int, int) { not_built_yet("draw_sprite"); }

void GameForm::draw_cursor_on_square(int) { not_built_yet("draw_cursor_on_square"); }

void GameForm::draw_cursor_on_icon(PictureBox&) { not_built_yet("draw_cursor_on_icon"); }

void GameForm::show_value(PictureBox&, int) { not_built_yet("show_value"); }

}  // namespace vr
