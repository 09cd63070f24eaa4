#include "settings/UserSettings.h"

#include <QMetaType>
#include <QSettings>

#include <optional>

namespace brisomel {

namespace {

// One group per speaker with a style, holding the name and the style: names may hold the
// characters that keys cannot ("/", "\\") or be empty.
const QString kSpeakerStyles = QStringLiteral("speakerStyles");
const QString kSpeaker = QStringLiteral("speaker");
const QString kStyle = QStringLiteral("style");
const QString kWindowLayouts = QStringLiteral("windowLayouts/");

// Stores that keep no value kinds (INI files) hand every value back as text, so texts that spell
// a whole number or a boolean are read as one; anything else counts as absent.
std::optional<qlonglong> asInteger(const QVariant& value) {
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
        return ok ? std::optional<qlonglong>(parsed) : std::nullopt;
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

// The stored value read as the option's kind, or the registered default.
QVariant readOption(const QSettings& store, const OptionDescriptor& option) {
    const QVariant stored = store.value(option.storedKey.toString());
    switch (option.kind) {
    case OptionKind::position:
    case OptionKind::count:
        if (const auto integer = asInteger(stored)) {
            return *integer;
        }
        break;
    case OptionKind::flag:
        if (const auto flag = asBool(stored)) {
            return *flag;
        }
        break;
    case OptionKind::numberText:
    case OptionKind::text:
        if (const auto text = asText(stored)) {
            return *text;
        }
        break;
    }
    return option.registeredDefault;
}

} // namespace

UserSettings::UserSettings(QObject* parent)
    : QObject(parent),
      store_(new QSettings(QStringLiteral("Brisomel"), QStringLiteral("Brisomel"))),
      ownsStore_(true) {
    load();
}

UserSettings::UserSettings(QSettings* store, QObject* parent)
    : QObject(parent), store_(store), ownsStore_(false) {
    load();
}

UserSettings::~UserSettings() {
    store_->sync();
    if (ownsStore_) {
        delete store_;
    }
}

void UserSettings::load() {
    values_.resize(optionTable().size());
    for (const OptionDescriptor& option : optionTable()) {
        values_[static_cast<std::size_t>(option.key)] = readOption(*store_, option);
    }
    loadSpeakerStyles();
}

const QVariant& UserSettings::value(OptionKey key) const {
    return values_[static_cast<std::size_t>(key)];
}

void UserSettings::setValue(OptionKey key, const QVariant& value) {
    QVariant& held = values_[static_cast<std::size_t>(key)];
    if (held == value) {
        return;
    }
    held = value;
    store_->setValue(option(key).storedKey.toString(), value);
    emit optionChanged(key);
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
}

QByteArray UserSettings::windowLayout(const QString& name) const {
    return store_->value(kWindowLayouts + name).toByteArray();
}

void UserSettings::setWindowLayout(const QString& name, const QByteArray& layout) {
    store_->setValue(kWindowLayouts + name, layout);
}

} // namespace brisomel
