// Texts that several routines show, marked once, and how the catalogue's texts are shown.
#pragma once

#include <string>

#include "platform/language/text.h"

namespace vr {

// Headings of the value boxes: hit points, magic points, movement, attack.
inline constexpr MarkedText kHeadingHp = VR_TEXT("Board", "体");
inline constexpr MarkedText kHeadingMp = VR_TEXT("Board", "魔");
inline constexpr MarkedText kHeadingMv = VR_TEXT("Board", "移");
inline constexpr MarkedText kHeadingAtk = VR_TEXT("Board", "攻");

// The turn display: the stage and the turns taken in it.
inline constexpr MarkedText kStageAndTurn = VR_TEXT("Board", "ステージ %1\r\n ターン %2");

// The turn button of a stage that has not begun.
inline constexpr MarkedText kStartCaption = VR_TEXT("Board", "開始");

inline constexpr MarkedText kPressStart = VR_TEXT("Messages", "開始ボタンを押してください");
inline constexpr MarkedText kChooseAction = VR_TEXT("Messages", "行動を選んでください");

// A name or description the catalogue marked, as the player reads it; the records keep the Japanese.
inline Text catalogue_text(const std::string& source) {
    return Text::translatable("Catalogue", source);
}

}  // namespace vr
