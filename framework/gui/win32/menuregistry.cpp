#include "menuregistry.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace Framework {

namespace {

std::mutex registryLock;
std::vector<std::pair<HMENU, Systemmenu*>>& registry()
{
    static std::vector<std::pair<HMENU, Systemmenu*>> menus;
    return menus;
}

} // namespace

void registerMenu(HMENU handle, Systemmenu* menu)
{
    const std::lock_guard<std::mutex> hold(registryLock);
    registry().emplace_back(handle, menu);
}

void unregisterMenu(HMENU handle)
{
    const std::lock_guard<std::mutex> hold(registryLock);
    auto& menus = registry();
    menus.erase(std::remove_if(menus.begin(), menus.end(), [&](const auto& m) { return m.first == handle; }),
                menus.end());
}

Systemmenu* madeMenu(HMENU handle)
{
    const std::lock_guard<std::mutex> hold(registryLock);
    for (const auto& [made, menu] : registry())
        if (made == handle)
            return menu;
    return nullptr;
}

} // namespace Framework
