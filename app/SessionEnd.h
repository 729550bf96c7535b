// The end of the Windows session (log off, restart, shut down) while the table is open.
#pragma once

#include "FormMain.h"

namespace DoDadu {

// From now on, the end of the session leaves the table as a close answered Yes does: a
// running round is charged and stored before the system ends the process. Nothing is
// asked and nothing holds the session up; an idle table stores nothing new. The form
// must outlive its window.
void LeaveTableAtSessionEnd(FormMain& form);

}  // namespace DoDadu
