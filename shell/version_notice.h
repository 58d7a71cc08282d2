// The one-line notice that is both the application's long version string
// and the text under the pictures of the splash and About window.
#pragma once

#include <string_view>

inline constexpr std::string_view kVersionNotice = "(c) 2026, the Vellacor authors.";
