// The engine's memo of read texts and the frame's memo of composed lines
// give exactly what reading and composing afresh give.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "display.h"
#include "engine.h"
#include "real_memo.h"

namespace vxc {
namespace {

bool SameValue(const Real& a, const Real& b) {
  if (a.IsNaN() || b.IsNaN()) return a.IsNaN() && b.IsNaN();
  return mpfr_equal_p(a.raw(), b.raw()) && mpfr_signbit(a.raw()) == mpfr_signbit(b.raw());
}

TEST(RealMemo, GivesWhatReadingGivesInAnyOrder) {
  const std::vector<std::string> texts = {
      "", "0", "-0", "3.14", "-2.5e-7", "1e-999", "0.1",
      "3.141592653589793238462643383279502884197169399375105820974944592307816",
      "-0.99999999999999999999999999999987",
      std::string(130, '7'),  // longer than the memo keeps
      std::string(130, '7') + "1",
  };
  RealMemo memo;
  std::mt19937 random(16);
  for (int i = 0; i < 5000; ++i) {
    const std::string& text = texts[random() % texts.size()];
    ASSERT_TRUE(SameValue(memo.Read(text), Real::FromString(text))) << "read " << i << ": " << text;
  }
}

// A frame composed again after each step equals a frame composed afresh.
TEST(DisplayMemo, ComposingAgainEqualsComposingAfresh) {
  using Step = std::function<void(Engine&)>;
  auto keys = [](std::vector<CommandId> ids) -> Step {
    return [ids](Engine& e) {
      for (CommandId id : ids) Dispatch(e, id);
    };
  };
  const Step steps[] = {
      keys({cmd::kDigit0 + 7, cmd::kEnter, cmd::kDigit0 + 3, cmd::kDiv}),
      keys({cmd::kEnter, cmd::kEnter}),
      [](Engine& e) { SelectDisplayFormat(e, kDisplaySci); },
      keys({cmd::kDigitsUp}),
      keys({cmd::kDigit0 + 2, cmd::kPoint}),
      [](Engine& e) { SelectDisplayFormat(e, kDisplayEng); },  // the entry shown formatted
      keys({cmd::kRollDown}),
      [](Engine& e) { SelectBase(e, kBaseHex); },
      keys({cmd::kLetterA, cmd::kEnter}),
      [](Engine& e) { SelectBase(e, kBaseReal); },
      keys({cmd::kDigit0, cmd::kDiv}),  // an error
      keys({cmd::kClx}),
      [](Engine& e) { SelectDisplayFormat(e, kDisplayFix); },
      keys({cmd::kSwapXY, cmd::kLastX}),
  };
  Engine engine;
  InitNumbers();
  DisplayFrame frame;
  RefreshInto(engine.state, false, frame);
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(n++);
    step(engine);
    const DisplayMark mark = engine.displayMark;
    RefreshIfStale(engine, frame);
    CalcState copy = engine.state;
    const DisplayFrame fresh = Refresh(copy, mark.formatEntry);
    EXPECT_EQ(frame.lines, fresh.lines);
    EXPECT_EQ(frame.fontPixels, fresh.fontPixels);
    EXPECT_EQ(frame.xIsError, fresh.xIsError);
  }
}

}  // namespace
}  // namespace vxc
