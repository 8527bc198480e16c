// The report facility: bands laid out into pages, page fields, bound text boxes, and the preview
// as a host service.
#include "platform/HeadlessHost.h"
#include "platform/Report.h"

#include "support/ErrorRaisedBy.h"
#include "support/RecordsetBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace platform;
using support::ErrorRaisedBy;

namespace {

// A small paper to count on: body from 400 (after the page header) to 1700 (above the page
// footer), so 13 detail bands of 100 fill a page exactly.
class Listing : public Report {
public:
    Listing() : Report("drListagem")
    {
        PaperWidth = 3000;
        PaperHeight = 2000;
        LeftMargin = RightMargin = TopMargin = BottomMargin = 100;
        ReportWidth = 2800;
        Cabecalho.Height = 300;
        lblPagina.Move(0, 0, 1000, 200);
        txtNome.Move(0, 0, 1500, 100);
        txtNome.DataField = "Nome";
        txtValor.Move(1500, 0, 800, 100);
        txtValor.DataField = "Valor";
        txtValor.DataFormat = "#,##0.00";
        Lista.Height = 100;
        Rodape.Height = 200;
        Totais.Height = 250;
        linTotais.X2 = 2800;
    }

    ReportSection Cabecalho{this, "Cabecalho", SectionKind::PageHeader};
    ReportLabel lblPagina{&Cabecalho, "lblPagina", "Página %p de %P"};
    ReportSection Lista{this, "Lista", SectionKind::Detail};
    ReportTextBox txtNome{&Lista, "txtNome"};
    ReportTextBox txtValor{&Lista, "txtValor"};
    ReportSection Rodape{this, "Rodape", SectionKind::PageFooter};
    ReportSection Totais{this, "Totais", SectionKind::ReportFooter};
    ReportLine linTotais{&Totais, "linTotais"};
    ReportLabel lblTotal{&Totais, "lblTotal", "Total"};
};

RecordsetRef Records(int count)
{
    support::RecordsetBuilder rows({"Nome", "Valor"});
    for (int i = 1; i <= count; ++i)
        rows.Row({"Item " + std::to_string(i), Currency::FromRaw(i * 10000)});
    return rows.Build();
}

std::vector<std::string> TextsOf(const ReportPage& page)
{
    std::vector<std::string> texts;
    for (const PageText& text : page.Texts)
        texts.push_back(text.Text);
    return texts;
}

int CountOf(const ReportPage& page, const std::string& prefix)
{
    int count = 0;
    for (const PageText& text : page.Texts)
        count += text.Text.starts_with(prefix) ? 1 : 0;
    return count;
}

class ReportLayout : public ::testing::Test {
protected:
    void SetUp() override { SetHost(&host); }
    void TearDown() override { SetHost(nullptr); }

    HeadlessHost host;
    Listing report;
};

TEST_F(ReportLayout, BandsNeverSplitAndTheTotalsFollowTheLastRecord)
{
    struct Row {
        int records;
        std::vector<int> detailsPerPage;
        int pageOfTotals; // 1-based
    };
    const Row rows[] = {
        {0, {0}, 1},      {10, {10}, 1},
        {11, {11, 0}, 2}, // 400 + 1100 + 250 passes 1700: the totals move on alone
        {13, {13, 0}, 2}, // the 13th band ends at 1700 exactly
        {14, {13, 1}, 2}, {30, {13, 13, 4}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.records);
        report.DataSource = Records(row.records);
        const LaidOutReport laidOut = report.Layout();
        ASSERT_EQ(laidOut.Pages.size(), row.detailsPerPage.size());
        const auto pages = static_cast<int>(laidOut.Pages.size());
        for (int at = 0; at < pages; ++at) {
            const ReportPage& page = laidOut.Pages[static_cast<size_t>(at)];
            EXPECT_EQ(CountOf(page, "Item "), row.detailsPerPage[static_cast<size_t>(at)]);
            EXPECT_EQ(page.Texts.front().Text,
                      "Página " + std::to_string(at + 1) + " de " + std::to_string(pages));
            EXPECT_EQ(CountOf(page, "Total"), at + 1 == row.pageOfTotals ? 1 : 0);
            for (const PageText& text : page.Texts) {
                EXPECT_GE(text.Top, 100);
                EXPECT_LE(text.Top + text.Height, 1700) << text.Text << " runs into the footer";
            }
        }
        EXPECT_EQ(laidOut.Pages.back().Lines.size(), 1u);
    }
}

TEST_F(ReportLayout, DetailBandsFollowTheRecordsInOrderInTwipsFromThePaperCorner)
{
    report.DataSource = Records(2);
    const ReportPage page = report.Layout().Pages.at(0);
    EXPECT_EQ(TextsOf(page), (std::vector<std::string>{"Página 1 de 1", "Item 1", "1,00", "Item 2",
                                                       "2,00", "Total"}));
    EXPECT_EQ(page.Texts[1].Left, 100);
    EXPECT_EQ(page.Texts[1].Top, 400);
    EXPECT_EQ(page.Texts[4].Left, 1600);
    EXPECT_EQ(page.Texts[4].Top, 500);
    const PageLine& line = page.Lines.at(0);
    EXPECT_EQ(line.Y1, 600) << "the totals start right under the last record";
    EXPECT_EQ(line.X2 - line.X1, 2800);
}

TEST_F(ReportLayout, OnlyLabelsFillFieldsAndANullFieldIsBlank)
{
    host.SetToday(Date{2026, 3, 9});
    report.lblPagina.Caption = "%d, %p/%P, 100% e %x";
    report.DataSource =
        support::RecordsetBuilder({"Nome", "Valor"}).Row({"100%puro %p", Variant::Null()}).Build();
    const ReportPage page = report.Layout().Pages.at(0);
    EXPECT_EQ(TextsOf(page),
              (std::vector<std::string>{"09/03/2026, 1/1, 100% e %x", "100%puro %p", "", "Total"}));
}

TEST_F(ReportLayout, HiddenControlsAndSectionsTakeNoPlace)
{
    report.lblTotal.Visible = false;
    report.txtValor.Visible = false;
    report.Cabecalho.Visible = false;
    report.DataSource = Records(1);
    const ReportPage page = report.Layout().Pages.at(0);
    EXPECT_EQ(TextsOf(page), (std::vector<std::string>{"Item 1"}));
    EXPECT_EQ(page.Texts[0].Top, 100);
}

TEST_F(ReportLayout, WhatCannotBeLaidOutIsARunTimeError)
{
    struct Row {
        const char* what;
        std::function<void(Listing&)> change;
        int32_t error;
    };
    const Row rows[] = {
        {"wider than the paper", [](Listing& r) { r.ReportWidth = 2801; }, 380},
        {"a record taller than a page", [](Listing& r) { r.Lista.Height = 1301; }, 380},
        {"a control below its band's page", [](Listing& r) { r.txtNome.Top = 1300; }, 380},
        {"no room between header and footer", [](Listing& r) { r.Rodape.Height = 1600; }, 380},
        {"a field the records lack", [](Listing& r) { r.txtNome.DataField = "Preco"; }, 3265},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Listing listing;
        listing.DataSource = Records(3);
        row.change(listing);
        EXPECT_EQ(ErrorRaisedBy([&] { listing.Layout(); }), row.error);
    }
    EXPECT_EQ(ErrorRaisedBy([&] { report.Sections("Rodapé"); }), errSubscriptOutOfRange);
    EXPECT_EQ(&report.Sections("Rodape"), &report.Rodape);
}

TEST_F(ReportLayout, ThePreviewIsAModalShowingOfTheReportThroughTheHost)
{
    report.DataSource = Records(14);
    bool shown = false;
    host.OnModal("drListagem", [&](Form& form) {
        shown = true;
        EXPECT_TRUE(form.Visible() && form.Modal());
        form.UserClose();
    });
    report.Show();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(report.Visible() || report.Modal());
    EXPECT_EQ(host.PreviewShown(), nullptr);
    EXPECT_EQ(host.ModalShowings(), (std::vector<std::string>{"drListagem"}));

    EXPECT_EQ(ErrorRaisedBy([&] { report.Show(vbModeless); }), errInvalidProcedureCall);
    report.txtNome.DataField = "Preco";
    EXPECT_EQ(ErrorRaisedBy([&] { report.Show(); }), 3265);
    EXPECT_EQ(host.Previews().size(), 1u) << "a report that cannot be laid out is not shown";
}

} // namespace
