// Preferences through QSettings: ~/.config/beroran/beroran.ini (XDG_CONFIG_HOME respected).
#include "platform/files/settings.h"

#include <QSettings>

namespace vr {

namespace {

QSettings open_settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "beroran", "beroran");
}

}  // namespace

int read_setting(const char* key, int fallback) {
    bool ok = false;
    const int value = open_settings().value(key).toInt(&ok);
    return ok ? value : fallback;
}

void write_setting(const char* key, int value) {
    open_settings().setValue(key, value);
}

std::string read_text_setting(const char* key, const std::string& fallback) {
    const QVariant value = open_settings().value(key);
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void write_text_setting(const char* key, const std::string& value) {
    open_settings().setValue(key, QString::fromStdString(value));
}

}  // namespace vr
