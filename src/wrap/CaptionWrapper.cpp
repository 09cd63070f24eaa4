#include "wrap/CaptionWrapper.h"

#include "wrap/BreakChoice.h"
#include "wrap/PhraseScorer.h"
#include "wrap/TextWidth.h"

#include "platform/IcuApi.h"

#include <algorithm>
#include <vector>

namespace brisomel {

namespace {

struct CloseBreaker {
    void operator()(UBreakIterator* breaker) const { ubrk_close(breaker); }
};
using Breaker = std::unique_ptr<UBreakIterator, CloseBreaker>;

Breaker openBreaker(UBreakIteratorType type, const char* locale) {
    UErrorCode status = U_ZERO_ERROR;
    Breaker made(ubrk_open(type, locale, nullptr, 0, &status));
    return U_SUCCESS(status) ? std::move(made) : nullptr;
}

// The boundaries a breaker finds in the text, after its start, in order; empty on failure.
std::vector<qsizetype> boundariesOf(UBreakIterator* breaker, QStringView text) {
    UErrorCode status = U_ZERO_ERROR;
    ubrk_setText(breaker, reinterpret_cast<const UChar*>(text.utf16()),
                 static_cast<std::int32_t>(text.size()), &status);
    std::vector<qsizetype> found;
    if (U_FAILURE(status)) {
        return found;
    }
    ubrk_first(breaker);
    for (std::int32_t at = ubrk_next(breaker); at != UBRK_DONE; at = ubrk_next(breaker)) {
        found.push_back(at);
    }
    return found;
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

bool isClosingMark(QChar c) {
    return QStringView(u"」』）］｝〕〉》】)]}\"'”’").contains(c);
}

bool isSentenceEnd(QChar c) {
    return QStringView(u"。！？!?．").contains(c);
}

bool isClauseMark(QChar c) {
    return QStringView(u"、，,").contains(c);
}

bool isHiragana(QChar c) {
    return c >= u'\u3041' && c <= u'\u309F';
}

bool isKanji(QChar c) {
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') || c == u'々';
}

bool isKatakana(QChar c) {
    return (c >= u'\u30A1' && c <= u'\u30FA') || c == u'ー';
}

// The dot between the parts of a foreign name (ピエール・デュボワ), which reads as one word.
bool isNameDot(QStringView text, qsizetype at) {
    return at >= 2 && at < text.size() && text[at - 1] == u'・' && isKatakana(text[at - 2]) &&
           isKatakana(text[at]);
}

// A verb's stem in the i-row, then a second verb (拾い|上げる, 飛び|回る, 泣き|出す): one word
// to a reader, though the phrase model often splits it.
bool joinsCompoundVerb(QStringView text, qsizetype at) {
    return at >= 2 && at < text.size() && isKanji(text[at - 2]) &&
           QStringView(u"いきぎしじちびみり").contains(text[at - 1]) && isKanji(text[at]);
}

// How much a reader minds a break before `at`: after a sentence's end (closing brackets after
// it included) least, then after a clause mark or a quotation, then between phrases.
int costOfBreak(QStringView text, qsizetype at, bool wordBoundary, const PhraseScorer& phrases) {
    qsizetype before = at;
    while (before > 0 && text[before - 1].isSpace()) {
        --before;
    }
    qsizetype last = before;
    while (last > 0 && isClosingMark(text[last - 1])) {
        --last;
    }
    if (last > 0 && isSentenceEnd(text[last - 1])) {
        return breakcost::kSentenceEnd;
    }
    // A quotation's closing bracket ends a clause unless a particle follows it (「…」と言った).
    const bool particleNext = at < text.size() && isHiragana(text[at]);
    if (before > 0 &&
        (isClauseMark(text[before - 1]) || (isClosingMark(text[before - 1]) && !particleNext))) {
        return breakcost::kClause;
    }
    if (isNameDot(text, at)) {
        return breakcost::kWord;
    }
    if (joinsCompoundVerb(text, at)) {
        return breakcost::kInsideWord;
    }
    if (wordBoundary && phrases.score(text, at) > 0) {
        // Hiragana right after kanji mostly ends the word (okurigana, a particle) or belongs to a
        // name the model does not know (結月ゆかり): a phrase seldom starts there.
        return isKanji(text[at - 1]) && isHiragana(text[at]) ? breakcost::kKanaAfterKanji
                                                             : breakcost::kPhrase;
    }
    if (wordBoundary && isKanji(text[at - 1]) && isHiragana(text[at])) {
        // Where the model sees no phrase, ICU's dictionary often splits an inflection (動か|ない).
        return breakcost::kInflection;
    }
    return wordBoundary ? breakcost::kWord : breakcost::kInsideWord;
}

} // namespace

struct CaptionWrapper::Breakers {
    Breaker lines; // wherever the strict Japanese line rules allow a break (禁則)
    Breaker words; // between words, by ICU's dictionary
    const PhraseScorer* phrases;
};

Result<CaptionWrapper> CaptionWrapper::create(int width) {
    const Result<const PhraseScorer*> phrases = PhraseScorer::japanese();
    if (!phrases) {
        return phrases.failure();
    }
    auto breakers = std::make_unique<Breakers>(
        Breakers{openBreaker(UBRK_LINE, "ja@lb=strict"), openBreaker(UBRK_WORD, "ja"), *phrases});
    if (!breakers->lines || !breakers->words) {
        return Failure{kLineBreakRulesMissing, {}, {}};
    }
    return CaptionWrapper(std::max(width, 1), std::move(breakers));
}

CaptionWrapper::CaptionWrapper(int width, std::unique_ptr<Breakers> breakers)
    : width_(width), breakers_(std::move(breakers)) {}

CaptionWrapper::CaptionWrapper(CaptionWrapper&&) noexcept = default;
CaptionWrapper& CaptionWrapper::operator=(CaptionWrapper&&) noexcept = default;
CaptionWrapper::~CaptionWrapper() = default;

QStringList CaptionWrapper::wrap(QStringView caption) {
    QStringList lines;
    qsizetype start = 0;
    while (start <= caption.size()) {
        qsizetype end = start;
        while (end < caption.size() && caption[end] != u'\n' && caption[end] != u'\r') {
            ++end;
        }
        wrapLine(caption.sliced(start, end - start), lines);
        const bool crlf =
            end + 1 < caption.size() && caption[end] == u'\r' && caption[end + 1] == u'\n';
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

void CaptionWrapper::wrapLine(QStringView line, QStringList& lines) {
    if (isBlank(line)) {
        return;
    }
    const std::vector<int> widths = widthsBefore(line);
    if (widths.back() <= width_) {
        lines << line.toString();
        return;
    }
    const std::vector<qsizetype> allowed = boundariesOf(breakers_->lines.get(), line);
    const std::vector<qsizetype> words = boundariesOf(breakers_->words.get(), line);
    std::vector<BreakPlace> places;
    for (const qsizetype at : allowed) {
        if (at > 0 && at < line.size()) {
            // ICU guesses where a run of katakana splits; a reader sees one word.
            const bool word = std::binary_search(words.begin(), words.end(), at) &&
                              !(isKatakana(line[at - 1]) && isKatakana(line[at]));
            places.push_back({at, costOfBreak(line, at, word, *breakers_->phrases)});
        }
    }
    qsizetype start = 0;
    for (const qsizetype end : cheapestBreaks(line, widths, width_, places)) {
        qsizetype trimmed = end;
        while (trimmed > start && line[trimmed - 1].isSpace()) {
            --trimmed;
        }
        if (trimmed > start) {
            lines << line.sliced(start, trimmed - start).toString();
        }
        start = end;
    }
}

} // namespace brisomel
