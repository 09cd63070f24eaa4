#include "settings/OptionTable.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brisomel {

namespace {

// Several times the distance from a 4K frame's centre to its corners: room for titles placed
// outside the frame on purpose.
constexpr OptionRange kPositionRange{-10000, 10000, {}};

QVariant text(QStringView value) {
    return value.toString();
}

// One row per option: key, stored key, kind, registered default, converter name, the layer
// that reads it, the name messages give it, and its range.
const std::vector<OptionDescriptor>& descriptors() {
    using K = OptionKey;
    using T = OptionKind;
    using R = OptionReader;
    // The position defaults are places in the window's lists: 1080p, 30 and centred; the
    // split-clip picker's second choice, which places the clips directly.
    // clang-format off
    static const std::vector<OptionDescriptor> table = {
        {K::frameIndex,       u"frameIndex",       T::position,    qlonglong(1),       u"size",             R::writer,     u"サイズ", {}},
        {K::fpsIndex,         u"fpsIndex",         T::position,    qlonglong(3),       u"fps",              R::builder,    u"レート", {}},
        {K::alignIndex,       u"alignIndex",       T::position,    qlonglong(1),       u"align",            R::writer,     u"配置", {}},
        {K::posX,             u"posX",             T::numberText,  text(u"0"),         u"x",                R::writer,     u"位置:X", kPositionRange},
        {K::posY,             u"posY",             T::numberText,  text(u"0"),         u"y",                R::writer,     u"位置:Y", kPositionRange},
        {K::splitClipIndex,   u"splitClipIndex",   T::position,    qlonglong(1),       u"split-clips",      R::writer,     u"分割クリップ", {}},
        // The converter has no switch of its own: --pause both gives the length and turns it on.
        {K::isSilence,        u"isSilence",        T::flag,        false,              {},                  R::builder,    u"間", {}},
        {K::silenceDulation,  u"silenceDulation",  T::numberText,  text(u"0.5"),       u"pause",            R::builder,    u"時間", OptionRange{0, 3600, u"（1時間まで）"}},
        {K::isSrt,            u"isSrt",            T::flag,        false,              u"srt",              R::subtitles,  u"字幕", {}},
        {K::wrapWidth,        u"wrapWidth",        T::count,       qlonglong(0),       u"wrap",             R::builder,    u"1行の最大幅", OptionRange{0, 999, {}}},
        {K::maxLines,         u"maxLines",         T::count,       qlonglong(2),       u"max-lines",        R::builder,    u"最大行数", OptionRange{1, 99, {}}},
        {K::namingRule,       u"namingRule",       T::text,        text(u"standard"),  u"naming",           R::intake,     u"ファイル名の形式", {}},
        {K::namingTemplate,   u"namingTemplate",   T::text,        text(u""),          u"naming-template",  R::intake,     u"テンプレート", {}},
        {K::cleanMarkup,      u"cleanMarkup",      T::flag,        false,              u"clean-markup",     R::intake,     u"読み仮名とメモの記法", {}},
        // Kept as a rule file's text; the converter reads such a file.
        {K::replacementRules, u"replacementRules", T::text,        text(u""),          u"replace",          R::intake,     u"置換ルール", {}},
        {K::portraitFolder,   u"portraitFolder",   T::text,        text(u""),          u"portraits",        R::builder,    u"立ち絵フォルダ", {}},
        // As with the pause, --loudness both gives the target and turns the option on.
        {K::isLoudness,       u"isLoudness",       T::flag,        false,              {},                  R::builder,    u"音量をそろえる", {}},
        {K::loudnessTarget,   u"loudnessTarget",   T::numberText,  text(u"-14"),       u"loudness",         R::builder,    u"目標の音量", OptionRange{-70, 0, u"（LUFS）"}},
    };
    // clang-format on
    return table;
}

Failure optionFailure(const QString& message) {
    return {message, {}, {}, FailureCode::optionValue};
}

} // namespace

std::span<const OptionDescriptor> optionTable() {
    return descriptors();
}

const OptionDescriptor& option(OptionKey key) {
    const auto& table = descriptors();
    return *std::find_if(table.begin(), table.end(),
                         [key](const OptionDescriptor& row) { return row.key == key; });
}

std::vector<OptionKey> optionsReadBy(OptionReader reader) {
    std::vector<OptionKey> keys;
    for (const OptionDescriptor& row : descriptors()) {
        if (row.reader == reader) {
            keys.push_back(row.key);
        }
    }
    return keys;
}

Result<double> checkedNumber(OptionKey key, double value) {
    const OptionDescriptor& described = option(key);
    const QString label = described.label.toString();
    if (!std::isfinite(value)) {
        return optionFailure(QStringLiteral("%1は数値を入力してください").arg(label));
    }
    if (!described.range) {
        return value;
    }
    const OptionRange& range = *described.range;
    if (value < range.minimum) {
        return optionFailure(QStringLiteral("%1は%2以上を入力してください")
                                 .arg(label, QString::number(range.minimum)));
    }
    if (value > range.maximum) {
        return optionFailure(
            QStringLiteral("%1は%2以下%3を入力してください")
                .arg(label, QString::number(range.maximum), range.maximumNote.toString()));
    }
    return value;
}

QString rangeText(OptionKey key) {
    const OptionRange& range = *option(key).range;
    return QStringLiteral("%1 から %2")
        .arg(QString::number(range.minimum), QString::number(range.maximum));
}

} // namespace brisomel
