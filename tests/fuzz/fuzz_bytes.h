#pragma once

// Takes numbers and byte runs off the front of a fuzz input. Past the end every read
// gives zeros and empty runs, so a target never needs to check what is left.

#include <cstddef>
#include <cstdint>
#include <vector>

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return size_ == 0; }

    uint8_t Byte() {
        if (size_ == 0) {
            return 0;
        }
        --size_;
        return *data_++;
    }
    uint32_t Number(int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<uint32_t>(Byte()) << (8 * i);
        }
        return value;
    }
    // Up to `count` bytes, fewer when the input runs out.
    std::vector<uint8_t> Run(std::size_t count) {
        const std::size_t taken = count < size_ ? count : size_;
        std::vector<uint8_t> run(data_, data_ + taken);
        data_ += taken;
        size_ -= taken;
        return run;
    }
    // Everything left, with a terminator added.
    std::vector<char> RestAsText() {
        std::vector<char> text(data_, data_ + size_);
        text.push_back('\0');
        size_ = 0;
        return text;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
};
