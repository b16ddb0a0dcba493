// Another program watched from outside until it says a line.
#include "platform/ChildProcess.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ChildProcess, TheTimeUntilALineIsSaidOrWhyItWasNot)
{
    std::string error;
    const std::optional<double> said =
        platform::millisecondsUntilSaid("/bin/sh", {"-c", "sleep 0.2; echo ready"}, "ready", 5000, error);
    ASSERT_TRUE(said.has_value()) << error;
    EXPECT_GE(*said, 150.0);
    EXPECT_LT(*said, 5000.0);

    // A program that ends without saying it, one that keeps silent past the
    // patience, and one that cannot start.
    error.clear();
    EXPECT_FALSE(platform::millisecondsUntilSaid("/bin/sh", {"-c", "echo other"}, "ready", 5000, error));
    EXPECT_NE(error.find("it said: other"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(platform::millisecondsUntilSaid("/bin/sh", {"-c", "exec sleep 10"}, "ready", 200, error));
    EXPECT_NE(error.find("did not say \"ready\""), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(platform::millisecondsUntilSaid("/nonexistent/kelvane", {}, "ready", 200, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
