#include "framework/platform/headless/headless.h"
#include "framework/platform/platform.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(Platform, ModuleFolderIsTheFolderOfTheRunningProgram)
{
    char exe[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(length, 0);
    std::string expected(exe, static_cast<std::size_t>(length));
    expected.resize(expected.find_last_of('/'));
    char resolved[4096] = {};
    ASSERT_NE(realpath(Framework::moduleFolder().c_str(), resolved), nullptr);
    EXPECT_EQ(resolved, expected);
}

TEST(Platform, ShownErrorsAreRememberedInOrder)
{
    Framework::Headless::clearShownErrors();
    Framework::showError("first");
    Framework::showError("second");
    EXPECT_EQ(Framework::Headless::shownErrors(), (std::vector<std::string>{"first", "second"}));
}
