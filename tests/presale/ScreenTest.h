// The pre-sale screen over fake components, with the moves every screen test makes: answer a
// component, type into a find box, read what the attendant was told and what was reported.
// The screen tests take <string> and <vector> from here.
#pragma once

#include "support/Clientes.h"
#include "support/DialogTest.h"
#include "support/session/PreVendasSession.h"

#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "globals/modPrincipal.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace presale_test {

using KELO_A_PreVendas::frmPreVendas;
using support::Clientes;
using support::FakeAnswer;
using support::Join;
using support::PreVendasSession;
using support::RecordsetBuilder;
using support::Said;
namespace g = KELO_A_PreVendas::modPrincipal;

// The company's row: trade name, label format, promotion dates and percentages, then the
// ceiling's.
inline FakeAnswer Empresa(platform::Variant formato = 2, const char* promoFrom = "",
                          const char* promoTo = "", const char* promoService = "0",
                          const char* promoProduct = "0", const char* ceilFrom = "",
                          const char* ceilTo = "", const char* ceilService = "0",
                          const char* ceilProduct = "0")
{
    return FakeAnswer::WithRows(
        RecordsetBuilder(contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa))
            .Row({"Kelo Pet Shop", std::move(formato), promoFrom, promoTo, promoService,
                  promoProduct, ceilFrom, ceilTo, ceilService, ceilProduct})
            .Build());
}

class Screen : public ::testing::Test {
protected:
    void SetUp() override { session.Start(); }

    void StartAs(support::FakeUser::Rights rights)
    {
        session.User = std::make_shared<support::FakeUser>(std::move(rights));
        session.Start();
    }

    frmPreVendas& Form() { return session.Form(); }
    support::FakeBusinessLayer& Layer() { return session.Fakes.BusinessLayer; }

    template <class Contract>
    void Answer(const char* member, FakeAnswer answer)
    {
        Layer().Answer<Contract>(member, std::move(answer));
    }
    template <class Contract>
    void Answer(const char* member, platform::RecordsetRef rows)
    {
        Layer().Answer<Contract>(member, FakeAnswer::WithRows(std::move(rows)));
    }
    template <class Contract>
    std::vector<support::RecordedCall> Calls(const char* member = "Selecionar") const
    {
        return session.Fakes.BusinessLayer.CallsTo<Contract>(member);
    }

    void AnswerClients(platform::RecordsetRef rows)
    {
        Answer<KELO_N_ClientAnim::clsClientes>("Selecionar", std::move(rows));
    }
    void AnswerAnimals(const std::vector<std::string>& nomes)
    {
        RecordsetBuilder rows(contracts::FieldNames(KELO_N_ClientAnim::CamposDoAnimal));
        int32_t codigo = 300;
        for (const std::string& nome : nomes)
            rows.Row({nome, codigo++});
        Answer<KELO_N_ClientAnim::clsAnimais>("SelecionarParaComboBoxFiltradoPorCliente",
                                              rows.Build());
    }
    void AnswerOpenItems(const RecordsetBuilder& items)
    {
        Answer<KELO_N_PreVendas::clsPreVendas>("SelecionarServicosEfetuadosEProdutosReservados",
                                               items.Build());
    }
    // Employees by code, nickname, commissioned, single commission, and the bath percentage.
    struct Funcionario {
        int32_t Codigo;
        const char* Apelido;
        const char* Comissionado = "Sim";
        const char* ComissaoUnica = "Não";
        double Unica = 0;
        double Banhos = 0; // every other per-type percentage is 0
    };
    void AnswerEmployees(std::initializer_list<Funcionario> funcionarios)
    {
        RecordsetBuilder rows(contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario));
        for (const Funcionario& f : funcionarios) {
            std::vector<platform::Variant> row{f.Codigo, f.Apelido, f.Comissionado, f.ComissaoUnica,
                                               platform::Currency::FromDouble(f.Unica)};
            for (int tipo = 1; tipo <= 8; ++tipo)
                row.emplace_back(platform::Currency::FromDouble(tipo == 5 ? f.Banhos : 0));
            rows.Row(std::move(row));
        }
        Answer<KELO_N_Funcionarios::clsFuncionarios>("Selecionar", rows.Build());
    }

    // The attendant types into a find box and confirms the search.
    void Search(suite_controls::QVFind& box, const std::string& text)
    {
        ASSERT_TRUE(box.UserType(text));
        ASSERT_TRUE(box.UserConfirm());
    }

    void Forget()
    {
        Layer().ForgetCalls();
        session.Host.ClearRecords();
        session.Fakes.ErrorMessages.ForgetReports();
    }

    std::vector<std::string> Messages() const { return support::Prompts(session.Host); }
    std::string Reports() const { return support::ReportLines(session.Fakes.ErrorMessages); }

    // Members of the form's controls, "control.Member", joined by " | ": one comparison of several.
    std::string Read(std::initializer_list<std::string_view> members)
    {
        std::string all;
        const char* separator = "";
        for (std::string_view member : members) {
            const size_t dot = member.find('.');
            platform::Control* control = Form().FindControl(member.substr(0, dot));
            all += separator + (control ? control->Get(member.substr(dot + 1)).AsString()
                                        : "(no " + std::string(member) + ")");
            separator = " | ";
        }
        return all;
    }

    bool Dark() const { return session.Fakes.DarkOverlay.IsDark(session.MenuWindow); }

    PreVendasSession session;
};

} // namespace presale_test
