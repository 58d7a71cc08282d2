// The Calculate action: the three counts checked and stored, the
// replications run, and the report written into the report area.
#include <cmath>
#include <limits>
#include <string>

#include "analysis_window/controlwnd.h"
#include "analysis_window/report_text.h"
#include "engine/stats_module.h"
#include "engine/vars_module.h"
#include "shell/splash_wnd.h"

namespace {

const std::string kEnDash = "\u2013";

// A typed count: Val truncated toward zero. A text that denotes no
// finite number in range (a field set from code can hold anything) gives
// a value that fails every range check instead of an undefined cast.
int64_t CountOf(const std::shared_ptr<TextField>& field) {
  const double value = std::trunc(Val(NotNil(field)->Text()));
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(std::numeric_limits<int64_t>::min()))
    return std::numeric_limits<int64_t>::min();
  if (value >= static_cast<double>(std::numeric_limits<int64_t>::max()))
    return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(value);
}

std::string RangeMessage(int64_t low, int64_t high, const std::string& what) {
  return "Enter " + Str(low) + kEnDash + Str(high) + " for number of " + what;
}

// Beep, focus on the field at fault, the message, then the wheel hidden.
void Refuse(ControlWnd& window, const std::shared_ptr<TextField>& field,
            const std::string& message) {
  Beep();
  NotNil(field)->SetFocus();
  MsgBox(message);
  NotNil(window.Pwheel())->SetVisible(false);
}

std::string Rule() {
  std::string rule;
  for (int i = 0; i < 54; ++i) rule += kEnDash;
  return rule;
}

// The value right-aligned in width columns.
std::string InColumns(int64_t value, int64_t width) {
  return Right(std::string(static_cast<size_t>(width), ' ') + Str(value), width);
}

// Items 3 and on go in at the end of the text, through the insertion point.
void InsertAtEnd(const std::shared_ptr<TextArea>& area, const std::string& text) {
  area->SetSelStart(Len(area->Text()));
  area->SetSelText(text);
}

void WriteReport(ControlWnd& window, const std::string& start_date, const std::string& start_time) {
  const std::string& eol = VarsModule::kEOL;
  const std::string rule = Rule();
  std::shared_ptr<TextArea> area = NotNil(window.DataFld());

  area->SetText(area->Text() + "Vellacor" + eol);
  area->SetText(area->Text() + "Version " + "3.0" + eol + eol + eol);

  InsertAtEnd(area, start_date + "   " + start_time + eol);
  InsertAtEnd(area,
              "Number of variables:" + std::string("   ") + InColumns(VarsModule::vars, 4) + eol);
  InsertAtEnd(area,
              "Number of subjects:" + std::string("    ") + InColumns(VarsModule::subs, 4) + eol);
  InsertAtEnd(area, "Number of replications:" + InColumns(VarsModule::reps, 4) + eol + eol);
  InsertAtEnd(area, rule + eol);
  InsertAtEnd(area, "Eigenvalue #     Random Eigenvalue     Standard Dev" + eol);
  InsertAtEnd(area, rule + eol);

  // Each row goes where the previous insertion left the insertion point.
  const std::string gap(15, ' ');
  for (int64_t i = 1; i <= VarsModule::vars; ++i) {
    area->SetSelText("    " + InColumns(i, 3) + gap + Format(VarsModule::SumStats(i, 1), "0.0000") +
                     gap + Format(VarsModule::SumStats(i, 3), ".0000") + eol);
    RuntimeYieldNow();
  }

  InsertAtEnd(area, rule + eol);
  const Date end;
  InsertAtEnd(area, end.ShortDate() + "   " + end.LongTime() + eol + eol);
  InsertAtEnd(area, "Vellacor" + eol);
  InsertAtEnd(area, std::string(kClosingNotice) + eol + rule + eol);
}

}  // namespace

void ControlWnd::CalculateBtn_Action(const std::shared_ptr<PushButton>& /*control*/) {
  const int64_t vars = CountOf(VarFld());
  if (vars < VarsModule::VarMin || vars > VarsModule::VarMax) {
    Refuse(*this, VarFld(), RangeMessage(VarsModule::VarMin, VarsModule::VarMax, "variables"));
    return;
  }
  VarsModule::vars = vars;

  const int64_t subs = CountOf(SubFld());
  if (subs < VarsModule::SubMin || subs > VarsModule::SubMax) {
    Refuse(*this, SubFld(), RangeMessage(VarsModule::SubMin, VarsModule::SubMax, "subjects"));
    return;
  }
  VarsModule::subs = subs;

  if (VarsModule::subs <= VarsModule::vars) {
    Refuse(*this, VarFld(), "Subjects must > variables");
    return;
  }

  const int64_t reps = CountOf(RepFld());
  if (reps < VarsModule::RepMin || reps > VarsModule::RepMax) {
    Refuse(*this, RepFld(), RangeMessage(VarsModule::RepMin, VarsModule::RepMax, "replications"));
    return;
  }
  VarsModule::reps = reps;

  // From here to the end the run owns the counts, the summary table and
  // the report area: input that arrives at its yields is refused, except
  // Quit, the close box and the menu's quit item, which end the program,
  // and the About item and the splash window it shows, which touch nothing
  // of the run.
  const RunGuard guard(Cast<Window>(shared_from_this()), {"QuitBtn"}, {"AboutVellacor"},
                       {SplashWnd::kFullClassName});

  NotNil(DataFld())->SetText("");
  const Date start;
  const std::string start_date = start.ShortDate();
  const std::string start_time = start.LongTime();
  VarsModule::SumStats.ReDim(-1, -1);
  VarsModule::SumStats.ReDim(VarsModule::vars, 3);
  NotNil(Pwheel())->SetVisible(true);

  for (int64_t rep = 1; rep <= VarsModule::reps; ++rep) {
    StatsModule::RanNumbers();
    StatsModule::CorrMatrix();
    StatsModule::EigenvaluesCalc();
    RuntimeYieldNow();
  }
  StatsModule::SummaryStats();

  WriteReport(*this, start_date, start_time);
  NotNil(Pwheel())->SetVisible(false);
}
