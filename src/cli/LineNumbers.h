#pragma once

#include "core/Failure.h"

#include <QString>

#include <set>

namespace brisomel {

// The line numbers of a list such as "3,7-9" (numbers counted from 1 and ranges, in any order,
// overlapping or not); the problem, naming the option and the value, when it is not such a list.
Result<std::set<int>> parseLineNumbers(const QString& option, const QString& text);

} // namespace brisomel
