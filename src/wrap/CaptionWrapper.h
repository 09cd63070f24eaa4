#pragma once

#include "core/Failure.h"

#include <QStringList>
#include <QStringView>

#include <memory>

namespace brisomel {

inline const QString kLineBreakRulesMissing =
    QStringLiteral("テロップの改行位置を調べられません（ICU の改行規則を読み込めません）");

// Breaks captions into lines that fit a width in half-width units, as a reader would break them:
// after a sentence or a clause first, else between phrases (文節), and only as a last resort
// between words or inside one; never against the strict rules of what may not start or end a
// line (禁則). Holds the ICU line and word breakers, whose rules take long to load, so one wrapper
// serves a conversion.
class CaptionWrapper {
public:
    // A wrapper for lines of `width` half-width units (at least 1), or the failure to load the
    // line-break rules or the phrase model.
    static Result<CaptionWrapper> create(int width);

    CaptionWrapper(CaptionWrapper&&) noexcept;
    CaptionWrapper& operator=(CaptionWrapper&&) noexcept;
    ~CaptionWrapper();

    // The caption's lines: each of its own lines (ended by LF, CR LF or CR) broken to the width.
    // Lines of nothing but blanks are left out, and blanks where a line is broken are dropped. A
    // run that may not be broken (digits, a Latin word, ……) stays whole even when it is wider.
    QStringList wrap(QStringView caption);

private:
    struct Breakers;
    CaptionWrapper(int width, std::unique_ptr<Breakers> breakers);
    void wrapLine(QStringView line, QStringList& lines);

    int width_;
    std::unique_ptr<Breakers> breakers_;
};

} // namespace brisomel
