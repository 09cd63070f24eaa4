#!/usr/bin/env python3
"""Judges caption line breaks with MeCab's morphemes, over a corpus at widths 12 to 40.

    bench/wrap-eval.py [--lines BIN] [--corpus FILE] [--model JSON] [--widths 12-40]

BIN is the built brisomel-wrap-lines (default build/release/bench/brisomel-wrap-lines); the
corpus defaults to bench/wrap-corpus/ita-corpus.txt. Needs the `mecab` command with the IPA
dictionary in UTF-8 (Debian: mecab mecab-ipadic-utf8). Run by hand, never by the tests.

A break inside a morpheme is inside a word. A phrase (文節) starts at a content word (名詞, 動詞,
形容詞, 副詞, 連体詞, 接続詞, 感動詞, 接頭詞), except a noun after a noun or a prefix and a
dependent (非自立) verb or adjective after a verb; a break anywhere else is inside a phrase. The
same text broken by BudouX's phrases alone, packed greedily, is judged beside it. A break inside a
word or phrase wider than the line is counted apart too: no breaker can avoid it.
"""
import argparse
import json
import subprocess
import sys
import unicodedata
from pathlib import Path

HERE = Path(__file__).resolve().parent
CONTENT = {"名詞", "動詞", "形容詞", "副詞", "連体詞", "接続詞", "感動詞", "接頭詞"}
NO_LINE_START = set("」』）］｝〕〉》】)]}、。，．！？・：；,.!?:;ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶー々ｰｯｬｭｮ")
NO_LINE_END = set("「『（［｛〔〈《【([{")


def width_of(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def morphemes(sentences):
    """Each sentence's morphemes as (start, end, features), offsets in characters."""
    out = subprocess.run(["mecab"], input="\n".join(sentences) + "\n", capture_output=True,
                         text=True, check=True).stdout
    result, current, at = [], [], 0
    for row in out.splitlines():
        if row == "EOS":
            result.append(current)
            current, at = [], 0
            continue
        surface, features = row.split("\t", 1)
        start = sentences[len(result)].index(surface, at)
        current.append((start, start + len(surface), features.split(",")))
        at = start + len(surface)
    return result


def boundaries(morphs):
    """Where words end, and where phrases start; both include the sentence's ends."""
    words, phrases = set(), set()
    previous = None
    for start, end, f in morphs:
        words.add(start)
        words.add(end)
        starts = f[0] in CONTENT
        if previous and f[0] == "名詞" and previous[0] in ("名詞", "接頭詞"):
            starts = False
        if previous and f[0] in ("動詞", "形容詞") and f[1] == "非自立" and previous[0] == "動詞":
            starts = False
        if starts:
            phrases.add(start)
        previous = f
    if morphs:
        phrases.update((0, morphs[-1][1]))
    return words, phrases


def span_around(at, marks):
    """The span between the marks that holds offset `at` inside it."""
    return max(m for m in marks if m < at), min(m for m in marks if m > at)


def breaks_of(sentence, lines):
    """The offsets where the lines were broken, or None when text was lost or reordered."""
    offsets, at = [], 0
    for i, line in enumerate(lines):
        found = sentence.find(line, at)
        if found < 0 or sentence[at:found].strip():
            return None
        at = found + len(line)
        if i + 1 < len(lines):
            offsets.append(at)
    return offsets if not sentence[at:].strip() else None


def kinsoku_faults(sentence, offsets):
    faults = 0
    for at in offsets:
        before, after = sentence[at - 1], sentence[at] if at < len(sentence) else ""
        after = sentence[at:].lstrip()[:1]
        if after in NO_LINE_START or before in NO_LINE_END:
            faults += 1
        elif before == after and before in "…―":
            faults += 1
        elif before.isascii() and before.isalnum() and after.isascii() and after.isalnum() \
                and not sentence[at].isspace():
            faults += 1
    return faults


class BudouX:
    def __init__(self, model):
        self.model = model
        self.base = -0.5 * sum(sum(group.values()) for group in model.values())

    def boundaries(self, s):
        m, result = self.model, []
        for i in range(1, len(s)):
            score = self.base
            for key, lo, hi in (("UW1", -3, -2), ("UW2", -2, -1), ("UW3", -1, 0), ("UW4", 0, 1),
                                ("UW5", 1, 2), ("UW6", 2, 3), ("BW1", -2, 0), ("BW2", -1, 1),
                                ("BW3", 0, 2), ("TW1", -3, 0), ("TW2", -2, 1), ("TW3", -1, 2),
                                ("TW4", 0, 3)):
                if i + lo >= 0 and i + hi <= len(s):
                    score += m.get(key, {}).get(s[i + lo:i + hi], 0)
            if score > 0:
                result.append(i)
        return result

    def packed(self, s, width):
        """BudouX's phrases packed greedily; a phrase wider than the line is cut at the width."""
        ends = self.boundaries(s) + [len(s)]
        lines, start, end = [], 0, 0
        for phrase_end in ends:
            if width_of(s[start:phrase_end]) <= width:
                end = phrase_end
                continue
            if end > start:
                lines.append(s[start:end])
                start = end
            while width_of(s[start:phrase_end]) > width:
                cut = start + 1
                while width_of(s[start:cut + 1]) <= width:
                    cut += 1
                lines.append(s[start:cut])
                start = cut
            end = phrase_end
        if end > start:
            lines.append(s[start:end])
        return lines


class Tally:
    def __init__(self):
        self.breaks = self.in_word = self.in_phrase = self.kinsoku = self.lost = 0
        self.forced_word = self.forced_phrase = 0

    def add(self, sentence, lines, words, phrases, width):
        offsets = breaks_of(sentence, lines)
        if offsets is None:
            self.lost += 1
            return
        self.breaks += len(offsets)
        for at in offsets:
            if at not in words:
                self.in_word += 1
                start, end = span_around(at, words)
                self.forced_word += width_of(sentence[start:end]) > width
            if at not in phrases:
                self.in_phrase += 1
                start, end = span_around(at, phrases)
                self.forced_phrase += width_of(sentence[start:end]) > width
        self.kinsoku += kinsoku_faults(sentence, offsets)

    def row(self):
        pct = lambda n: 100.0 * n / self.breaks if self.breaks else 0.0
        return (f"{self.breaks:6d} {pct(self.in_word):5.1f} % ({pct(self.forced_word):4.1f}) "
                f"{pct(self.in_phrase):5.1f} % ({pct(self.forced_phrase):4.1f}) "
                f"{self.kinsoku:4d} {self.lost:4d}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lines", default=str(HERE.parent / "build/release/bench/brisomel-wrap-lines"))
    parser.add_argument("--corpus", default=str(HERE / "wrap-corpus/ita-corpus.txt"))
    parser.add_argument("--model", default=str(HERE.parent / "src/wrap/budoux/budoux-ja.json"))
    parser.add_argument("--widths", default="12-40")
    args = parser.parse_args()
    first, last = (int(w) for w in args.widths.split("-"))

    sentences = [s for s in Path(args.corpus).read_text(encoding="utf-8").split("\n") if s]
    judged = [boundaries(m) for m in morphemes(sentences)]
    out = subprocess.run([args.lines, args.corpus, str(first), str(last)], capture_output=True,
                         text=True, check=True).stdout.splitlines()
    budoux = BudouX(json.loads(Path(args.model).read_text(encoding="utf-8")))

    print(f"{len(sentences)} sentences; breaks, inside a word, inside a phrase (in brackets: of "
          "those, inside a word or phrase wider than the line), 禁則 faults, sentences with text "
          "lost or reordered")
    print("width | wrapper" + " " * 46 + "| BudouX alone")
    bands = {"12-19": (Tally(), Tally()), "20-40": (Tally(), Tally()), "all": (Tally(), Tally())}
    for width in range(first, last + 1):
        ours, theirs = Tally(), Tally()
        rows = out[(width - first) * len(sentences):(width - first + 1) * len(sentences)]
        for sentence, row, (words, phrases) in zip(sentences, rows, judged):
            w, *lines = row.split("\t")
            assert int(w) == width
            picked = budoux.packed(sentence, width)
            for tally in (ours,) + tuple(b[0] for k, b in bands.items()
                                         if k == "all" or (width < 20) == (k == "12-19")):
                tally.add(sentence, lines, words, phrases, width)
            for tally in (theirs,) + tuple(b[1] for k, b in bands.items()
                                           if k == "all" or (width < 20) == (k == "12-19")):
                tally.add(sentence, picked, words, phrases, width)
        print(f"{width:5d} | {ours.row()} | {theirs.row()}")
    for name, (ours, theirs) in bands.items():
        print(f"{name:>5} | {ours.row()} | {theirs.row()}")


if __name__ == "__main__":
    sys.exit(main())
