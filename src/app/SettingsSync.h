#pragma once

class QSettings;

// Writes the changes of settings (a file-based QSettings) to its file and
// checks the file that results. QSettings replaces its file atomically, but
// a write that fails late (a full disk, a quota) can still leave a cut copy
// in place of the good one while its status says nothing. Here the earlier
// file is kept under a second name (a hard link: it needs no space) until
// the new one reads back whole, and put back when it does not. Returns true
// when the file holds every setting.
bool syncSettingsSafely(QSettings& settings);
