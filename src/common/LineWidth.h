#pragma once
// The widest line the typing line shows: longer lines of a text are cut to it, and the
// typing line is this many character cells wide.

inline constexpr int kLineWidth = 69;
