#pragma once

#include <QString>
#include <QStringView>

namespace brisomel {

// User text made fit for the files a conversion writes. Captions and names come from files of
// any origin; a stray control character must not make a document unreadable or end a subtitle.

// Length in UTF-16 units of the XML 1.0 character at `i`, or 0 when what stands there is none: a
// forbidden control character (C0 but TAB, LF, CR), U+FFFE, U+FFFF or half of a surrogate pair.
qsizetype xmlCharLength(QStringView text, qsizetype i);

// The text without the characters XML 1.0 cannot carry.
QString xmlSafeText(const QString& text);

// The text without the characters a subtitle file must not carry. They are the ones XML cannot
// carry, so a subtitle reads exactly as its title does in the document.
QString subtitleSafeText(const QString& text);

} // namespace brisomel
