#include "engine/vars_module.h"

void VarsModule::InitializeVariables() {
  kEOL.clear();
  // Fresh arrays: re-dimensioning to the same bounds would keep old contents.
  r = Array2D<double>(200, 200);
  RanData = Array2D<double>(2500, 200);
  RepMax = 0;
  RepMin = 0;
  reps = 0;
  SubMax = 0;
  SubMin = 0;
  subs = 0;
  SumStats = Array2D<double>(200, 3);
  VarMax = 0;
  VarMin = 0;
  vars = 0;
}
