#include "search/frmPesquisaDeServicos.h"

#include "globals/modPrincipal.h"
#include "support/DialogTest.h"

#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"

#include <string>
#include <vector>

namespace {

using support::FakeAnswer;
using support::Join;
using support::RecordsetBuilder;
using support::Said;
using Dialog = support::DialogTest;
namespace g = KELO_A_PreVendas::modPrincipal;

using KELO_A_PreVendas::frmPesquisaDeServicos;

platform::RecordsetRef Servicos(int count)
{
    RecordsetBuilder rows(contracts::FieldNames(KELO_N_Servicos::CamposDoServicoNaPesquisa));
    for (int i = 1; i <= count; ++i)
        rows.Row({10 + i, "Banho " + std::to_string(i), platform::Currency::FromDouble(12.5),
                  platform::Currency::FromDouble(45), 5, "Com secagem"});
    return rows.Build();
}

class ServiceSearch : public Dialog {
protected:
    // A new dialog prepared as a caller does: its own list, or the caller's types and matches.
    void Prepare(bool ownList, int matches, bool priceQuery = false)
    {
        dialog = std::make_unique<frmPesquisaDeServicos>();
        host.ClearRecords();
        dialog->EfetuarOPreenchimentoDaComboboxTiposDeServicos(ownList);
        dialog->FormularioDeConsultaDePreco(priceQuery);
        dialog->ConfigurarGrade();
        dialog->PreencherGrade(Servicos(matches));
        if (ownList)
            return;
        for (auto [nome, numero] : {std::pair{"Banho", 5}, std::pair{"Hospedagem", 6}}) {
            dialog->qvcmbTiposDeServicos.AddItem(nome);
            dialog->qvcmbTiposDeServicos.ItemData(dialog->qvcmbTiposDeServicos.NewIndex, numero);
        }
        g::gbooIgnorarProximoClickDoTipoDeServico = true;
        dialog->qvcmbTiposDeServicos.ListIndex = 0;
    }

    std::unique_ptr<frmPesquisaDeServicos> dialog;
};

TEST_F(ServiceSearch, TheTypeSelectedOnOpeningKeepsTheListedRows)
{
    struct Row {
        bool ownList;
        std::vector<std::pair<int32_t, const char*>> types;
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
        RecordsetBuilder types(contracts::FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico));
        for (auto [numero, nome] : row.types)
            types.Row({numero, nome});
        fakes.BusinessLayer.Answer<KELO_N_TipoDeServ::clsTiposDeServ>(
            "SelecionarParaComboBox", FakeAnswer::WithRows(types.Build()));
        Prepare(row.ownList, 2);
        bool findEnabled = false;
        host.OnModal("frmPesquisaDeServicos", [&](platform::Form&) {
            findEnabled = dialog->qvfndCodigoOuNome.Enabled();
            dialog->qvcmdFechar.UserClick();
        });
        dialog->Show(platform::vbModal);
        SCOPED_TRACE(row.types.size());
        // The selection keeps the rows, the first showing enables the find control, and a dialog
        // without types ends its loading early.
        EXPECT_EQ(Join(dialog->qvcmbTiposDeServicos.ListCount(),
                       dialog->qvcmbTiposDeServicos.ListIndex(), dialog->msfgGrade.Rows(),
                       findEnabled, g::gbooIgnorarProximoClickDoTipoDeServico,
                       dialog->qvcmdFechar.ToolTipText().empty()),
                  Join(row.listCount, row.listIndex, 3, true, false, row.message != nullptr));
        EXPECT_EQ(Messages(), Said(row.message));
    }
}

TEST_F(ServiceSearch, ASearchRunsWithinTheChosenTypeAndAPriceQueryChoosesNothing)
{
    struct Row {
        bool typeChosen;
        bool priceQuery;
        bool chosen;
    };
    for (const Row& row :
         {Row{false, false, false}, Row{true, false, true}, Row{true, true, false}}) {
        fakes.BusinessLayer.ForgetCalls();
        fakes.BusinessLayer.Answer<KELO_N_Servicos::clsServicos>("Selecionar",
                                                                 FakeAnswer::WithRows(Servicos(1)));
        Prepare(false, 0, row.priceQuery);
        bool stillShown = false;
        host.OnModal("frmPesquisaDeServicos", [&](platform::Form&) {
            if (row.typeChosen)
                dialog->qvcmbTiposDeServicos.UserSelect(1);
            else
                dialog->qvcmbTiposDeServicos.ListIndex = -1;
            dialog->qvfndCodigoOuNome.UserType("Hidra");
            dialog->qvfndCodigoOuNome.UserConfirm();
            stillShown = dialog->Visible();
            if (stillShown)
                dialog->qvcmdFechar.UserClick();
        });
        dialog->Show(platform::vbModal);
        SCOPED_TRACE(testing::Message() << row.typeChosen << row.priceQuery);
        const auto calls = fakes.BusinessLayer.CallsTo<KELO_N_Servicos::clsServicos>("Selecionar");
        ASSERT_EQ(calls.size(), row.typeChosen ? 1u : 0u);
        if (row.typeChosen) {
            EXPECT_EQ(calls[0].Arguments, (std::vector<platform::Variant>{int32_t{2}, int16_t{0},
                                                                          int32_t{1}, "Hidra", 6}));
        }
        EXPECT_EQ(Messages(), Said(row.typeChosen ? nullptr : "Selecione o tipo de serviço."));
        EXPECT_EQ(Join(dialog->RegistroSelecionado(), stillShown, dialog->msfgGrade.Rows()),
                  Join(row.chosen, !row.chosen, row.typeChosen ? 2 : 1));
    }
}

} // namespace
