// What the main window's action tests share: the window opened as the
// splash window's hand-over opens it, message boxes answered, a request
// made by typing the counts and clicking Calculate, and the report read
// back line by line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis_window/controlwnd.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/testing/seams.h"

namespace main_window_test {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { seams::InitRuntime(); }

  void SetUp() override {
    seams::Reset();
    VarsModule::InitializeVariables();
    window_ = ControlWnd::Instance();
    window_->Show();
    seams::ProcessEvents();
  }
  void TearDown() override { seams::Reset(); }

  // Puts the three texts into the fields and clicks Calculate; the whole
  // run happens inside the click.
  void Calculate(const std::string& vars, const std::string& subs, const std::string& reps) {
    window_->VarFld()->SetText(vars);
    window_->SubFld()->SetText(subs);
    window_->RepFld()->SetText(reps);
    seams::Click(window_->CalculateBtn());
  }

  // The same after seeding the process-wide generator.
  void SeededCalculate(uint64_t seed, const std::string& vars, const std::string& subs,
                       const std::string& reps) {
    seams::SeedRandom(seed);
    Calculate(vars, subs, reps);
  }

  std::string Report() const { return window_->DataFld()->Text(); }

  seams::MessageBoxes boxes_;
  std::shared_ptr<ControlWnd> window_;
};

// The text's lines, each without its carriage return; a final line end
// makes no empty line after it.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline int64_t CountOf(const std::string& text, char c) {
  int64_t n = 0;
  for (char x : text) n += x == c;
  return n;
}

// The eigenvalue rows of a report: the lines between the second and the
// third rule.
inline std::vector<std::string> RowsOf(const std::string& report) {
  const std::vector<std::string> lines = LinesOf(report);
  std::vector<std::string> rows;
  int rules = 0;
  for (const std::string& line : lines) {
    if (line.rfind("\u2013\u2013", 0) == 0) {
      ++rules;
      continue;
    }
    if (rules == 2) rows.push_back(line);
  }
  return rows;
}

}  // namespace main_window_test
