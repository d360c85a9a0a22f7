#pragma once

#include "session/Output.h"

#include <QObject>
#include <QString>

#include <string>

class QSoundEffect;

namespace orv::ui {

// Plays the alert wave file without waiting for it. A missing or unplayable file gives the system
// beep instead. The sound effect is created at the first alert, so start-up never waits for the
// audio system.
class SoundPlayer : public QObject, public orv::SoundPlayer {
    Q_OBJECT

  public:
    explicit SoundPlayer(QObject* parent = nullptr);
    void PlayAsync(const std::string& path) override;

  private:
    void StatusChanged();

    QSoundEffect* effect_ = nullptr;
    QString source_;
};

} // namespace orv::ui
