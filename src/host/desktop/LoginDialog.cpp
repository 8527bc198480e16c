#include "host/desktop/LoginDialog.h"

#include "host/desktop/Convert.h"
#include "host/desktop/DesktopHost.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace desktop {

LoginDialog::LoginDialog(DesktopHost& host, Authenticate authenticate, QWidget* parent)
    : QDialog(parent), m_host(host), m_authenticate(std::move(authenticate)),
      m_name(new QLineEdit(this)), m_password(new QLineEdit(this)),
      m_enter(new QPushButton(QStringLiteral("Entrar"), this))
{
    setWindowTitle(ToQString(host.ApplicationName()) + QStringLiteral(" — Entrar"));
    setObjectName(QStringLiteral("login"));
    m_name->setObjectName(QStringLiteral("usuario"));
    m_password->setObjectName(QStringLiteral("senha"));
    m_name->setMaxLength(MaxLength);
    m_password->setMaxLength(MaxLength);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42 }"));
    m_name->setMinimumWidth(240);

    auto* heading = new QLabel(ToQString(host.ApplicationName()), this);
    heading->setFont(ToQFont("Arial", 14, true));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Usuário"), m_name);
    form->addRow(QStringLiteral("Senha"), m_password);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_enter, QDialogButtonBox::AcceptRole);
    QPushButton* leave = buttons->addButton(QStringLiteral("Sair"), QDialogButtonBox::RejectRole);
    m_enter->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_enter, &QPushButton::clicked, this, [this] { Submit(); });
    connect(leave, &QPushButton::clicked, this, [this] { Finish(Cancelled); });
}

void LoginDialog::Prefill(const std::string& name, const std::string& password)
{
    m_name->setText(ToQString(name));
    m_password->setText(ToQString(password));
    m_submitWhenShown = true;
}

LoginDialog::Outcome LoginDialog::Run()
{
    m_outcome = Cancelled;
    exec();
    return m_outcome;
}

std::string LoginDialog::UserName() const
{
    return ToStd(m_name->text());
}

void LoginDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_quitWhenShown) {
        QTimer::singleShot(0, this, [this] { Finish(QuitAtShow); });
        return;
    }
    if (m_submitWhenShown) {
        m_submitWhenShown = false;
        QTimer::singleShot(0, this, [this] { Submit(); });
    }
}

void LoginDialog::Submit()
{
    const std::string title = m_host.ApplicationName();
    platform::ObjectRef user;
    try {
        user = m_authenticate(UserName(), ToStd(m_password->text()));
    } catch (const std::exception& error) {
        m_host.ShowMessageBox(
            {std::string("Não foi possível verificar o usuário.\n\n") + error.what(),
             platform::vbCritical, title});
        Finish(StoreFailed);
        return;
    }
    if (user) {
        m_user = user;
        Finish(LoggedIn);
        return;
    }
    ++m_tries;
    if (m_tries >= MaxTries) {
        m_host.ShowMessageBox({"Usuário ou senha inválidos.\n\nTrês tentativas sem sucesso: o "
                               "programa será encerrado.",
                               platform::vbCritical, title});
        Finish(TooManyTries);
        return;
    }
    m_host.ShowMessageBox({"Usuário ou senha inválidos.", platform::vbInformation, title});
    m_password->clear();
    m_password->setFocus();
}

void LoginDialog::Finish(Outcome outcome)
{
    m_outcome = outcome;
    if (outcome == LoggedIn)
        accept();
    else
        reject();
}

} // namespace desktop
