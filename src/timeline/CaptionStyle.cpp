#include "timeline/CaptionStyle.h"

namespace brisomel {

namespace {

QString speakerKey(const QString& speaker) {
    return speaker.normalized(QString::NormalizationForm_C);
}

} // namespace

void SpeakerStyles::set(const QString& speaker, const CaptionStyle& style) {
    styles_.insert(speakerKey(speaker), style);
}

void SpeakerStyles::remove(const QString& speaker) {
    styles_.remove(speakerKey(speaker));
}

std::optional<CaptionStyle> SpeakerStyles::find(const QString& speaker) const {
    const auto found = styles_.constFind(speakerKey(speaker));
    return found == styles_.constEnd() ? std::nullopt : std::optional<CaptionStyle>(*found);
}

CaptionStyle SpeakerStyles::styleFor(const QString& speaker) const {
    return find(speaker).value_or(styles_.value(kOtherSpeakers));
}

} // namespace brisomel
