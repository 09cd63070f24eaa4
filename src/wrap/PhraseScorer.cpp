#include "wrap/PhraseScorer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>

namespace brisomel {

namespace {

// A feature looks at the characters from `from` to `to` around the place before character i.
struct Feature {
    const char* name;
    int from;
    int to;
};

constexpr std::array<Feature, 13> kFeatures = {{
    {"UW1", -3, -2},
    {"UW2", -2, -1},
    {"UW3", -1, 0},
    {"UW4", 0, 1},
    {"UW5", 1, 2},
    {"UW6", 2, 3},
    {"BW1", -2, 0},
    {"BW2", -1, 1},
    {"BW3", 0, 2},
    {"TW1", -3, 0},
    {"TW2", -2, 1},
    {"TW3", -1, 2},
    {"TW4", 0, 3},
}};

// One key for a feature and up to three UTF-16 units: the units in the low 48 bits.
quint64 keyOf(std::size_t feature, QStringView units) {
    quint64 key = feature + 1;
    for (const QChar unit : units) {
        key = (key << 16) | unit.unicode();
    }
    return key;
}

const QString kModelFile = QStringLiteral(":/brisomel/wrap/budoux-ja.json");

} // namespace

Result<PhraseScorer> PhraseScorer::fromJson(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject()) {
        return Failure{
            QStringLiteral("文節の区切りのモデルが JSON のオブジェクトではありません"), {}, {}};
    }
    PhraseScorer scorer;
    qint64 total = 0;
    std::size_t count = 0;
    const QJsonObject groups = document.object();
    for (const QJsonValue group : groups) {
        for (const QJsonValue weight : group.toObject()) {
            total += weight.toInt();
            ++count;
        }
    }
    std::size_t size = 16;
    while (size < 2 * count) {
        size *= 2;
    }
    scorer.slots_.resize(size);
    for (std::size_t f = 0; f < kFeatures.size(); ++f) {
        const QJsonObject group = groups.value(QLatin1StringView(kFeatures[f].name)).toObject();
        const auto length = kFeatures[f].to - kFeatures[f].from;
        for (auto it = group.begin(); it != group.end(); ++it) {
            if (it.key().size() == length) {
                scorer.insert(keyOf(f, it.key()), it.value().toInt());
            }
        }
    }
    // Every weight of the model counts half against a break, so a place scores above zero only
    // when the weights that fire there outweigh half of all of them.
    scorer.base_ = static_cast<int>(-total / 2);
    return scorer;
}

std::size_t PhraseScorer::slotOf(quint64 key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask;
    while (slots_[at].key != 0 && slots_[at].key != key) {
        at = (at + 1) & mask;
    }
    return at;
}

void PhraseScorer::insert(quint64 key, int weight) {
    slots_[slotOf(key)] = {key, weight};
}

Result<const PhraseScorer*> PhraseScorer::japanese() {
    static const Result<PhraseScorer> loaded = [] {
        QFile file(kModelFile);
        if (!file.open(QIODevice::ReadOnly)) {
            return Result<PhraseScorer>(Failure{
                QStringLiteral(
                    "文節の区切りのモデルを読み込めません（プログラムを入れ直してください）"),
                {},
                {}});
        }
        return fromJson(file.readAll());
    }();
    if (!loaded) {
        return loaded.failure();
    }
    return &*loaded;
}

int PhraseScorer::score(QStringView text, qsizetype at) const {
    int score = base_;
    for (std::size_t f = 0; f < kFeatures.size(); ++f) {
        const qsizetype from = at + kFeatures[f].from;
        const qsizetype to = at + kFeatures[f].to;
        if (from >= 0 && to <= text.size()) {
            score += slots_[slotOf(keyOf(f, text.sliced(from, to - from)))].weight;
        }
    }
    return score;
}

} // namespace brisomel
