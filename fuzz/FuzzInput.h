#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace brisomel::fuzz {

// Hands out the fuzzer's bytes as numbers and texts; past the end it answers zeros and empty
// texts, so every input is usable.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return offset_ >= size_; }

    template <typename T> T take() {
        T value{};
        const std::size_t count = std::min(sizeof(T), size_ - std::min(offset_, size_));
        std::memcpy(&value, data_ + offset_, count);
        offset_ += count;
        return value;
    }

    // A number in [0, bound).
    std::uint32_t below(std::uint32_t bound) {
        return bound == 0 ? 0 : take<std::uint32_t>() % bound;
    }

    QByteArray bytes(std::size_t maxLength) {
        // The wanted length is read first: reading it consumes bytes of its own.
        const std::size_t wanted = below(static_cast<std::uint32_t>(maxLength) + 1);
        const std::size_t length = std::min(wanted, size_ - offset_);
        QByteArray result(reinterpret_cast<const char*>(data_ + offset_),
                          static_cast<qsizetype>(length));
        offset_ += length;
        return result;
    }

    // Text from UTF-16 units, so unpaired surrogates and control characters come up too.
    QString text(std::size_t maxLength) {
        const QByteArray raw = bytes(maxLength * 2);
        return QString(reinterpret_cast<const QChar*>(raw.constData()), raw.size() / 2);
    }

    QByteArray rest() {
        const std::size_t start = std::min(offset_, size_);
        offset_ = size_;
        return QByteArray(reinterpret_cast<const char*>(data_ + start),
                          static_cast<qsizetype>(size_ - start));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

} // namespace brisomel::fuzz
