// ToolkitArgumentsTest.cpp: when the game asks the toolkit for X11 first, and when it leaves the
// player's choice alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/platform/ToolkitArguments.h"

namespace {

using TArgs = std::vector<std::string>;

struct TCase {
    const char* Name;
    TArgs Given;
    const char* PlatformVariable;
    const char* Display;
    TArgs Expected;
};

const TArgs X11First = {"zellipo", "-platform", "xcb;wayland"};

const TCase Cases[] = {
    {"NothingChosenWithAnXServer", {"zellipo"}, nullptr, ":0", X11First},
    {"EmptyVariableIsNoChoice", {"zellipo"}, "", ":0", X11First},
    {"OtherOptionsStayAfterTheChoice",
     {"zellipo", "-platformtheme", "gtk3"},
     nullptr,
     ":1",
     {"zellipo", "-platform", "xcb;wayland", "-platformtheme", "gtk3"}},
    {"NoXServer", {"zellipo"}, nullptr, nullptr, {"zellipo"}},
    {"EmptyDisplayIsNoXServer", {"zellipo"}, nullptr, "", {"zellipo"}},
    {"VariableChoosesWayland", {"zellipo"}, "wayland", ":0", {"zellipo"}},
    {"ArgumentChooses",
     {"zellipo", "-platform", "wayland"},
     nullptr,
     ":0",
     {"zellipo", "-platform", "wayland"}},
    {"ArgumentWithTwoDashesChooses",
     {"zellipo", "--platform", "offscreen"},
     nullptr,
     ":0",
     {"zellipo", "--platform", "offscreen"}},
};

class ToolkitArguments : public testing::TestWithParam<TCase> {};

TEST_P(ToolkitArguments, AskForX11FirstOnlyWhenNobodyChose) {
    const TCase& c = GetParam();
    TArgs given = c.Given;
    std::vector<char*> argv;
    for (std::string& arg : given) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    TToolkitArguments arguments(static_cast<int>(given.size()), argv.data(), c.PlatformVariable,
                                c.Display);
    TArgs handed;
    for (int i = 0; i < arguments.Count; ++i) {
        handed.emplace_back(arguments.Values()[i]);
    }
    EXPECT_EQ(handed, c.Expected);
    EXPECT_EQ(arguments.Values()[arguments.Count], nullptr);
}

INSTANTIATE_TEST_SUITE_P(Choices, ToolkitArguments, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<TCase>& info) {
                             return std::string(info.param.Name);
                         });

}  // namespace
