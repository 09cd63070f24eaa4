#pragma once

#include <QString>

namespace brisomel {

// A file that a conversion writes: where, and its whole text.
struct OutputFile {
    QString path;
    QString text;
};

} // namespace brisomel
