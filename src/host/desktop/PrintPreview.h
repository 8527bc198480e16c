// The report facility's way to the screen: a print preview with printing and "Salvar como PDF",
// whose pages `render` paints onto the printer it is given.
#pragma once

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace desktop {

using PageRenderer = std::function<void(QPrinter&)>;

// Runs the preview modally over `parent` until the attendant closes it.
void ShowPrintPreview(QWidget* parent, const std::string& title, const PageRenderer& render,
                      bool maximised = false);
// Writes the pages to `path` as a PDF; answers whether the file is there.
bool SaveAsPdf(const std::string& path, const PageRenderer& render);

} // namespace desktop
