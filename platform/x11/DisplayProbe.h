#pragma once

// Whether an X server answers at the given display name (null: the DISPLAY variable). Used
// before the toolkit starts, because the toolkit aborts the process when it cannot connect.
bool XDisplayAnswers(const char* name);
