// The printout: what is selected, what the preview's pages show, and that the screen is cleared
// after a printout and after nothing else. Paging, the PDF's lines and the screen cleared for the
// next client are the printout scenarios'.
#include "ScreenTest.h"

#include "platform/Report.h"

namespace presale_test {
namespace {

// One bath to pay.
platform::RecordsetRef ItensAPagar()
{
    return RecordsetBuilder(contracts::FieldNames(KELO_N_PreVendas::CamposDaImpressao))
        .Row({"Rex", "Banho", platform::Currency::FromDouble(1), platform::Currency::FromDouble(45),
              platform::Currency::FromDouble(45), platform::Currency::FromDouble(4.5),
              platform::Currency::FromDouble(40.5)})
        .Build();
}

FakeAnswer EmpresaChamada(platform::Variant nomeFantasia)
{
    return FakeAnswer::WithRows(
        RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
            .Row({std::move(nomeFantasia), 2})
            .Build());
}

// Client 123 with a bath and a consultation open, 165,00 in all.
class Printout : public Screen {
protected:
    void SetUp() override
    {
        session.Start();
        AnswerClients(Clientes({{.Codigo = 123, .Apelido = "ANA", .Nome = "ANA"}}));
        AnswerOpenItems(support::ItensAbertos()
                            .Row({5, 10, "Banho", 300, "Rex", 0, "", 1, 45.0, -10.0, -4.5, 40.5,
                                  12.0, 0.0, 0.0, 101, "", "2", 1})
                            .Row({1, 1, "Consulta", 300, "Rex", 0, "", 1, 120.0, 0.0, 0.0, 120.0,
                                  30.0, 0.0, 0.0, 102, "", "2", 1}));
        Search(Form().qvfCodigoDoCliente, "123");
        ASSERT_EQ(Form().qvnumTotal.Text(), "165,00");
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", EmpresaChamada("Kelo Pet Shop"));
        AnswerItems(FakeAnswer::WithRows(ItensAPagar()));
        session.Host.OnAnyModal([](platform::Form& shown) { shown.UserClose(); });
        Forget();
    }

    void AnswerItems(FakeAnswer answer)
    {
        Answer<KELO_N_PreVendas::clsPreVendas>(
            "SelecionarServicosEfetuadosEProdutosReservadosParaImpressao", std::move(answer));
    }
    std::string Tela()
    {
        return Read({"qvfApelidoOuNomeFantasiaDoCliente.Text", "qvfNomeOuRazaoSocialDoCliente.Text",
                     "qvfCodigoDoCliente.Text", "qvnumTotal.Text", "qvnumDesconto.Text",
                     "qvnumLiquidoAPagar.Text", "msfgGrade.Rows"});
    }
};

// The message is the refusal scenario's; that nothing is asked for is not.
TEST_F(Printout, ABlankGridCallsNoComponent)
{
    Form().qvcmdLimparCampos.UserClick();
    Forget();
    ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
    EXPECT_EQ(Messages(), Said("Nenhum item encontrado na lista para impressão."));
    EXPECT_TRUE(Layer().Calls().empty());
    EXPECT_TRUE(session.Host.Previews().empty());
}

TEST_F(Printout, EveryRefusalAndEveryErrorLeavesTheScreenAsItWas)
{
    struct Row {
        const char* what;
        FakeAnswer empresa;
        FakeAnswer itens;
        std::string mensagem; // or the error report when `erro` is set
        int32_t icone = platform::vbInformation;
        bool erro = false;
    };
    const auto comEmpresa = EmpresaChamada("Kelo Pet Shop");
    const auto comItens = FakeAnswer::WithRows(ItensAPagar());
    const Row rows[] = {
        {"no company", FakeAnswer{}, comItens,
         "Não foi possível imprimir a pré-venda porque não há empresa cadastrada.\nSelecione a "
         "guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o cadastro e "
         "solicite a impressão novamente"},
        {"the company's error", FakeAnswer::Error(3021, "Sem registro", "KELO_N_Empresa, Sel"),
         comItens, "3021 @ KELO_N_Empresa, Sel\n", 0, true},
        {"the company refuses", FakeAnswer::Refusal(2, "Empresa bloqueada."), comItens,
         "Empresa bloqueada."},
        {"the store's error", comEmpresa, FakeAnswer::Error(5, "Falhou", "KELO_N_PreVendas, Imp"),
         "5 @ KELO_N_PreVendas, Imp\n", 0, true},
        {"the store refuses seriously", comEmpresa, FakeAnswer::Refusal(3, "Filtro recusado."),
         "Filtro recusado.", platform::vbCritical},
        {"the store raises", comEmpresa, FakeAnswer::Raising(7),
         "7 @ KELO_A_PreVendas, frmPreVendas, ImprimirPreVenda, Ponto: 2\n", 0, true},
        {"lines without their fields", comEmpresa,
         FakeAnswer::WithRows(RecordsetBuilder({"Nome"}).Row({"Banho"}).Build()),
         "3265 @ KELO_A_PreVendas, frmPreVendas, ImprimirPreVenda, Ponto: 4\n", 0, true},
    };
    const std::string antes = Tela();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", row.empresa);
        AnswerItems(row.itens);
        Forget();
        ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
        EXPECT_EQ(Reports(), row.erro ? row.mensagem : "");
        EXPECT_EQ(Messages(),
                  row.erro ? std::vector<std::string>{} : std::vector<std::string>{row.mensagem});
        EXPECT_EQ(Join(row.erro || session.Host.MessageBoxes()[0].Icon() == row.icone,
                       session.Host.Previews().empty(), Tela(), Dark()),
                  Join(true, true, antes, false));
    }
}

// What is selected and printed, with which totals, is the printout scenarios'.
TEST_F(Printout, ThePreviewOpensOverTheDarkenedScreenAndLeavesItOnTop)
{
    bool darkDuringThePreview = false;
    session.Host.OnModal("drPreVendas", [&](platform::Form& preview) {
        darkDuringThePreview = Dark();
        preview.UserClose();
    });
    ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
    const auto& preview = session.Host.Previews().at(0);
    // The report is released and the screen brought back on top.
    EXPECT_EQ(Join(preview.Report, preview.Pages.LeftMargin, preview.Pages.BottomMargin,
                   darkDuringThePreview, Dark(), platform::WindowSystem::IsTopmost(Form().hWnd()),
                   platform::Form::FindForm("drPreVendas") == nullptr),
              "drPreVendas | 850 | 850 | Verdadeiro | Falso | Verdadeiro | Verdadeiro");
}

TEST_F(Printout, ACompanyWithoutATradeNamePrintsAnEmptyName)
{
    Answer<KELO_N_Empresa::clsEmpresa>("Selecionar", EmpresaChamada(platform::Variant::Null()));
    ASSERT_TRUE(Form().qvcmdImprimirPreVenda.UserClick());
    std::string texts; // the first page's, each in brackets
    for (const platform::PageText& text : session.Host.Previews().at(0).Pages.Pages.at(0).Texts)
        texts += "[" + text.Text + "]";
    EXPECT_TRUE(texts.find("[]") != std::string::npos &&
                texts.find("[123 - ANA]") != std::string::npos &&
                texts.find("Nome fantasia da empresa") == std::string::npos)
        << texts;
}

} // namespace
} // namespace presale_test
