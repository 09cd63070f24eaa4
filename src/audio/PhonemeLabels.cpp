#include "audio/PhonemeLabels.h"

#include <QFile>

namespace brisomel {

namespace {

const QString kReadFailure = QStringLiteral("ラベルファイル %1 を読み込めません");

std::optional<std::int64_t> labelTime(const QString& field) {
    bool ok = false;
    const qlonglong value = field.toLongLong(&ok);
    return ok && value >= 0 ? std::optional<std::int64_t>(value) : std::nullopt;
}

} // namespace

Result<std::vector<PhonemeLabel>> parsePhonemeLabels(const QByteArray& text, const QString& path) {
    std::vector<PhonemeLabel> labels;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype number = 0; number < lines.size(); ++number) {
        // Blanks of any kind and length separate the fields.
        const QStringList fields =
            QString::fromUtf8(lines[number]).simplified().split(u' ', Qt::SkipEmptyParts);
        if (fields.isEmpty()) {
            continue;
        }
        const auto start = fields.size() == 3 ? labelTime(fields[0]) : std::nullopt;
        const auto end = fields.size() == 3 ? labelTime(fields[1]) : std::nullopt;
        if (!start || !end || *end < *start) {
            return Failure{kReadFailure, path,
                           QStringLiteral("%1 行目が「開始 終了 音素」（100 ns 単位の時刻）の形では"
                                          "ありません。ラベルを書き出し直してください")
                               .arg(number + 1)};
        }
        labels.push_back({*start, *end, fields[2]});
    }
    return labels;
}

Result<std::vector<PhonemeLabel>> readPhonemeLabels(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{kReadFailure, path, file.errorString()};
    }
    return parsePhonemeLabels(file.readAll(), path);
}

bool isOpenPhoneme(QStringView phoneme) {
    if (phoneme == u"N") {
        return true;
    }
    static const QString vowels = QStringLiteral("aiueo");
    return phoneme.size() == 1 && vowels.contains(phoneme.front().toLower());
}

} // namespace brisomel
