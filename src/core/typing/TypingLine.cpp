#include "TypingLine.h"

#include "Cp1250.h"

#include <algorithm>
#include <string>

void TypingLine::SetPattern(std::string_view text) {
    ClearPattern();
    const size_t copied = std::min<size_t>(text.size(), kBufferSize);
    std::copy_n(text.begin(), copied, patternLine.begin());
    const auto firstZero = std::find(patternLine.begin(), patternLine.end(), 0);
    const int n = static_cast<int>(firstZero - patternLine.begin());
    patternLen = std::min(n, kLastPos);
    patternLine[patternLen] = kEndOfLine;
}

void TypingLine::ClearPattern() {
    patternLine.fill(0);
    patternLen = 0;
}

void TypingLine::SetTypedLine(std::string_view text) {
    // What lies beyond the text is nothing typed, not what an earlier line left there.
    typedLine.fill(' ');
    const size_t copied = std::min<size_t>(text.size(), kBufferSize);
    std::copy_n(text.begin(), copied, typedLine.begin());
    typedLine[kBufferSize - 1] = 0;
    typedPos = 0;
}

void TypingLine::ClearTypedLine() {
    typedLine.fill(' ');
    typedLine[kBufferSize - 1] = 0;
    typedPos = 0;
}

std::string_view FontSampleLine() {
    static const std::string sample =
        Cp1250::FromUtf8("* Řádka se 68 znaky pro výběr fontu: áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ*");
    return sample;
}
