// A runner built without Qt 6 has no report renderer: save-pdf says so instead of writing.
#include "host/script/PdfOutput.h"

namespace script {

bool WritePdf(const platform::LaidOutReport&, const std::string&, std::string& why)
{
    why = "this runner was built without the report renderer (Qt 6)";
    return false;
}

} // namespace script
