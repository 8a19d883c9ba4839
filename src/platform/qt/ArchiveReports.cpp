#include "platform/qt/ArchiveReports.h"

#include "platform/Platform.h"
#include "storage/ArchiveFile.h"

void reportArchiveFailure()
{
    platform::current().showMessage(archiveAccessMessage());
}
