// The number text readers on any text, and the writer on any double: no
// reader crashes or overflows, and every finite number written reads back.
#include "model/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void ExpectReadsBack(double value)
{
    if (!std::isfinite(value))
        return;
    for (const char separator : {'.', ','}) {
        const std::string text = FormatNumber(value, separator);
        const auto strict = ParseNumber(text, separator);
        const auto either = ParseFileNumber(text);
        if (!strict || !either || *strict != *either)
            std::abort();
        if (std::fabs(*strict - value) > 1e-14 * std::fabs(value))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        if (const auto value = ParseNumber(text, separator)) {
            // The strict reader accepts nothing the file reader refuses.
            const auto either = ParseFileNumber(text);
            if (!either || *either != *value)
                std::abort();
            ExpectReadsBack(*value);
        }
        ParseBoolean(text, separator);
    }
    if (const auto value = ParseFileNumber(text))
        ExpectReadsBack(*value);
    ParseFileBoolean(text);
    ParseInteger(text);
    if (const auto value = ParseDecimalInteger(text))
        if (ParseDecimalInteger(std::to_string(*value)) != value)
            std::abort();

    // The first eight bytes as the bits of a double.
    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        ExpectReadsBack(value);
    }
    return 0;
}
