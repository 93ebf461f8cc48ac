// Chooses an item, by its text, in the next popup menu this thread tracks:
// a timer finds the menu, reads its items and types the keys that lead
// there, one a tick. Menus open modal loops that never return on their own,
// so after a deadline the chooser ends whatever menu tracks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Menuchooser {
public:
    // path: the texts of the submenus to open, then of the item to choose.
    // One chooser at a time; it drives menus while it lives.
    explicit Menuchooser(std::vector<std::string> path);
    ~Menuchooser();
    Menuchooser(const Menuchooser&) = delete;
    Menuchooser& operator=(const Menuchooser&) = delete;

    // A menu tracked and every text of the path was found in it.
    bool found() const { return pathFound; }
    bool timedOut() const { return deadline; }
    // The checked items' texts of the menus along the path, as shown.
    const std::vector<std::string>& checked() const { return checkedTexts; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    // The keys from a menu that opens with nothing selected to the item.
    void plan(HMENU menu);

    const std::vector<std::string> path;
    std::vector<WPARAM> keys;
    std::size_t sent = 0;
    int ticks = 0;
    bool planned = false;
    bool pathFound = false;
    bool deadline = false;
    std::vector<std::string> checkedTexts;
    UINT_PTR timer = 0;
};
