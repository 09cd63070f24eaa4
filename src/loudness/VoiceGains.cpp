#include "loudness/VoiceGains.h"

#include <QHash>

namespace brisomel {

namespace {

QString nfc(const QString& name) {
    return name.normalized(QString::NormalizationForm_C);
}

// A signed number with one decimal and a true minus sign, as people read levels.
QString signedTenths(double value) {
    const QString digits = QString::number(std::abs(value), 'f', 1);
    if (digits == u"0.0") {
        return QStringLiteral("±0.0");
    }
    return (value < 0 ? QStringLiteral("−") : QStringLiteral("+")) + digits;
}

} // namespace

void applyVoiceGains(BuiltTimeline& timeline, const std::vector<SpeakerGain>& gains) {
    QHash<QString, double> bySpeaker;
    for (const SpeakerGain& gain : gains) {
        if (gain.gain) {
            bySpeaker.insert(nfc(gain.speaker), *gain.gain);
        }
    }
    for (const auto& track : timeline.tracks) {
        if (track->trackType != TrackType::sound) {
            continue;
        }
        const auto found = bySpeaker.constFind(nfc(track->speakerName));
        if (found == bySpeaker.cend()) {
            continue;
        }
        for (const auto& clip : track->clips()) {
            if (auto* sound = dynamic_cast<SoundClip*>(clip.get())) {
                sound->volumeDb = *found;
            }
        }
    }
}

QString gainSummary(const SpeakerGain& gain) {
    const QString name = gain.named ? gain.speaker : QStringLiteral("（話者なし）");
    if (!gain.gain) {
        return QStringLiteral("%1 無音か短すぎて測れません（音量はそのまま）").arg(name);
    }
    const QString line = QStringLiteral("%1 %2 LUFS → %3 dB")
                             .arg(name, signedTenths(gain.loudness), signedTenths(*gain.gain));
    if (!gain.peakLimited) {
        return line;
    }
    return line + QStringLiteral("（ピークを %1 dBTP に抑えるため控えめ）")
                      .arg(signedTenths(kTruePeakCeiling));
}

} // namespace brisomel
