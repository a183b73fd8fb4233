#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace testsupport {

// A label made fit to end a test's name: letters, digits and underscores stay, every other
// character becomes an underscore ("office.pxb" gives "office_pxb").
std::string TestName(std::string_view label);

// Names each case of a parameterised suite after its `name` field, so the case keeps the same
// name from build to build and can be picked out by it:
//   INSTANTIATE_TEST_SUITE_P(Kinds, SomeTest, testing::Values(...), testsupport::CaseName());
struct CaseName {
  template <class Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return TestName(info.param.name);
  }
};

}  // namespace testsupport
