// The command mix-in shared by buttons and menu items: the window procedure reaches the
// command of any element by a run-time cast to CommandElement.
#pragma once

namespace NeloUtility {

class GUIElement;

using CommandEvent = void (*)(GUIElement* element);

class CommandElement {
public:
    CommandEvent command = nullptr;
};

}  // namespace NeloUtility
