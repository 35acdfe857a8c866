#pragma once
// The numbers of the built-in lessons: every range check and every list of lessons uses these.

inline constexpr int kFirstLesson = 1;
inline constexpr int kLastLesson = 44;
inline constexpr int kLessonCount = kLastLesson - kFirstLesson + 1;
