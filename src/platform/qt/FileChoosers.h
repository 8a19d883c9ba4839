#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QFileDialog;
class QWidget;

// The file and folder choosers of the Qt platform, built ready to run but
// not yet shown, so that what the user will meet can be looked at without
// running them. Both are Qt's own dialogs, not the desktop's: only those
// honour every option below on every system.

// The folder chooser: the prompt shown inside the dialog above the folders,
// starting at the user's desktop (the home folder where there is no
// desktop folder), folders only, nothing preselected, and no way to create
// a new folder from it.
std::unique_ptr<QFileDialog> makeFolderChooser(QWidget* owner, const QString& prompt);

// The file chooser for opening one existing file, with the filters as
// "Description (patterns)". A "*.*" pattern is shown as written but lists
// every file: on Linux "*.*" would hide the files without an extension,
// such as a scanned "fattura".
std::unique_ptr<QFileDialog> makeFileChooser(QWidget* owner, const QString& title, const QStringList& filters);

// The chooser for a file the program writes, proposing proposedPath (its
// folder and name). Replacing a file that exists is asked first.
std::unique_ptr<QFileDialog> makeSaveChooser(QWidget* owner, const QString& title, const QString& proposedPath,
                                             const QStringList& filters);

// The caption of the folder chooser.
QString folderChooserCaption();
