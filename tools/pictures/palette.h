// The shared colour palette: one key character per colour, plus the per-team colours.
#pragma once

#include <QRgb>
#include <QString>
#include <map>
#include <optional>

#include "outcome.h"

// Pure white is what masks treat as "nothing here"; only the background key may use it.
constexpr QRgb kTransparentWhite = 0xffffffffu;
constexpr char kBackgroundKey = '.';

using ColourTable = std::map<char, QRgb>;

struct Palette {
    ColourTable common;                    // keys every picture may use
    std::map<QString, ColourTable> teams;  // "red", "blue": keys whose colour depends on the side

    // The colour for key under team (team keys first); empty when the key is unknown there.
    std::optional<QRgb> lookup(char key, const QString& team) const;
    bool is_team_key(char key) const;
};

Outcome<Palette> load_palette(const QString& path);

// Parses "r g b" integers at tokens[first..first+2]; empty if malformed or out of range.
std::optional<QRgb> parse_rgb_tokens(const QStringList& tokens, int first);
