#pragma once

#include "core/Failure.h"
#include "intake/LineRange.h"

#include <QList>
#include <QString>

namespace brisomel {

// The ranges of a list such as "3,7-9" (a number is a range of one; in any order, overlapping or
// not), kept as ranges so that "1-2000000000" costs nothing until it meets the folder; the
// problem, naming the option and the value, when the text is not such a list.
Result<QList<LineRange>> parseLineNumbers(const QString& option, const QString& text);

} // namespace brisomel
