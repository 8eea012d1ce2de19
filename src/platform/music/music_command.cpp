// Music commands as text: the words of "open <path> alias bgmfile", "status bgmfile mode", ...
#include "platform/music/music_command.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vr {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// ---- command words ----

struct Word {
    std::string text;  // quotes removed
    size_t begin = 0;  // offsets in the command, quotes included
    size_t end = 0;
    bool quoted = false;
};

std::optional<std::vector<Word>> split_words(const std::string& text) {
    std::vector<Word> words;
    size_t at = 0;
    while (true) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        if (at == text.size()) return words;
        Word word;
        word.begin = at;
        if (text[at] == '"') {
            const size_t close = text.find('"', at + 1);
            if (close == std::string::npos) return std::nullopt;
            word.text = text.substr(at + 1, close - at - 1);
            word.quoted = true;
            at = close + 1;
            // "a"b is garbled, not two words.
            if (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) return std::nullopt;
        } else {
            while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
            word.text = text.substr(word.begin, at - word.begin);
        }
        word.end = at;
        words.push_back(word);
    }
}

bool is_keyword(const Word& word, const char* keyword) {
    return !word.quoted && lower(word.text) == keyword;
}

// "wait" and "notify" only ask for a blocking call or a completion message; neither changes what we do.
size_t drop_trailing_flags(const std::vector<Word>& words) {
    size_t count = words.size();
    while (count > 0 && (is_keyword(words[count - 1], "wait") || is_keyword(words[count - 1], "notify"))) {
        --count;
    }
    return count;
}

std::optional<MusicCommand> parse_open(const std::string& text, const std::vector<Word>& words,
                                       size_t count) {
    // open <path> alias <name>: the path runs up to the last "alias", so blanks in an unquoted
    // program directory still work.
    if (count < 4 || !is_keyword(words[count - 2], "alias")) return std::nullopt;
    const size_t alias_at = count - 2;
    if (words[1].quoted && alias_at != 2) return std::nullopt;
    MusicCommand command;
    command.verb = MusicVerb::Open;
    command.alias = lower(words[count - 1].text);
    command.path = words[1].quoted ? words[1].text
                                   : text.substr(words[1].begin, words[alias_at - 1].end - words[1].begin);
    if (command.path.empty() || command.alias.empty()) return std::nullopt;
    return command;
}

}  // namespace

std::optional<MusicCommand> parse_music_command(const std::string& text) {
    const auto words = split_words(text);
    if (!words || words->size() < 2) return std::nullopt;
    const size_t count = drop_trailing_flags(*words);
    if (count < 2) return std::nullopt;
    const std::string verb = (*words)[0].quoted ? "" : lower((*words)[0].text);
    if (verb == "open") return parse_open(text, *words, count);

    MusicCommand command;
    command.alias = lower((*words)[1].text);
    const auto tail_is = [&](std::initializer_list<const char*> tail) {
        if (count != 2 + tail.size()) return false;
        size_t i = 2;
        for (const char* keyword : tail) {
            if (!is_keyword((*words)[i++], keyword)) return false;
        }
        return true;
    };
    if (verb == "close" && tail_is({})) {
        command.verb = MusicVerb::Close;
    } else if (verb == "play" && tail_is({})) {
        command.verb = MusicVerb::Play;
    } else if (verb == "stop" && tail_is({})) {
        command.verb = MusicVerb::Stop;
    } else if (verb == "seek" && tail_is({"to", "start"})) {
        command.verb = MusicVerb::Seek;
    } else if (verb == "status" && tail_is({"mode"})) {
        command.verb = MusicVerb::Status;
    } else {
        return std::nullopt;
    }
    return command;
}

}  // namespace vr
