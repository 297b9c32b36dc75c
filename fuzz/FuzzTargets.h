#pragma once

#include <cstddef>
#include <cstdint>

// The readers that take files from outside, each fed one byte string. True
// when the input was read as a whole without a problem; damaged input gives
// false and must never crash. The fuzz programs call these, and the test
// suite runs the seed and regression files through them.
bool fuzzShapefile(const uint8_t* data, size_t size);
bool fuzzAttributeTable(const uint8_t* data, size_t size);
bool fuzzDescriptionFile(const uint8_t* data, size_t size);
bool fuzzShapeDump(const uint8_t* data, size_t size);
