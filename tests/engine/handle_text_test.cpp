#include "engine/handle_text.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace sorvane {
namespace {

struct CountCase {
  const char* name;
  std::uint64_t start;
  int increments;
  const char* text;
};

class HandleCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(HandleCount, CountsUpInHexadecimalByOneOrAtOnce) {
  HandleText handle(Handle{GetParam().start});
  for (int i = 0; i < GetParam().increments; ++i) handle.Increment();
  EXPECT_EQ(handle.Text(), GetParam().text);
  HandleText advanced(Handle{GetParam().start});
  advanced.Advance(static_cast<std::uint64_t>(GetParam().increments));
  EXPECT_EQ(advanced.Text(), GetParam().text);
  const std::string fixed = handle.FixedWidth();
  EXPECT_EQ(fixed.size(), kFixedHandleWidth);
  EXPECT_EQ(fixed.substr(fixed.find_first_not_of('0') == std::string::npos
                             ? kFixedHandleWidth - 1
                             : fixed.find_first_not_of('0')),
            GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    HandleText, HandleCount,
    ::testing::Values(CountCase{"Zero", 0, 0, "0"}, CountCase{"One", 0, 1, "1"},
                      CountCase{"NineToA", 9, 1, "A"}, CountCase{"FToTen", 0xF, 1, "10"},
                      CountCase{"CarryThroughEveryDigit", 0xFFF, 1, "1000"},
                      CountCase{"CarryIntoNine", 0x8F, 1, "90"},
                      CountCase{"CarryIntoA", 0x9F, 2, "A1"},
                      CountCase{"ManySteps", 0x2E, 0x1000, "102E"},
                      CountCase{"LargestButOne", 0xFFFFFFFFFFFFFFFE, 1, "FFFFFFFFFFFFFFFF"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
