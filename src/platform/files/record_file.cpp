// Comma-separated record files, read leniently and written atomically, and the leftovers of
// writes that were killed halfway.
#include "platform/files/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string_view>

namespace vr {

namespace {

// Larger inputs are not record files; refuse them rather than read a huge file.
constexpr qint64 kMaxRecordFileBytes = 4096;

bool is_separator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The player's files, the save and the records: the only files the game writes.
constexpr std::string_view kPlayerFiles[] = {"vrdat.txt", "vrrec.txt"};
// QSaveFile names its temporary copy FILE.XXXXXX, the X's random ASCII letters.
constexpr size_t kTemporarySuffixLetters = 6;

bool is_ascii_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool is_interrupted_write(std::string_view name) {
    for (std::string_view file : kPlayerFiles) {
        if (name.size() != file.size() + 1 + kTemporarySuffixLetters) continue;
        if (name.substr(0, file.size()) != file || name[file.size()] != '.') continue;
        bool letters = true;
        for (char c : name.substr(file.size() + 1)) letters = letters && is_ascii_letter(c);
        if (letters) return true;
    }
    return false;
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

void remove_interrupted_writes(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        // Only plain files: the atomic write never leaves a link or a folder.
        std::error_code status_error;
        if (!it->is_regular_file(status_error) || it->is_symlink(status_error)) continue;
        if (!is_interrupted_write(it->path().filename().string())) continue;
        std::error_code remove_error;
        fs::remove(it->path(), remove_error);
    }
}

}  // namespace vr
