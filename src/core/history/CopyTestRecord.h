#pragma once
// One finished timed copy as the history keeps it: when it ended and its figures.

#include "CopyTestResult.h"

#include <cstdint>

struct CopyTestRecord {
    int64_t id = 0;      // the store's row number; 0 before it is stored
    int64_t endedAt = 0; // seconds since 1970-01-01 UTC
    CopyTestResult result;

    friend bool operator==(const CopyTestRecord&, const CopyTestRecord&) = default;
};
