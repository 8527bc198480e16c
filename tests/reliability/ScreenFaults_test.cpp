// The pre-sale screen over a failing store: while the attendant adds an item, removes one, takes
// one back for an alteration or prints, the n-th write point of the store fails, or the n-th
// read, write or sync of its file fails with an I/O error, a full disk or a busy file, for every
// n until the action goes through. Each failure shows one error report naming the file and leaves
// every field, total and grid row as it was; failed or not, the grid holds exactly the client's
// stored items, and the store checks clean.
#include "Programs.h"

#include "contracts/KELO_N_PreVendas.h"
#include "host/script/Runner.h"
#include "host/script/Script.h"
#include "host/script/Session.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/Faults.h"
#include "store/Store.h"
#include "suite_controls/SuiteControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace reliability {
namespace {

using store::FaultKind;
using store::FaultOperation;

// Ana on screen, with her four open items in the grid (row 1 her bath, row 2 a product).
constexpr const char* kClient = "user Administrador=true\n"
                                "start\n"
                                "find frmPreVendas.qvfCodigoDoCliente \"1\"\n";

struct ScreenAction {
    const char* name;
    std::string prepare; // played after kClient, before the fault is armed
    const char* button;  // clicked with the fault armed
    int stored;          // the client's items gained or lost when it goes through
};

const std::vector<ScreenAction> kActions = {
    {"Adicionar",
     "choose frmPreVendas.qvcmbTiposDeServicos \"Banho, tosa e estética\"\n"
     "find frmPreVendas.qvfCodigoDoServico \"12\"\n"
     "choose frmPreVendas.qvcmbAnimal 0\n",
     "qvcmdAdicionar", +1},
    {"Remover", "row frmPreVendas.msfgGrade 1\n", "qvcmdRemover", -1},
    {"Alterar", "row frmPreVendas.msfgGrade 1\n", "qvcmdAlterar", -1},
    // A product taken back while the screen is entering services.
    {"AlterarProduto", "row frmPreVendas.msfgGrade 2\n", "qvcmdAlterar", -1},
    {"Imprimir", "", "qvcmdImprimirPreVenda", 0},
};

const int kNumberColumn =
    static_cast<int>(std::find(KELO_N_PreVendas::CamposDaGrade.begin(),
                               KELO_N_PreVendas::CamposDaGrade.end(), "NumeroDeLancamento") -
                     KELO_N_PreVendas::CamposDaGrade.begin());

// What the attendant sees: every text, caption, choice, state and colour of the screen, and every
// cell of the grid but the hidden item numbers (an item the screen had to store back has a new
// one: they are checked against the store instead).
std::vector<std::string> Shown(platform::Control& control)
{
    std::vector<std::string> shown;
    for (const char* member :
         {"Text", "Caption", "Value", "ListIndex", "Enabled", "Visible", "ForeColor"}) {
        try {
            shown.push_back(control.Name() + "." + member + "=" + control.Get(member).AsString());
        } catch (const platform::RuntimeError&) {
            // Not a member of this kind of control.
        }
    }
    if (auto* grid = dynamic_cast<platform::Grid*>(&control)) {
        for (int32_t row = 0; row < grid->Rows; ++row)
            for (int32_t col = 0; col < grid->Cols; ++col)
                if (col != kNumberColumn)
                    shown.push_back(grid->TextMatrix(row, col));
    }
    for (platform::Control* child : control.Children()) {
        const std::vector<std::string> more = Shown(*child);
        shown.insert(shown.end(), more.begin(), more.end());
    }
    return shown;
}

// What changed between two views of the screen, "-" what went and "+" what came.
std::string Changes(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    std::string changes;
    for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        const std::string was = i < before.size() ? before[i] : "(nothing)";
        const std::string is = i < after.size() ? after[i] : "(nothing)";
        if (was != is)
            changes += "\n  -" + was + "\n  +" + is;
    }
    return changes;
}

std::set<int64_t> GridNumbers(platform::Grid& grid)
{
    std::set<int64_t> numbers;
    for (int32_t row = 1; row < grid.Rows; ++row) {
        if (const std::string number = grid.TextMatrix(row, kNumberColumn); !number.empty())
            numbers.insert(std::stoll(number));
    }
    return numbers;
}

// The client's open items, as the grid lists them.
std::set<int64_t> StoredNumbers(const std::string& path, int64_t client)
{
    store::Database database(path);
    store::Statement statement =
        database.Conn().Prepare("SELECT NumeroDeLancamento FROM ServicosEfetuados"
                                " WHERE CodigoDoCliente = ?1 AND NumeroDaVenda = 0"
                                " UNION ALL SELECT NumeroDeLancamento FROM ProdutosReservados"
                                " WHERE CodigoDoCliente = ?1 AND NumeroDaVenda = 0");
    statement.Bind(1, client);
    std::set<int64_t> numbers;
    while (statement.Step())
        numbers.insert(statement.Int(0));
    return numbers;
}

struct Fault {
    const char* label;
    std::optional<FaultOperation> operation; // none: the store's own write points
    FaultKind kind = FaultKind::IoError;
    // The connection is closed first, so that the action reads everything from the file, as
    // after another counter wrote to it; otherwise most pages come from the connection's cache.
    bool reopened = false;
};

const std::vector<Fault> kFaults = {
    {"write point", std::nullopt},
    {"read, I/O error", FaultOperation::Read, FaultKind::IoError},
    {"read of a reopened file, I/O error", FaultOperation::Read, FaultKind::IoError, true},
    {"write, I/O error", FaultOperation::Write, FaultKind::IoError},
    {"write, disk full", FaultOperation::Write, FaultKind::DiskFull},
    {"write, busy", FaultOperation::Write, FaultKind::Busy},
    {"sync, I/O error", FaultOperation::Sync, FaultKind::IoError},
    {"sync, disk full", FaultOperation::Sync, FaultKind::DiskFull},
};

class ScreenOverAFailingStore : public ::testing::TestWithParam<ScreenAction> {
protected:
    ScreenOverAFailingStore()
    {
        auto demo = store::Database::Create(m_demo.string());
        store::LoadDemo(*demo);
        demo->Close();
    }

    // Plays the action with `fault` armed at `n`; answers whether the fault was delivered, so
    // that the next n is worth walking.
    bool ActWithFault(const Fault& fault, int n, const std::string& where)
    {
        const ScreenAction& action = GetParam();
        std::filesystem::copy_file(m_demo, m_path,
                                   std::filesystem::copy_options::overwrite_existing);
        const size_t storedBefore = StoredNumbers(m_path.string(), 1).size();
        auto database = std::make_shared<store::Database>(
            m_path.string(), store::DatabaseOptions{.faultyFiles = fault.operation.has_value()});
        std::ostringstream traced;
        script::Trace trace(traced, false);
        bool delivered = false;
        {
            script::Session session(database, trace);
            script::Runner(session, script::ParseScript("entrada.scn", kClient + action.prepare))
                .Run();
            platform::Form& screen = *platform::Form::FindForm("frmPreVendas");
            auto& grid = dynamic_cast<platform::Grid&>(*screen.FindControl("msfgGrade"));
            auto& button =
                dynamic_cast<suite_controls::QVCommandButton&>(*screen.FindControl(action.button));
            const std::vector<std::string> before = Shown(screen);
            session.Host.ClearRecords();
            // A printout that goes through is looked at and closed.
            session.Host.OnModal("drPreVendas", [](platform::Form& preview) { preview.Hide(); });

            if (fault.reopened)
                database->Close();
            if (fault.operation)
                store::ArmFault(*fault.operation, n, fault.kind);
            else
                database->FailAtWritePoint(n);
            button.UserClick();
            const bool fileFaulted = store::FaultDelivered();
            store::ArmFault(FaultOperation::Read, 0, fault.kind);
            database->FailAtWritePoint(0);
            database->Close();

            const auto& reports = session.Host.ErrorReports();
            const bool failed = !reports.empty();
            // A write point that fails stops the action; nothing else tells it was reached.
            delivered = fault.operation ? fileFaulted : failed;
            const std::set<int64_t> stored = StoredNumbers(m_path.string(), 1);
            const bool cleared =
                screen.FindControl("qvfCodigoDoCliente")->Get("Text").AsString() != "1";
            if (!cleared) {
                EXPECT_EQ(GridNumbers(grid), stored)
                    << where << ": the grid and the store disagree";
            }
            EXPECT_EQ(session.Host.MessageBoxes().size(), 0u) << where;
            if (failed) {
                EXPECT_TRUE(delivered) << where << ": failed with no fault";
                EXPECT_EQ(stored.size(), storedBefore) << where;
                const std::string changes = Changes(before, Shown(screen));
                EXPECT_TRUE(changes.empty()) << where << ", the screen changed:" << changes;
                EXPECT_EQ(reports.size(), 1u) << where;
                EXPECT_NE(reports[0].Description.find(m_path.string()), std::string::npos)
                    << where << ": " << reports[0].Description;
                EXPECT_TRUE(session.Host.Previews().empty()) << where << ": printed anyway";
            } else {
                EXPECT_EQ(static_cast<int>(stored.size() - storedBefore), action.stored) << where;
                // Only a printout clears the screen, once it was shown.
                EXPECT_EQ(cleared, !session.Host.Previews().empty()) << where;
            }
            EXPECT_TRUE(session.Host.StuckModals().empty()) << where;
        }
        store::Database reopened(m_path.string());
        EXPECT_EQ(store::Check(reopened), std::vector<std::string>{}) << where;
        return delivered;
    }

    TempDir m_dir;
    std::filesystem::path m_demo = m_dir.Path() / "demo.kelo";
    std::filesystem::path m_path = m_dir.Path() / "loja.kelo";
};

TEST_P(ScreenOverAFailingStore, KeepsItsGridAndFieldsAndShowsTheErrorReport)
{
    const ScreenAction& action = GetParam();
    int walked = 0;
    std::string each;
    for (const Fault& fault : kFaults) {
        int n = 1;
        // Each failing n stops the action; the first n past its last point lets it through.
        for (; n < 200 && ActWithFault(fault, n,
                                       std::string(action.name) + ", " + fault.label + " " +
                                           std::to_string(n));
             ++n)
            ++walked;
        EXPECT_LT(n, 200) << fault.label << ": " << action.name << " never went through";
        // Any action reads a file it has not read yet; whatever changes the store reaches every
        // kind of write point, and a printout reaches none.
        const bool reads = fault.operation == FaultOperation::Read;
        if (reads ? fault.reopened : action.stored != 0) {
            EXPECT_GT(n, 1) << fault.label << ": no point of " << action.name << " failed";
        } else if (!reads) {
            EXPECT_EQ(n, 1) << fault.label << ": printing wrote to the store";
        }
        each += std::string(each.empty() ? "" : ", ") + fault.label + " " + std::to_string(n - 1);
        if (HasFailure())
            return;
    }
    std::cout << "[ figures  ] " << walked << " fault points of " << action.name
              << " walked on the screen, each kept the screen and the store as they were (" << each
              << ")\n";
}

INSTANTIATE_TEST_SUITE_P(Actions, ScreenOverAFailingStore, ::testing::ValuesIn(kActions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace reliability
