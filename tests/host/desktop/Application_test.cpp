// Opening the shop's store: the user's own is created with the demo shop once; a store that
// cannot be opened is refused with the file and the cause.
#include "host/desktop/Application.h"

#include "QtTestEnvironment.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/Registry.h"
#include "globals/modPrincipal.h"
#include "host/desktop/MenuWindow.h"
#include "host/desktop/PresentationServices.h"
#include "presale/frmPreVendas.h"
#include "store/Database.h"
#include "store/Store.h"

#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace desktop {
namespace {

// Its folders are made for its owner only, even under a umask that would leave them open.
TEST(Application_Store, TheOwnStoreIsCreatedPrivateWithTheDemoShopOnce)
{
    QTemporaryDir folder;
    const std::filesystem::path top = folder.path().toStdString();
    const std::string path = (top / "dados/kelo-prevendas/loja.kelo").string();
    const auto modeOf = [](const std::filesystem::path& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 0777;
    };
    const auto before = modeOf(top);
    const mode_t umask = ::umask(0);
    std::ostringstream first;
    const OpenedStore opened = OpenStore(path, true, first);
    ::umask(umask);
    ASSERT_TRUE(opened.database) << opened.error;
    EXPECT_NE(first.str().find(path), std::string::npos);
    EXPECT_NE(first.str().find("admin"), std::string::npos);
    EXPECT_TRUE(store::LogIn(*opened.database, "admin", "admin123"));
    EXPECT_EQ(modeOf(top / "dados"), 0700u);
    EXPECT_EQ(modeOf(top / "dados/kelo-prevendas"), 0700u);
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf(top), before);

    std::ostringstream second;
    EXPECT_TRUE(OpenStore(path, true, second).database);
    EXPECT_EQ(second.str(), "");
}

TEST(Application_Store, AStoreThatCannotBeOpenedNamesTheFileOnceAndSaysWhatToDo)
{
    QTemporaryDir folder;
    const std::string missing = folder.filePath("nao-existe.kelo").toStdString();
    const std::string notAStore = folder.filePath("texto.kelo").toStdString();
    std::ofstream(notAStore) << "isto não é uma loja\n";
    for (const std::string& path : {missing, notAStore}) {
        std::ostringstream out;
        const OpenedStore opened = OpenStore(path, false, out);
        EXPECT_FALSE(opened.database) << path;
        const std::size_t named = opened.error.find(path);
        ASSERT_NE(named, std::string::npos) << opened.error;
        EXPECT_EQ(opened.error.find(path, named + 1), std::string::npos) << opened.error;
        EXPECT_NE(opened.error.find("kelo-store create"), std::string::npos) << opened.error;
        EXPECT_EQ(opened.error.find(" file "), std::string::npos) << opened.error;
        EXPECT_EQ(out.str(), "");
    }
}

TEST(Application_Window, OpensAtItsDesignSizeCentredOrMaximisedWhereTheScreenIsSmaller)
{
    struct Row {
        QRect available;
        std::optional<QRect> placed;
    };
    const std::vector<Row> rows{
        {QRect(0, 0, 1920, 1040), QRect(430, 130, 1060, 780)},
        {QRect(0, 0, 1060, 780), QRect(0, 0, 1060, 780)},
        {QRect(0, 0, 1366, 728), std::nullopt},                    // 1366x768 less a panel: too low
        {QRect(0, 0, 1024, 740), std::nullopt},                    // too narrow
        {QRect(0, 0, 1280, 690), std::nullopt},                    // 1920x1080 at a scale of 1.5
        {QRect(1920, 0, 1920, 1080), QRect(2350, 150, 1060, 780)}, // a second screen
    };
    for (const Row& row : rows)
        EXPECT_EQ(FittedGeometry(MenuWindow::DesignSize, row.available), row.placed)
            << row.available.width() << "x" << row.available.height();
}

// The whole wiring on the demo store: the menu's entry builds the pre-sale screen inside the
// work area, through the generic peers only.
TEST(Application_PreVendas, TheScreenOpensInsideTheWorkArea)
{
    QTemporaryDir folder;
    std::ostringstream out;
    const OpenedStore opened = OpenStore(folder.filePath("loja.kelo").toStdString(), true, out);
    ASSERT_TRUE(opened.database) << opened.error;
    DesktopHost host(Scale(96));
    RegisterPresentationServices(host);
    store::RegisterComponents(opened.database);
    platform::ObjectRef user = store::LogIn(*opened.database, "admin", "admin123");
    ASSERT_TRUE(user);
    {
        MenuWindow menu(host, user, "admin");
        menu.ShowFitted();
        menu.PreVendasAction()->trigger();
        desktop_test::Settle();

        namespace g = KELO_A_PreVendas::modPrincipal;
        ASSERT_TRUE(g::gfrmPreVendas);
        KELO_A_PreVendas::frmPreVendas& form = *g::gfrmPreVendas;
        EXPECT_EQ(menu.windowTitle(), "Kelo Pet Shop - Pré-venda - admin");
        EXPECT_EQ(g::glngFomularioDoMenu_hWnd, menu.MenuHandle());
        QWidget* window = desktop_test::WidgetOf(host, form);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->parentWidget(), menu.WorkArea());
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(host.HasOverlay(menu.MenuHandle())); // the wait is over

        // What the screen holds at its start is the startup scenario's; here, that the desktop
        // shows it: the list of the store's services with none chosen, the grid's first column
        // hidden.
        auto* tipos =
            qobject_cast<QComboBox*>(desktop_test::WidgetOf(host, form.qvcmbTiposDeServicos));
        EXPECT_GT(tipos->count(), 0);
        EXPECT_EQ(tipos->currentIndex(), -1);
        auto* grade = qobject_cast<QTableWidget*>(desktop_test::WidgetOf(host, form.msfgGrade));
        EXPECT_TRUE(grade->isColumnHidden(0));
        EXPECT_EQ(QApplication::focusWidget(),
                  desktop_test::WidgetOf(host, form.qvfApelidoOuNomeFantasiaDoCliente, true));

        // Resizing the window (each hook tied to what it touches) keeps it alive; the form
        // follows the work area, never below its design size, and hears it as Form_Resize; every
        // control stays inside the form, which the scroll area shows whole or by scrolling.
        const int32_t designWidth = form.Width;
        int resizes = 0;
        form.Resize.Connect([&] { ++resizes; });
        for (const QSize size : {QSize(1900, 1000), QSize(640, 480), QSize(1000, 700),
                                 QSize(1366, 768), QSize(1024, 700), QSize(1366, 768)}) {
            const int before = resizes;
            const int32_t height = form.Height;
            menu.showNormal();
            menu.resize(size);
            desktop_test::Settle();
            EXPECT_EQ(form.Width,
                      std::max(designWidth, host.Scaling().Twips(menu.WorkArea()->width())))
                << size.width();
            EXPECT_EQ(resizes > before, form.Width != designWidth || form.Height != height)
                << size.width();
            EXPECT_GE(menu.WorkArea()->width(), window->width()) << size.width();
            EXPECT_GE(menu.WorkArea()->height(), window->height()) << size.width();
            // The work-area picture is sized once, by the first Resize; what it holds is not.
            for (const QWidget* child : window->findChildren<QWidget*>()) {
                if (!child->isVisibleTo(window) || child->objectName() == "picAreaDeTrabalho")
                    continue;
                const QRect placed(child->mapTo(window, QPoint(0, 0)), child->size());
                EXPECT_TRUE(window->rect().contains(placed))
                    << child->objectName().toStdString() << " at " << size.width();
            }
        }

        g::gfrmPreVendas.reset();
        g::gobjDadosDoUsuario.reset();
        platform::Screen::ClearFocus();
    }
    contracts::Unregister(KELO_A_MsgErro::clsMensagem::ClassName);
    contracts::Unregister(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName);
}

} // namespace
} // namespace desktop
