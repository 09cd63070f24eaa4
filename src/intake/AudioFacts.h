#pragma once

#include "core/Failure.h"

#include <QHash>
#include <QList>
#include <QString>

namespace brisomel {

// What reading a line's audio file told: its playing length and its sample rate.
struct AudioLength {
    double seconds = 0;
    double sampleRate = 0;
};

// What a check of the list's audio files learnt, by local path: the length of each file that can
// be read and, in list order, the failure of each one that cannot.
struct AudioFacts {
    QHash<QString, AudioLength> lengths;
    QList<Failure> failures;
};

} // namespace brisomel
