// Reading source files line by line and splitting command lines into tokens.
#include "source_text.h"

#include <QFile>

namespace {
constexpr int kHexColourLength = 7;  // '#' and six hex digits
constexpr int kHexBase = 16;
}  // namespace

QString SourceText::where(int index) const {
    return QStringLiteral("%1:%2").arg(path).arg(index + 1);
}

Outcome<SourceText> read_source_text(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Outcome<SourceText>::fail(
            QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()));
    }
    const QString text = QString::fromUtf8(file.readAll());
    SourceText source{path, text.split(QLatin1Char('\n'))};
    for (QString& line : source.lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return Outcome<SourceText>::ok(std::move(source));
}

Outcome<QStringList> split_tokens(const QString& line) {
    QStringList tokens;
    QString current;
    bool in_token = false;
    bool quoted = false;
    for (const QChar c : line) {
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            in_token = true;
        } else if (c.isSpace()) {
            if (in_token) tokens << current;
            current.clear();
            in_token = false;
        } else {
            current += c;
            in_token = true;
        }
    }
    if (quoted) return Outcome<QStringList>::fail(QStringLiteral("unterminated quoted text"));
    if (in_token) tokens << current;
    return Outcome<QStringList>::ok(tokens);
}

bool is_blank_or_comment(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'));
}

std::optional<unsigned> parse_hex_colour(const QString& text) {
    if (text.size() != kHexColourLength || !text.startsWith(QLatin1Char('#'))) return std::nullopt;
    bool ok = false;
    const unsigned value = text.mid(1).toUInt(&ok, kHexBase);
    if (!ok) return std::nullopt;
    return value;
}
