#include "host/desktop/Application.h"

#include "entry/Componente.h"
#include "host/desktop/Convert.h"
#include "host/desktop/DesktopHost.h"
#include "host/desktop/LoginDialog.h"
#include "host/desktop/MenuWindow.h"
#include "host/desktop/Pictures.h"
#include "host/desktop/PresentationServices.h"
#include "store/Admin.h"
#include "store/Store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <memory>

namespace desktop {

namespace {

constexpr const char* NomeDaAplicacao = "Kelo Pet Shop";

// The user's own store is made with the demo shop the first time; says so once.
void CreateDemoStoreIfMissing(const std::string& path, std::ostream& out)
{
    // A server database is made with kelo-store, never on a counter's first run.
    if (store::IsServerAddress(path) || std::filesystem::exists(path))
        return;
    CreatePrivateFolders(std::filesystem::path(path).parent_path());
    auto database = store::Database::Create(path);
    const std::vector<store::DemoUser> users = store::LoadDemo(*database);
    database->Close();
    out << "Loja de demonstração criada em " << path << "\n";
    for (const store::DemoUser& user : users)
        out << "  usuário " << user.name << ", senha " << user.password << " (" << user.role
            << ")\n";
    out.flush();
}

void SaveScreenshot(QWidget& window, const std::string& path)
{
    const QPixmap picture = window.grab();
    if (picture.save(ToQString(path), "PNG")) {
        std::cout << "captura da janela salva em " << path << "\n";
        QCoreApplication::exit(0);
    } else {
        std::cerr << "não foi possível salvar a captura da janela em " << path << "\n";
        QCoreApplication::exit(1);
    }
}

} // namespace

OpenedStore OpenStore(const std::string& path, bool createDemo, std::ostream& out)
{
    try {
        if (createDemo)
            CreateDemoStoreIfMissing(path, out);
        auto database = std::make_shared<store::Database>(path);
        database->Conn();
        return {database, {}};
    } catch (const std::exception& error) {
        // The store's message names the file and says what to do.
        return {nullptr, std::string("Não foi possível abrir a loja.\n\n") + error.what()};
    }
}

int RunApplication(int& argc, char** argv, const Options& options, const Environment& environment)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(NomeDaAplicacao));
    QApplication::setFont(ToQFont("Arial", 9, false));
    QApplication::setWindowIcon(ApplicationIcon());

    DesktopHost host;
    host.SetApplicationName(NomeDaAplicacao);
    RegisterPresentationServices(host);

    const bool ownStore = options.store.empty();
    const OpenedStore opened =
        OpenStore(ownStore ? DefaultStorePath(environment) : options.store, ownStore, std::cout);
    if (!opened.database) {
        host.ShowMessageBox({opened.error, platform::vbCritical, NomeDaAplicacao});
        return 1;
    }
    const std::shared_ptr<store::Database> database = opened.database;
    store::RegisterComponents(database);

    LoginDialog login(host, [&database](const std::string& name, const std::string& password) {
        return platform::ObjectRef(store::LogIn(*database, name, password));
    });
    if (options.login)
        login.Prefill(*options.login, options.password);
    if (options.quitAtLogin)
        login.QuitWhenShown();
    switch (login.Run()) {
    case LoginDialog::LoggedIn:
        break;
    case LoginDialog::QuitAtShow:
        std::cout << "janela de entrada aberta em " << sinceStart.elapsed() << " ms\n";
        return 0;
    case LoginDialog::Cancelled:
        return 0;
    case LoginDialog::TooManyTries:
    case LoginDialog::StoreFailed:
        return 1;
    }

    int result = 0;
    {
        MenuWindow menu(host, login.User(), login.UserName());
        menu.ShowFitted();
        menu.OpenPreVendas();
        if (!options.screenshot.empty()) {
            // Let the screen settle (the wait panel has gone, the focus is in place) first.
            QTimer::singleShot(700, &menu,
                               [&menu, &options] { SaveScreenshot(menu, options.screenshot); });
        }
        result = QApplication::exec();
        // The screen goes before its window and its host.
        KELO_A_PreVendas::DescarregarComponente();
    }
    return result;
}

} // namespace desktop
