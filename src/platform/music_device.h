// The music command device: text commands in the media-control command-string style
// ("open <path> alias bgmfile", "status bgmfile mode", ...) in, an optional reply out.
#pragma once

#include <string>

namespace vr {

class MusicDevice {
public:
    virtual ~MusicDevice() = default;
    // Returns 0 on success, non-zero on error (the game ignores it). When `reply` is given it
    // receives the answer text ("playing", "stopped", ...) or stays untouched for commands without one.
    virtual int send_command(const std::string& command, std::string* reply) = 0;
    // The soundfont file the music plays with; empty while there is none (not loaded yet, or no
    // soundfont could be).
    virtual std::string soundfont_file() { return {}; }
    // Whether anyone hears the music: not known while the device is still being set up; silent
    // without a sound output or without a soundfont.
    enum class Hearing { SettingUp, Heard, Silent };
    virtual Hearing hearing() { return Hearing::Silent; }
};

}  // namespace vr
