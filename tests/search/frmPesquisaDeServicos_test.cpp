#include "search/frmPesquisaDeServicos.h"

#include "globals/modPrincipal.h"
#include "platform/HeadlessHost.h"
#include "support/FakeComponents.h"
#include "support/RecordsetBuilder.h"

#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using KELO_A_PreVendas::frmPesquisaDeServicos;
using support::FakeAnswer;
using support::RecordsetBuilder;
namespace g = KELO_A_PreVendas::modPrincipal;

namespace {

platform::RecordsetRef Servicos(int count)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Servicos::CamposDoServicoNaPesquisa));
    for (int i = 1; i <= count; ++i)
        rows.Row({10 + i, "Banho " + std::to_string(i), platform::Currency::FromDouble(12.5),
                  platform::Currency::FromDouble(45), 5, "Com secagem"});
    return rows.Build();
}

class ServiceSearch : public ::testing::Test {
protected:
    ServiceSearch()
    {
        platform::SetHost(&host);
        g::gstrNomeDaAplicacao = "Kelo Pet Shop";
    }
    ~ServiceSearch() override
    {
        g::gstrNomeDaAplicacao.clear();
        platform::Screen::ClearFocus();
        platform::SetHost(nullptr);
    }

    void AnswerTypes(std::vector<std::pair<int32_t, std::string>> types)
    {
        RecordsetBuilder rows(contracts::FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico));
        for (auto& [numero, nome] : types)
            rows.Row({numero, nome});
        fakes.BusinessLayer.Answer<KELO_N_TipoDeServ::clsTiposDeServ>(
            "SelecionarParaComboBox", FakeAnswer::WithRows(rows.Build()));
    }

    // As the pre-sale form hands over its own types and matches.
    void PrepareAsTheForm(int matches)
    {
        dialog->ConfigurarGrade();
        dialog->PreencherGrade(Servicos(matches));
        for (auto [nome, numero] : {std::pair{"Banho", 5}, std::pair{"Hospedagem", 6}}) {
            dialog->qvcmbTiposDeServicos.AddItem(nome);
            dialog->qvcmbTiposDeServicos.ItemData(dialog->qvcmbTiposDeServicos.NewIndex, numero);
        }
        g::gbooIgnorarProximoClickDoTipoDeServico = true;
        dialog->qvcmbTiposDeServicos.ListIndex = 0;
    }

    void ShowWith(std::function<void()> userActions)
    {
        host.OnModal("frmPesquisaDeServicos", [&](platform::Form&) { userActions(); });
        dialog->Show(platform::vbModal);
    }

    void Search(const std::string& text)
    {
        ASSERT_TRUE(dialog->qvfndCodigoOuNome.UserType(text));
        ASSERT_TRUE(dialog->qvfndCodigoOuNome.UserConfirm());
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> prompts;
        for (const auto& box : host.MessageBoxes())
            prompts.push_back(box.Prompt);
        return prompts;
    }

    platform::HeadlessHost host;
    support::FakeComponents fakes;
    std::unique_ptr<frmPesquisaDeServicos> dialog = std::make_unique<frmPesquisaDeServicos>();
};

TEST_F(ServiceSearch, TheTypeSelectedOnOpeningKeepsTheListedRows)
{
    struct Row {
        bool ownList;
        std::vector<std::pair<int32_t, std::string>> types;
        int16_t listCount;
        int16_t listIndex;
        const char* message;
    };
    const Row rows[] = {
        // Its own list holds every type, clinical ones too, and opens on the first.
        {true, {{1, "Clínico"}, {5, "Banho"}}, 2, 0, nullptr},
        {true,
         {},
         0,
         -1,
         "Nenhum tipo de serviço cadastrado.\nÉ necessário ter no mínimo um tipo de serviço "
         "cadastrado para incluir um agendamento."},
        {false, {}, 2, 0, nullptr},
    };
    for (const Row& row : rows) {
        dialog = std::make_unique<frmPesquisaDeServicos>();
        host.ClearRecords();
        AnswerTypes(row.types);
        dialog->EfetuarOPreenchimentoDaComboboxTiposDeServicos(row.ownList);
        if (row.ownList) {
            dialog->ConfigurarGrade();
            dialog->PreencherGrade(Servicos(2));
        } else {
            PrepareAsTheForm(2);
        }
        bool findEnabled = false;
        ShowWith([&] {
            findEnabled = dialog->qvfndCodigoOuNome.Enabled();
            dialog->qvcmdFechar.UserClick();
        });
        SCOPED_TRACE(row.types.size());
        EXPECT_EQ(dialog->qvcmbTiposDeServicos.ListCount(), row.listCount);
        EXPECT_EQ(dialog->qvcmbTiposDeServicos.ListIndex(), row.listIndex);
        EXPECT_EQ(dialog->msfgGrade.Rows(), 3) << "the selection keeps the rows";
        EXPECT_EQ(dialog->msfgGrade.TextMatrix(2, 2), "Banho 2");
        EXPECT_TRUE(findEnabled) << "the first showing enables the find control";
        EXPECT_FALSE(g::gbooIgnorarProximoClickDoTipoDeServico);
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        EXPECT_EQ(dialog->qvcmdFechar.ToolTipText().empty(), row.message != nullptr)
            << "a dialog without types ends its loading early";
    }
}

TEST_F(ServiceSearch, PickingAnotherTypeEmptiesTheGridAndTheTypedText)
{
    PrepareAsTheForm(2);
    ShowWith([&] {
        ASSERT_TRUE(dialog->qvfndCodigoOuNome.UserType("Banho"));
        ASSERT_TRUE(dialog->qvcmbTiposDeServicos.UserSelect(1));
        EXPECT_EQ(dialog->msfgGrade.Rows(), 1);
        EXPECT_EQ(dialog->qvfndCodigoOuNome.Text(), "");
        EXPECT_EQ(dialog->qvfndCodigoOuNome.Modo(), 2);
        EXPECT_EQ(platform::Screen::ActiveControl(), &dialog->qvfndCodigoOuNome);
        dialog->qvcmdFechar.UserClick();
    });
    EXPECT_FALSE(dialog->RegistroSelecionado());
}

TEST_F(ServiceSearch, ASearchRunsWithinTheChosenType)
{
    struct Row {
        bool typeChosen;
        bool priceQuery;
        int matches;
        const char* message; // nullptr: none
        bool chosen;
    };
    const Row rows[] = {
        {false, false, 0, "Selecione o tipo de serviço.", false},
        {true, false, 1, nullptr, true},
        // A price query lists a single match and waits.
        {true, true, 1, nullptr, false},
        {true, false, 0,
         "Nenhum serviço encontrado  como o valor 'Hidra' informado e com o tipo de serviço "
         "'Hospedagem'.",
         false},
    };
    for (const Row& row : rows) {
        dialog = std::make_unique<frmPesquisaDeServicos>();
        host.ClearRecords();
        fakes.BusinessLayer.ForgetCalls();
        fakes.BusinessLayer.Answer<KELO_N_Servicos::clsServicos>(
            "Selecionar", FakeAnswer::WithRows(Servicos(row.matches)));
        dialog->FormularioDeConsultaDePreco(row.priceQuery);
        PrepareAsTheForm(0);
        bool stillShown = false;
        ShowWith([&] {
            if (row.typeChosen)
                dialog->qvcmbTiposDeServicos.UserSelect(1);
            else
                dialog->qvcmbTiposDeServicos.ListIndex = -1;
            Search("Hidra");
            stillShown = dialog->Visible();
            if (stillShown)
                dialog->qvcmdFechar.UserClick();
        });
        SCOPED_TRACE(testing::Message() << row.typeChosen << row.priceQuery << row.matches);
        const auto calls = fakes.BusinessLayer.CallsTo<KELO_N_Servicos::clsServicos>("Selecionar");
        ASSERT_EQ(calls.size(), row.typeChosen ? 1u : 0u);
        if (row.typeChosen) {
            EXPECT_EQ(calls[0].Arguments, (std::vector<platform::Variant>{int32_t{2}, int16_t{0},
                                                                          int32_t{1}, "Hidra", 6}));
        }
        EXPECT_EQ(Messages(),
                  row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
        EXPECT_EQ(dialog->RegistroSelecionado(), row.chosen);
        EXPECT_EQ(stillShown, !row.chosen);
        EXPECT_EQ(dialog->msfgGrade.Rows(), row.matches + 1);
    }
}

} // namespace
