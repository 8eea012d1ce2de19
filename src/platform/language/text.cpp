// Texts: the game's Japanese and what the player reads, composed from the same parts.
#include "platform/language/text.h"

#include <QCoreApplication>

namespace vr {

namespace {

// Every %1..%9 of `format` replaced by its argument in one pass, so a % inside an argument stays.
QString fill(const QString& format, const std::vector<QString>& args) {
    QString out;
    out.reserve(format.size());
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            const int n = format[i + 1].digitValue();
            if (n >= 1 && n <= static_cast<int>(args.size())) {
                out += args[static_cast<size_t>(n - 1)];
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace

Text Text::translatable(const char* context, std::string source) {
    Text text(std::move(source));
    text.context_ = context;
    return text;
}

Text Text::arg(Text value) const {
    Text filled = *this;
    filled.args_.push_back(std::move(value));
    return filled;
}

Text Text::arg(int value) const {
    return arg(Text(std::to_string(value)));
}

std::string Text::source() const {
    if (args_.empty()) return format_;
    std::vector<QString> args;
    for (const Text& each : args_) args.push_back(QString::fromStdString(each.source()));
    return fill(QString::fromStdString(format_), args).toStdString();
}

QString Text::shown() const {
    const QString format = context_.empty() ? QString::fromStdString(format_)
                                            : QCoreApplication::translate(context_.c_str(), format_.c_str());
    std::vector<QString> args;
    for (const Text& each : args_) args.push_back(each.shown());
    QString text = args.empty() ? format : fill(format, args);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace vr
