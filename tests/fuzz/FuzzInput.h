// Reads fuzzer bytes as the values a host call needs; past the end every value is 0.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return position >= size; }

    std::uint8_t takeByte() { return position < size ? data[position++] : 0; }
    bool takeBool() { return (takeByte() & 1) != 0; }

    std::uint16_t takeU16() {
        return static_cast<std::uint16_t>(takeByte() |
                                          (static_cast<std::uint16_t>(takeByte()) << 8));
    }

    std::uint32_t takeU32() { return takeU16() | (static_cast<std::uint32_t>(takeU16()) << 16); }

    // Floats a host might send: ordinary values and the special ones.
    float takeFloat() {
        switch (takeByte() % 8) {
        case 0:
            return std::numeric_limits<float>::quiet_NaN();
        case 1:
            return std::numeric_limits<float>::infinity();
        case 2:
            return -std::numeric_limits<float>::infinity();
        case 3: {
            const std::uint32_t bits = takeU32();
            float value;
            std::memcpy(&value, &bits, sizeof(value));
            return value;
        }
        default:
            return static_cast<float>(takeU16()) / 65535.0f * 2.0f - 0.5f;
        }
    }

    // Audio samples: mostly ordinary, sometimes huge or not a number.
    float takeSample() {
        const std::uint8_t kind = takeByte();
        if (kind == 255) {
            return takeFloat();
        }
        return static_cast<float>(static_cast<std::int8_t>(kind)) / 128.0f;
    }

    // Fills a text buffer of exactly size bytes, always terminated inside it.
    void takeText(char* text, std::size_t bufferSize) {
        const std::size_t length = takeByte() % bufferSize;
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>(32 + takeByte() % 95);
        }
        std::memset(text + length, 0, bufferSize - length);
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};
