#pragma once

#include <string>
#include <string_view>

// Reads a text file's lines one at a time. A line ends at LF, with or
// without a CR before it; a CR not followed by LF is dropped. A Ctrl-Z ends
// the text, as old editors wrote it as an end-of-file mark.
class TextLineReader {
public:
    explicit TextLineReader(std::string text);

    bool AtEnd() const { return position_ >= text_.size(); }
    // An empty line at the end of the text.
    std::string ReadLine();

private:
    std::string text_;
    std::size_t position_ = 0;
};
