// Who makes the alert window's sound: a sound file played without waiting for it, or the desktop's
// beep when there is no file or nothing to play it on.
#pragma once

#include <string>

namespace vc {

class tAlertSound {
public:
    virtual ~tAlertSound() = default;
    // Starts playing the file and returns at once.
    virtual void Play(const std::string& file) = 0;
    virtual void Beep() = 0;
};

} // namespace vc
