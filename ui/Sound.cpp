#include "ui/Sound.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace orv::ui {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

void SoundPlayer::PlayAsync(const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFileInfo(file).isFile()) {
        QApplication::beep();
        return;
    }
    if (effect_ == nullptr) {
        effect_ = new QSoundEffect(this);
        connect(effect_, &QSoundEffect::statusChanged, this, &SoundPlayer::StatusChanged);
    }
    if (source_ != file) {
        source_ = file;
        effect_->setSource(QUrl::fromLocalFile(file));
    }
    if (effect_->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    // While the file is still loading, the effect plays it as soon as it is ready.
    effect_->play();
}

void SoundPlayer::StatusChanged() {
    if (effect_->status() == QSoundEffect::Error) QApplication::beep();
}

} // namespace orv::ui
