#include "styles/StoredStyles.h"

#include "styles/StyleFile.h"

#include <QJsonDocument>

namespace brisomel {

SpeakerStyles storedStyles(const UserSettings& settings) {
    SpeakerStyles styles;
    const QMap<QString, QString>& stored = settings.speakerStyles();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QJsonDocument entry = QJsonDocument::fromJson(it.value().toUtf8());
        const Result<CaptionStyle> style =
            parseStyleEntry(entry.object(), it.key(), OutOfRange::clamp);
        if (entry.isObject() && style) {
            styles.set(it.key(), *style);
        }
    }
    return styles;
}

void storeStyle(UserSettings& settings, const QString& speaker, const CaptionStyle& style) {
    const QString key = speaker.normalized(QString::NormalizationForm_C);
    if (style == CaptionStyle{}) {
        settings.setSpeakerStyle(key, QString());
        return;
    }
    const QByteArray text = QJsonDocument(styleEntry(style)).toJson(QJsonDocument::Compact);
    settings.setSpeakerStyle(key, QString::fromUtf8(text));
}

} // namespace brisomel
