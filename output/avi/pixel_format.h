#pragma once

// Bit depth of the stored frames; only pf1bit, pf4bit, pf8bit and pf24bit
// can be written.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
