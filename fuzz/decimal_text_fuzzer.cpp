// The exact decimal reader of the command line on any text: it never
// crashes, accepts only finite numbers, and reads what it accepted, written
// out in full, back to the same number.
#include "view/big_float.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = ParseDecimal(text);
    if (!value)
        return 0;
    if (!value->IsFinite())
        std::abort();
    char* written = nullptr;
    mpfr_asprintf(&written, "%.*Re", static_cast<int>(value->Precision() / 3 + 10), value->get());
    const auto again = ParseDecimal(written);
    mpfr_free_str(written);
    if (!again || !(Rounded(*again, value->Precision()) == *value))
        std::abort();
    return 0;
}
