#pragma once

#include <QString>

// The directory that holds the executable: every archive, the settings, the
// password store, the logo and the guide live there. It is asked for here and
// nowhere else; tests point it at a temporary directory with setPath().
class AppDir
{
public:
    // The directory, without trailing separator.
    static QString path();
    // The full path of a file beside the executable, trimmed of surrounding blanks.
    static QString filePath(const QString& fileName);
    static void setPath(const QString& dir);
    // The folder of the running executable as the system knows it, already
    // before the application object exists (path() needs that object); empty
    // when the system cannot tell.
    static QString executableFolder();

private:
    static QString& overridePath();
};
