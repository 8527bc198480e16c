// The pre-sale screen over a failing store: while the attendant clicks Adicionar, the n-th write
// point of the store fails, or the n-th read, write or sync of its file fails with an I/O error,
// a full disk or a busy file, for every n until the item is stored. Each failure shows one error
// report naming the file and leaves every field, total and grid row as it was; stored or not, the
// grid and the store never disagree, and the store checks clean.
#include "Programs.h"

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

#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace reliability {
namespace {

using store::FaultKind;
using store::FaultOperation;

// Ana's bath, ready to be added.
constexpr const char* kEntry =
    "user Administrador=true\n"
    "start\n"
    "find frmPreVendas.qvfCodigoDoCliente \"1\"\n"
    "choose frmPreVendas.qvcmbTiposDeServicos \"Banho, tosa e estética\"\n"
    "find frmPreVendas.qvfCodigoDoServico \"12\"\n"
    "choose frmPreVendas.qvcmbAnimal 0\n";

// What the attendant sees: every text and caption of the screen, and every cell of the grid.
std::vector<std::string> Shown(platform::Control& control)
{
    std::vector<std::string> shown;
    for (const char* member : {"Text", "Caption"}) {
        try {
            shown.push_back(control.Name() + "." + member + "=" + control.Get(member).AsString());
        } catch (const platform::RuntimeError&) {
            // Not a member of this kind of control.
        }
    }
    if (auto* grid = dynamic_cast<platform::Grid*>(&control)) {
        for (int32_t row = 0; row < grid->Rows; ++row)
            for (int32_t col = 0; col < grid->Cols; ++col)
                shown.push_back(grid->TextMatrix(row, col));
    }
    for (platform::Control* child : control.Children()) {
        const std::vector<std::string> more = Shown(*child);
        shown.insert(shown.end(), more.begin(), more.end());
    }
    return shown;
}

int64_t StoredItems(const std::string& path)
{
    store::Database database(path);
    store::Statement statement =
        database.Conn().Prepare("SELECT (SELECT count(*) FROM ServicosEfetuados) +"
                                " (SELECT count(*) FROM ProdutosReservados)");
    statement.Step();
    return statement.Int(0);
}

struct Fault {
    const char* label;
    std::optional<FaultOperation> operation; // none: the store's own write points
    FaultKind kind = FaultKind::IoError;
};

class ScreenOverAFailingStore : public ::testing::Test {
protected:
    ScreenOverAFailingStore()
    {
        auto demo = store::Database::Create(m_demo.string());
        store::LoadDemo(*demo);
        demo->Close();
    }

    // Clicks Adicionar with `fault` armed at `n`; answers whether the fault was delivered, so
    // that the next n is worth walking.
    bool AddWithFault(const Fault& fault, int n, const std::string& where)
    {
        std::filesystem::copy_file(m_demo, m_path,
                                   std::filesystem::copy_options::overwrite_existing);
        const int64_t storedBefore = StoredItems(m_path.string());
        auto database = std::make_shared<store::Database>(
            m_path.string(), store::DatabaseOptions{.faultyFiles = fault.operation.has_value()});
        std::ostringstream traced;
        script::Trace trace(traced, false);
        bool delivered = false;
        {
            script::Session session(database, trace);
            script::Runner(session, script::ParseScript("entrada.scn", kEntry)).Run();
            platform::Form& screen = *platform::Form::FindForm("frmPreVendas");
            auto& grid = dynamic_cast<platform::Grid&>(*screen.FindControl("msfgGrade"));
            auto& add = dynamic_cast<suite_controls::QVCommandButton&>(
                *screen.FindControl("qvcmdAdicionar"));
            const std::vector<std::string> before = Shown(screen);
            const int32_t rowsBefore = grid.Rows;

            if (fault.operation)
                store::ArmFault(*fault.operation, n, fault.kind);
            else
                database->FailAtWritePoint(n);
            add.UserClick();
            const bool fileFaulted = store::FaultDelivered();
            store::ArmFault(FaultOperation::Read, 0, fault.kind);
            database->FailAtWritePoint(0);
            database->Close();

            const int64_t added = StoredItems(m_path.string()) - storedBefore;
            // A write point that fails keeps the item out; nothing else tells it was reached.
            delivered = fault.operation ? fileFaulted : added == 0;
            EXPECT_EQ(grid.Rows - rowsBefore, added)
                << where << ": the grid and the store disagree";
            const auto& reports = session.Host.ErrorReports();
            if (added == 0) {
                EXPECT_TRUE(delivered) << where << ": nothing failed, and nothing was stored";
                EXPECT_EQ(Shown(screen), before) << where;
                EXPECT_EQ(session.Host.MessageBoxes().size(), 0u) << where;
                EXPECT_EQ(reports.size(), 1u) << where;
                if (!reports.empty()) {
                    EXPECT_NE(reports[0].Description.find(m_path.string()), std::string::npos)
                        << where << ": " << reports[0].Description;
                }
            } else {
                EXPECT_EQ(added, 1) << where;
                EXPECT_EQ(reports.size(), 0u) << where;
            }
        }
        store::Database reopened(m_path.string());
        EXPECT_EQ(store::Check(reopened), std::vector<std::string>{}) << where;
        return delivered;
    }

    TempDir m_dir;
    std::filesystem::path m_demo = m_dir.Path() / "demo.kelo";
    std::filesystem::path m_path = m_dir.Path() / "loja.kelo";
};

TEST_F(ScreenOverAFailingStore, KeepsItsGridAndFieldsAndShowsTheErrorReport)
{
    const std::vector<Fault> faults = {
        {"write point", std::nullopt},
        {"read, I/O error", FaultOperation::Read, FaultKind::IoError},
        {"write, I/O error", FaultOperation::Write, FaultKind::IoError},
        {"write, disk full", FaultOperation::Write, FaultKind::DiskFull},
        {"write, busy", FaultOperation::Write, FaultKind::Busy},
        {"sync, I/O error", FaultOperation::Sync, FaultKind::IoError},
        {"sync, disk full", FaultOperation::Sync, FaultKind::DiskFull},
    };
    int walked = 0;
    std::string each;
    for (const Fault& fault : faults) {
        int n = 1;
        // Each failing n keeps the item out; the first n past the last point stores it.
        for (;
             n < 200 && AddWithFault(fault, n, std::string(fault.label) + " " + std::to_string(n));
             ++n)
            ++walked;
        EXPECT_GT(n, 1) << fault.label << ": no point of Adicionar failed";
        EXPECT_LT(n, 200) << fault.label << ": the item was never stored";
        each += std::string(each.empty() ? "" : ", ") + fault.label + " " + std::to_string(n - 1);
        if (HasFailure())
            return;
    }
    std::cout << "[ figures  ] " << walked << " fault points of Adicionar walked on the screen, "
              << "each kept the screen and the store as they were (" << each << ")\n";
}

} // namespace
} // namespace reliability
