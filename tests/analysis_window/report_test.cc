// The report as the report area holds it after a run: its lines and
// columns, its two date readings, its line ends, and its numbers against
// the literal engine and against LAPACK eigenvalues of the same random data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis_window/report_text.h"
#include "engine/vars_module.h"
#include "framework/core/random.h"
#include "framework/core/text.h"
#include "framework/gui/date.h"
#include "tests/analysis_window/main_window_fixture.h"
#include "tests/reference/literal_engine.h"
#include "tests/support/decimal_comma_locale.h"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda,
                       double* w, double* work, const int* lwork, int* info, size_t jobz_length,
                       size_t uplo_length);

namespace {

using main_window_test::CountOf;
using main_window_test::LinesOf;
using main_window_test::MainWindowTest;
using main_window_test::RowsOf;

const std::string kRule = [] {
  std::string rule;
  for (int i = 0; i < 54; ++i) rule += "\u2013";
  return rule;
}();

// The literal engine's summary table for a seeded run.
literal::State LiteralRun(uint64_t seed, int64_t vars, int64_t subs, int64_t reps) {
  literal::State v;
  v.vars = vars;
  v.subs = subs;
  v.reps = reps;
  v.SumStats.ReDim(-1, -1);
  v.SumStats.ReDim(vars, 3);
  seams::SeedRandom(seed);
  for (int64_t rep = 1; rep <= reps; ++rep) {
    literal::RanNumbers(v);
    literal::CorrMatrix(v);
    literal::EigenvaluesCalc(v);
  }
  literal::SummaryStats(v);
  return v;
}

// Every "date   time" text that a reading between first and last can give,
// in time order. Across midnight only the dates are known.
std::vector<std::string> ReadingsBetween(const Date& first, const Date& last) {
  std::vector<std::string> texts;
  const int64_t from = first.Hour() * 3600 + first.Minute() * 60 + first.Second();
  const int64_t to = last.Hour() * 3600 + last.Minute() * 60 + last.Second();
  if (first.ShortDate() != last.ShortDate()) return texts;
  for (int64_t s = from; s <= to; ++s) {
    const Date d(first.Year(), first.Month(), first.Day(), s / 3600, s / 60 % 60, s % 60);
    texts.push_back(d.ShortDate() + "   " + d.LongTime());
  }
  return texts;
}

class ReportTest : public MainWindowTest {};

TEST_F(ReportTest, WholeReportLineByLine) {
  const Date before;
  SeededCalculate(5, "5", "60", "20");
  const Date after;
  const std::string report = Report();
  const literal::State expected = LiteralRun(5, 5, 60, 20);

  EXPECT_EQ(CountOf(report, '\r'), 18 + 5);
  EXPECT_EQ(report.find('\n'), std::string::npos);
  ASSERT_EQ(report.back(), '\r');
  const std::vector<std::string> lines = LinesOf(report);
  ASSERT_EQ(lines.size(), 23u);

  const std::vector<std::pair<size_t, std::string>> fixed = {
      {0, "Vellacor"},
      {1, "Version 3.0"},
      {2, ""},
      {3, ""},
      {5, "Number of variables:      5"},
      {6, "Number of subjects:      60"},
      {7, "Number of replications:  20"},
      {8, ""},
      {9, kRule},
      {10, "Eigenvalue #     Random Eigenvalue     Standard Dev"},
      {11, kRule},
      {17, kRule},
      {19, ""},
      {20, "Vellacor"},
      {21, std::string(kClosingNotice)},
      {22, kRule},
  };
  for (const auto& [index, text] : fixed) EXPECT_EQ(lines[index], text) << "line " << index;
  EXPECT_EQ(Len(kRule), 54);
  EXPECT_EQ(Len(lines[10]), 51);
  EXPECT_EQ(Len(lines[21]), 53);
  for (size_t i : {5, 6, 7}) EXPECT_EQ(Len(lines[i]), 27);

  // Rows 1 to 5, largest eigenvalue first: number in columns 5 to 7, mean
  // from column 23, standard deviation 15 spaces after the mean.
  double previous_mean = INFINITY;
  for (int64_t i = 1; i <= 5; ++i) {
    const std::string& row = lines[11 + i];
    SCOPED_TRACE(row);
    ASSERT_EQ(row.size(), 48u);
    EXPECT_EQ(row.substr(0, 4), "    ");
    EXPECT_EQ(row.substr(4, 3), "  " + Str(i));
    EXPECT_EQ(row.substr(7, 15), std::string(15, ' '));
    EXPECT_EQ(row.substr(22, 6), Format(expected.SumStats(i, 1), "0.0000"));
    EXPECT_EQ(row.substr(28, 15), std::string(15, ' '));
    EXPECT_EQ(row.substr(43, 5), Format(expected.SumStats(i, 3), ".0000"));
    EXPECT_EQ(row[43], '.');  // below 1: no digit before the point
    const double mean = std::stod(row.substr(22, 6));
    EXPECT_LE(mean, previous_mean);
    previous_mean = mean;
  }

  // Start and end lines: two readings, the start before the run's first
  // replication, the end after the last row.
  const std::vector<std::string> readings = ReadingsBetween(before, after);
  if (readings.empty()) {
    for (size_t i : {4, 18})
      EXPECT_EQ(lines[i].rfind(after.ShortDate() + "   ", 0) == 0 ||
                    lines[i].rfind(before.ShortDate() + "   ", 0) == 0,
                true);
  } else {
    const auto start = std::find(readings.begin(), readings.end(), lines[4]);
    const auto end = std::find(readings.begin(), readings.end(), lines[18]);
    ASSERT_NE(start, readings.end()) << lines[4];
    ASSERT_NE(end, readings.end()) << lines[18];
    EXPECT_LE(start - readings.begin(), end - readings.begin());
  }

  // The insertion point is left at the end, nothing selected.
  EXPECT_EQ(window_->DataFld()->SelStart(), Len(report));
  EXPECT_EQ(window_->DataFld()->SelLength(), 0);
}

TEST_F(ReportTest, CountsAndRowNumbersAreRightAligned) {
  struct Case {
    std::string vars, subs, reps;
    std::string var_line, sub_line, rep_line, last_row_start;
  };
  const Case cases[] = {
      {"3", "50", "1", "Number of variables:      3", "Number of subjects:      50",
       "Number of replications:   1", "      3"},
      {"3", "2500", "1", "Number of variables:      3", "Number of subjects:    2500",
       "Number of replications:   1", "      3"},
      {"3", "50", "1000", "Number of variables:      3", "Number of subjects:      50",
       "Number of replications:1000", "      3"},
      {"200", "201", "2", "Number of variables:    200", "Number of subjects:     201",
       "Number of replications:   2", "    200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vars + " " + c.subs + " " + c.reps);
    Calculate(c.vars, c.subs, c.reps);
    const std::vector<std::string> lines = LinesOf(Report());
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[5], c.var_line);
    EXPECT_EQ(lines[6], c.sub_line);
    EXPECT_EQ(lines[7], c.rep_line);
    const std::vector<std::string> rows = RowsOf(Report());
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().substr(0, 7), "      1");
    EXPECT_EQ(rows.back().substr(0, 7), c.last_row_start);
    for (const std::string& row : rows) {
      EXPECT_EQ(row.substr(7, 15), std::string(15, ' ')) << row;
      EXPECT_NE(row[22], ' ') << row;  // the mean starts in column 23
    }
  }
}

// With one replication the deviation is 0/0; the row keeps its layout and
// shows the framework's text for it.
TEST_F(ReportTest, OneReplicationShowsNotANumberForTheDeviation) {
  SeededCalculate(3, "4", "50", "1");
  const literal::State expected = LiteralRun(3, 4, 50, 1);
  const std::vector<std::string> rows = RowsOf(Report());
  ASSERT_EQ(rows.size(), 4u);
  const std::string nan_text = Format(std::nan(""), ".0000");
  for (int64_t i = 1; i <= 4; ++i) {
    const std::string& row = rows[i - 1];
    EXPECT_TRUE(std::isnan(VarsModule::SumStats(i, 3)));
    EXPECT_EQ(row, "      " + Str(i) + std::string(15, ' ') +
                       Format(expected.SumStats(i, 1), "0.0000") + std::string(15, ' ') + nan_text);
  }
}

// A desktop in a decimal-comma locale gets the same rows, byte for byte:
// the point keeps the columns where they are.
TEST_F(ReportTest, RowsAreTheSameUnderADecimalCommaLocale) {
  SeededCalculate(5, "5", "60", "20");
  const std::vector<std::string> plain = RowsOf(Report());
  ASSERT_EQ(plain.size(), 5u);

  decimal_comma::Locale locale;
  ASSERT_TRUE(decimal_comma::Locale::Active()) << decimal_comma::kMissing;
  SeededCalculate(5, "5", "60", "20");
  const std::vector<std::string> rows = RowsOf(Report());
  EXPECT_EQ(rows, plain);
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    EXPECT_EQ(row.size(), 48u);
    EXPECT_EQ(row.find(','), std::string::npos);
    EXPECT_EQ(row[23], '.');
    EXPECT_EQ(row[43], '.');
  }
}

// The report's numbers against an outside computation: the same random
// data, the correlations in long double, LAPACK's dsyev for the
// eigenvalues, the mean and the two-pass sample deviation per rank.
TEST_F(ReportTest, NumbersMatchLapackEigenvaluesOfTheSameData) {
  const int n = 10, N = 100, R = 1000;
  SeededCalculate(2024, "10", "100", "1000");
  const std::vector<std::string> rows = RowsOf(Report());
  ASSERT_EQ(rows.size(), 10u);

  seams::SeedRandom(2024);
  std::vector<std::vector<double>> eigen(R, std::vector<double>(n));
  std::vector<double> x(static_cast<size_t>(N) * n);
  for (int rep = 0; rep < R; ++rep) {
    for (double& v : x) v = System::Random().Gaussian();  // row by row, as drawn
    std::vector<long double> mean(n, 0), norm(n, 0);
    for (int j = 0; j < n; ++j) {
      for (int s = 0; s < N; ++s) mean[j] += x[s * n + j];
      mean[j] /= N;
      for (int s = 0; s < N; ++s) norm[j] += (x[s * n + j] - mean[j]) * (x[s * n + j] - mean[j]);
    }
    std::vector<double> a(n * n);
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) {
        long double c = 0;
        for (int s = 0; s < N; ++s) c += (x[s * n + j] - mean[j]) * (x[s * n + k] - mean[k]);
        a[j * n + k] = static_cast<double>(c / std::sqrt(norm[j] * norm[k]));
      }
    std::vector<double> w(n), work(3 * n);
    const int lwork = 3 * n;
    int info = 0;
    dsyev_("N", "U", &n, a.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
    ASSERT_EQ(info, 0);
    std::sort(w.begin(), w.end(), std::greater<double>());
    eigen[rep] = w;
  }

  // Four decimals agree unless the outside value lies within a hair of a
  // rounding boundary, where either neighbour is right.
  auto same_to_four = [](const std::string& shown, double value) {
    const double parsed = std::stod(shown);
    return std::fabs(parsed - value) <= 0.00005 + 1e-9;
  };
  for (int i = 0; i < n; ++i) {
    long double sum = 0;
    for (int rep = 0; rep < R; ++rep) sum += eigen[rep][i];
    const long double mean = sum / R;
    long double squares = 0;
    for (int rep = 0; rep < R; ++rep) squares += (eigen[rep][i] - mean) * (eigen[rep][i] - mean);
    const double sd = static_cast<double>(std::sqrt(squares / (R - 1)));

    const std::string& row = rows[i];
    SCOPED_TRACE(row);
    const std::string shown_mean = row.substr(22, row.find(' ', 22) - 22);
    const std::string shown_sd = row.substr(row.find_last_of(' ') + 1);
    EXPECT_TRUE(same_to_four(shown_mean, static_cast<double>(mean))) << static_cast<double>(mean);
    EXPECT_TRUE(same_to_four(shown_sd, sd)) << sd;
  }
}

}  // namespace
