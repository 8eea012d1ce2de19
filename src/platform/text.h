// Text the player reads, through Qt's translation system: the Japanese source text is the key,
// and a text without a translation shows as it is written.
#pragma once

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks a text in a table for the translators
#include <initializer_list>
#include <string>

namespace vr {

// `source` in the player's language, from the translations of `context`.
std::string translated(const char* context, const char* source);

// `text` with %1, %2, ... replaced by `args` in order, so a translation may move them.
std::string with_args(const std::string& text, std::initializer_list<std::string> args);

}  // namespace vr
