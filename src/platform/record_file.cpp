// Comma-separated record files, read leniently and written atomically.
#include "platform/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cstdint>
#include <limits>

namespace vr {

namespace {

// Larger inputs are not record files; refuse them rather than read a huge file.
constexpr qint64 kMaxRecordFileBytes = 4096;

bool is_separator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::vector<int>> read_record_numbers(const std::string& path, int count) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    if (file.size() > kMaxRecordFileBytes) return std::nullopt;
    const QByteArray bytes = file.readAll();
    const std::string text = bytes.toStdString();

    std::vector<int> numbers;
    size_t pos = 0;
    while (static_cast<int>(numbers.size()) < count) {
        while (pos < text.size() && is_separator(text[pos])) ++pos;
        if (pos >= text.size()) return std::nullopt;
        size_t end = pos;
        while (end < text.size() && !is_separator(text[end])) ++end;
        int value = 0;
        const char* first = text.data() + pos;
        const char* last = text.data() + end;
        if (*first == '+') ++first;
        const auto [ptr, error] = std::from_chars(first, last, value);
        if (error != std::errc() || ptr != last || value < std::numeric_limits<int16_t>::min() ||
            value > std::numeric_limits<int16_t>::max()) {
            return std::nullopt;
        }
        numbers.push_back(value);
        pos = end;
    }
    return numbers;
}

bool write_record_lines(const std::string& path, const std::vector<std::vector<int>>& records) {
    QByteArray text;
    for (const auto& record : records) {
        for (size_t i = 0; i < record.size(); ++i) {
            if (i > 0) text += ',';
            text += QByteArray::number(record[i]);
        }
        text += "\r\n";
    }
    // The player's folder in their home exists only from the first save or record on.
    const QString target = QString::fromStdString(path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace vr
