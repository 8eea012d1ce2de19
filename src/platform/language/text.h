// A text as the game keeps it and as the player reads it: the game's own Japanese, which the
// logic stores, compares and writes, and its translation into the language in use, which only
// the screen ever sees.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

namespace vr {

class Text;

// A Japanese text marked for translation. `context` groups texts for the translator: "Window"
// (title and menus), "Board", "Messages" (the navigation line and notices), "Catalogue" (names
// and descriptions) and "Screens". A literal type, so tables of texts stay constant.
struct MarkedText {
    const char* context;
    const char* source;

    template <typename Value>
    Text arg(Value&& value) const;
};

// Marks a Japanese text where it is written. Both arguments must be string literals: lupdate reads
// them from the source (CMakeLists.txt tells it this macro means QT_TRANSLATE_NOOP).
#define VR_TEXT(context, source) (::vr::MarkedText{context, source})

class Text {
public:
    Text() = default;
    // A text that reads the same in every language: a number, a Magic's name, "Next".
    Text(const char* plain) : format_(plain) {}
    Text(std::string plain) : format_(std::move(plain)) {}
    Text(MarkedText marked) : context_(marked.context), format_(marked.source) {}
    // A text marked where it was defined and kept as its Japanese since, as the catalogue's names.
    static Text translatable(const char* context, std::string source);

    // The n-th call fills %n. A sentence is translated whole and its parts, a number or a text
    // that is translated on its own (a Familiar's name), are put in afterwards, wherever the
    // translation puts its %n.
    Text arg(Text value) const;
    Text arg(int value) const;

    // The Japanese, exactly as the game writes it (CR LF line breaks).
    std::string source() const;
    // As the player reads it in the language in use, with plain line feeds as Qt shows them.
    QString shown() const;
    bool empty() const { return format_.empty(); }

private:
    std::string context_;  // empty for a plain text
    std::string format_;
    std::vector<Text> args_;
};

template <typename Value>
Text MarkedText::arg(Value&& value) const {
    return Text(*this).arg(std::forward<Value>(value));
}

}  // namespace vr
