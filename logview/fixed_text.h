#pragma once

#include <cstdio>
#include <string>

// printf's "%.*f" as a string, however large the value: the largest double
// takes 309 digits before the point.
inline std::string fixed_text(double value, int precision) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", precision, value);
    return text;
}
