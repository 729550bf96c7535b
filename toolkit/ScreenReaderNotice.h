// A sentence for the screen reader to speak at once, through the UI Automation
// notification event of Windows 10 and later. The event is looked up once a screen reader
// has asked for an element's object: on older systems, and until a reader is there, a
// sentence goes nowhere and the program runs as before.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

class ScreenReaderNotice {
public:
    // The sentences are spoken on behalf of the element (its window as it is now).
    explicit ScreenReaderNotice(const GUIElement& speaker);

    // True when the platform took the sentence. Sentences queue: none cuts off the one before.
    bool Speak(const std::string& sentence) const;

    // A screen reader has asked for an object, and the platform has the notification event.
    static bool Available();

private:
    HWND window;
};

}  // namespace NeloUtility
