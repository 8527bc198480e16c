// The services the host gives the component: message boxes, the error-report window, the dark
// overlay, the print preview's PDF output; and the login window.
#include "QtTestEnvironment.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/Registry.h"
#include "host/desktop/DesktopHost.h"
#include "host/desktop/LoginDialog.h"
#include "host/desktop/PresentationServices.h"
#include "platform/Controls.h"
#include "platform/Host.h"
#include "platform/WindowSystem.h"
#include "suite_controls/SuiteControls.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace desktop_test {
namespace {

using platform::MsgBox;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    int buttons = 0;
};

class DesktopServices : public ::testing::Test {
protected:
    DesktopServices()
    {
        desktop::RegisterPresentationServices(host);
        host.InterceptMessageBoxes([this](QMessageBox& box) {
            seen.push_back({box.windowTitle(), box.text(), box.icon(),
                            box.standardButton(box.defaultButton()),
                            static_cast<int>(box.buttons().size())});
            return answer ? answer : static_cast<int>(box.standardButton(box.defaultButton()));
        });
    }
    ~DesktopServices() override
    {
        contracts::Unregister(KELO_A_MsgErro::clsMensagem::ClassName);
        contracts::Unregister(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName);
    }

    desktop::DesktopHost host{desktop::Scale(96)};
    std::vector<SeenBox> seen;
    int answer = 0; // 0: the default button
};

TEST_F(DesktopServices, MessageBoxesCarryTitleIconButtonsAndDefault)
{
    struct Row {
        int32_t style;
        QMessageBox::Icon icon;
        int buttons;
        QMessageBox::StandardButton defaultButton;
        int32_t answer;
    };
    const std::vector<Row> rows{
        {platform::vbOKOnly | platform::vbInformation, QMessageBox::Information, 1, QMessageBox::Ok,
         platform::vbOK},
        {platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
         QMessageBox::Question, 2, QMessageBox::No, platform::vbNo},
        {platform::vbYesNoCancel | platform::vbExclamation | platform::vbDefaultButton3,
         QMessageBox::Warning, 3, QMessageBox::Cancel, platform::vbCancel},
        {platform::vbOKCancel | platform::vbCritical, QMessageBox::Critical, 2, QMessageBox::Ok,
         platform::vbOK},
        {platform::vbRetryCancel, QMessageBox::NoIcon, 2, QMessageBox::Retry, platform::vbRetry},
    };
    for (const Row& row : rows) {
        seen.clear();
        EXPECT_EQ(MsgBox("Confirma?\r\nSegunda linha", row.style, "Kelo Pet Shop"), row.answer);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, "Kelo Pet Shop");
        EXPECT_EQ(seen[0].text, "Confirma?\nSegunda linha");
        EXPECT_EQ(seen[0].icon, row.icon) << row.style;
        EXPECT_EQ(seen[0].buttons, row.buttons) << row.style;
        EXPECT_EQ(seen[0].defaultButton, row.defaultButton) << row.style;
    }
    answer = QMessageBox::Yes;
    EXPECT_EQ(MsgBox("Apagar?", platform::vbYesNo | platform::vbDefaultButton2), platform::vbYes);
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
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Kelo Pet Shop");
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(seen[0].text.contains("40001"));
    EXPECT_TRUE(seen[0].text.contains("frmPreVendas, Form_Resize, Ponto: 4"));
    EXPECT_FALSE(seen[0].text.contains("s3nh@")) << seen[0].text.toStdString();
    EXPECT_TRUE(seen[0].text.contains("falha ao gravar '********' em Usuarios"));
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
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].icon, QMessageBox::Information);
    EXPECT_EQ(seen[2].icon, QMessageBox::Critical);
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

} // namespace
} // namespace desktop_test
