// Translated text and its placeholders.
#include "platform/text.h"

#include <QCoreApplication>
#include <QString>

namespace vr {

std::string translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

std::string with_args(const std::string& text, std::initializer_list<std::string> args) {
    // All at once, so an argument that itself holds "%2" is left as it is.
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && n < args.size()) {
            result += args.begin()[n];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace vr
