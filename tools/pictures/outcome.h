// A value or the message that explains why there is none; how every loader reports bad input.
#pragma once

#include <QString>
#include <optional>
#include <utility>

template <class T>
struct Outcome {
    std::optional<T> value;  // empty when loading failed
    QString error;           // "file:line: what is wrong" when value is empty

    static Outcome ok(T v) { return Outcome{std::move(v), {}}; }
    static Outcome fail(QString message) { return Outcome{std::nullopt, std::move(message)}; }
    explicit operator bool() const { return value.has_value(); }
};
