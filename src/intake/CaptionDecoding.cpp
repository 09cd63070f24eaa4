#include "intake/CaptionDecoding.h"

#include "platform/FileHead.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace brisomel {

namespace {

std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    // Stateless: an incomplete sequence at the end counts as an error instead of being held
    // back. ConvertInitialBom: a mark has already been removed, a second one is text.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

quint32 readUnit(const char* data, int width, bool bigEndian) {
    quint32 value = 0;
    for (int i = 0; i < width; ++i) {
        const auto byte = static_cast<quint8>(data[bigEndian ? i : width - 1 - i]);
        value = (value << 8) | byte;
    }
    return value;
}

// Qt's UTF-16 and UTF-32 decoders let odd lengths, unpaired surrogates and values above
// U+10FFFF through without reporting an error, so these two check every unit themselves.
std::optional<QString> decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(readUnit(bytes.data() + i, 2, bigEndian));
        const bool afterHigh = !text.isEmpty() && text.back().isHighSurrogate();
        if (QChar::isLowSurrogate(unit) != afterHigh) {
            return std::nullopt;
        }
        text.append(QChar(unit));
    }
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> decodeUtf32(QByteArrayView bytes, bool bigEndian) {
    if (bytes.size() % 4 != 0) {
        return std::nullopt;
    }
    QString text;
    text.reserve(bytes.size() / 4);
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const char32_t value = readUnit(bytes.data() + i, 4, bigEndian);
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return std::nullopt;
        }
        if (QChar::requiresSurrogates(value)) {
            text.append(QChar(QChar::highSurrogate(value)));
            text.append(QChar(QChar::lowSurrogate(value)));
        } else {
            text.append(QChar(static_cast<char16_t>(value)));
        }
    }
    return text;
}

} // namespace

std::optional<QString> decodeUnicode(QByteArrayView bytes) {
    // Explicit lengths: the marks hold zero bytes.
    const auto startsWith = [&](const char* mark, qsizetype size) {
        return bytes.startsWith(QByteArrayView(mark, size));
    };
    // The UTF-32 LE mark begins with the UTF-16 LE one, so it is tested first.
    if (startsWith("\xFF\xFE\x00\x00", 4)) {
        return decodeUtf32(bytes.sliced(4), false);
    }
    if (startsWith("\x00\x00\xFE\xFF", 4)) {
        return decodeUtf32(bytes.sliced(4), true);
    }
    if (startsWith("\xEF\xBB\xBF", 3)) {
        return decodeUtf8(bytes.sliced(3));
    }
    if (startsWith("\xFF\xFE", 2)) {
        return decodeUtf16(bytes.sliced(2), false);
    }
    if (startsWith("\xFE\xFF", 2)) {
        return decodeUtf16(bytes.sliced(2), true);
    }
    return decodeUtf8(bytes);
}

// "windows-31j" is the IANA name of CP932; ICU maps it to ibm-943_P15A-2003, which holds the NEC
// row 13 and both IBM extension ranges. Named decoders need Qt built with ICU.
constexpr const char* kShiftJisName = "windows-31j";

namespace {

// ICU's IBM-943 table rotates three control bytes (0x1A -> U+001C, 0x1C -> U+007F,
// 0x7F -> U+001A); Windows maps them to themselves. What the converter makes of them is asked
// once, and undone when it is a permutation of the three: those code points then come from
// nothing else (0x1A, 0x1C and 0x7F are never trail bytes), so undoing it is exact.
constexpr std::array<char16_t, 3> kControlBytes = {0x1A, 0x1C, 0x7F};

struct ControlFix {
    bool needed = false;
    std::array<char16_t, 3> decoded{};
};

const ControlFix& controlFix() {
    static const ControlFix fix = [] {
        QStringDecoder decoder(kShiftJisName, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView("\x1A\x1C\x7F", 3));
        ControlFix result;
        if (!decoder.isValid() || decoder.hasError() || text.size() != 3) {
            return result;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            result.decoded[i] = text.at(static_cast<qsizetype>(i)).unicode();
        }
        auto sorted = result.decoded;
        std::sort(sorted.begin(), sorted.end());
        result.needed = sorted == kControlBytes && result.decoded != kControlBytes;
        return result;
    }();
    return fix;
}

} // namespace

std::optional<QString> decodeShiftJis(QByteArrayView bytes) {
    // Stateless makes a truncated final lead byte an error instead of holding it back.
    QStringDecoder decoder(kShiftJisName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return std::nullopt;
    }
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    if (const ControlFix& fix = controlFix(); fix.needed) {
        for (QChar& c : text) {
            const auto found = std::find(fix.decoded.begin(), fix.decoded.end(), c.unicode());
            if (found != fix.decoded.end()) {
                c = QChar(kControlBytes[static_cast<std::size_t>(found - fix.decoded.begin())]);
            }
        }
    }
    return text;
}

Result<QString> readCaptionFile(const QString& path) {
    const auto failure = [&path](const QString& reason) {
        return Failure{QStringLiteral("Error 字幕ファイル %1 を読み込めません"), path, reason};
    };
    const FileHead file = readFileHead(path);
    switch (file.problem) {
    case FileHead::Problem::none:
        break;
    case FileHead::Problem::isFolder:
        return failure(QStringLiteral("ファイルではなくフォルダです"));
    case FileHead::Problem::notRegular:
        // A FIFO would block the scan; devices and sockets are no caption files either.
        return failure(QStringLiteral("通常のファイルではありません"));
    case FileHead::Problem::cannotOpen:
        return failure(QStringLiteral("開けません (%1)").arg(file.error));
    case FileHead::Problem::cannotRead:
        return failure(QStringLiteral("読み取れません (%1)").arg(file.error));
    }
    const QByteArray& bytes = file.bytes;
    if (auto text = decodeUnicode(bytes)) {
        return *std::move(text);
    }
    if (auto text = decodeShiftJis(bytes)) {
        return *std::move(text);
    }
    if (!QStringDecoder(kShiftJisName).isValid()) {
        return failure(QStringLiteral(
            "UTF-8 として解読できず、この環境には Shift-JIS (CP932) の変換器がありません"));
    }
    return failure(QStringLiteral(
        "UTF-8 (またはバイト順マークの示す Unicode 符号化) としても Shift-JIS (CP932) としても"
        "解読できません"));
}

} // namespace brisomel
