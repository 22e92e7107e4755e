#pragma once
// The single-instance lock: LOCK.TXT in the program folder, opened and locked exclusively
// (without waiting) and held for the life of the process.

#include <QString>

namespace mintor::forms {

// True (after the "already running" message) when another copy holds the lock.
// Creates LOCK.TXT with its two lines when it is missing.
bool instance_already_running(const QString& program_folder, const QString& title);
// Gives the lock up (the process's end does this too).
void release_instance_lock();
// The two lines a new LOCK.TXT holds.
QByteArray lock_file_text(const QString& title);

}  // namespace mintor::forms
