#pragma once

#include "settings/OptionTable.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <vector>

class QSettings;

namespace brisomel {

// The persisted conversion options, stored under their table's keys. An option without a stored
// value (or with a stored value of the wrong kind) answers its registered default, which is
// never written to the store. Every change is written at once.
class UserSettings : public QObject {
    Q_OBJECT
public:
    // Uses the application's native preferences store (organisation and application Brisomel).
    explicit UserSettings(QObject* parent = nullptr);
    // Uses the given store, which must outlive this object (tests use a temporary one).
    explicit UserSettings(QSettings* store, QObject* parent = nullptr);
    ~UserSettings() override;

    // An option's value in its stored form.
    const QVariant& value(OptionKey key) const;
    // Stores the value and tells the observers, unless the option holds it already.
    void setValue(OptionKey key, const QVariant& value);

    std::int64_t frameIndex() const { return integer(OptionKey::frameIndex); }
    std::int64_t fpsIndex() const { return integer(OptionKey::fpsIndex); }
    std::int64_t alignIndex() const { return integer(OptionKey::alignIndex); }
    QString posX() const { return text(OptionKey::posX); }
    QString posY() const { return text(OptionKey::posY); }
    std::int64_t splitClipIndex() const { return integer(OptionKey::splitClipIndex); }
    bool isSilence() const { return value(OptionKey::isSilence).toBool(); }
    QString silenceDulation() const { return text(OptionKey::silenceDulation); }
    bool isSrt() const { return value(OptionKey::isSrt).toBool(); } // also write NAME.srt
    // Half-width units a caption line may take, 0 for no breaking; lines per title.
    std::int64_t wrapWidth() const { return integer(OptionKey::wrapWidth); }
    std::int64_t maxLines() const { return integer(OptionKey::maxLines); }
    // How speakers are found: a naming rule's name, or "template" for namingTemplate.
    QString namingRule() const { return text(OptionKey::namingRule); }
    QString namingTemplate() const { return text(OptionKey::namingTemplate); }
    // Whether reading and memo notations are taken out of captions.
    bool cleanMarkup() const { return value(OptionKey::cleanMarkup).toBool(); }
    // The replacement rules as a rule file's text.
    QString replacementRules() const { return text(OptionKey::replacementRules); }
    // Portraits by speaker name (SPEAKER.png, SPEAKER_口開.png); empty for none.
    QString portraitFolder() const { return text(OptionKey::portraitFolder); }
    // Whether voices are brought to one loudness, and that loudness in LUFS as typed.
    bool isLoudness() const { return value(OptionKey::isLoudness).toBool(); }
    QString loudnessTarget() const { return text(OptionKey::loudnessTarget); }

    void setFrameIndex(std::int64_t value) { setValue(OptionKey::frameIndex, qlonglong(value)); }
    void setFpsIndex(std::int64_t value) { setValue(OptionKey::fpsIndex, qlonglong(value)); }
    void setAlignIndex(std::int64_t value) { setValue(OptionKey::alignIndex, qlonglong(value)); }
    void setPosX(const QString& value) { setValue(OptionKey::posX, value); }
    void setPosY(const QString& value) { setValue(OptionKey::posY, value); }
    void setSplitClipIndex(std::int64_t value) {
        setValue(OptionKey::splitClipIndex, qlonglong(value));
    }
    void setIsSilence(bool value) { setValue(OptionKey::isSilence, value); }
    void setSilenceDulation(const QString& value) { setValue(OptionKey::silenceDulation, value); }
    void setIsSrt(bool value) { setValue(OptionKey::isSrt, value); }
    void setWrapWidth(std::int64_t value) { setValue(OptionKey::wrapWidth, qlonglong(value)); }
    void setMaxLines(std::int64_t value) { setValue(OptionKey::maxLines, qlonglong(value)); }
    void setNamingRule(const QString& value) { setValue(OptionKey::namingRule, value); }
    void setNamingTemplate(const QString& value) { setValue(OptionKey::namingTemplate, value); }
    void setCleanMarkup(bool value) { setValue(OptionKey::cleanMarkup, value); }
    void setReplacementRules(const QString& value) { setValue(OptionKey::replacementRules, value); }
    void setPortraitFolder(const QString& value) { setValue(OptionKey::portraitFolder, value); }
    void setIsLoudness(bool value) { setValue(OptionKey::isLoudness, value); }
    void setLoudnessTarget(const QString& value) { setValue(OptionKey::loudnessTarget, value); }

    // Calls `slot` in `context` after any of the options changes.
    template <typename Slot>
    void whenChanged(std::vector<OptionKey> keys, const QObject* context, Slot slot) {
        connect(this, &UserSettings::optionChanged, context,
                [watched = std::move(keys), slot](OptionKey key) {
                    if (std::find(watched.begin(), watched.end(), key) != watched.end()) {
                        slot();
                    }
                });
    }

    // Caption styles by speaker name, each kept as the text of the speaker's entry in a style
    // file (the styles layer reads and writes that text). Written at once, like the options.
    const QMap<QString, QString>& speakerStyles() const { return speakerStyles_; }
    // An empty text removes the speaker's style.
    void setSpeakerStyle(const QString& speaker, const QString& styleText);

    // How a window was last laid out (its size, its columns), under a name of the window's own;
    // empty when never stored. Written at once; not an option, so no change is announced.
    QByteArray windowLayout(const QString& name) const;
    void setWindowLayout(const QString& name, const QByteArray& layout);

signals:
    // Sent after an option has taken a value other than the one it held.
    void optionChanged(brisomel::OptionKey key);

private:
    void load();
    std::int64_t integer(OptionKey key) const { return value(key).toLongLong(); }
    QString text(OptionKey key) const { return value(key).toString(); }
    void loadSpeakerStyles();
    void saveSpeakerStyles();

    QSettings* store_;
    bool ownsStore_;
    std::vector<QVariant> values_; // by OptionKey
    QMap<QString, QString> speakerStyles_;
};

} // namespace brisomel
