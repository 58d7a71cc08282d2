#include "engine/vars_module.h"

#include <gtest/gtest.h>

TEST(VarsModuleTest, InitialValues) {
  VarsModule::vars = 7;
  VarsModule::RanData.ReDim(3, 3);
  VarsModule::RanData(1, 1) = 5;
  VarsModule::kEOL = std::string(1, '\r');
  VarsModule::InitializeVariables();

  for (int64_t value : {VarsModule::vars, VarsModule::subs, VarsModule::reps, VarsModule::VarMin,
                        VarsModule::VarMax, VarsModule::SubMin, VarsModule::SubMax,
                        VarsModule::RepMin, VarsModule::RepMax})
    EXPECT_EQ(value, 0);
  EXPECT_EQ(VarsModule::kEOL, "");
  struct Shape {
    const Array2D<double>& array;
    int64_t rows, cols;
  };
  for (const Shape& shape : {Shape{VarsModule::RanData, 2500, 200}, Shape{VarsModule::r, 200, 200},
                             Shape{VarsModule::SumStats, 200, 3}}) {
    EXPECT_EQ(shape.array.UBound(1), shape.rows);
    EXPECT_EQ(shape.array.UBound(2), shape.cols);
    for (int64_t i = 0; i <= shape.rows; ++i)
      for (int64_t j = 0; j <= shape.cols; ++j) ASSERT_EQ(shape.array(i, j), 0.0);
  }
}
