#include "intake/CaptionMarkup.h"

#include <QStringList>

namespace brisomel {

namespace {

enum class Pair { reading, memo, ruby };

struct Bracket {
    char16_t open;
    char16_t close;
    Pair pair;
};

constexpr Bracket kBrackets[] = {
    {u'{', u'}', Pair::reading}, {u'｛', u'｝', Pair::reading}, {u'[', u']', Pair::memo},
    {u'［', u'］', Pair::memo},  {u'《', u'》', Pair::ruby},
};

const Bracket* openerOf(QChar c) {
    for (const Bracket& b : kBrackets) {
        if (c == b.open) {
            return &b;
        }
    }
    return nullptr;
}

bool isCloser(QChar c) {
    for (const Bracket& b : kBrackets) {
        if (c == b.close) {
            return true;
        }
    }
    return false;
}

bool isBracket(QChar c) {
    return openerOf(c) || isCloser(c);
}

// Whether the text ends with a kanji (a run of them takes a reading without a bar).
bool endsWithKanji(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    char32_t last = text.back().unicode();
    if (text.size() > 1 && text.back().isLowSurrogate() &&
        text[text.size() - 2].isHighSurrogate()) {
        last = QChar::surrogateToUcs4(text[text.size() - 2], text.back());
    }
    return QChar::script(last) == QChar::Script_Han || last == U'〆' || last == U'ヶ';
}

// The end of the pair opening at `start` when brackets nest inside it: the closer that brings
// the depth back to none, or -1 when the line ends first.
qsizetype nestedEnd(QStringView line, qsizetype start) {
    int depth = 0;
    for (qsizetype i = start; i < line.size(); ++i) {
        if (openerOf(line[i])) {
            ++depth;
        } else if (isCloser(line[i]) && --depth == 0) {
            return i;
        }
    }
    return -1;
}

CleanedMarkup cleanLine(QStringView line) {
    CleanedMarkup out;
    qsizetype rubyBar = -1; // where a "｜" opened a ruby base in the output
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'｜') {
            rubyBar = out.text.size();
            out.text += c;
            continue;
        }
        const Bracket* bracket = openerOf(c);
        if (!bracket) {
            out.bracketsLeft |= isCloser(c); // a closer without its opener
            out.text += c;
            continue;
        }
        qsizetype next = i + 1;
        while (next < line.size() && !isBracket(line[next])) {
            ++next;
        }
        if (next == line.size() || line[next] != bracket->close) {
            out.bracketsLeft = true;
            const qsizetype end =
                next < line.size() && openerOf(line[next]) ? nestedEnd(line, i) : -1;
            if (end < 0) { // unpaired: the opener stays, what follows is read on
                out.text += c;
                continue;
            }
            out.text += line.sliced(i, end - i + 1); // nested: the whole pair stays
            i = end;
            continue;
        }
        const QStringView inside = line.sliced(i + 1, next - i - 1);
        switch (bracket->pair) {
        case Pair::reading: {
            qsizetype bar = inside.indexOf(u'|');
            if (const qsizetype wide = inside.indexOf(u'｜');
                wide >= 0 && (bar < 0 || wide < bar)) {
                bar = wide;
            }
            if (bar < 0) {
                out.text += line.sliced(i, next - i + 1); // braces without a reading are text
            } else {
                out.text += inside.first(bar);
            }
            break;
        }
        case Pair::memo:
            break;
        case Pair::ruby:
            if (rubyBar >= 0) {
                out.text.remove(rubyBar, 1);
            } else if (!endsWithKanji(out.text)) {
                out.text += line.sliced(i, next - i + 1);
            }
            break;
        }
        rubyBar = -1;
        i = next;
    }
    return out;
}

} // namespace

CleanedMarkup cleanMarkup(QStringView caption) {
    CleanedMarkup cleaned;
    QStringList lines;
    for (const QStringView line : caption.split(u'\n')) {
        CleanedMarkup one = cleanLine(line);
        cleaned.bracketsLeft |= one.bracketsLeft;
        lines << std::move(one.text);
    }
    cleaned.text = lines.join(u'\n');
    // A blank at a caption's end asks for a pause: a memo taken from the end must not ask for one
    // that the file did not ("はい [笑]").
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\u3000'; };
    if (caption.isEmpty() || !isBlank(caption.back())) {
        while (!cleaned.text.isEmpty() && isBlank(cleaned.text.back())) {
            cleaned.text.chop(1);
        }
    }
    return cleaned;
}

} // namespace brisomel
