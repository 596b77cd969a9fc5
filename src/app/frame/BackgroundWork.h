// BackgroundWork: long work off the window's thread. The work runs on a
// worker thread and reports through a SharedProgress; meanwhile the windows
// keep repainting but take no input, so nothing edits a project while the
// work reads or changes it. After about half a second a progress dialog
// shows how far the work has come; its Cancel (or Escape) asks the work to
// stop at its next safe point. Messages and questions the work puts to the
// person reach this thread through QtUserInterface.
#pragma once

#include <QString>
#include <functional>

#include "core/Progress.h"

class QWidget;

namespace BackgroundWork {

// How long work runs before the progress dialog shows.
constexpr int kDialogDelayMs = 500;

enum class Cancel { kAllowed, kNotAllowed };

// Runs `work` with the progress dialog's label `label` over `parent` and
// returns when it has finished: true unless the person cancelled it. An
// exception thrown by the work is thrown again here. With kNotAllowed the
// dialog has no Cancel button (work that cannot stop safely).
bool Run(QWidget* parent, const QString& label, const std::function<void(zav::Progress&)>& work,
         Cancel cancel = Cancel::kAllowed);

// True while work runs: commands that would edit a project refuse.
bool Busy();

}  // namespace BackgroundWork
