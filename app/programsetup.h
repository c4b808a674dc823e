#pragma once

class QCoreApplication;

// What main() sets up before the first window.  The tests call the same.

// Installs Qt's Slovak catalogue and, after it (so that it is asked first),
// the program's own, which holds the texts of Qt's buttons and dialogs that
// Qt's catalogue lacks.
void InstallSlovakTranslations(QCoreApplication &app);

// A write past the file-size limit (ulimit -f) raises a signal that would end
// the program, and the edits with it; ignored, the write fails (EFBIG) and the
// save reports it.
void IgnoreFileSizeSignal();

// A screen reader reads the grids through accessible tables of the program's
// own (grid/gridaccessible.h), which Qt is told of here.
void SetUpAccessibility();
