#pragma once

#include <QString>
#include <QStringView>

namespace brisomel {

// A caption with the reading and memo notations of voice tools taken out.
struct CleanedMarkup {
    QString text;
    // A bracket was left as it was: it has no partner on its line, or brackets were nested.
    bool bracketsLeft = false;
};

// Takes out, line by line: "{表示|よみ}" and "｛表示｜よみ｝" (either bar) keep the shown text;
// "｜漢字《かんじ》" keeps the text between the bar and the reading; "《よみ》" right after a kanji
// is dropped (other 《…》 stay, as a title mark); "[メモ]" and "［メモ］" are dropped whole.
// A bracket without its partner on the same line, and a pair holding another bracket, are left
// as they are.
CleanedMarkup cleanMarkup(QStringView caption);

} // namespace brisomel
