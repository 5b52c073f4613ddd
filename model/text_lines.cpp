#include "model/text_lines.h"

namespace {
constexpr char kEndOfFileMark = '\x1A';
}

TextLineReader::TextLineReader(std::string text) : text_(std::move(text))
{
    if (const auto mark = text_.find(kEndOfFileMark); mark != std::string::npos)
        text_.resize(mark);
}

std::string TextLineReader::ReadLine()
{
    std::string line;
    while (position_ < text_.size()) {
        const char c = text_[position_++];
        if (c == '\n')
            break;
        if (c != '\r')
            line += c;
    }
    return line;
}
