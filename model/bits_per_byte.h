#pragma once

// Two-colour pixels and audio samples are counted in bits and stored in
// bytes of this many.
constexpr int kBitsPerByte = 8;
