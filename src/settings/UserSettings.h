#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <cstdint>

class QSettings;

namespace brisomel {

// The persisted conversion options. Keys are the property names. A key without a stored value
// (or with a stored value of the wrong kind) answers its registered default, which is never
// written to the store. Every assignment but to timelineName is written at once.
class UserSettings : public QObject {
    Q_OBJECT
public:
    // Uses the application's native preferences store (organisation and application Brisomel).
    explicit UserSettings(QObject* parent = nullptr);
    // Uses the given store, which must outlive this object (tests use a temporary one).
    explicit UserSettings(QSettings* store, QObject* parent = nullptr);
    ~UserSettings() override;

    static QVariantMap registeredDefaults();

    const QVariantMap& defaults() const { return defaults_; }

    QString timelineName() const { return timelineName_; }
    std::int64_t frameIndex() const { return frameIndex_; }
    std::int64_t fpsIndex() const { return fpsIndex_; }
    std::int64_t alignIndex() const { return alignIndex_; }
    QString posX() const { return posX_; }
    QString posY() const { return posY_; }
    std::int64_t splitClipIndex() const { return splitClipIndex_; }
    bool isSilence() const { return isSilence_; }
    QString silenceDulation() const { return silenceDulation_; }
    bool isSrt() const { return isSrt_; } // also write the captions as subtitles (NAME.srt)
    // Half-width units a caption line may take, 0 for no breaking; lines per title.
    std::int64_t wrapWidth() const { return wrapWidth_; }
    std::int64_t maxLines() const { return maxLines_; }
    // How speakers are found: a naming rule's name, or "template" for namingTemplate.
    QString namingRule() const { return namingRule_; }
    QString namingTemplate() const { return namingTemplate_; }

    void setTimelineName(const QString& value);
    void setFrameIndex(std::int64_t value);
    void setFpsIndex(std::int64_t value);
    void setAlignIndex(std::int64_t value);
    void setPosX(const QString& value);
    void setPosY(const QString& value);
    void setSplitClipIndex(std::int64_t value);
    void setIsSilence(bool value);
    void setSilenceDulation(const QString& value);
    void setIsSrt(bool value);
    void setWrapWidth(std::int64_t value);
    void setMaxLines(std::int64_t value);
    void setNamingRule(const QString& value);
    void setNamingTemplate(const QString& value);

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
    // Sent after any published property has been assigned.
    void changed();

private:
    void load();
    QString readText(const QString& key) const;
    std::int64_t readInteger(const QString& key) const;
    bool readBool(const QString& key) const;
    // Assigns the property, writes it to the store at once and tells the observers.
    template <typename T> void assign(T& field, const T& value, const QString& key);
    void loadSpeakerStyles();
    void saveSpeakerStyles();

    QSettings* store_;
    bool ownsStore_;
    QVariantMap defaults_;

    QString timelineName_;
    std::int64_t frameIndex_ = 0;
    std::int64_t fpsIndex_ = 0;
    std::int64_t alignIndex_ = 0;
    QString posX_;
    QString posY_;
    std::int64_t splitClipIndex_ = 0;
    bool isSilence_ = false;
    QString silenceDulation_;
    bool isSrt_ = false;
    std::int64_t wrapWidth_ = 0;
    std::int64_t maxLines_ = 0;
    QString namingRule_;
    QString namingTemplate_;
    QMap<QString, QString> speakerStyles_;
};

} // namespace brisomel
