#include "notify/qt/qt_alert_sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vc {

tQtAlertSound::tQtAlertSound() = default;
tQtAlertSound::~tQtAlertSound() = default;

void tQtAlertSound::Play(const std::string& file) {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        Beep();
        return;
    }
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
    }
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(file)));
    effect_->play();
}

void tQtAlertSound::Beep() {
    QApplication::beep();
}

} // namespace vc
