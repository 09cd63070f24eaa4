#pragma once

#include "core/Failure.h"

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

namespace brisomel {

inline const QString kNoAudioOutputText = QStringLiteral("音声の出力先がないため再生できません");

// Plays one voice file at a time on the platform's audio output. Where there is no output
// nothing is set up and every play is refused, so a machine without sound never blocks.
class LinePlayer : public QObject {
    Q_OBJECT
public:
    explicit LinePlayer(QObject* parent = nullptr);

    // Whether the platform offers an audio output to play on.
    static bool hasAudioOutput();

    // Starts playing the file, stopping whatever played; the failure, naming the file, when it
    // cannot start.
    Status play(const QString& path);
    void stop();
    // The file that plays; empty when nothing does.
    const QString& playingPath() const { return playingPath_; }

signals:
    // A file started or stopped playing (the path is empty when nothing plays any more).
    void playingChanged(const QString& path);
    // A file that had started could not be played to its end.
    void failed(const Failure& failure);

private:
    void setPlayingPath(const QString& path);
    void makePlayer();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString playingPath_;
};

} // namespace brisomel
