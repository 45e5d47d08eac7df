// What screen readers learn about the window beyond what the widgets tell them themselves.
#pragma once

class QWidget;

namespace tabulon::gui {

// Installs the program's accessibility interfaces (once; later calls do nothing). Page tabs then
// report which of them is selected, not only which has the focus, and drop-down lists are named
// by their label instead of by the entry they show; grid cells say whether they can be edited.
void InstallAccessibility();

// Gives every control of `root` that has a label (buddy) and no name of its own the label's
// text as its name. Lists and trees do not take the name from their label by themselves.
void NameControlsByTheirLabels(QWidget* root);

}  // namespace tabulon::gui
