// Fixed text of the report written into the report area after a run.
#pragma once

#include <string_view>

// The notice between the report's second title line and its last rule.
inline constexpr std::string_view kClosingNotice =
    "Results are random; please cite this program if used.";
