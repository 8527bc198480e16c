// The one report renderer: draws the platform's laid-out report pages with Qt's painter on any
// paged device, so the desktop's preview, its printer and its PDF, and the runner's save-pdf all
// show the same pages.
//
// The device takes the report's paper and margins; the display list's twips are scaled to the
// device's resolution, with fonts sized in twips too (pixel sizes under the painter's scale), so
// nothing depends on the device's dpi. A text too long for its box ends in an ellipsis rather than
// running into the next column. Colours are the platform's packed RGB; system colours draw black.
#pragma once

#include "platform/Report.h"

#include <string>

class QPagedPaintDevice;
class QPainter;

namespace report {

// Gives the device the report's paper size and margins (as near as the device allows).
void SetUpPage(const platform::LaidOutReport& pages, QPagedPaintDevice& device);

// Sets the device up, then draws every page, one device page each. False when the device cannot
// be painted on (a PDF file that cannot be written).
bool Draw(const platform::LaidOutReport& pages, QPagedPaintDevice& device);

// One page on a painter whose unit is the twip and whose origin is the paper's top-left corner.
void DrawPage(const platform::ReportPage& page, QPainter& painter);

// Writes the pages to a PDF file carrying the report's title. Needs a QGuiApplication.
bool WritePdf(const platform::LaidOutReport& pages, const std::string& path);

} // namespace report
