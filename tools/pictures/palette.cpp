// Loading the shared palette file: "key r g b name" lines, with [team] sections.
#include "palette.h"

#include <QStringList>

#include "source_text.h"

namespace {
constexpr int kMaxChannel = 255;
constexpr int kRgbTokenCount = 3;
}  // namespace

std::optional<QRgb> Palette::lookup(char key, const QString& team) const {
    if (const auto t = teams.find(team); t != teams.end()) {
        if (const auto c = t->second.find(key); c != t->second.end()) return c->second;
    }
    if (const auto c = common.find(key); c != common.end()) return c->second;
    return std::nullopt;
}

bool Palette::is_team_key(char key) const {
    for (const auto& [name, table] : teams) {
        if (table.count(key) != 0) return true;
    }
    return false;
}

std::optional<QRgb> parse_rgb_tokens(const QStringList& tokens, int first) {
    if (tokens.size() < first + kRgbTokenCount) return std::nullopt;
    int channel[kRgbTokenCount] = {};
    for (int i = 0; i < kRgbTokenCount; ++i) {
        bool ok = false;
        channel[i] = tokens[first + i].toInt(&ok);
        if (!ok || channel[i] < 0 || channel[i] > kMaxChannel) return std::nullopt;
    }
    return qRgb(channel[0], channel[1], channel[2]);
}

Outcome<Palette> load_palette(const QString& path) {
    const auto source = read_source_text(path);
    if (!source) return Outcome<Palette>::fail(source.error);
    Palette palette;
    ColourTable* section = &palette.common;
    for (int i = 0; i < source.value->lines.size(); ++i) {
        const QString line = source.value->lines[i].trimmed();
        if (is_blank_or_comment(line)) continue;
        const QString where = source.value->where(i);
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = &palette.teams[line.mid(1, line.size() - 2)];
            continue;
        }
        const QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const auto rgb = parse_rgb_tokens(tokens, 1);
        if (tokens[0].size() != 1 || tokens[0][0].unicode() > 0x7f || !rgb) {
            return Outcome<Palette>::fail(where + QStringLiteral(": expected \"key r g b name\""));
        }
        const char key = static_cast<char>(tokens[0][0].unicode());
        if ((*rgb == kTransparentWhite) != (key == kBackgroundKey)) {
            return Outcome<Palette>::fail(
                where + QStringLiteral(": only '.' is pure white (255 255 255), and it must be"));
        }
        if (section->count(key) != 0) {
            return Outcome<Palette>::fail(where + QStringLiteral(": key '%1' defined twice").arg(tokens[0]));
        }
        (*section)[key] = *rgb;
    }
    if (palette.common.count(kBackgroundKey) == 0) {
        return Outcome<Palette>::fail(path + QStringLiteral(": the background key '.' is missing"));
    }
    return Outcome<Palette>::ok(std::move(palette));
}
