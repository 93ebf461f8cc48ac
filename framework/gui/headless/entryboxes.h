// The headless edit boxes as tests drive them: find the boxes open over a
// window, type into one, press Enter on it, and read what it holds.
#pragma once

#include "framework/gui/editbox.h"

#include <string>
#include <vector>

namespace Framework::Headless {

// The open boxes over window, oldest first.
std::vector<Editbox*> boxesOver(const Window& window);

// Types characters as keys would: the first replaces the text selected at
// opening; the box takes no more than its limit.
void typeInto(Editbox& box, const std::string& characters);
// Presses Enter: the owner gets the text (at most the limit's characters).
void pressEnter(Editbox& box);
// Presses Escape: the owner ends the entry.
void pressEscape(Editbox& box);

std::string textOf(const Editbox& box);
Editbox::Layout layoutOf(const Editbox& box);
// The box has the keyboard focus: it was the last one opened.
bool hasFocus(const Editbox& box);

// The window system destroys the boxes over window with it.
void destroyBoxesOver(const Window& window);

} // namespace Framework::Headless
