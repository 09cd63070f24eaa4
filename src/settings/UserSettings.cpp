#include "settings/UserSettings.h"

#include <QMetaType>
#include <QSettings>

namespace brisomel {

namespace {

const QString kTimelineName = QStringLiteral("timelineName");
const QString kFrameIndex = QStringLiteral("frameIndex");
const QString kFpsIndex = QStringLiteral("fpsIndex");
const QString kAlignIndex = QStringLiteral("alignIndex");
const QString kPosX = QStringLiteral("posX");
const QString kPosY = QStringLiteral("posY");
const QString kSplitClipIndex = QStringLiteral("splitClipIndex");
const QString kIsSilence = QStringLiteral("isSilence");
const QString kSilenceDulation = QStringLiteral("silenceDulation");
const QString kIsSrt = QStringLiteral("isSrt");
const QString kWrapWidth = QStringLiteral("wrapWidth");
const QString kMaxLines = QStringLiteral("maxLines");
const QString kNamingRule = QStringLiteral("namingRule");
const QString kNamingTemplate = QStringLiteral("namingTemplate");
// One group per speaker with a style, holding the name and the style: names may hold the
// characters that keys cannot ("/", "\\") or be empty.
const QString kSpeakerStyles = QStringLiteral("speakerStyles");
const QString kSpeaker = QStringLiteral("speaker");
const QString kStyle = QStringLiteral("style");
const QString kWindowLayouts = QStringLiteral("windowLayouts/");

// Stores that keep no value kinds (INI files) hand every value back as text, so texts that spell
// a whole number or a boolean are read as one; anything else counts as absent.
std::optional<std::int64_t> asInteger(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        bool ok = false;
        const qlonglong parsed = value.toString().toLongLong(&ok);
        return ok ? std::optional<std::int64_t>(parsed) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<bool> asBool(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
        return value.toLongLong() != 0;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString();
        if (text == QLatin1String("true") || text == QLatin1String("1")) {
            return true;
        }
        if (text == QLatin1String("false") || text == QLatin1String("0")) {
            return false;
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> asText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return std::nullopt;
    }
}

QVariant stored(std::int64_t value) {
    return qlonglong(value);
}
QVariant stored(bool value) {
    return value;
}
QVariant stored(const QString& value) {
    return value;
}

} // namespace

template <typename T> void UserSettings::assign(T& field, const T& value, const QString& key) {
    field = value;
    store_->setValue(key, stored(value));
    emit changed();
}

UserSettings::UserSettings(QObject* parent)
    : QObject(parent),
      store_(new QSettings(QStringLiteral("Brisomel"), QStringLiteral("Brisomel"))),
      ownsStore_(true), defaults_(registeredDefaults()) {
    load();
}

UserSettings::UserSettings(QSettings* store, QObject* parent)
    : QObject(parent), store_(store), ownsStore_(false), defaults_(registeredDefaults()) {
    load();
}

UserSettings::~UserSettings() {
    store_->sync();
    if (ownsStore_) {
        delete store_;
    }
}

QVariantMap UserSettings::registeredDefaults() {
    return {
        {kTimelineName, QStringLiteral("Brisomel")},
        {kFrameIndex, qlonglong(1)},
        {kFpsIndex, qlonglong(3)},
        {kAlignIndex, qlonglong(1)},
        {kPosX, QStringLiteral("0")},
        {kPosY, QStringLiteral("0")},
        {kSplitClipIndex, qlonglong(1)},
        {kIsSilence, false},
        {kSilenceDulation, QStringLiteral("0.5")},
        {kIsSrt, false},
        {kWrapWidth, qlonglong(0)},
        {kMaxLines, qlonglong(2)},
        {kNamingRule, QStringLiteral("standard")},
        {kNamingTemplate, QString()},
    };
}

void UserSettings::load() {
    timelineName_ = readText(kTimelineName);
    frameIndex_ = readInteger(kFrameIndex);
    fpsIndex_ = readInteger(kFpsIndex);
    alignIndex_ = readInteger(kAlignIndex);
    posX_ = readText(kPosX);
    posY_ = readText(kPosY);
    splitClipIndex_ = readInteger(kSplitClipIndex);
    isSilence_ = readBool(kIsSilence);
    silenceDulation_ = readText(kSilenceDulation);
    isSrt_ = readBool(kIsSrt);
    wrapWidth_ = readInteger(kWrapWidth);
    maxLines_ = readInteger(kMaxLines);
    namingRule_ = readText(kNamingRule);
    namingTemplate_ = readText(kNamingTemplate);
    loadSpeakerStyles();
}

void UserSettings::loadSpeakerStyles() {
    const int count = store_->beginReadArray(kSpeakerStyles);
    for (int i = 0; i < count; ++i) {
        store_->setArrayIndex(i);
        const auto speaker = asText(store_->value(kSpeaker));
        const auto style = asText(store_->value(kStyle));
        if (speaker && style && !style->isEmpty()) {
            speakerStyles_.insert(*speaker, *style);
        }
    }
    store_->endArray();
}

void UserSettings::saveSpeakerStyles() {
    store_->remove(kSpeakerStyles);
    store_->beginWriteArray(kSpeakerStyles, static_cast<int>(speakerStyles_.size()));
    int index = 0;
    for (auto it = speakerStyles_.cbegin(); it != speakerStyles_.cend(); ++it) {
        store_->setArrayIndex(index++);
        store_->setValue(kSpeaker, it.key());
        store_->setValue(kStyle, it.value());
    }
    store_->endArray();
}

void UserSettings::setSpeakerStyle(const QString& speaker, const QString& styleText) {
    if (styleText.isEmpty()) {
        speakerStyles_.remove(speaker);
    } else {
        speakerStyles_.insert(speaker, styleText);
    }
    saveSpeakerStyles();
    emit changed();
}

QByteArray UserSettings::windowLayout(const QString& name) const {
    return store_->value(kWindowLayouts + name).toByteArray();
}

void UserSettings::setWindowLayout(const QString& name, const QByteArray& layout) {
    store_->setValue(kWindowLayouts + name, layout);
}

QString UserSettings::readText(const QString& key) const {
    return asText(store_->value(key)).value_or(defaults_.value(key).toString());
}

std::int64_t UserSettings::readInteger(const QString& key) const {
    return asInteger(store_->value(key)).value_or(defaults_.value(key).toLongLong());
}

bool UserSettings::readBool(const QString& key) const {
    return asBool(store_->value(key)).value_or(defaults_.value(key).toBool());
}

// The timeline name is kept in memory only.
void UserSettings::setTimelineName(const QString& value) {
    timelineName_ = value;
    emit changed();
}

void UserSettings::setFrameIndex(std::int64_t value) {
    assign(frameIndex_, value, kFrameIndex);
}

void UserSettings::setFpsIndex(std::int64_t value) {
    assign(fpsIndex_, value, kFpsIndex);
}

void UserSettings::setAlignIndex(std::int64_t value) {
    assign(alignIndex_, value, kAlignIndex);
}

void UserSettings::setPosX(const QString& value) {
    assign(posX_, value, kPosX);
}

void UserSettings::setPosY(const QString& value) {
    assign(posY_, value, kPosY);
}

void UserSettings::setSplitClipIndex(std::int64_t value) {
    assign(splitClipIndex_, value, kSplitClipIndex);
}

void UserSettings::setIsSilence(bool value) {
    assign(isSilence_, value, kIsSilence);
}

void UserSettings::setSilenceDulation(const QString& value) {
    assign(silenceDulation_, value, kSilenceDulation);
}

void UserSettings::setIsSrt(bool value) {
    assign(isSrt_, value, kIsSrt);
}

void UserSettings::setWrapWidth(std::int64_t value) {
    assign(wrapWidth_, value, kWrapWidth);
}

void UserSettings::setMaxLines(std::int64_t value) {
    assign(maxLines_, value, kMaxLines);
}

void UserSettings::setNamingRule(const QString& value) {
    assign(namingRule_, value, kNamingRule);
}

void UserSettings::setNamingTemplate(const QString& value) {
    assign(namingTemplate_, value, kNamingTemplate);
}

} // namespace brisomel
