#pragma once

#include "core/Failure.h"

#include <QStringView>

#include <vector>

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

    // An open-addressed table of the weights by key (0 marks an empty slot), its size a power of
    // two at least twice the number of weights: a caption asks it thirteen times per place.
    struct Slot {
        quint64 key = 0;
        int weight = 0;
    };
    // The slot that holds the key, or the empty slot where it would go.
    std::size_t slotOf(quint64 key) const;
    void insert(quint64 key, int weight);

    std::vector<Slot> slots_;
    int base_ = 0;
};

} // namespace brisomel
