#pragma once

#include <QStringView>

namespace brisomel {

// Whether the path starts at the root and has neither a trailing separator nor an empty, "." or
// ".." component: a path that needs no cleaning, as the folder scan makes them.
bool isCleanAbsolutePath(QStringView path);

} // namespace brisomel
