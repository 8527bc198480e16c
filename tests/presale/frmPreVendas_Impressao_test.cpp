// The printout: what is selected, what the preview's pages show, and that the screen is cleared
// after a printout and after nothing else.
#include "support/Clientes.h"
#include "support/session/PreVendasSession.h"

#include "contracts/KELO_N_Empresa.h"
#include "platform/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using KELO_A_PreVendas::frmPreVendas;
using support::FakeAnswer;
using support::PreVendasSession;

namespace {

constexpr const char* Titulo = "Imprimir produtos e/ou serviços a pagar";

struct Tela {
    std::string Apelido, Nome, Codigo, Total, Desconto, Liquido;
    int32_t Linhas;
    bool operator==(const Tela&) const = default;
    friend void PrintTo(const Tela& tela, std::ostream* out)
    {
        *out << tela.Apelido << " | " << tela.Nome << " | " << tela.Codigo << " | " << tela.Total
             << " | " << tela.Desconto << " | " << tela.Liquido << " | " << tela.Linhas;
    }
};

std::vector<std::string> TextsOf(const platform::ReportPage& page)
{
    std::vector<std::string> texts;
    for (const platform::PageText& text : page.Texts)
        texts.push_back(text.Text);
    return texts;
}

bool Holds(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

platform::RecordsetRef Empresa(platform::Variant nomeFantasia)
{
    return support::RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
        .Row({std::move(nomeFantasia), 2})
        .Build();
}

platform::RecordsetRef ItensAPagar(int quantos)
{
    support::RecordsetBuilder rows(contracts::FieldNames(KELO_N_PreVendas::CamposDaImpressao));
    for (int i = 1; i <= quantos; ++i) {
        rows.Row({"Rex", "Banho " + std::to_string(i), platform::Currency::FromDouble(1),
                  platform::Currency::FromDouble(45), platform::Currency::FromDouble(45),
                  platform::Currency::FromDouble(4.5), platform::Currency::FromDouble(40.5)});
    }
    return rows.Build();
}

class Printout : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        auto& layer = session.Fakes.BusinessLayer;
        layer.Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar", FakeAnswer::WithRows(support::Clientes(
                              {{.Codigo = 123, .Apelido = "ANA", .Nome = "ANA"}})));
        layer.Answer<KELO_N_PreVendas::clsPreVendas>(
            "SelecionarServicosEfetuadosEProdutosReservados",
            FakeAnswer::WithRows(support::ItensAbertos()
                                     .Row({5, 10, "Banho", 300, "Rex", 0, "", 1, 45.0, -10.0, -4.5,
                                           40.5, 12.0, 0.0, 0.0, 101, "", "2", 1})
                                     .Row({1, 1, "Consulta", 300, "Rex", 0, "", 1, 120.0, 0.0, 0.0,
                                           120.0, 30.0, 0.0, 0.0, 102, "", "2", 1})
                                     .Build()));
        ASSERT_TRUE(Form().qvfCodigoDoCliente.UserType("123"));
        ASSERT_TRUE(Form().qvfCodigoDoCliente.UserConfirm());
        ASSERT_EQ(Form().qvnumTotal.Text(), "165,00");
        layer.Answer<KELO_N_Empresa::clsEmpresa>("Selecionar",
                                                 FakeAnswer::WithRows(Empresa("Kelo Pet Shop")));
        AnswerItems(FakeAnswer::WithRows(ItensAPagar(1)));
        session.Host.OnAnyModal([](platform::Form& shown) { shown.UserClose(); });
        layer.ForgetCalls();
        session.Host.ClearRecords();
    }

    frmPreVendas& Form() { return session.Form(); }

    void AnswerItems(FakeAnswer answer)
    {
        session.Fakes.BusinessLayer.Answer<KELO_N_PreVendas::clsPreVendas>(
            "SelecionarServicosEfetuadosEProdutosReservadosParaImpressao", std::move(answer));
    }

    Tela Screen()
    {
        frmPreVendas& form = Form();
        return {form.qvfApelidoOuNomeFantasiaDoCliente.Text(),
                form.qvfNomeOuRazaoSocialDoCliente.Text(),
                form.qvfCodigoDoCliente.Text(),
                form.qvnumTotal.Text(),
                form.qvnumDesconto.Text(),
                form.qvnumLiquidoAPagar.Text(),
                form.msfgGrade.Rows()};
    }

    // The pages of the one preview the click showed.
    const platform::LaidOutReport& Printed()
    {
        EXPECT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
        const auto& previews = session.Host.Previews();
        EXPECT_EQ(previews.size(), 1u);
        static const platform::LaidOutReport none;
        return previews.empty() ? none : previews.back().Pages;
    }

    PreVendasSession session;
};

TEST_F(Printout, ABlankGridSaysSoAndCallsNoComponent)
{
    Form().qvcmdLimparCampos.UserClick();
    session.Fakes.BusinessLayer.ForgetCalls();
    session.Host.ClearRecords();
    ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
    ASSERT_EQ(session.Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(session.Host.MessageBoxes()[0].Prompt,
              "Nenhum item encontrado na lista para impressão.");
    EXPECT_EQ(session.Host.MessageBoxes()[0].Buttons, platform::vbInformation);
    EXPECT_EQ(session.Host.MessageBoxes()[0].Title, PreVendasSession::NomeDaAplicacao);
    EXPECT_TRUE(session.Fakes.BusinessLayer.Calls().empty());
    EXPECT_TRUE(session.Host.Previews().empty());
}

TEST_F(Printout, EveryRefusalAndEveryErrorLeavesTheScreenAsItWas)
{
    struct Row {
        const char* what;
        FakeAnswer empresa;
        FakeAnswer itens;
        std::string mensagem; // or the error report's location when `erro` is set
        int32_t icone = platform::vbInformation;
        int32_t erro = 0;
    };
    const auto comEmpresa = FakeAnswer::WithRows(Empresa("Kelo Pet Shop"));
    const auto comItens = FakeAnswer::WithRows(ItensAPagar(1));
    const Row rows[] = {
        {"no company", FakeAnswer{}, comItens,
         "Não foi possível imprimir a pré-venda porque não há empresa cadastrada.\nSelecione a "
         "guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o cadastro e "
         "solicite a impressão novamente"},
        {"the company's error", FakeAnswer::Error(3021, "Sem registro", "KELO_N_Empresa, Sel"),
         comItens, "KELO_N_Empresa, Sel", 0, 3021},
        {"the company refuses", FakeAnswer::Refusal(2, "Empresa bloqueada."), comItens,
         "Empresa bloqueada."},
        {"only clinical items", comEmpresa, FakeAnswer{},
         "Não existem serviços e/ou produtos a pagar."},
        {"the store's error", comEmpresa, FakeAnswer::Error(5, "Falhou", "KELO_N_PreVendas, Imp"),
         "KELO_N_PreVendas, Imp", 0, 5},
        {"the store refuses seriously", comEmpresa, FakeAnswer::Refusal(3, "Filtro recusado."),
         "Filtro recusado.", platform::vbCritical},
        {"the store raises", comEmpresa, FakeAnswer::Raising(7),
         "KELO_A_PreVendas, frmPreVendas, ImprimirPreVenda, Ponto: 2", 0, 7},
        {"lines without their fields", comEmpresa,
         FakeAnswer::WithRows(support::RecordsetBuilder({"Nome"}).Row({"Banho"}).Build()),
         "KELO_A_PreVendas, frmPreVendas, ImprimirPreVenda, Ponto: 4", 0, 3265},
    };
    const Tela antes = Screen();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        session.Fakes.BusinessLayer.Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", row.empresa);
        AnswerItems(row.itens);
        session.Host.ClearRecords();
        session.Fakes.ErrorMessages.ForgetReports();
        ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
        const auto reports = session.Fakes.ErrorMessages.Reports();
        if (row.erro != 0) {
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_EQ(reports[0].Numero.AsLong(), row.erro);
            EXPECT_EQ(reports[0].Local.AsString(), row.mensagem);
            EXPECT_TRUE(session.Host.MessageBoxes().empty());
        } else {
            EXPECT_TRUE(reports.empty());
            ASSERT_EQ(session.Host.MessageBoxes().size(), 1u);
            EXPECT_EQ(session.Host.MessageBoxes()[0].Prompt, row.mensagem);
            EXPECT_EQ(session.Host.MessageBoxes()[0].Icon(), row.icone);
        }
        EXPECT_TRUE(session.Host.Previews().empty());
        EXPECT_EQ(Screen(), antes);
        EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
    }
}

TEST_F(Printout, PrintsThePayableItemsWithTheScreensTotalsThenClearsTheScreen)
{
    bool clearedDuringThePreview = true;
    session.Host.OnModal("drPreVendas", [&](platform::Form& preview) {
        clearedDuringThePreview = Screen().Codigo.empty();
        EXPECT_TRUE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
        preview.UserClose();
    });
    AnswerItems(FakeAnswer::WithRows(ItensAPagar(2)));
    const platform::LaidOutReport& printed = Printed();

    const auto calls = session.Fakes.BusinessLayer.CallsTo<KELO_N_PreVendas::clsPreVendas>(
        "SelecionarServicosEfetuadosEProdutosReservadosParaImpressao");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Arguments[0], platform::Variant(int16_t{2}));
    EXPECT_EQ(
        calls[0].Arguments[1].AsString(),
        " WHERE ((ServicosEfetuados.NumeroDaVenda=0  AND (ServicosEfetuados.NumeroDaFichaClinica"
        "=0 OR (ServicosEfetuados.NumeroDaFichaClinica) Is Null)) AND ((ServicosEfetuados."
        "CodigoDoCliente)=123) AND ((TiposDeServicos.Numero)>4)) ");
    EXPECT_EQ(calls[0].Arguments[2].AsString(),
              " WHERE (((ProdutosReservados.NumeroDaVenda)=0) AND ((ProdutosReservados."
              "CodigoDoCliente)=123) AND ((ProdutosReservados.NumeroDaFichaClinica) Is Null)) ");
    const auto& preview = session.Host.Previews().at(0);
    EXPECT_EQ(preview.Report, "drPreVendas");
    EXPECT_EQ(preview.Caption, Titulo);
    EXPECT_EQ(preview.WindowState, platform::vbMaximized);
    EXPECT_EQ(printed.LeftMargin, 850);
    EXPECT_EQ(printed.BottomMargin, 850);

    ASSERT_EQ(printed.Pages.size(), 1u);
    const std::vector<std::string> texts = TextsOf(printed.Pages[0]);
    for (const char* text :
         {"Kelo Pet Shop", "Produtos e/ou Serviços a pagar", "Cliente:", "123 - ANA", "07/12/2026",
          "Página:", "1", "de", "Banho 1", "Banho 2", "45,00", "4,50", "40,50", "Total:", "165,00",
          "Desconto:", "-4,50", "Liquido a pagar:", "160,50"})
        EXPECT_TRUE(Holds(texts, text)) << text;
    EXPECT_FALSE(Holds(texts, "Consulta")) << "only the store's selection is printed";

    EXPECT_FALSE(clearedDuringThePreview);
    EXPECT_EQ(Screen(), (Tela{"", "", "", "0,00", "0,00", "0,00", 2}));
    EXPECT_TRUE(platform::WindowSystem::IsTopmost(Form().hWnd()));
    EXPECT_TRUE(Form().qvfApelidoOuNomeFantasiaDoCliente.HasFocus());
    EXPECT_FALSE(session.Fakes.DarkOverlay.IsDark(session.MenuWindow));
    EXPECT_EQ(session.Fakes.BusinessLayer.InstancesAlive(KELO_N_PreVendas::clsPreVendas::ClassName),
              0);
    EXPECT_EQ(platform::Form::FindForm("drPreVendas"), nullptr) << "the report is released";
    EXPECT_TRUE(session.Host.MessageBoxes().empty());
}

TEST_F(Printout, ACompanyWithoutATradeNamePrintsAnEmptyName)
{
    session.Fakes.BusinessLayer.Answer<KELO_N_Empresa::clsEmpresa>(
        "Selecionar", FakeAnswer::WithRows(Empresa(platform::Variant::Null())));
    const platform::LaidOutReport& printed = Printed();
    ASSERT_FALSE(printed.Pages.empty());
    const std::vector<std::string> texts = TextsOf(printed.Pages[0]);
    EXPECT_FALSE(Holds(texts, "Nome fantasia da empresa"));
    EXPECT_TRUE(Holds(texts, ""));
    EXPECT_TRUE(Holds(texts, "123 - ANA"));
}

TEST_F(Printout, SixtyItemsMakeSeveralNumberedPagesWithNothingCutAtTheirEdges)
{
    AnswerItems(FakeAnswer::WithRows(ItensAPagar(60)));
    const platform::LaidOutReport& printed = Printed();
    const auto pages = static_cast<int>(printed.Pages.size());
    ASSERT_GE(pages, 2);
    int lines = 0;
    for (int at = 0; at < pages; ++at) {
        const platform::ReportPage& page = printed.Pages[static_cast<size_t>(at)];
        const std::vector<std::string> texts = TextsOf(page);
        // "Página:", "%p", "de", "%P" in a row.
        const auto field = std::find(texts.begin(), texts.end(), "Página:");
        ASSERT_TRUE(texts.end() - field > 3);
        EXPECT_EQ(*(field + 1), std::to_string(at + 1));
        EXPECT_EQ(*(field + 3), std::to_string(pages));
        EXPECT_TRUE(Holds(texts, "123 - ANA")) << "every page names the client";
        EXPECT_EQ(Holds(texts, "Liquido a pagar:"), at + 1 == pages);
        for (const std::string& text : texts)
            lines += text.starts_with("Banho ") ? 1 : 0;
        for (const platform::PageText& text : page.Texts) {
            EXPECT_GE(text.Top, printed.TopMargin);
            EXPECT_LE(text.Top + text.Height, printed.PaperHeight - printed.BottomMargin);
            EXPECT_LE(text.Left + text.Width, printed.PaperWidth - printed.RightMargin);
        }
    }
    EXPECT_EQ(lines, 60);
}

} // namespace
