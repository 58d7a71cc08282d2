#include "analysis_window/help_text.h"

namespace {

// Lines end in a carriage return, as in the report; an empty line (two
// carriage returns) separates the paragraphs.

constexpr char kHelp[] =
    // The method.
    "Vellacor (1) generates random normal numbers for the quantity of "
    "variables and subjects selected, (2) computes the correlation matrix, "
    "(3) performs Principal Components Analyses and calculates the "
    "eigenvalues for those variables, (4) repeats the process as many times "
    "as specified in the replications field, and (5) calculates the average "
    "and standard deviation of the eigenvalues across all replications."
    "\r\r"
    // How many replications.
    "For stable results, replicate 50-100 times. Use these eigenvalues as "
    "the criteria for Horn's Parallel Analysis for the number of factors or "
    "components to retain for rotation. Large numbers of variables, "
    "subjects, or replications may take time. Do not close quit prematurely. "
    "100 replications should be sufficient for most purposes."
    "\r\r"
    // The literature.
    "Horn, J. L. (1965). A rationale and test for the number of factors in "
    "factor analysis. Psychometrika, 30, 179-185."
    "\r\r"
    "Lautenschlager, G. J. (1989). A comparison of alternatives to "
    "conducting Monte Carlo analyses for determining parallel analysis "
    "criteria. Multivariate Behavioral Research, 24, 365-395."
    "\r\r"
    "Velicer, W. F., Eaton, C. A., & Fava, J. L. (2000). Construct "
    "explication through factor or component analysis: A review and "
    "evaluation of alternative procedures for determining the number of "
    "factors or components. In R. D. Goffin & E. Helmes (Eds.), Problems "
    "and solutions in human assessment: Honoring Douglas N. Jackson at "
    "seventy (pp. 41-71). Kluwer Academic Publishers."
    "\r\r"
    "Zwick, W. R., & Velicer, W. F. (1986). Comparison of five rules for "
    "determining the number of components to retain. Psychological "
    "Bulletin, 99, 432-442."
    "\r\r"
    "****************************************************************"
    "\r\r"
    // Rights, citation and disclaimer.
    "Vellacor is copyright (c) 2026 its authors. All rights reserved. You "
    "may copy this program and give it to others free of charge, provided "
    "that it is passed on complete and unchanged, with this notice intact, "
    "and is never sold."
    "\r\r"
    "If this program was used to compute statistics for a publication, "
    "please cite it in the reference list:"
    "\r"
    "Development Team. (2026). Vellacor (Version 3.0) [Computer software]. "
    "Worldwide: Author."
    "\r\r"
    "THIS PROGRAM IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, "
    "EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF "
    "MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE. The user alone is "
    "responsible for every decision made and each report written on the "
    "basis of its results, and should check those results before relying "
    "on them. In no event shall the author be liable to the user or to any "
    "third party for any damages, whether direct or indirect, arising from "
    "miscalculation or misuse of the program or of its results. ";

}  // namespace

const std::string& HelpText() {
  static const std::string text(kHelp, sizeof(kHelp) - 1);
  return text;
}
