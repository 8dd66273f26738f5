// Finding a control of a design by its name.

#include "ui/window_design.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace orvelin {
namespace {

constexpr ControlDesign controls[] = {{.name = "lblfirst"}, {.name = "txtsecond"}, {.name = "cmdthird"}};
constexpr WindowDesign design{.name = "frmTest", .caption = {}, .clientSize = {}, .icon = {}, .controls = controls};

TEST(ControlIndex, FindsEveryControlWhereTheDesignHasIt) {
  for (std::size_t index = 0; index < design.controls.size(); ++index) {
    EXPECT_EQ(controlIndex(design, design.controls[index].name), index) << design.controls[index].name;
  }
}

TEST(ControlIndex, ThrowsNamingTheWindowAndTheMissingControl) {
  // Near misses of the real names as well: a name is matched whole and by case.
  for (const std::string_view missing : {"cmdfoo", "", "txtsecon", "txtsecondx", "CMDTHIRD"}) {
    try {
      static_cast<void>(controlIndex(design, missing));
      ADD_FAILURE() << "found \"" << missing << '"';
    } catch (const std::out_of_range &error) {
      EXPECT_EQ(error.what(), std::string(design.name) + " has no control \"" + std::string(missing) + "\"");
    }
  }
}

} // namespace
} // namespace orvelin
