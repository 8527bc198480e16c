// The services the host gives the component: message boxes, the error-report window, the dark
// overlay, a report's print preview and its PDF; and the login window.
#include "QtTestEnvironment.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/Registry.h"
#include "host/desktop/LoginDialog.h"
#include "host/desktop/PresentationServices.h"
#include "host/desktop/PrintPreview.h"
#include "host/report/ReportRenderer.h"
#include "platform/Host.h"
#include "platform/Report.h"
#include "suite_controls/SuiteControls.h"
#include "support/RecordsetBuilder.h"

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace desktop_test {
namespace {

using platform::MsgBox;

// A box as "title|text|icon|buttons|default", by Qt's names.
std::string Described(const QMessageBox& box)
{
    const int button = box.standardButton(box.defaultButton());
    return (box.windowTitle() + "|" + box.text()).toStdString() + "|" +
           QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box.icon()) + "|" +
           std::to_string(box.buttons().size()) + "|" +
           QMetaEnum::fromType<QMessageBox::StandardButtons>().valueToKey(button);
}

class DesktopServices : public ::testing::Test {
protected:
    DesktopServices()
    {
        desktop::RegisterPresentationServices(host);
        host.InterceptMessageBoxes([this](QMessageBox& box) {
            seen.push_back(Described(box));
            return answer ? answer : static_cast<int>(box.standardButton(box.defaultButton()));
        });
    }
    ~DesktopServices() override
    {
        contracts::Unregister(KELO_A_MsgErro::clsMensagem::ClassName);
        contracts::Unregister(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName);
    }

    desktop::DesktopHost host{desktop::Scale(96)};
    std::vector<std::string> seen;
    int answer = 0; // 0: the default button
};

TEST_F(DesktopServices, MessageBoxesCarryTitleIconButtonsAndDefault)
{
    using namespace platform;
    const std::vector<std::tuple<int32_t, const char*, int32_t>> rows{
        {vbOKOnly | vbInformation, "Information|1|Ok", vbOK},
        {vbYesNo | vbQuestion | vbDefaultButton2, "Question|2|No", vbNo},
        {vbYesNoCancel | vbExclamation | vbDefaultButton3, "Warning|3|Cancel", vbCancel},
        {vbOKCancel | vbCritical, "Critical|2|Ok", vbOK},
        {vbRetryCancel, "NoIcon|2|Retry", vbRetry},
    };
    for (const auto& [style, box, answered] : rows) {
        seen.clear();
        EXPECT_EQ(MsgBox("Confirma?\r\nSegunda linha", style, "Kelo Pet Shop"), answered);
        EXPECT_EQ(seen, (std::vector<std::string>{"Kelo Pet Shop|Confirma?\nSegunda linha|" +
                                                  std::string(box)}));
    }
    answer = QMessageBox::Yes;
    EXPECT_EQ(MsgBox("Apagar?", vbYesNo | vbDefaultButton2), vbYes);
}

TEST_F(DesktopServices, ARealMessageBoxWaitsForItsAnswer)
{
    host.InterceptMessageBoxes(nullptr);
    QString title;
    QTimer::singleShot(20, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        // Enter takes the default button.
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(MsgBox("Excluir o item?",
                     platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
                     "Kelo Pet Shop"),
              platform::vbNo);
    EXPECT_EQ(title, "Kelo Pet Shop");
}

// Never with what a password box holds, masked however the report carries it.
TEST_F(DesktopServices, ErrorReportsAreCriticalBoxesUnderTheApplicationsName)
{
    platform::Form dialog("frmSenha");
    suite_controls::QVTextBox senha(&dialog, "qvtxtSenha");
    senha.PasswordChar = "*";
    senha.Text = "s3nh@";
    auto mensagem = contracts::CreateObject<KELO_A_MsgErro::clsMensagem>();
    std::string nome = "Kelo Pet Shop";
    mensagem->Exibir(40001, "falha ao gravar 's3nh@' em Usuarios",
                     "KELO_A_PreVendas, frmPreVendas, Form_Resize, Ponto: 4", nome);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Kelo Pet Shop|Ocorreu um erro inesperado.\n\nNúmero: 40001\nDescrição: "
                        "falha ao gravar '********' em Usuarios\nLocal: KELO_A_PreVendas, "
                        "frmPreVendas, Form_Resize, Ponto: 4|Critical|1|Ok"}));
}

TEST_F(DesktopServices, TheOverlayOfOneInstanceIsRemovedByAnother)
{
    QWidget menu;
    menu.resize(400, 300);
    menu.show();
    const int32_t handle = host.RegisterHostWindow("menu", menu);
    int16_t valor = 1;
    contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>()->Aplicar(handle, valor);
    contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>()->Aplicar(handle, valor);
    ASSERT_TRUE(host.HasOverlay(handle));
    const auto overlays = menu.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(overlays.size(), 1);
    EXPECT_EQ(overlays.front()->geometry(), menu.rect());
    menu.resize(500, 350);
    Settle();
    EXPECT_EQ(overlays.front()->geometry(), menu.rect());
    contracts::CreateObject<KELO_A_EfeitosDeTela::clsFundoEscuro>()->Remover(handle);
    EXPECT_FALSE(host.HasOverlay(handle));
    EXPECT_TRUE(menu.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
    // The gone overlay's resize hook goes with it: resizing the window afterwards is harmless.
    menu.resize(300, 200);
    Settle();
    EXPECT_EQ(menu.size(), QSize(300, 200));
}

class DesktopLogin : public DesktopServices {
protected:
    desktop::LoginDialog login{host, [this](const std::string& name, const std::string& senha) {
                                   attempts.push_back(name + "/" + senha);
                                   if (name == "admin" && senha == "certa")
                                       return std::make_shared<platform::Object>();
                                   return std::shared_ptr<platform::Object>();
                               }};
    std::vector<std::string> attempts;

    void Try(const std::string& name, const std::string& senha)
    {
        login.NameBox()->setText(QString::fromStdString(name));
        login.PasswordBox()->setText(QString::fromStdString(senha));
        login.Submit();
    }
};

TEST_F(DesktopLogin, TheThirdWrongTryEndsIt)
{
    Try("admin", "errada");
    Try("admin", "");
    EXPECT_EQ(login.Result(), desktop::LoginDialog::Cancelled); // still open
    Try("ninguem", "certa");
    EXPECT_EQ(login.Result(), desktop::LoginDialog::TooManyTries);
    EXPECT_EQ(attempts.size(), 3u);
    const std::string wrong = "Kelo Pet Shop|Usuário ou senha inválidos.";
    EXPECT_EQ(
        seen,
        (std::vector<std::string>{
            wrong + "|Information|1|Ok", wrong + "|Information|1|Ok",
            wrong + "\n\nTrês tentativas sem sucesso: o programa será encerrado.|Critical|1|Ok"}));
    EXPECT_FALSE(login.User());
}

TEST_F(DesktopLogin, ARightTryAfterAWrongOneLogsIn)
{
    Try("admin", "errada");
    EXPECT_TRUE(login.PasswordBox()->text().isEmpty());
    Try("admin", "certa");
    EXPECT_EQ(login.Result(), desktop::LoginDialog::LoggedIn);
    EXPECT_TRUE(login.User());
    EXPECT_EQ(login.UserName(), "admin");
}

TEST_F(DesktopLogin, BoxesTakeFiftyCharactersAndMaskThePassword)
{
    login.show();
    QTest::keyClicks(login.NameBox(), QString(60, 'a'));
    EXPECT_EQ(login.NameBox()->text().size(), 50);
    EXPECT_EQ(login.PasswordBox()->maxLength(), 50);
    EXPECT_EQ(login.PasswordBox()->echoMode(), QLineEdit::Password);
    login.hide();
}

// A report's preview: the print preview dialog shows the laid-out pages, titled and maximised as
// the report asks, and its PDF holds every page; the report gets no widgets of its own.
// Forty lines of 900 twips: three A4 pages.
class Listing : public platform::Report {
public:
    Listing() : platform::Report("drListagem")
    {
        Caption = "Listagem";
        WindowState = platform::vbMaximized;
        Lista.Height = 900;
        txtNome.Move(0, 0, 3000, 300);
        txtNome.DataField = "Nome";
        support::RecordsetBuilder rows({"Nome"});
        for (int i = 1; i <= 40; ++i)
            rows.Row({"Linha " + std::to_string(i)});
        DataSource = rows.Build();
    }

    platform::ReportSection Lista{this, "Lista", platform::SectionKind::Detail};
    platform::ReportTextBox txtNome{&Lista, "txtNome"};
};

TEST_F(DesktopServices, AReportsPreviewShowsItsPagesTitledAndMaximisedAndItsPdfHoldsThemAll)
{
    Listing listing;
    QString title;
    bool maximised = false;
    int pages = 0;
    bool reportHadWidgets = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        maximised = dialog->windowState().testFlag(Qt::WindowMaximized);
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            pages = widget->pageCount();
        host.Sync();
        reportHadWidgets = host.PeerOf(listing) != nullptr;
        dialog->reject();
    });
    listing.Show();
    EXPECT_EQ(title, "Listagem");
    EXPECT_TRUE(maximised);
    EXPECT_EQ(pages, 3);
    EXPECT_FALSE(reportHadWidgets);
    EXPECT_FALSE(listing.Visible());

    const platform::LaidOutReport laidOut = listing.Layout();
    QTemporaryDir folder;
    const QString path = folder.filePath("listagem.pdf");
    ASSERT_TRUE(desktop::SaveAsPdf(path.toStdString(),
                                   [&](QPrinter& printer) { report::Draw(laidOut, printer); }));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n"), 3);
}

} // namespace
} // namespace desktop_test
