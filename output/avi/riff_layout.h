#pragma once

// The layout every RIFF file shares, read or written: a chunk starts with
// its four-character code and its 32-bit size; a list or the file itself
// adds its four-character type.
constexpr int kChunkHeaderSize = 8;
constexpr int kRiffHeaderSize = 12;
