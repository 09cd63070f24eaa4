#include "styles/StyleFile.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace brisomel {

namespace {

const QString kReadFailure = QStringLiteral("スタイルファイル %1 を読み込めません");
const QString kWriteFailure = QStringLiteral("スタイルファイル %1 を書き出せません");

// What is wrong with one value, or nothing when it was taken into the style.
using Problem = std::optional<QString>;

Problem takeText(const QJsonValue& value, QString& field) {
    if (!value.isString() || value.toString().isEmpty()) {
        return QStringLiteral("空でない文字列ではありません");
    }
    field = value.toString();
    return std::nullopt;
}

std::optional<double> finiteNumber(const QJsonValue& value) {
    return value.isDouble() && std::isfinite(value.toDouble()) ? std::optional(value.toDouble())
                                                               : std::nullopt;
}

// The style being read from one entry, how numbers outside their range are met, and the folder
// relative image paths start from.
struct EntryReading {
    CaptionStyle style;
    OutOfRange outOfRange;
    QString baseFolder;

    // Any outline or shadow key switches the outline or shadow on, with defaults for the rest.
    Outline& outline() { return style.outline ? *style.outline : style.outline.emplace(); }
    DropShadow& shadow() { return style.shadow ? *style.shadow : style.shadow.emplace(); }
    // Any portrait key gives the speaker a portrait; its images may come from a portrait folder.
    PortraitStyle& portrait() {
        return style.portrait ? *style.portrait : style.portrait.emplace();
    }
};

QString outsideRange(StyleRange range) {
    return QStringLiteral("%1 から %2 までの数ではありません")
        .arg(range.minimum)
        .arg(range.maximum);
}

Problem takeNumber(std::optional<double> number, StyleRange range, OutOfRange outOfRange,
                   double& field) {
    if (number && outOfRange == OutOfRange::clamp) {
        field = std::clamp(*number, range.minimum, range.maximum);
        return std::nullopt;
    }
    if (!number || !range.contains(*number)) {
        return outsideRange(range);
    }
    field = *number;
    return std::nullopt;
}

Problem takeAngle(const QJsonValue& value, double& field) {
    const auto number = finiteNumber(value);
    if (!number) {
        return QStringLiteral("数ではありません");
    }
    field = normalizedAngle(*number);
    return std::nullopt;
}

template <typename Field> Problem takeColor(const QJsonValue& value, Field& field) {
    const auto color = value.isString() ? parseStyleColor(value.toString()) : std::nullopt;
    if (!color) {
        return QStringLiteral("色（#RRGGBB または #RRGGBBAA）ではありません");
    }
    field = *color;
    return std::nullopt;
}

// The earlier form of the shadow's place: [x, y], x to the right and y upwards.
Problem takeOffset(const QJsonValue& value, EntryReading& reading) {
    const QJsonArray pair = value.toArray();
    const auto x = finiteNumber(pair.at(0));
    const auto y = finiteNumber(pair.at(1));
    if (!value.isArray() || pair.size() != 2 || !x || !y) {
        return QStringLiteral("2 つの数の配列ではありません");
    }
    const PolarOffset polar = polarOffset(*x, *y);
    DropShadow& shadow = reading.shadow();
    shadow.angle = polar.angle;
    if (takeNumber(polar.distance, kShadowDistanceRange, reading.outOfRange, shadow.distance)) {
        return QStringLiteral("影の距離 √(x² + y²) が 0 から 100 までではありません");
    }
    return std::nullopt;
}

// An image file; a relative path starts from the style file's folder.
Problem takeImage(const QJsonValue& value, const EntryReading& reading, QString& field) {
    QString path;
    if (const Problem problem = takeText(value, path)) {
        return problem;
    }
    field = QDir::cleanPath(QDir(reading.baseFolder).absoluteFilePath(path));
    return std::nullopt;
}

Problem takePosition(const QJsonValue& value, EntryReading& reading) {
    const QJsonArray pair = value.toArray();
    const auto x = finiteNumber(pair.at(0));
    const auto y = finiteNumber(pair.at(1));
    if (!value.isArray() || pair.size() != 2 || !x || !y) {
        return QStringLiteral("2 つの数の配列 [x, y] ではありません");
    }
    PortraitStyle& portrait = reading.portrait();
    if (takeNumber(x, kPortraitPositionRange, reading.outOfRange, portrait.x) ||
        takeNumber(y, kPortraitPositionRange, reading.outOfRange, portrait.y)) {
        return outsideRange(kPortraitPositionRange);
    }
    return std::nullopt;
}

const QString kShownSpeaking = QStringLiteral("speaking");
const QString kShownAlways = QStringLiteral("always");

Problem takeShown(const QJsonValue& value, EntryReading& reading) {
    if (value == QJsonValue(kShownSpeaking) || value == QJsonValue(kShownAlways)) {
        reading.portrait().shown =
            value.toString() == kShownAlways ? PortraitShown::always : PortraitShown::speaking;
        return std::nullopt;
    }
    return QStringLiteral("\"speaking\" か \"always\" ではありません");
}

// A key's value as the file holds it, or nothing when the entry leaves the key out.
using Written = std::optional<QJsonValue>;

// The value as the file spells it.
QJsonValue jsonValue(const QString& text) {
    return text;
}
QJsonValue jsonValue(double number) {
    return number;
}
QJsonValue jsonValue(StyleColor color) {
    return styleColorText(color);
}

// A value of the style itself, written only when it differs from the default.
template <typename T> Written unlessDefault(const CaptionStyle& style, T CaptionStyle::*field) {
    static const CaptionStyle defaults;
    return style.*field == defaults.*field ? Written() : jsonValue(style.*field);
}

// A value of the portrait, written when the speaker has one and it differs from the default.
template <typename T> Written portraitValue(const CaptionStyle& style, T PortraitStyle::*field) {
    static const PortraitStyle defaults;
    return style.portrait && !(*style.portrait.*field == defaults.*field)
               ? Written(jsonValue(*style.portrait.*field))
               : Written();
}

Written portraitPosition(const CaptionStyle& style) {
    if (!style.portrait || (style.portrait->x == 0 && style.portrait->y == 0)) {
        return Written();
    }
    return QJsonArray{style.portrait->x, style.portrait->y};
}

Written portraitShown(const CaptionStyle& style) {
    if (!style.portrait) {
        return Written();
    }
    // Written even when it is the default, so that a portrait taken from a folder keeps its
    // entry.
    return style.portrait->shown == PortraitShown::always ? kShownAlways : kShownSpeaking;
}

// A value of the outline or the shadow, written whenever that part is on.
template <typename Part, typename T>
Written whileOn(const std::optional<Part>& part, T Part::*field) {
    return part ? Written(jsonValue(*part.*field)) : Written();
}

// Every key an entry may hold: how its value enters the style, and how the style gives it back
// (nothing for a key that is only read).
struct KeyRule {
    QLatin1StringView key;
    Problem (*take)(const QJsonValue&, EntryReading&);
    Written (*give)(const CaptionStyle&);
};

constexpr KeyRule kKeyRules[] = {
    {QLatin1StringView("font"),
     [](const QJsonValue& v, EntryReading& r) { return takeText(v, r.style.font); },
     [](const CaptionStyle& s) { return unlessDefault(s, &CaptionStyle::font); }},
    {QLatin1StringView("face"),
     [](const QJsonValue& v, EntryReading& r) { return takeText(v, r.style.face); },
     [](const CaptionStyle& s) { return unlessDefault(s, &CaptionStyle::face); }},
    {QLatin1StringView("size"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kFontSizeRange, r.outOfRange, r.style.size);
     },
     [](const CaptionStyle& s) { return unlessDefault(s, &CaptionStyle::size); }},
    {QLatin1StringView("color"),
     [](const QJsonValue& v, EntryReading& r) { return takeColor(v, r.style.color); },
     [](const CaptionStyle& s) { return unlessDefault(s, &CaptionStyle::color); }},
    {QLatin1StringView("stroke"),
     [](const QJsonValue& v, EntryReading& r) { return takeColor(v, r.outline().color); },
     [](const CaptionStyle& s) { return whileOn(s.outline, &Outline::color); }},
    {QLatin1StringView("strokeWidth"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kOutlineWidthRange, r.outOfRange, r.outline().width);
     },
     [](const CaptionStyle& s) { return whileOn(s.outline, &Outline::width); }},
    {QLatin1StringView("shadow"),
     [](const QJsonValue& v, EntryReading& r) { return takeColor(v, r.shadow().color); },
     [](const CaptionStyle& s) { return whileOn(s.shadow, &DropShadow::color); }},
    {QLatin1StringView("shadowDistance"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kShadowDistanceRange, r.outOfRange,
                           r.shadow().distance);
     },
     [](const CaptionStyle& s) { return whileOn(s.shadow, &DropShadow::distance); }},
    {QLatin1StringView("shadowAngle"),
     [](const QJsonValue& v, EntryReading& r) { return takeAngle(v, r.shadow().angle); },
     [](const CaptionStyle& s) { return whileOn(s.shadow, &DropShadow::angle); }},
    {QLatin1StringView("shadowBlur"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kShadowBlurRange, r.outOfRange, r.shadow().blur);
     },
     [](const CaptionStyle& s) { return whileOn(s.shadow, &DropShadow::blur); }},
    {QLatin1StringView("portrait"),
     [](const QJsonValue& v, EntryReading& r) { return takeImage(v, r, r.portrait().image); },
     [](const CaptionStyle& s) { return portraitValue(s, &PortraitStyle::image); }},
    {QLatin1StringView("portraitOpen"),
     [](const QJsonValue& v, EntryReading& r) { return takeImage(v, r, r.portrait().openImage); },
     [](const CaptionStyle& s) { return portraitValue(s, &PortraitStyle::openImage); }},
    {QLatin1StringView("portraitPosition"), takePosition, portraitPosition},
    {QLatin1StringView("portraitScale"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kPortraitScaleRange, r.outOfRange, r.portrait().scale);
     },
     [](const CaptionStyle& s) { return portraitValue(s, &PortraitStyle::scale); }},
    {QLatin1StringView("portraitShown"), takeShown, portraitShown},
    {QLatin1StringView("portraitThreshold"),
     [](const QJsonValue& v, EntryReading& r) {
         return takeNumber(finiteNumber(v), kPortraitThresholdRange, r.outOfRange,
                           r.portrait().threshold);
     },
     [](const CaptionStyle& s) { return portraitValue(s, &PortraitStyle::threshold); }},
    {QLatin1StringView("portraitHold"),
     [](const QJsonValue& v, EntryReading& r) {
         const auto frames = finiteNumber(v);
         if (frames && *frames != std::floor(*frames)) {
             return Problem(QStringLiteral("整数ではありません"));
         }
         return takeNumber(frames, kPortraitHoldRange, r.outOfRange, r.portrait().hold);
     },
     [](const CaptionStyle& s) { return portraitValue(s, &PortraitStyle::hold); }},
    // Read from files of earlier versions; the distance and angle are written instead.
    {QLatin1StringView("shadowOffset"), takeOffset, nullptr},
};

const KeyRule* ruleFor(const QString& key) {
    for (const KeyRule& rule : kKeyRules) {
        if (rule.key == key) {
            return &rule;
        }
    }
    return nullptr;
}

Failure entryFailure(const QString& speaker, const QString& key, const QString& problem) {
    return {QString(), QString(), QStringLiteral("「%1」の \"%2\": %3").arg(speaker, key, problem)};
}

int hexByte(QStringView digits) {
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok ? value : -1;
}

} // namespace

std::optional<StyleColor> parseStyleColor(const QString& text) {
    if (!text.startsWith(u'#') || (text.size() != 7 && text.size() != 9)) {
        return std::nullopt;
    }
    int channels[4] = {0, 0, 0, 255};
    for (qsizetype i = 1; i < text.size(); i += 2) {
        const QStringView digits = QStringView(text).mid(i, 2);
        // toInt would take a sign or a blank; only two hexadecimal digits make a channel.
        const bool hexOnly = std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
        });
        channels[i / 2] = hexOnly ? hexByte(digits) : -1;
        if (channels[i / 2] < 0) {
            return std::nullopt;
        }
    }
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    return StyleColor{byte(channels[0]), byte(channels[1]), byte(channels[2]), byte(channels[3])};
}

QString styleColorText(StyleColor color) {
    QString text = QStringLiteral("#");
    for (int channel : {color.red, color.green, color.blue}) {
        text += QStringLiteral("%1").arg(channel, 2, 16, QLatin1Char('0')).toUpper();
    }
    if (color.alpha != 255) {
        text += QStringLiteral("%1").arg(int(color.alpha), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

Result<CaptionStyle> parseStyleEntry(const QJsonObject& entry, const QString& speaker,
                                     OutOfRange outOfRange, const QString& baseFolder) {
    const QString offsetKey = QStringLiteral("shadowOffset");
    if (entry.contains(offsetKey) && (entry.contains(QLatin1StringView("shadowDistance")) ||
                                      entry.contains(QLatin1StringView("shadowAngle")))) {
        return entryFailure(
            speaker, offsetKey,
            QStringLiteral("\"shadowDistance\"・\"shadowAngle\" と一緒には使えません"));
    }
    EntryReading reading{CaptionStyle{}, outOfRange, baseFolder};
    for (auto it = entry.begin(); it != entry.end(); ++it) {
        const KeyRule* rule = ruleFor(it.key());
        if (!rule) {
            return entryFailure(speaker, it.key(), QStringLiteral("知らないキーです"));
        }
        if (const Problem problem = rule->take(it.value(), reading)) {
            return entryFailure(speaker, it.key(), *problem);
        }
    }
    if (reading.style.portrait && !reading.style.portrait->openImage.isEmpty() &&
        reading.style.portrait->image.isEmpty()) {
        return entryFailure(
            speaker, QStringLiteral("portraitOpen"),
            QStringLiteral("\"portrait\"（口を閉じた画像）と一緒に指定してください"));
    }
    return reading.style;
}

QJsonObject styleEntry(const CaptionStyle& style) {
    QJsonObject entry;
    for (const KeyRule& rule : kKeyRules) {
        if (const Written value = rule.give ? rule.give(style) : Written()) {
            entry.insert(rule.key, *value);
        }
    }
    return entry;
}

Result<SpeakerStyles> parseStyleFile(const QByteArray& json, const QString& path) {
    const auto failure = [&path](const QString& reason) {
        return Failure{kReadFailure, path, reason};
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        return failure(QStringLiteral("JSON として読めません（%1 バイト目: %2）")
                           .arg(error.offset)
                           .arg(error.errorString()));
    }
    if (!document.isObject()) {
        return failure(QStringLiteral("話者名からスタイルへの JSON オブジェクトではありません"));
    }
    SpeakerStyles styles;
    const QJsonObject speakers = document.object();
    for (auto it = speakers.begin(); it != speakers.end(); ++it) {
        if (!it.value().isObject()) {
            return failure(
                QStringLiteral("「%1」のスタイルが JSON オブジェクトではありません").arg(it.key()));
        }
        const Result<CaptionStyle> style = parseStyleEntry(
            it.value().toObject(), it.key(), OutOfRange::refuse, QFileInfo(path).absolutePath());
        if (!style) {
            return failure(style.failure().reason);
        }
        styles.set(it.key(), *style);
    }
    return styles;
}

Result<SpeakerStyles> readStyleFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{kReadFailure, path, file.errorString()};
    }
    return parseStyleFile(file.readAll(), path);
}

QByteArray styleFileText(const SpeakerStyles& styles) {
    QJsonObject speakers;
    for (const QString& speaker : styles.speakers()) {
        speakers.insert(speaker, styleEntry(*styles.find(speaker)));
    }
    return QJsonDocument(speakers).toJson(QJsonDocument::Indented);
}

Status writeStyleFile(const QString& path, const SpeakerStyles& styles) {
    // The JSON text is valid UTF-8 (a lone surrogate is written as an escape), so it comes back
    // from UTF-16 byte for byte.
    return writeFileAtomically(path, QString::fromUtf8(styleFileText(styles)), kWriteFailure);
}

} // namespace brisomel
