#pragma once

// The element both sorts work on: one double, ordered ascending by value.
struct point {
    double value = 0.0;
};

inline bool operator<(const point& a, const point& b) { return a.value < b.value; }
