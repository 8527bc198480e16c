#include "search/frmPesquisaDeClientes.h"

#include "globals/modPrincipal.h"
#include "support/Clientes.h"
#include "support/DialogTest.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using support::FakeAnswer;
using support::Join;
using support::RecordsetBuilder;
using support::Said;
using Dialog = support::DialogTest;
namespace g = KELO_A_PreVendas::modPrincipal;

using KELO_A_PreVendas::frmPesquisaDeClientes;
using support::Clientes;

class ClientSearch : public Dialog {
protected:
    ClientSearch() { g::gstrNomeDaAplicacao = "Kelo Pet Shop"; }
    ~ClientSearch() override { g::gstrNomeDaAplicacao.clear(); }

    suite_controls::QVFind& Find()
    {
        return dialog->qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo;
    }
    void AnswerClients(platform::RecordsetRef rows)
    {
        fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsClientes>(
            "Selecionar", FakeAnswer::WithRows(std::move(rows)));
    }
    // Shows the dialog modally, as the pre-sale form does, with the user acting inside it.
    void ShowWith(std::function<void()> userActions)
    {
        host.OnModal("frmPesquisaDeClientes", [&](platform::Form&) { userActions(); });
        dialog->Show(platform::vbModal);
    }
    // The attendant types and confirms a search in the dialog.
    void Search(const std::string& text)
    {
        ASSERT_TRUE(Find().UserType(text));
        ASSERT_TRUE(Find().UserConfirm());
    }
    // The grid's rows and the searches made.
    std::string Searched() const
    {
        return Join(
            dialog->msfgGrade.Rows(),
            static_cast<int32_t>(
                fakes.BusinessLayer.CallsTo<KELO_N_ClientAnim::clsClientes>("Selecionar").size()));
    }

    std::unique_ptr<frmPesquisaDeClientes> dialog = std::make_unique<frmPesquisaDeClientes>();
};

TEST_F(ClientSearch, FourColumnsShowTheRowsInAlternateGreysAndTheRestRideHidden)
{
    std::array<double, 9> percentuais{};
    percentuais[0] = 12.5;
    dialog->ConfigurarGrade();
    dialog->PreencherGrade(Clientes({{.Codigo = 1, .Apelido = "Ana"},
                                     {.Codigo = 2, .Situacao = 3},
                                     {.Codigo = 1234,
                                      .VIP = "Sim",
                                      .DescontoUnico = "Sim",
                                      .Categoria = "A",
                                      .Percentuais = percentuais}}));
    const platform::Grid& grade = dialog->msfgGrade;
    ASSERT_EQ(grade.Cols(), 20);
    std::vector<std::string> visible;
    for (int32_t col = 0; col < grade.Cols(); ++col) {
        if (grade.ColWidth(col) > 0)
            visible.push_back(grade.TextMatrix(0, col));
    }
    EXPECT_EQ(visible, (std::vector<std::string>{"Código", "Apelido/Nome fantasia",
                                                 "Nome/Razão Social", "Endereço"}));
    ASSERT_EQ(Join(grade.CellFontBoldAt(0, 3), grade.Rows(), grade.FixedRows(), grade.RowHeight(0)),
              "Verdadeiro | 4 | 1 | 300");
    for (int32_t row = 1; row <= 3; ++row) {
        const int32_t grey =
            row % 2 == 1 ? platform::RGB(217, 217, 217) : platform::RGB(242, 242, 242);
        for (int32_t col : {0, 1, 5, 19}) {
            EXPECT_EQ(
                Join(grade.CellBackColorAt(row, col), grade.CellForeColorAt(row, col),
                     grade.RowHeight(row)),
                Join(grey, col == 1 ? platform::RGB(128, 128, 128) : platform::RGB(0, 0, 0), 570))
                << row << "," << col;
        }
    }
    // No thousands separator, no currency format; status, VIP, percentage, category as read.
    std::string cells = grade.TextMatrix(1, 2) + " " + grade.TextMatrix(2, 4);
    for (int32_t col : {1, 7, 8, 9, 18, 19, 0})
        cells += " " + grade.TextMatrix(3, col);
    EXPECT_EQ(cells, "Ana 3 1234 150 Sim 12,5 Sim A ");
}

// Inactive, blocked and deleted have one message, read by the screen's refusal scenario.
TEST_F(ClientSearch, ASingleMatchIsChosenAtOnceUnlessItsStatusRefusesIt)
{
    const char* const unreadable = "Situação do cliente não reconhecida. Para mais informações, "
                                   "entre em contato com o departamento financeiro.";
    const std::pair<platform::Variant, const char*> rows[] = {
        {1, nullptr},
        {7, nullptr},
        {2, "Cliente inativo. Para mais informações, entre em contato com o departamento "
            "financeiro."},
        // A status that cannot be read is refused as well.
        {"x", unreadable},
        {platform::Variant::Null(), unreadable},
    };
    for (const auto& [situacao, message] : rows) {
        dialog = std::make_unique<frmPesquisaDeClientes>();
        host.ClearRecords();
        AnswerClients(Clientes({{.Codigo = 5, .Apelido = "Bidu", .Situacao = situacao}}));
        bool stillShown = false;
        ShowWith([&] {
            Search("Bidu");
            stillShown = dialog->Visible();
            if (stillShown)
                dialog->qvcmdFechar.UserClick();
        });
        SCOPED_TRACE(situacao.AsString());
        // The row stays listed, and selected when chosen.
        const bool chosen = dialog->RegistroSelecionado();
        EXPECT_EQ(Join(stillShown, dialog->msfgGrade.Rows(), chosen,
                       chosen ? dialog->msfgGrade.RowSel() : 1, host.StuckModals().empty(),
                       Reports()),
                  Join(message != nullptr, 2, message == nullptr, 1, true, ""));
        EXPECT_EQ(Messages(), Said(message));
    }
}

TEST_F(ClientSearch, SeveralMatchesWaitForTheUsersPick)
{
    AnswerClients(Clientes({{.Codigo = 1}, {.Codigo = 2}, {.Codigo = 3}}));
    ShowWith([&] {
        Search("Cli");
        EXPECT_EQ(Join(dialog->Visible(), dialog->msfgGrade.Rows(),
                       platform::Screen::ActiveControl() == &dialog->msfgGrade,
                       dialog->RegistroSelecionado()),
                  "Verdadeiro | 4 | Verdadeiro | Falso");
        dialog->msfgGrade.UserClickCell(0, 2);
        EXPECT_TRUE(dialog->Visible()) << "the header chooses nothing";
        dialog->msfgGrade.UserClickCell(3, 2);
    });
    // Hidden, not unloaded: the caller reads it.
    EXPECT_EQ(Join(dialog->RegistroSelecionado(),
                   dialog->msfgGrade.TextMatrix(dialog->msfgGrade.RowSel, 1), dialog->IsLoaded()),
              "Verdadeiro | 3 | Verdadeiro");
}

// The arrows, Enter and Esc on the list are the keyboard scenario's: the grid keeps its own
// keys, a confirmation after a search only empties the grid, and Esc in the find box clears it
// rather than closing.
TEST_F(ClientSearch, AfterASearchTheKeysAndTheNextConfirmationCloseNothing)
{
    AnswerClients(Clientes({{.Codigo = 1}, {.Codigo = 2}}));
    ShowWith([&] {
        Search("Cli");
        ASSERT_EQ(Join(Searched(), platform::Screen::ActiveControl() == &dialog->msfgGrade),
                  "3 | 1 | Verdadeiro");
        EXPECT_FALSE(dialog->UserShortcut(platform::vbKeyDown, 0)) << "the grid's own key";
        ASSERT_TRUE(Find().UserConfirm());
        EXPECT_EQ(Searched(), "1 | 1");
        ASSERT_TRUE(Find().UserConfirm());
        EXPECT_EQ(Searched(), "3 | 2");
        Find().SetFocus();
        EXPECT_FALSE(dialog->UserShortcut(platform::vbKeyEscape, 0));
        EXPECT_TRUE(dialog->Visible());
        dialog->qvcmdFechar.UserClick();
    });
    EXPECT_FALSE(dialog->RegistroSelecionado());
}

TEST_F(ClientSearch, NoMatchSaysSoWithTwoBlanksAndSelectsTheTypedText)
{
    AnswerClients(Clientes({}));
    ShowWith([&] {
        Search("Zé Ninguém");
        EXPECT_EQ(Join(dialog->msfgGrade.Rows(), Find().Text(), Find().Selection().Start,
                       Find().Selection().Length, dialog->Enabled()),
                  "1 | Zé Ninguém | 0 | 10 | Verdadeiro");
        dialog->qvcmdFechar.UserClick();
    });
    EXPECT_EQ(Messages(), Said("Nenhum cliente encontrado  como o valor 'Zé Ninguém' informado."));
    EXPECT_EQ(Join(host.MessageBoxes()[0].Icon(), host.MessageBoxes()[0].Title),
              Join(platform::vbInformation, "Kelo Pet Shop"));
}

TEST_F(ClientSearch, FailuresAreReportedAndLeaveTheDialogUsable)
{
    const std::pair<FakeAnswer, const char*> rows[] = {
        {FakeAnswer::Error(-2147467259, "Tempo esgotado", "clsClientes.Selecionar"),
         "-2147467259 @ clsClientes.Selecionar\n"},
        {FakeAnswer::Raising(platform::errOutOfMemory),
         "7 @ KELO_A_PreVendas, frmPesquisaDeClientes, PesquisarCliente, Ponto: 2\n"},
    };
    for (const auto& [answer, report] : rows) {
        dialog = std::make_unique<frmPesquisaDeClientes>();
        fakes.ErrorMessages.ForgetReports();
        fakes.BusinessLayer.Answer<KELO_N_ClientAnim::clsClientes>("Selecionar", answer);
        ShowWith([&] {
            Search("Ana");
            // The user can still close it.
            EXPECT_EQ(
                Join(dialog->msfgGrade.Rows(), dialog->Enabled(), dialog->picMensagem.Visible()),
                "1 | Verdadeiro | Falso");
            dialog->qvcmdFechar.UserClick();
        });
        EXPECT_EQ(Reports(), report);
        EXPECT_FALSE(dialog->RegistroSelecionado());
    }
}

TEST_F(ClientSearch, TheSearchingPictureShowsForASecondOverADisabledDialog)
{
    AnswerClients(Clientes({{.Codigo = 1}, {.Codigo = 2}}));
    bool disabledWithPicture = true;
    double pauseStart = 0;
    ShowWith([&] {
        pauseStart = host.SecondsSinceMidnight();
        host.OnDoEvents([&] {
            disabledWithPicture =
                disabledWithPicture && !dialog->Enabled() && dialog->picMensagem.Visible();
        });
        Search("Cli");
        host.OnDoEvents({});
        dialog->qvcmdFechar.UserClick();
    });
    // Centred on the dialog.
    const auto& picture = dialog->picMensagem;
    EXPECT_EQ(Join(host.DoEventsCount() > 0, disabledWithPicture,
                   host.SecondsSinceMidnight() - pauseStart >= 1.0, dialog->Enabled(),
                   picture.Visible(), picture.Left() * 2 + picture.Width() - dialog->Width()),
              "Verdadeiro | Verdadeiro | Verdadeiro | Verdadeiro | Falso | 0");
}

TEST_F(ClientSearch, ResizingKeepsTheGridsMarginsAndFecharUnderItsRightEnd)
{
    ShowWith([&] {
        for (int32_t width : {14640, 18000}) {
            dialog->Width = width;
            dialog->Height = width / 2;
            const platform::Grid& grade = dialog->msfgGrade;
            const auto& fechar = dialog->qvcmdFechar;
            EXPECT_EQ(Join(grade.Top(), grade.Left(), grade.Width(), grade.Height(),
                           fechar.Left() + fechar.Width(), fechar.Top()),
                      Join(1725, 390, dialog->ScaleWidth() - 780, dialog->ScaleHeight() - 2700,
                           390 + grade.Width() - 240, 1725 + grade.Height() + 350))
                << width;
        }
        dialog->qvcmdFechar.UserClick();
    });
    EXPECT_EQ(dialog->qvcmdFechar.ToolTipText(), "Cancelar a pesquisa e fechar");
}

TEST_F(ClientSearch, OnWindows8AThinFrameLinesTheClientArea)
{
    for (const auto& [system, framed] : {std::pair{"Windows 8", true},
                                         {"WINDOWS 8", true},
                                         {"Windows 8.1", false},
                                         {"Windows 10", false}}) {
        fakes.BusinessLayer.SetOperatingSystemName(system);
        dialog = std::make_unique<frmPesquisaDeClientes>();
        dialog->ConfigurarGrade();
        ASSERT_EQ(dialog->lshpObj() != nullptr, framed) << system;
        if (framed) {
            const auto& frame = *dialog->lshpObj();
            EXPECT_EQ(Join(frame.Visible(), frame.Width(), frame.Height()),
                      Join(true, dialog->ScaleWidth(), dialog->ScaleHeight()));
        }
    }
}

} // namespace
