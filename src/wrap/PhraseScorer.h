#pragma once

#include "core/Failure.h"

#include <QHash>
#include <QStringView>

namespace brisomel {

// Scores the places between characters as phrase (文節) breaks with a BudouX model: a sum of
// weights for the characters, pairs and triples around each place. A place scoring above zero
// starts a new phrase. The Japanese model ships inside the program (budoux/ja.json).
class PhraseScorer {
public:
    // The scorer of the bundled Japanese model, loaded once; or why it could not be read.
    static Result<const PhraseScorer*> japanese();

    // Reads a model: an object of feature groups (UW1..UW6, BW1..BW3, TW1..TW4), each mapping
    // one, two or three characters to a weight.
    static Result<PhraseScorer> fromJson(const QByteArray& json);

    // The score of a break before position `at` of the text (0 < at < size).
    int score(QStringView text, qsizetype at) const;

private:
    PhraseScorer() = default;

    QHash<quint64, int> weights_;
    int base_ = 0;
};

} // namespace brisomel
