#include "fcpxml/FcpxmlFormat.h"

#include "core/PathText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace brisomel {

namespace {

// Most characters of user text: printable, below the surrogates and without an entity of either
// kind.
bool standsAsItIs(QChar c) {
    const char16_t unit = c.unicode();
    return unit > u'>' ? unit < 0xD800
                       : unit >= u' ' && unit != u'&' && unit != u'\'' && unit != u'"' &&
                             unit != u'<' && unit != u'>';
}

QLatin1String attributeEntity(QChar c) {
    switch (c.unicode()) {
    case u'&':
        return QLatin1String("&amp;");
    case u'\'':
        return QLatin1String("&apos;");
    case u'"':
        return QLatin1String("&quot;");
    case u'>':
        return QLatin1String("&gt;");
    case u'<':
        return QLatin1String("&lt;");
    default:
        return {};
    }
}

QLatin1String captionEntity(QChar c) {
    switch (c.unicode()) {
    case u'&':
        return QLatin1String("&amp;");
    case u'>':
        return QLatin1String("&gt;");
    case u'<':
        return QLatin1String("&lt;");
    default:
        return {};
    }
}

// Replaces each character that has an entity by it, in one pass. This equals replacing the
// characters one kind after another starting with &, as no entity holds another such character.
QString replacedByEntities(const QString& text, QLatin1String (*entityOf)(QChar)) {
    QString replaced;
    qsizetype keptUpTo = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QLatin1String entity = entityOf(text[i]);
        if (entity.isEmpty()) {
            continue;
        }
        replaced += QStringView(text).sliced(keptUpTo, i - keptUpTo);
        replaced += entity;
        keptUpTo = i + 1;
    }
    if (keptUpTo == 0) {
        return text; // nothing to replace: share the original
    }
    replaced += QStringView(text).sliced(keptUpTo);
    return replaced;
}

// Floats print plainly from 0.0001 up to 2^24, the range where they still hold every integer.
constexpr float kLargestPlainPosition = 16777216.0f;
constexpr float kSmallestPlainPosition = 1e-4f;

// The bytes a URI may hold as they stand: letters, digits, the unreserved marks, the
// sub-delimiters and the delimiters a file URL uses; "%" only begins the escapes the encoded form
// already holds.
constexpr std::array<bool, 256> kUriBytes = [] {
    std::array<bool, 256> allowed{};
    for (int c = 0; c < 256; ++c) {
        allowed[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    }
    for (const char mark : std::string_view("-._~!$&'()*+,;=:@/%")) {
        allowed[static_cast<unsigned char>(mark)] = true;
    }
    return allowed;
}();

// The bytes of a local path that its media URL holds as they stand: those a URI may hold, less
// "%", which QUrl encodes in a local path (it is a character of the name there).
constexpr std::array<bool, 256> kLocalPathBytes = [] {
    std::array<bool, 256> kept = kUriBytes;
    kept['%'] = false;
    return kept;
}();

// Whether QUrl::fromLocalFile takes the path as it stands, with nothing to interpret: absolute, no
// host ("//"), no empty, "." or ".." segment, no unpaired surrogate, and none of the characters
// U+1FFFE, U+1FFFF ... U+10FFFF, which QUrl writes other than as their UTF-8 (the test is on the
// low surrogate only, which also sends a few harmless characters QUrl's way).
bool isPlainAbsolutePath(QStringView path) {
    if (!isCleanAbsolutePath(path)) {
        return false;
    }
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i].isLowSurrogate()) {
            return false;
        }
        if (path[i].isHighSurrogate()) {
            if (i + 1 == path.size() || !path[i + 1].isLowSurrogate() ||
                path[i + 1].unicode() >= 0xDFFE) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

// Writes the bytes to `out`, each one `kept` does not hold as "%XX"; returns the end.
QChar* writePercentEncoded(QChar* out, QByteArrayView bytes, const std::array<bool, 256>& kept) {
    static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (kept[byte]) {
            *out++ = QLatin1Char(c);
        } else {
            *out++ = u'%';
            *out++ = kHexDigits[byte >> 4];
            *out++ = kHexDigits[byte & 0x0F];
        }
    }
    return out;
}

// A Windows path as QUrl takes it: "/" for "\\", the long-path prefix "\\?\" dropped, and a drive
// path starting with "/" (C:/a is /C:/a).
QString windowsPathAsUrlPath(QString path) {
    path.replace(u'\\', u'/');
    if (path.startsWith(u"//?/UNC/", Qt::CaseInsensitive)) {
        path.remove(2, 6);
    } else if (path.startsWith(u"//?/")) {
        path.remove(0, 4);
    }
    const auto isDriveLetter = [](QChar c) {
        return (c.unicode() | 0x20) >= u'a' && (c.unicode() | 0x20) <= u'z';
    };
    if (path.size() > 1 && path[1] == u':' && isDriveLetter(path[0])) {
        path.prepend(u'/');
    }
    return path;
}

QString charsToText(const char* first, const char* last) {
    return QString::fromLatin1(first, static_cast<qsizetype>(last - first));
}

} // namespace

QString fcpxmlTime(FpsType fps, CMTime time) {
    const WrittenTime written = writtenTime(fps, time);
    return QString::number(written.value) + u'/' + QString::number(written.timescale);
}

QString xmlEscape(const QString& text) {
    return replacedByEntities(text, attributeEntity);
}

QChar* writeXmlText(QChar* out, QStringView text, XmlEntities entities) {
    const auto entityOf = entities == XmlEntities::attribute ? attributeEntity : captionEntity;
    for (qsizetype i = 0; i < text.size();) {
        if (const QChar unit = text[i]; standsAsItIs(unit)) {
            *out++ = unit;
            ++i;
            continue;
        }
        const qsizetype length = xmlCharLength(text, i);
        const QLatin1String entity = length == 1 ? entityOf(text[i]) : QLatin1String();
        for (const char c : entity) {
            *out++ = QLatin1Char(c);
        }
        if (entity.isEmpty()) {
            // A character XML cannot carry (length 0) is left out.
            out = std::copy_n(text.data() + i, length, out);
        }
        i += std::max<qsizetype>(length, 1);
    }
    return out;
}

QString mediaUrlText(const QUrl& url) {
    const QByteArray encoded = url.toEncoded();
    QString valid(encoded.size() * 3, Qt::Uninitialized);
    const QChar* end = writePercentEncoded(valid.data(), encoded, kUriBytes);
    valid.truncate(end - valid.constData());
    return valid;
}

QString localMediaUrlText(const QString& path, PathStyle style) {
    if (style == PathStyle::windows) {
        return localMediaUrlText(windowsPathAsUrlPath(path), PathStyle::posix);
    }
    if (!isPlainAbsolutePath(path)) {
        return mediaUrlText(QUrl::fromLocalFile(path));
    }
    const QByteArray bytes = path.toUtf8();
    constexpr QStringView kScheme = u"file://";
    QString url(kScheme.size() + bytes.size() * 3, Qt::Uninitialized);
    QChar* out = std::copy(kScheme.begin(), kScheme.end(), url.data());
    out = writePercentEncoded(out, bytes, kLocalPathBytes);
    url.truncate(out - url.constData());
    return url;
}

QString formatPosition(float value) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    if (value == 0.0f) {
        return std::signbit(value) ? QStringLiteral("-0.0") : QStringLiteral("0.0");
    }
    // Shortest round-trip digits either way; 1e-4f is the float whose shortest text is 0.0001, so
    // every smaller magnitude has a shortest text below 0.0001.
    char buffer[64];
    const float magnitude = std::fabs(value);
    if (magnitude > kLargestPlainPosition || magnitude < kSmallestPlainPosition) {
        const auto scientific =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
        return charsToText(buffer, scientific.ptr);
    }
    const auto fixed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QString text = charsToText(buffer, fixed.ptr);
    if (!text.contains(u'.')) {
        text += QLatin1String(".0");
    }
    return text;
}

QString formatAudioRate(double sampleRate) {
    // Out-of-range rates have no integer form; they are never probed from a real file.
    constexpr double kLimit = 9.2233720368547758e18;
    if (!(std::fabs(sampleRate) < kLimit)) {
        return QStringLiteral("0");
    }
    return QString::number(static_cast<std::int64_t>(sampleRate));
}

QString formatName(FrameType frame, FpsType fps) {
    return describe(frame).formatStem.toString() + describe(fps).formatSuffix.toString();
}

} // namespace brisomel
