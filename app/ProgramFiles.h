#pragma once
// Files the program keeps next to itself ("\GreenLED.bmp"): found in the program's folder, the
// installed data folder, or the user's data folder when the program's folder is not writable.

#include <QString>

// The path of a designed program-folder file name (a leading backslash is dropped).
QString programFilePath(const QString& designedName);
// Where a program-folder file is written: the program's folder when writable and not an
// installed bin/ folder, else the user's data folder (created when missing).
QString programFileWritePath(const QString& designedName);
