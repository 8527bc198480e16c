#include "host/desktop/PrintPreview.h"

#include "host/desktop/Convert.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace desktop {

void ShowPrintPreview(QWidget* parent, const std::string& title, const PageRenderer& render,
                      bool maximised)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(ToQString(title));
    if (maximised)
        preview.setWindowState(Qt::WindowMaximized);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&render](QPrinter* target) { render(*target); });
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
        QAction* pdf = toolbar->addAction(QStringLiteral("Salvar como PDF"));
        QObject::connect(pdf, &QAction::triggered, &preview, [&preview, &render] {
            const QString path =
                QFileDialog::getSaveFileName(&preview, QStringLiteral("Salvar como PDF"), QString(),
                                             QStringLiteral("PDF (*.pdf)"));
            if (!path.isEmpty())
                SaveAsPdf(ToStd(path), render);
        });
    }
    preview.exec();
}

bool SaveAsPdf(const std::string& path, const PageRenderer& render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(ToQString(path));
    render(printer);
    return QFileInfo::exists(ToQString(path));
}

} // namespace desktop
