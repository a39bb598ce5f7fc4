// The alert sounds through Qt Multimedia; the desktop's beep where no audio output exists.
#pragma once

#include <memory>

#include "notify/alert_sound.h"

class QSoundEffect;

namespace vc {

class tQtAlertSound : public tAlertSound {
public:
    tQtAlertSound();
    ~tQtAlertSound() override;
    void Play(const std::string& file) override;
    void Beep() override;

private:
    // One effect, kept: a sound outlives the window that started it.
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace vc
