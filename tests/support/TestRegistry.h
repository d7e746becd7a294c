#pragma once
// Registry of QtTest classes so that one executable per folder runs every test class in it.
// Usage at the end of a test source:  ZELK_TEST(MyTest)
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace zelktest {

struct Registration {
    const char *name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<Registration> &registry();

} // namespace zelktest

#define ZELK_TEST(Class)                                                                                \
    [[maybe_unused]] static const bool zelkRegistered_##Class =                                         \
        (zelktest::registry().push_back({#Class, [] { return std::make_unique<Class>(); }}), true);
