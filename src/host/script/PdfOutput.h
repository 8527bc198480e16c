// Where the runner's save-pdf writes: the report renderer's PDF, the very pages the desktop
// previews and prints.
#pragma once

#include "platform/Report.h"

#include <string>

namespace script {

// Writes the pages to `path`; false with `why` when the file cannot be written or this runner
// was built without the renderer.
bool WritePdf(const platform::LaidOutReport& pages, const std::string& path, std::string& why);

} // namespace script
