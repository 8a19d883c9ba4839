#pragma once

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

// The folder chooser of the Qt platform, built ready to run but not yet
// shown, so that what the user will meet can be looked at without running
// it. It is Qt's own dialog, not the desktop's: only that one honours every
// option below on every system.

// The folder chooser: the prompt shown inside the dialog above the folders,
// starting at the user's desktop (the home folder where there is no
// desktop folder), folders only, nothing preselected, and no way to create
// a new folder from it.
std::unique_ptr<QFileDialog> makeFolderChooser(QWidget* owner, const QString& prompt);

// The caption of the folder chooser.
QString folderChooserCaption();
