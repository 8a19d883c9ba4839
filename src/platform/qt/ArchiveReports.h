#pragma once

// What the screens tell the user when an archive operation fails: the
// archive-access message in the plain box. Core only answers with a result.
void reportArchiveFailure();
