#include "wrap/CaptionWrapper.h"

#include "wrap/TextWidth.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <algorithm>
#include <vector>

namespace brisomel {

// Phrase breaks alone may fall where the strict rules forbid one (before 々 or ー after small
// kana, for one), so a phrase break counts only where the strict rules allow a break too.
struct CaptionWrapper::Breakers {
    std::unique_ptr<icu::BreakIterator> phrases; // between phrases (文節)
    std::unique_ptr<icu::BreakIterator> strict;  // wherever the strict Japanese rules allow
};

namespace {

std::unique_ptr<icu::BreakIterator> lineBreaker(const char* locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> made(
        icu::BreakIterator::createLineInstance(icu::Locale(locale), status));
    return U_SUCCESS(status) ? std::move(made) : nullptr;
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// The break positions a breaker finds in the text it was given, after the start, in order.
std::vector<qsizetype> breaksOf(icu::BreakIterator& breaker) {
    std::vector<qsizetype> breaks;
    breaker.first();
    for (std::int32_t at = breaker.next(); at != icu::BreakIterator::DONE; at = breaker.next()) {
        breaks.push_back(at);
    }
    return breaks;
}

// Fills lines from one line of a caption, greedily, up to the width.
class LineFiller {
public:
    LineFiller(QStringView text, int width, QStringList& lines)
        : text_(text), widths_(widthsBefore(text)), width_(width), lines_(lines) {}

    bool fitsWhole() const { return widths_.back() <= width_; }

    // `phraseEnds` are where phrases end, `allowed` every place a line may end; both ascending
    // and ending at the end of the text.
    void fill(const std::vector<qsizetype>& phraseEnds, const std::vector<qsizetype>& allowed) {
        qsizetype start = 0;
        qsizetype end = 0;
        for (const qsizetype phraseEnd : phraseEnds) {
            if (fits(start, phraseEnd)) {
                end = phraseEnd;
                continue;
            }
            if (end > start) {
                addLine(start, end);
                start = end;
            }
            // The phrase starts a line and is still too wide: break it inside.
            while (!fits(start, phraseEnd)) {
                const qsizetype cut = lastFittingBreak(start, phraseEnd, allowed);
                addLine(start, cut);
                start = cut;
            }
            end = phraseEnd;
        }
        if (end > start) {
            addLine(start, end);
        }
    }

private:
    // The end of the line without the blanks at its end.
    qsizetype trimmedEnd(qsizetype start, qsizetype end) const {
        while (end > start && text_[end - 1].isSpace()) {
            --end;
        }
        return end;
    }

    bool fits(qsizetype start, qsizetype end) const {
        return widths_[static_cast<std::size_t>(trimmedEnd(start, end))] -
                   widths_[static_cast<std::size_t>(start)] <=
               width_;
    }

    // The last allowed break up to `limit` at which the line still fits; the first one after
    // `start` when even that is too wide, since the run up to it may not be broken.
    qsizetype lastFittingBreak(qsizetype start, qsizetype limit,
                               const std::vector<qsizetype>& allowed) const {
        auto at = std::upper_bound(allowed.begin(), allowed.end(), start);
        const qsizetype first = *at;
        // A longer line is never narrower, so the search ends at the first break that does not fit.
        qsizetype last = 0;
        for (; at != allowed.end() && *at <= limit && fits(start, *at); ++at) {
            last = *at;
        }
        return last > start ? last : first;
    }

    void addLine(qsizetype start, qsizetype end) {
        const qsizetype trimmed = trimmedEnd(start, end);
        if (trimmed > start) {
            lines_ << text_.sliced(start, trimmed - start).toString();
        }
    }

    QStringView text_;
    std::vector<int> widths_;
    int width_;
    QStringList& lines_;
};

} // namespace

Result<CaptionWrapper> CaptionWrapper::create(int width) {
    auto breakers = std::make_unique<Breakers>();
    breakers->phrases = lineBreaker("ja@lw=phrase;lb=strict");
    breakers->strict = lineBreaker("ja@lb=strict");
    if (!breakers->phrases || !breakers->strict) {
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
    LineFiller filler(line, width_, lines);
    if (filler.fitsWhole()) {
        lines << line.toString();
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    UText text = UTEXT_INITIALIZER;
    utext_openUChars(&text, reinterpret_cast<const UChar*>(line.utf16()), line.size(), &status);
    breakers_->phrases->setText(&text, status);
    breakers_->strict->setText(&text, status);
    utext_close(&text);
    if (U_FAILURE(status)) {
        lines << line.toString();
        return;
    }
    const std::vector<qsizetype> allowed = breaksOf(*breakers_->strict);
    std::vector<qsizetype> phraseEnds;
    for (const qsizetype at : breaksOf(*breakers_->phrases)) {
        if (std::binary_search(allowed.begin(), allowed.end(), at)) {
            phraseEnds.push_back(at);
        }
    }
    filler.fill(phraseEnds, allowed);
}

} // namespace brisomel
