#include "app/LinePlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace brisomel {

namespace {

const QString kCannotPlay = QStringLiteral("%1 を再生できません");

} // namespace

LinePlayer::LinePlayer(QObject* parent) : QObject(parent) {}

bool LinePlayer::hasAudioOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

Status LinePlayer::play(const QString& path) {
    stop();
    // The file may have gone since the folder was read.
    if (!QFileInfo(path).isFile()) {
        return Failure{kCannotPlay, path, QStringLiteral("ファイルが見つかりません")};
    }
    if (!hasAudioOutput()) {
        return Failure{kCannotPlay, path, kNoAudioOutputText};
    }
    makePlayer();
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
    setPlayingPath(path);
    return Done{};
}

void LinePlayer::stop() {
    if (player_) {
        player_->stop();
    }
    setPlayingPath(QString());
}

void LinePlayer::makePlayer() {
    if (player_) {
        return;
    }
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState playback) {
                if (playback == QMediaPlayer::StoppedState) {
                    setPlayingPath(QString());
                }
            });
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) {
                const QString path = playingPath_;
                stop();
                emit failed(Failure{kCannotPlay, path, reason});
            });
}

void LinePlayer::setPlayingPath(const QString& path) {
    if (playingPath_ != path) {
        playingPath_ = path;
        emit playingChanged(path);
    }
}

} // namespace brisomel
