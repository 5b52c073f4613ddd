// The .fract reader on any bytes: it may refuse them, but never crash,
// hang or overflow; and whatever it accepts, the program writes again, in
// either locale, as a file that reads back to the same generator with the
// same orientations.
#include "model/fract_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Document {
    int Depth = 0;
    bool Lines = false;
    FractModel Generator{kGeneratorCapacity};

    void Read(std::string text)
    {
        ReadFractText(std::move(text), {[this](int d) { Depth = d; }, [this](bool l) { Lines = l; }, Generator});
    }
};

// Fifteen significant digits, or the finite stand-in for what is not finite.
bool Close(double written, double read)
{
    if (!std::isfinite(written))
        return std::isfinite(read);
    return std::fabs(written - read) <= 1e-14 * std::fabs(written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Document document;
    try {
        document.Read(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const FractFormatError&) {
        return 0;
    }
    for (const char separator : {'.', ','}) {
        Document again;
        // A file the program writes must open: an exception here is a finding.
        again.Read(FractFileText(document.Depth, document.Lines, document.Generator, separator));
        if (again.Depth != document.Depth || again.Lines != document.Lines
            || again.Generator.Count != document.Generator.Count
            || again.Generator.Orientations != document.Generator.Orientations)
            std::abort();
        for (int i = 0; i < document.Generator.Count; ++i)
            if (!Close(document.Generator.Items[i].Re, again.Generator.Items[i].Re)
                || !Close(document.Generator.Items[i].Im, again.Generator.Items[i].Im))
                std::abort();
    }
    return 0;
}
