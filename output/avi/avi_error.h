#pragma once

#include <stdexcept>

// Every failure of the AVI writer; the text is the English message the user
// sees.
class AviError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
