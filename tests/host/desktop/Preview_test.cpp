// A report's preview on the desktop: the print preview dialog shows the laid-out pages, titled and
// maximised as the report asks, and its PDF holds every page; the report gets no widgets of its
// own.
#include "QtTestEnvironment.h"

#include "host/desktop/PrintPreview.h"
#include "host/report/ReportRenderer.h"
#include "platform/Report.h"
#include "support/RecordsetBuilder.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace desktop_test {
namespace {

// Forty lines of 900 twips: three A4 pages.
class Listing : public platform::Report {
public:
    Listing() : platform::Report("drListagem")
    {
        Caption = "Listagem";
        WindowState = platform::vbMaximized;
        Lista.Height = 900;
        txtNome.Move(0, 0, 3000, 300);
        txtNome.DataField = "Nome";
        support::RecordsetBuilder rows({"Nome"});
        for (int i = 1; i <= 40; ++i)
            rows.Row({"Linha " + std::to_string(i)});
        DataSource = rows.Build();
    }

    platform::ReportSection Lista{this, "Lista", platform::SectionKind::Detail};
    platform::ReportTextBox txtNome{&Lista, "txtNome"};
};

TEST(DesktopPreview, ShowsTheReportsPagesTitledAndMaximisedAndItsPdfHoldsThemAll)
{
    desktop::DesktopHost host{desktop::Scale(96)};
    Listing listing;
    QString title;
    bool maximised = false;
    int pages = 0;
    bool reportHadWidgets = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        maximised = dialog->windowState().testFlag(Qt::WindowMaximized);
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            pages = widget->pageCount();
        host.Sync();
        reportHadWidgets = host.PeerOf(listing) != nullptr;
        dialog->reject();
    });
    listing.Show();
    EXPECT_EQ(title, "Listagem");
    EXPECT_TRUE(maximised);
    EXPECT_EQ(pages, 3);
    EXPECT_FALSE(reportHadWidgets);
    EXPECT_FALSE(listing.Visible());

    const platform::LaidOutReport laidOut = listing.Layout();
    QTemporaryDir folder;
    const QString path = folder.filePath("listagem.pdf");
    ASSERT_TRUE(desktop::SaveAsPdf(path.toStdString(),
                                   [&](QPrinter& printer) { report::Draw(laidOut, printer); }));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n"), 3);
}

} // namespace
} // namespace desktop_test
