// A decimal-comma locale (de_DE.UTF-8) for tests of number texts. The
// build makes it with localedef into VELLACOR_TEST_LOCALES (see
// tests/CMakeLists.txt), so no generated system locale is needed.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace decimal_comma {

// Switches the C library's locale to de_DE.UTF-8 for the life of the
// object, as a desktop session in that locale has it once the runtime has
// started, and back afterwards.
class Locale {
 public:
  Locale() {
    if (const char* path = std::getenv("LOCPATH")) saved_path_ = path, had_path_ = true;
    saved_locale_ = std::setlocale(LC_ALL, nullptr);
    setenv("LOCPATH", VELLACOR_TEST_LOCALES, 1);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
  }
  ~Locale() {
    // The saved locale is found through the usual path again.
    if (had_path_)
      setenv("LOCPATH", saved_path_.c_str(), 1);
    else
      unsetenv("LOCPATH");
    std::setlocale(LC_ALL, saved_locale_.c_str());
  }
  Locale(const Locale&) = delete;
  Locale& operator=(const Locale&) = delete;

  // True when the C library now writes 1.5 as "1,5".
  static bool Active() {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    return std::string(text) == "1,5";
  }

 private:
  std::string saved_path_, saved_locale_;
  bool had_path_ = false;
};

inline constexpr const char* kMissing =
    "de_DE.UTF-8 is not in " VELLACOR_TEST_LOCALES
    " (the build makes it with localedef, from Debian's locales package)";

}  // namespace decimal_comma
