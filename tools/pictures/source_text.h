// Line-oriented reading of the text sources, with "file:line:" in every error message.
#pragma once

#include <QString>
#include <QStringList>

#include "outcome.h"

struct SourceText {
    QString path;       // as given, used in messages
    QStringList lines;  // without line ends

    QString where(int index) const;  // "path:line" for the 0-based line index
};

Outcome<SourceText> read_source_text(const QString& path);

// Splits a command line on blanks; a "double-quoted part" stays one token without its quotes.
Outcome<QStringList> split_tokens(const QString& line);

// True for a line that carries nothing: empty, blank, or a '#' comment.
bool is_blank_or_comment(const QString& line);

// Parses "#rrggbb"; empty when the text is not one.
std::optional<unsigned> parse_hex_colour(const QString& text);
